// Whose files in a protected folder are an administrator's: the owner's rule over well-known
// SIDs, and the checks through an open handle (one name, no folder).
#include "platform/protected_folder_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/handle_win32.h"
#include "platform/wide.h"
#include "win32_test_files.h"

namespace tallimo {
namespace {

struct Sid {
  explicit Sid(WELL_KNOWN_SID_TYPE type) {
    DWORD size = sizeof bytes;
    EXPECT_TRUE(CreateWellKnownSid(type, nullptr, bytes, &size));
  }
  PSID Get() { return bytes; }
  BYTE bytes[SECURITY_MAX_SID_SIZE];
};

TEST(ProtectedFolder, OnlyAnAdministratorOwnsItsFiles) {
  Sid administrators(WinBuiltinAdministratorsSid), system(WinLocalSystemSid),
      users(WinBuiltinUsersSid), everyone(WinWorldSid), user(WinInteractiveSid);
  const struct {
    PSID owner, self;
    bool trusted;
  } cases[] = {{administrators.Get(), nullptr, true}, {system.Get(), nullptr, true},
               {users.Get(), nullptr, false},         {everyone.Get(), nullptr, false},
               {user.Get(), nullptr, false},          {user.Get(), user.Get(), true},
               {everyone.Get(), user.Get(), false},   {nullptr, user.Get(), false}};
  for (const auto& c : cases) EXPECT_EQ(TrustedOwner(c.owner, c.self), c.trusted) << &c - cases;
}

OwnedHandle Open(const std::string& path) {
  return OwnedHandle(CreateFileW(
      Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

TEST(ProtectedFolder, AnAdministratorsFileHasOneNameAndIsNoFolder) {
  const std::string folder = wintest::MakeTempFolder("protected");
  ASSERT_TRUE(wintest::WriteBytes(folder + "\\plain", "end\n"));
  ASSERT_TRUE(wintest::WriteBytes(folder + "\\linked", "end\n"));
  ASSERT_TRUE(CreateHardLinkW(Widen(folder + "\\link").c_str(), Widen(folder + "\\linked").c_str(),
                              nullptr));
  // The test's own file is an administrator's when the test has those rights (under Wine it has).
  BYTE administrators[SECURITY_MAX_SID_SIZE];
  DWORD size = sizeof administrators;
  BOOL administrator = FALSE;
  ASSERT_TRUE(CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size));
  ASSERT_TRUE(CheckTokenMembership(nullptr, administrators, &administrator));
  EXPECT_EQ(AdministratorsFile(Open(folder + "\\plain").Get()), administrator != FALSE);
  for (const char* name : {"\\linked", "\\link", ""}) {
    OwnedHandle file = Open(folder + name);
    ASSERT_TRUE(file) << name;
    EXPECT_FALSE(AdministratorsFile(file.Get())) << name;
  }
  wintest::RemoveTree(folder);
}

}  // namespace
}  // namespace tallimo
