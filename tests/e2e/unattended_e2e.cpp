// Tallimo.exe run unattended: two programs (stand-in installers exiting 0 and 3010) installed
// with /quiet and /log while a third, found installed by its Detect path, is skipped; no window
// appears, the exit code is 3010, and the given log is added to. A name that matches no program
// is a usage error (exit 2) that runs nothing. Started by cmd with its output redirected, the
// log's lines reach that file too.
// Usage: tallimo_unattended_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

std::string ReadAll(const std::string& path) {
  std::string bytes;
  const std::wstring wide(path.begin(), path.end());  // an ASCII path of the test's own
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

// The lines after `from`, without their "YYYY-MM-DD HH:MM:SS " stamps.
std::vector<std::string> Unstamped(const std::string& bytes, size_t from = 0) {
  std::vector<std::string> lines;
  for (size_t at = from; at < bytes.size();) {
    size_t end = bytes.find("\r\n", at);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(at, end - at);
    lines.push_back(line.size() > 20 && line[4] == '-' && line[19] == ' ' ? line.substr(20) : line);
    at = end + 2;
  }
  return lines;
}

class Unattended : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = tallimo::wintest::MakeTempFolder("unattended-e2e");
    ASSERT_FALSE(folder_.empty());
    const std::string installer = WindowsPath(TALLIMO_TEST_INSTALLER);
    ASSERT_TRUE(Exists(installer)) << installer;
    ASSERT_TRUE(WriteBytes(folder_ + "\\there.exe", "MZ"));
    const std::string run = "Install1=\"" + installer + "\" exit ";
    catalogue_ = folder_ + "\\disc.ini";
    ASSERT_TRUE(WriteBytes(catalogue_, "[Program1]\r\nName=Zeta Runtime\r\nBatch=1\r\n" + run +
                                           "3010\r\n"
                                           "[Program2]\r\nName=Already There\r\nDetect=" +
                                           folder_ + "\\there.exe\r\n" + run +
                                           "7\r\n"
                                           "[Program3]\r\nName=Alpha Editor\r\nBatch=0\r\n" +
                                           run +
                                           "0\r\n"
                                           "[Program4]\r\nName=Not Asked For\r\n" +
                                           run + "9\r\n"));
    log_ = folder_ + "\\deploy.log";
  }
  void TearDown() override { RemoveTree(folder_); }

  // Runs Tallimo.exe to its end; false when it showed a window or did not end.
  bool Run(const std::string& arguments, DWORD& exitCode) {
    RunningProgram tallimo(arguments, folder_.c_str());
    if (!tallimo.Started()) return false;
    bool windowSeen = false;
    while (!tallimo.Ended(20, exitCode)) {
      if (!VisibleTopWindows(tallimo.Pid()).empty()) windowSeen = true;
      if (std::chrono::steady_clock::now() - tallimo.StartedAt() > std::chrono::seconds(60))
        return false;
    }
    EXPECT_FALSE(windowSeen) << "/quiet shows no window";
    return true;
  }

  std::string folder_, catalogue_, log_;
};

TEST_F(Unattended, TwoProgramsQuietlyWithALogKeptAcrossRuns) {
  ASSERT_TRUE(WriteBytes(log_, "an earlier run\r\n"));
  DWORD code = 0;
  ASSERT_TRUE(Run("\"" + catalogue_ + "\" /install \"alpha editor\" \"Zeta Runtime\" " +
                      "\"Already There\" -QUIET /log \"" + log_ + "\"",
                  code));
  EXPECT_EQ(code, 3010u);
  const std::string log = ReadAll(log_);
  ASSERT_EQ(log.rfind("an earlier run\r\n", 0), 0u) << log;
  std::vector<std::string> lines = Unstamped(log, 16);
  ASSERT_GE(lines.size(), 10u) << log;
  EXPECT_EQ(lines[0], "Unattended install started: " + catalogue_ + ", 3 programs");
  EXPECT_EQ(lines[1], "Program 1 of 3: Zeta Runtime");
  EXPECT_EQ(lines[2].substr(0, 9), "Command: ");
  EXPECT_EQ(lines[3].substr(0, 15), "Exit code 3010 ");
  EXPECT_EQ(lines[4], "Zeta Runtime: installed, restart needed");
  EXPECT_EQ(lines[5], "Program 2 of 3: Already There");
  EXPECT_EQ(lines[6], "Already There: skipped (already installed)");
  EXPECT_EQ(lines[7], "Program 3 of 3: Alpha Editor");
  EXPECT_EQ(lines[lines.size() - 3],
            "Unattended install ended: 3 installed, 0 failed, 0 not started");
  EXPECT_EQ(lines[lines.size() - 2], "Restart question not asked in an unattended run: answered No");
  EXPECT_EQ(lines.back(), "Exit code 3010");
}

TEST_F(Unattended, AnUnknownNameIsAUsageErrorAndNothingRuns) {
  DWORD code = 0;
  ASSERT_TRUE(
      Run("\"" + catalogue_ + "\" /install \"Alpha Editor\" Nobody /quiet /log \"" + log_ + "\"",
          code));
  EXPECT_EQ(code, 2u);
  const std::vector<std::string> lines = Unstamped(ReadAll(log_), 3);
  EXPECT_EQ(lines,
            (std::vector<std::string>{"Usage error: No program of the catalogue is named Nobody",
                                      "Exit code 2"}));
  // The usage alone, without its box.
  ASSERT_TRUE(Run("/? /quiet", code));
  EXPECT_EQ(code, 0u);
}

TEST_F(Unattended, StartedFromCmdTheLinesReachItsOutput) {
  const std::string out = folder_ + "\\out.txt";
  RunningProgram cmd("/s /c \"\"" + TallimoExe() + "\" \"" + catalogue_ +
                         "\" /install \"Alpha Editor\" /quiet /log \"" + log_ + "\" > \"" + out +
                         "\"\"",
                     folder_.c_str(), "C:\\windows\\system32\\cmd.exe");
  ASSERT_TRUE(cmd.Started());
  DWORD code = 0;
  ASSERT_TRUE(cmd.Ended(60000, code));
  EXPECT_EQ(code, 0u);
  const std::vector<std::string> lines = Unstamped(ReadAll(out));
  ASSERT_GE(lines.size(), 3u) << ReadAll(out);
  EXPECT_EQ(lines.front(), "Unattended install started: " + catalogue_ + ", 1 program");
  EXPECT_EQ(lines[lines.size() - 2],
            "Unattended install ended: 1 installed, 0 failed, 0 not started");
  EXPECT_EQ(lines.back(), "Exit code 0");
}

// The catalogue's rules on the real program: a named program brings its requirement, whose
// failure keeps it from starting, and a program for another Windows fails when named and is
// skipped under "*". The prefix's Windows is 7 or later and its architecture x86 or x64.
TEST_F(Unattended, RequirementsAndConditionsHoldInTheQueue) {
  const std::string installer = WindowsPath(TALLIMO_TEST_INSTALLER);
  const std::string run = "Install1=\"" + installer + "\" exit ";
  const std::string rules = folder_ + "\\rules.ini";
  ASSERT_TRUE(WriteBytes(rules, "[Program1]\r\nName=App\r\nRequires=runtime\r\n" + run +
                                    "0\r\n[Program2]\r\nName=Runtime\r\n" + run +
                                    "5\r\n[Program3]\r\nName=Old\r\nWindows=XP-XP\r\n" + run +
                                    "0\r\n"));
  DWORD code = 0;
  ASSERT_TRUE(Run("\"" + rules + "\" /install App Old /quiet /log \"" + log_ + "\"", code));
  EXPECT_EQ(code, 1u);
  std::vector<std::string> results;
  for (const std::string& line : Unstamped(ReadAll(log_), 3))
    for (const char* start : {"App: ", "Runtime: ", "Old: ", "Unattended install ended: "})
      if (line.rfind(start, 0) == 0) results.push_back(line);
  EXPECT_EQ(results, (std::vector<std::string>{
                         "Runtime: added, required by App", "Runtime: failed (exit code 5)",
                         "App: not started (needs Runtime)",
                         "Old: failed (not for this computer: it needs Windows XP)",
                         "Unattended install ended: 0 installed, 2 failed, 1 not started"}))
      << ReadAll(log_);
  // Under "*" what is not for this computer is skipped and leaves the exit code alone.
  DeleteFileA(log_.c_str());
  ASSERT_TRUE(Run("\"" + rules + "\" /install * /quiet /log \"" + log_ + "\"", code));
  EXPECT_EQ(code, 1u);  // Runtime still fails
  EXPECT_NE(ReadAll(log_).find("Old: skipped (not for this computer)"), std::string::npos);
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_unattended_e2e");
}
