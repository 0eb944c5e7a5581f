// Detection against the real system: keys made and deleted by the test in both registry views,
// an Uninstall entry of the current user, real files and folders, drives and shares that are
// not there (no box, no long wait), and the console output's file handle.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "install/detect.h"
#include "platform/environment.h"
#include "platform/probe_files.h"
#include "platform/registry.h"
#include "platform/wide.h"
#include "win32/win32_test_files.h"

namespace tallimo {
namespace {

const std::string kBase = "Software\\TallimoDetectTest" + std::to_string(GetCurrentProcessId());

class RealRegistry : public ::testing::Test {
 protected:
  // The keys made, deepest first (RegDeleteTree is newer than Windows XP).
  void TearDown() override {
    const std::string keys[] = {kBase + "\\Native", kBase + "\\Old\\Deeper", kBase + "\\Old", kBase,
                                std::string(kUninstallKey) + "\\TallimoDetectTest"};
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
      for (const std::string& key : keys) {
        const size_t slash = key.rfind('\\');
        HKEY parent = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(key.substr(0, slash)).c_str(), 0,
                          KEY_WRITE | view, &parent) != ERROR_SUCCESS)
          continue;
        RegDeleteKeyW(parent, Wide(key.substr(slash + 1)).c_str());
        RegCloseKey(parent);
      }
  }
  static std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }
  static void Make(const std::string& path, REGSAM view, const wchar_t* displayName = nullptr) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr, 0,
                              KEY_WRITE | view, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (displayName)
      RegSetValueExW(key, L"DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(displayName),
                     static_cast<DWORD>((wcslen(displayName) + 1) * sizeof(wchar_t)));
    const DWORD number = 7;
    RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    RegCloseKey(key);
  }
};

TEST_F(RealRegistry, KeysValuesAndSubkeysInBothViews) {
  Registry& registry = HostRegistry();
  const auto HKCU = TRegistryRoot::rrCurrentUser;
  Make(kBase + "\\Native", KEY_WOW64_64KEY);
  Make(kBase + "\\Old\\Deeper", KEY_WOW64_32KEY, L"Caf\u00e9 Editor");
  EXPECT_TRUE(registry.KeyExists(HKCU, kBase + "\\Native", TRegistryView::rv64));
  EXPECT_TRUE(registry.KeyExists(HKCU, kBase + "\\Old\\Deeper", TRegistryView::rv32));
  EXPECT_FALSE(registry.KeyExists(HKCU, kBase + "\\Missing", TRegistryView::rv64));
  EXPECT_FALSE(registry.KeyExists(HKCU, kBase + "\\Missing", TRegistryView::rv32));
  EXPECT_EQ(registry.StringValue(HKCU, kBase + "\\Old\\Deeper", "displayname", TRegistryView::rv32),
            "Caf\xC3\xA9 Editor");  // UTF-8 inside the program
  EXPECT_EQ(registry.StringValue(HKCU, kBase + "\\Old\\Deeper", "Number", TRegistryView::rv32), "");
  EXPECT_EQ(registry.StringValue(HKCU, kBase + "\\Old\\Deeper", "None", TRegistryView::rv32), "");
  EXPECT_EQ(registry.SubKeyNames(HKCU, kBase + "\\Old", TRegistryView::rv32),
            (std::vector<std::string>{"Deeper"}));
  EXPECT_TRUE(registry.SubKeyNames(HKCU, kBase + "\\Missing", TRegistryView::rv32).empty());

  // The rules over the real registry: either view counts.
  Detector detector({HostProbeFileSystem(), registry, HostEnvironment()});
  EXPECT_TRUE(detector.IsInstalled("HKCU\\" + kBase + "\\Native"));
  EXPECT_TRUE(detector.IsInstalled("HKEY_CURRENT_USER\\" + kBase + "\\Old\\Deeper"));
  EXPECT_FALSE(detector.IsInstalled("HKCU\\" + kBase + "\\Missing"));
  EXPECT_FALSE(detector.IsInstalled("HKLM\\" + kBase + "\\Native"));
}

TEST_F(RealRegistry, AnUninstallEntryOfTheCurrentUserCounts) {
  Make(std::string(kUninstallKey) + "\\TallimoDetectTest", KEY_WOW64_32KEY,
       L"Tallimo Detect Test 1.0");
  Detector detector({HostProbeFileSystem(), HostRegistry(), HostEnvironment()});
  EXPECT_TRUE(detector.IsInstalled("uninstall:tallimo detect test"));
  EXPECT_FALSE(Detector({HostProbeFileSystem(), HostRegistry(), HostEnvironment()})
                   .IsInstalled("uninstall:tallimo detect test 2"));
}

// A 32-bit installer registers in the machine's 32-bit view, a 64-bit one in the other: a
// program of either kind sees both.
TEST_F(RealRegistry, AnUninstallEntryOfTheMachineCountsInEitherView) {
  for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    const std::wstring key = Wide(std::string(kUninstallKey) + "\\TallimoDetectView" +
                                  (view == KEY_WOW64_32KEY ? "32" : "64"));
    const std::wstring name = view == KEY_WOW64_32KEY ? L"Tallimo View 32" : L"Tallimo View 64";
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE | view,
                              nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(h, L"DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                   static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
    Detector detector({HostProbeFileSystem(), HostRegistry(), HostEnvironment()});
    EXPECT_TRUE(detector.IsInstalled(view == KEY_WOW64_32KEY ? "uninstall:tallimo view 32"
                                                             : "uninstall:tallimo view 64"));
    HKEY parent = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(kUninstallKey).c_str(), 0, KEY_WRITE | view,
                      &parent) == ERROR_SUCCESS) {
      RegDeleteKeyW(parent, key.substr(key.rfind(L'\\') + 1).c_str());
      RegCloseKey(parent);
    }
  }
}

TEST(ProbeFiles, FilesAndFoldersAndWhatIsNotThereWithoutABoxOrALongWait) {
  wchar_t temp[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, temp);
  const std::string folder = Narrow(temp) + "TallimoProbe" + std::to_string(GetCurrentProcessId());
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
  wintest::WriteBytes(folder + "\\app.exe", "MZ");
  FileSystem& files = HostProbeFileSystem();
  EXPECT_EQ(files.KindOf(folder + "\\app.exe"), TFileKind::fkFile);
  EXPECT_EQ(files.KindOf(folder), TFileKind::fkFolder);
  EXPECT_EQ(files.KindOf(folder + "\\"), TFileKind::fkFolder);
  EXPECT_EQ(files.KindOf(folder + "\\missing.exe"), TFileKind::fkMissing);
  EXPECT_TRUE(files.FileExists(folder + "\\app.exe"));
  EXPECT_FALSE(files.DirectoryExists(folder + "\\app.exe"));

  // A path of the same folder through a variable of the real environment.
  SetEnvironmentVariableW(L"TALLIMO_PROBE", Widen(folder).c_str());
  Detector detector({files, HostRegistry(), HostEnvironment()});
  EXPECT_TRUE(detector.IsInstalled("%TALLIMO_PROBE%\\app.exe"));
  EXPECT_FALSE(detector.IsInstalled("%TALLIMO_PROBE_UNSET%\\app.exe"));
  wintest::RemoveTree(folder);
  EXPECT_FALSE(detector.IsInstalled("%TALLIMO_PROBE%\\app.exe"));

  // A drive letter that nothing is mapped to, and a share of a server that is not there.
  char unused = 0;
  const DWORD drives = GetLogicalDrives();
  for (char d = 'Q'; d <= 'Y' && !unused; ++d)
    if (!(drives & (1u << (d - 'A')))) unused = d;
  ASSERT_NE(unused, 0);
  const UINT modeBefore = SetErrorMode(0);
  SetErrorMode(modeBefore);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(files.KindOf(std::string(1, unused) + ":\\setup.exe"), TFileKind::fkMissing);
  EXPECT_EQ(files.KindOf("\\\\tallimo-no-such-server\\share\\setup.exe"), TFileKind::fkMissing);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_LT(waited, std::chrono::milliseconds(kProbeLimitMilliseconds + 1500));
  const UINT modeAfter = SetErrorMode(0);
  SetErrorMode(modeAfter);
  EXPECT_EQ(modeAfter, modeBefore) << "the error mode is put back";
}

}  // namespace
}  // namespace tallimo
