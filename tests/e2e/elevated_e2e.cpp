// Tallimo.exe started by hand as the elevated copy (Wine has no administrator prompt): with the
// catalogue's digest it runs exactly the numbered programs, in the order given, and reports them
// in a new events file of the common application data folder; with a catalogue changed after
// the digest it runs nothing and says so; a channel whose events file is there already runs
// nothing.
// Usage: tallimo_elevated_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <shlobj.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/hash.h"
#include "platform/wide.h"
#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

std::string ReadAll(const std::string& path) {
  std::ifstream file(tallimo::Widen(path).c_str(), std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::string EventsFile(const std::string& channel) {
  wchar_t folder[MAX_PATH] = L"";
  SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
  return tallimo::Narrow(folder) + "\\Tallimo\\" + channel + ".events";
}

class Elevated : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = tallimo::wintest::MakeTempFolder("elevated-e2e");
    ASSERT_FALSE(folder_.empty());
    const std::string installer = WindowsPath(TALLIMO_TEST_INSTALLER);
    ASSERT_TRUE(Exists(installer)) << installer;
    std::string ini;
    // Each line in quotes, and quoted again so that the value keeps them.
    for (int n = 1; n <= 3; ++n)
      ini += "[Program" + std::to_string(n) + "]\r\nName=P" + std::to_string(n) +
             "\r\nBatch=" + (n == 1 ? "1" : "0") + "\r\nInstall1=\"\"" + installer +
             "\" wait 0 \"" + Marker(n) + "\"\"\r\n";
    catalogue_ = folder_ + "\\disc.ini";
    ASSERT_TRUE(WriteBytes(catalogue_, ini));
    digest_ = tallimo::HostHasher().Sha256Hex(ini).value_or("");
    ASSERT_EQ(digest_.size(), 64u);
    channel_ =
        "e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  }
  void TearDown() override { RemoveTree(folder_); }

  std::string Marker(int n) const { return folder_ + "\\ran" + std::to_string(n) + ".txt"; }

  DWORD Run(const std::string& channel, const std::string& numbers) {
    RunningProgram tallimo(
        "/elevated-queue \"" + catalogue_ + "\" " + digest_ + " - " + channel + " " + numbers,
        folder_.c_str());
    DWORD code = 99;
    EXPECT_TRUE(tallimo.Started());
    EXPECT_TRUE(tallimo.Ended(60000, code));
    return code;
  }

  std::string folder_, catalogue_, digest_, channel_;
};

TEST_F(Elevated, TheDigestDecidesWhetherExactlyTheNamedProgramsRun) {
  EXPECT_EQ(Run(channel_ + "-a", "3 1"), 0u);
  EXPECT_TRUE(Exists(Marker(3)));
  EXPECT_TRUE(Exists(Marker(1)));
  EXPECT_FALSE(Exists(Marker(2)));
  const std::string events = ReadAll(EventsFile(channel_ + "-a"));
  const size_t first = events.find("row 0 installed 0 \n"), second = events.find("row 1 installed");
  EXPECT_NE(first, std::string::npos) << events;
  EXPECT_NE(second, std::string::npos) << events;
  EXPECT_LT(events.find("ran3.txt"), events.find("ran1.txt")) << events;  // in the order given
  EXPECT_NE(events.find("cmd.exe /d /c"), std::string::npos) << events;
  EXPECT_EQ(events.substr(events.size() - 4), "end\n");

  // The same channel again: its events file is there, so nothing runs.
  DeleteFileW(tallimo::Widen(Marker(1)).c_str());
  EXPECT_EQ(Run(channel_ + "-a", "1"), 2u);
  EXPECT_FALSE(Exists(Marker(1)));

  // Changed after the digest was taken: nothing runs, and the one event says why.
  ASSERT_TRUE(WriteBytes(catalogue_, ReadAll(catalogue_) + "; changed\r\n"));
  EXPECT_EQ(Run(channel_ + "-b", "1 2"), 1u);
  EXPECT_FALSE(Exists(Marker(1)));
  EXPECT_FALSE(Exists(Marker(2)));
  EXPECT_EQ(ReadAll(EventsFile(channel_ + "-b")),
            "refused the catalogue changed after it was read\n");
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_elevated_e2e");
}
