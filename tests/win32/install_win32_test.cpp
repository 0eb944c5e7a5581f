// The install runner's seams against the real system under Wine: environment variables, a real
// batch file run by the shell, and the drive list.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "fakes/scripted_random.h"
#include "install/batch_file.h"
#include "platform/drives.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/shell.h"

namespace tallimo {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the test's duration and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size > 0) {
      old_.resize(size);
      old_.resize(GetEnvironmentVariableA(name, old_.data(), size));
      had_ = true;
    }
    SetEnvironmentVariableA(name, value);
  }
  ~ScopedEnv() { SetEnvironmentVariableA(name_.c_str(), had_ ? old_.c_str() : nullptr); }

 private:
  std::string name_, old_;
  bool had_ = false;
};

fs::path MakeTempFolder(const std::string& tag) {
  fs::path folder =
      fs::temp_directory_path() / ("tallimo-" + tag + "-" + std::to_string(GetCurrentProcessId()) +
                                   "-" + std::to_string(GetTickCount()));
  fs::create_directories(folder);
  return folder;
}

bool WaitForFile(const fs::path& path, std::chrono::seconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (fs::exists(path) && fs::file_size(path) > 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

TEST(EnvironmentWin32, ReadsValuesOfAnyLength) {
  Environment& environment = HostEnvironment();
  {
    ScopedEnv unset("TALLIMO_TEST_VALUE", nullptr);
    EXPECT_EQ(environment.GetEnvVar("TALLIMO_TEST_VALUE"), "");
  }
  {
    ScopedEnv empty("TALLIMO_TEST_VALUE", "");
    EXPECT_EQ(environment.GetEnvVar("TALLIMO_TEST_VALUE"), "");
  }
  for (size_t length : {1u, 253u, 254u, 255u, 256u, 1000u, 32000u}) {
    std::string value;
    for (size_t i = 0; i < length; ++i) value += static_cast<char>('a' + i % 26);
    ScopedEnv set("TALLIMO_TEST_VALUE", value.c_str());
    EXPECT_EQ(environment.GetEnvVar("TALLIMO_TEST_VALUE"), value) << length;
  }
}

TEST(BatchFileWin32, ARealBatchFileInTempIsRunByTheShell) {
  fs::path folder = MakeTempFolder("batch");
  const std::string temp = folder.string();
  ScopedEnv env("TEMP", temp.c_str());
  const fs::path marker = folder / "marker.txt";
  const fs::path second = folder / "second.txt";

  TimeSeededRandom random;
  const std::string path = WriteBatchFile(
      {"echo installed> \"" + marker.string() + "\"", "echo second> \"" + second.string() + "\""},
      HostLocale().OemCodePage(), HostEnvironment(), HostFileSystem(), random);

  // Written where TEMP says, under a fresh TLM- name, with exactly the lines and CR LF.
  ASSERT_EQ(path.substr(0, temp.size() + 5), temp + "\\TLM-");
  ASSERT_EQ(path.size(), temp.size() + 13);
  std::string bytes;
  ASSERT_TRUE(HostFileSystem().ReadWholeFile(path, bytes));
  EXPECT_EQ(bytes, "echo installed> \"" + marker.string() + "\"\r\necho second> \"" +
                       second.string() + "\"\r\n");

  HostShell().LaunchFile(path);
  EXPECT_TRUE(WaitForFile(marker, std::chrono::seconds(30))) << "the shell did not run " << path;
  EXPECT_TRUE(WaitForFile(second, std::chrono::seconds(10)));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));  // let the shell let go
  std::ifstream in(marker);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line.substr(0, 9), "installed");
  EXPECT_TRUE(fs::exists(path));  // the batch file is left in place
  in.close();
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

TEST(BatchFileWin32, AnExistingFileIsNeverReplaced) {
  fs::path folder = MakeTempFolder("taken");
  const std::string temp = folder.string();
  ScopedEnv env("TEMP", temp.c_str());
  testing::ScriptedRandom random;
  random.Queue("aaaabbbb");
  { std::ofstream(folder / "TLM-aaaa.bat") << "keep"; }
  const std::string path = WriteBatchFile({"x"}, HostLocale().OemCodePage(), HostEnvironment(),
                                          HostFileSystem(), random);
  EXPECT_EQ(path, temp + "\\TLM-bbbb.bat");
  std::string kept;
  ASSERT_TRUE(HostFileSystem().ReadWholeFile(temp + "\\TLM-aaaa.bat", kept));
  EXPECT_EQ(kept, "keep");
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

TEST(DrivesWin32, ListsTheSystemsDrivesInLetterOrder) {
  std::vector<DriveInfo> drives = HostDrives().ListDrives();
  ASSERT_FALSE(drives.empty());
  bool hasC = false;
  for (size_t i = 0; i < drives.size(); ++i) {
    EXPECT_TRUE(drives[i].letter >= 'a' && drives[i].letter <= 'z');
    if (i > 0) {
      EXPECT_LT(drives[i - 1].letter, drives[i].letter);
    }
    const char root[4] = {static_cast<char>(drives[i].letter - 'a' + 'A'), ':', '\\', 0};
    UINT type = GetDriveTypeA(root);
    EXPECT_NE(type, DRIVE_UNKNOWN);
    EXPECT_NE(type, DRIVE_NO_ROOT_DIR);
    if (drives[i].letter == 'c') {
      hasC = true;
      EXPECT_EQ(drives[i].type, TDriveType::dtFixed);
    }
    if (drives[i].type == TDriveType::dtRemovable) {
      EXPECT_EQ(drives[i].volumeName, "");
    }
  }
  EXPECT_TRUE(hasC);

  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(HostDrives().CurrentDrive(), static_cast<char>(tolower(current[0])));
  char saved[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, saved);
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
  EXPECT_EQ(HostDrives().CurrentDrive(), 'c');
  SetCurrentDirectoryA(saved);
}

}  // namespace
}  // namespace tallimo
