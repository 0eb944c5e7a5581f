// The hand-over to the elevated copy against the real system: the copy (started without
// elevation, which Wine does not have) runs the stand-in installer, and its rows, results,
// log lines, Stop and Stop waiting come back into the queue of this process, and its files go.
// (Under Wine all files have the one owner: whose events file is trusted is asked of SIDs.)
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "fakes/fake_process_runner.h"
#include "install/elevated_runner_win32.h"
#include "install/install_queue.h"
#include "install/random_source.h"
#include "platform/handle_win32.h"
#include "platform/hash.h"
#include "platform/locale.h"
#include "platform/protected_folder_win32.h"
#include "platform/wide.h"
#include "win32_test_files.h"

namespace tallimo {
namespace {

namespace fs = std::filesystem;

std::string Beside(const char* name) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  return (fs::path(self).parent_path() / name).string();
}

std::string Installer(const std::string& arguments) {
  return "\"" + Beside("tallimo_test_installer.exe") + "\" " + arguments;
}

template <typename Done>
bool PumpUntil(Done done, DWORD limitMs = 30000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limitMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  return true;
}

class ElevatedWin32 : public ::testing::Test {
 protected:
  ~ElevatedWin32() override { fs::remove(catalogue); }
  // A queue whose first program asks for administrator rights: all of it goes to the copy,
  // which finds the programs by their numbers in the catalogue written for them.
  InstallQueue& Make(std::vector<QueuedProgram> programs) {
    std::string ini;
    std::vector<size_t> numbers;
    for (size_t i = 0; i < programs.size(); ++i) {
      // A value in quotes is written inside another pair, as the catalogue's writer does.
      const std::string& line = programs[i].lines.at(0);
      const bool quoted = line.size() > 1 && line.front() == '"' && line.back() == '"';
      ini += "[Program" + std::to_string(i + 1) + "]\r\nName=" + programs[i].name +
             "\r\nInstall1=" + (quoted ? "\"" + line + "\"" : line) + "\r\n";
      numbers.push_back(i + 1);
    }
    fs::remove(catalogue);
    std::ofstream(catalogue, std::ios::binary) << ini;
    programs = RowsOfCatalogue(ini, numbers, std::nullopt, HostLocale().AnsiCodePage()).programs;
    ProcessStart needsRights = testing::FakeProcessRunner::CannotStart("elevation", 740);
    needsRights.elevationRequired = true;
    processes.starts = {needsRights};
    QueueSeams seams{processes,   HostFileSystem(), HostEnvironment(), random,
                     HostClock(), HostLogFiles(),   HostLocale()};
    seams.elevated = runner.get();
    queue = std::make_unique<InstallQueue>(seams, std::move(programs), catalogue);
    return *queue;
  }
  std::vector<std::string> RowTexts() const {
    std::vector<std::string> texts;
    for (size_t i = 0; i < queue->Size(); ++i) texts.push_back(queue->RowText(i));
    return texts;
  }

  std::string catalogue = (fs::temp_directory_path() / "tallimo-elevated.ini").string();
  testing::FakeProcessRunner processes;
  TimeSeededRandom random;
  std::unique_ptr<ElevatedRunner> runner = MakeShellElevatedRunner(
      Beside("tallimo_elevated_queue_host.exe"), "", HostFileSystem(), HostHasher(), HostLocale());
  std::unique_ptr<InstallQueue> queue;
};

// The hand-overs' files in the copies' folder.
std::set<std::wstring> ChannelFiles() {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found;
  FindHandle search(
      FindFirstFileW(Widen(TallimoFolder(CSIDL_COMMON_APPDATA) + "q*").c_str(), &found));
  for (bool more = static_cast<bool>(search); more; more = FindNextFileW(search.Get(), &found))
    names.insert(found.cFileName);
  return names;
}

TEST_F(ElevatedWin32, TheCopyRunsTheRestAndItsResultsAndLogComeBack) {
  InstallQueue& q = Make({{"Zero", false, {Installer("exit 0")}, {}},
                          {"Restart", false, {Installer("exit 3010")}, {}},
                          {"Five", false, {Installer("exit 5")}, {}}});
  std::vector<std::string> commands;
  q.OnCommandChanged = [&] {
    if (!q.CurrentCommand().empty()) commands.push_back(q.CurrentCommand());
  };
  const std::set<std::wstring> before = ChannelFiles();
  q.Begin();
  ASSERT_TRUE(PumpUntil([&] { return q.Ended(); }));
  EXPECT_EQ(RowTexts(),
            (std::vector<std::string>{"Zero: installed", "Restart: installed, restart needed",
                                      "Five: failed (exit code 5)"}));
  EXPECT_EQ(q.Summary(), "2 installed, 1 failed, 0 not started");
  EXPECT_TRUE(q.RestartNeeded());
  ASSERT_EQ(commands.size(), 4u);  // the one that asked here, then the copy's three
  EXPECT_NE(commands[3].find("exit 5"), std::string::npos);
  // One log: this queue's lines and the copy's, in order.
  std::ifstream file(q.LogPath(), std::ios::binary);
  std::stringstream log;
  log << file.rdbuf();
  const std::string text = log.str();
  size_t at = 0;
  for (const std::string& line :
       {"Queue started: " + catalogue + ", 3 programs", std::string("Administrator rights needed"),
        "Elevated copy started: " + catalogue, std::string("Exit code 3010 after"),
        std::string("Five: failed (exit code 5)\r\n"),
        std::string("Elevated copy ended: 2 installed, 1 failed, 0 not started\r\n"),
        std::string("Queue ended: 2 installed, 1 failed, 0 not started\r\n")}) {
    const size_t found = text.find(line, at);
    EXPECT_NE(found, std::string::npos) << line << "\n" << text;
    if (found != std::string::npos) at = found;
  }
  // The menu said it had read to the end: the copy's files go long before it would stop waiting
  // (those that earlier runs of the prefix left stay for a day).
  EXPECT_TRUE(PumpUntil([&] { return ChannelFiles() == before; }, 5000));
}

TEST(ElevatedEvents, OnlyAnAdministratorsFileOfOneNameIsTrusted) {
  BYTE sids[5][SECURITY_MAX_SID_SIZE];
  const WELL_KNOWN_SID_TYPE types[] = {WinBuiltinAdministratorsSid, WinLocalSystemSid,
                                       WinBuiltinUsersSid, WinWorldSid, WinInteractiveSid};
  for (int i = 0; i < 5; ++i) {
    DWORD size = sizeof sids[i];
    ASSERT_TRUE(CreateWellKnownSid(types[i], nullptr, sids[i], &size));
  }
  PSID user = sids[4];  // stands for this program's user
  const struct {
    PSID owner, self;
    bool trusted;
  } owners[] = {{sids[0], nullptr, true}, {sids[1], nullptr, true}, {sids[2], nullptr, false},
                {sids[3], user, false},   {user, nullptr, false},   {user, user, true}};
  for (const auto& c : owners) EXPECT_EQ(TrustedOwner(c.owner, c.self), c.trusted) << &c - owners;

  // Whoever owns it, a file with a second name is not.
  const std::string folder = wintest::MakeTempFolder("events");
  ASSERT_TRUE(wintest::WriteBytes(folder + "\\a", "end\n"));
  ASSERT_TRUE(
      CreateHardLinkW(Widen(folder + "\\b").c_str(), Widen(folder + "\\a").c_str(), nullptr));
  EXPECT_FALSE(AdministratorsFile(
      OwnedHandle(CreateFileW(Widen(folder + "\\a").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr))
          .Get()));
  wintest::RemoveTree(folder);
}

// The copy reads the catalogue itself: one changed after the menu planned runs nothing.
TEST_F(ElevatedWin32, ACatalogueChangedBeforeTheHandOverRunsNothing) {
  const std::string marker = (fs::temp_directory_path() / "tallimo-elevated-changed.txt").string();
  fs::remove(marker);
  InstallQueue& q = Make({{"Writes", false, {Installer("wait 0 \"" + marker + "\"")}, {}},
                          {"Next", false, {Installer("exit 0")}, {}}});
  // Another line to run than the one planned.
  std::string ini;
  {
    std::ifstream file(catalogue, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    ini = bytes.str();
  }
  ini.replace(ini.find("wait 0"), 6, "wait 1");
  std::ofstream(catalogue, std::ios::binary | std::ios::trunc) << ini;
  q.Begin();
  ASSERT_TRUE(PumpUntil([&] { return q.Ended(); }));
  EXPECT_EQ(RowTexts(),
            (std::vector<std::string>{"Writes: failed (the catalogue changed after it was read)",
                                      "Next: failed (the catalogue changed after it was read)"}));
  EXPECT_FALSE(fs::exists(marker));
}

TEST_F(ElevatedWin32, StopAndStopWaitingReachTheCopy) {
  const std::string marker = (fs::temp_directory_path() / "tallimo-elevated-wait.txt").string();
  InstallQueue& q = Make({{"Slow", false, {Installer("wait 1500 \"" + marker + "\"")}, {}},
                          {"Next", false, {Installer("exit 0")}, {}}});
  q.Begin();
  q.Stop();
  ASSERT_TRUE(PumpUntil([&] { return q.Ended(); }));
  EXPECT_EQ(RowTexts(),
            (std::vector<std::string>{"Slow: installed", "Next: not started (stopped)"}));

  InstallQueue& r = Make({{"Stays", false, {Installer("wait 3000 \"" + marker + "\"")}, {}},
                          {"After", false, {Installer("exit 0")}, {}}});
  r.Begin();
  ASSERT_TRUE(PumpUntil(
      [&] { return r.Row(0).state == TQueueState::qsRunning && !r.CurrentCommand().empty(); }));
  r.StopWaiting();
  ASSERT_TRUE(PumpUntil([&] { return r.Ended(); }));
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{"Stays: not waited for (still running)",
                                                  "After: installed"}));
  Sleep(3200);  // the program not waited for ends before the marker goes
  fs::remove(marker);
}

}  // namespace
}  // namespace tallimo
