// Tallimo.exe driven from outside: three programs marked on the list (Space, Ctrl+click and the
// pop-up menu's "&Mark for Install"), installed by Install as one queue of stand-in installers
// that exit with 0, 3010 and 5; the progress window's rows, the restart question answered No,
// the window closed, the log in the TEMP folder given to the program, and the failed program
// still marked for another try.
// Usage: tallimo_install_queue_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

// The visible top-level window of the process with that class and title, or nullptr.
HWND WaitForTop(DWORD pid, const char* className, const char* title, int ms = 15000) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND h : VisibleTopWindows(pid))
          if (ClassOf(h) == className && TextOf(h) == title) found = h;
        return found != nullptr;
      },
      ms, 20);
  return found;
}

std::vector<std::wstring> Rows(HWND list) {
  std::vector<std::wstring> rows;
  for (int i = 0, n = RowCount(list); i < n; ++i) rows.push_back(RowText(list, i));
  return rows;
}

int RowOf(HWND list, const wchar_t* name) {
  for (int i = 0, n = RowCount(list); i < n; ++i)
    if (RowText(list, i) == name) return i;
  return -1;
}

bool Selected(HWND list, int row) {
  DWORD_PTR selected = 0;
  SendMessageTimeoutA(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selected);
  return static_cast<int>(selected) == row;
}

std::vector<std::string> FilesIn(const std::string& folder, const char* pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileA(find, &found));
  FindClose(find);
  return names;
}

// The log's lines without their "YYYY-MM-DD HH:MM:SS " stamps (a line without a well-formed
// stamp is kept whole, so that it fails the comparison).
std::vector<std::string> LogEvents(const std::string& bytes) {
  std::vector<std::string> events;
  size_t at = 3;  // after the byte-order mark
  while (at < bytes.size()) {
    size_t end = bytes.find("\r\n", at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(at, end - at);
    bool stamped = line.size() > 20;
    for (size_t i = 0; stamped && i < 20; ++i) {
      const char expected = "dddd-dd-dd dd:dd:dd "[i];
      stamped = expected == 'd' ? (line[i] >= '0' && line[i] <= '9') : line[i] == expected;
    }
    events.push_back(stamped ? line.substr(20) : line);
    at = end + 2;
  }
  return events;
}

class InstallQueue : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = tallimo::wintest::MakeTempFolder("queue-e2e");
    ASSERT_FALSE(folder_.empty());
    temp_ = folder_ + "\\temp";
    CreateDirectoryA(temp_.c_str(), nullptr);
    installer_ = WindowsPath(TALLIMO_TEST_INSTALLER);
    ASSERT_TRUE(Exists(installer_)) << installer_;
    // In catalogue order; the list shows them sorted by name. The batch entries' exit codes are
    // their last commands'.
    const std::string run = "Install1=\"" + installer_ + "\" exit ";
    catalogue_ = folder_ + "\\queue.ini";
    ASSERT_TRUE(WriteBytes(catalogue_,
                           "[General]\r\nCaption=Queue Disc\r\n"
                           "[Program1]\r\nName=Zeta Runtime\r\nBatch=1\r\n" +
                               run + "9\r\nInstall2=\"" + installer_ + "\" exit 0\r\n" +
                               "[Program2]\r\nName=Alpha Editor\r\nBatch=0\r\n" + run +
                               "3010\r\n"
                               "[Program3]\r\nName=Mid Game\r\nBatch=1\r\n" +
                               run +
                               "5\r\n"
                               "[Program4]\r\nName=Beta Unmarked\r\nBatch=0\r\n" +
                               run + "0\r\n"));
    GetEnvironmentVariableA("TEMP", oldTemp_, sizeof oldTemp_);
    SetEnvironmentVariableA("TEMP", temp_.c_str());  // inherited by Tallimo.exe
  }
  void TearDown() override {
    SetEnvironmentVariableA("TEMP", oldTemp_);
    RemoveTree(folder_);
  }

  std::string folder_, temp_, installer_, catalogue_;
  char oldTemp_[MAX_PATH * 4] = "";
};

TEST_F(InstallQueue, MarkedProgramsInstallOneAfterAnotherWithTheirResultsAndALog) {
  RunningProgram tallimo("\"" + catalogue_ + "\"", folder_.c_str());
  ASSERT_TRUE(tallimo.Started()) << TallimoExe();
  HWND main = WaitForTop(tallimo.Pid(), "TallimoWindow", "Tallimo - Queue Disc", 30000);
  ASSERT_NE(main, nullptr);
  HWND list = ChildOfClass(main, "ListBox");
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(WaitFor([&] { return RowCount(list) == 4; }, 10000));

  // Space on the selected row.
  const int zeta = RowOf(list, L"Zeta Runtime");
  ClickRow(list, zeta);
  ASSERT_TRUE(WaitFor([&] { return Selected(list, zeta); }, 5000, 20));
  PostMessageA(list, WM_CHAR, ' ', 1);
  // Ctrl+click on another.
  const int alpha = RowOf(list, L"Alpha Editor");
  RECT item{};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(list, LB_GETITEMRECT, alpha, reinterpret_cast<LPARAM>(&item),
                      SMTO_ABORTIFHUNG, 5000, &ignored);
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at);
  PostMessageA(list, WM_LBUTTONUP, MK_CONTROL, at);
  ASSERT_TRUE(WaitFor([&] { return Selected(list, alpha); }, 5000, 20));
  // The pop-up menu (as the menu key opens it) on the third: "&Mark for Install".
  const int game = RowOf(list, L"Mid Game");
  ClickRow(list, game);
  ASSERT_TRUE(WaitFor([&] { return Selected(list, game); }, 5000, 20));
  PostMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
  HWND menu = WaitForTop(tallimo.Pid(), "#32768", "");
  ASSERT_NE(menu, nullptr);
  PostMessageA(menu, WM_CHAR, 'm', 1);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, 5000, 20));

  PostMessageA(ChildOfClass(main, "Button", "I&nstall"), BM_CLICK, 0, 0);
  HWND progress = WaitForTop(tallimo.Pid(), "TallimoWindow", "Tallimo - Installing");
  ASSERT_NE(progress, nullptr) << "no progress window";
  HWND rows = ChildOfClass(progress, "ListBox");
  ASSERT_NE(rows, nullptr);
  EXPECT_FALSE(IsWindowEnabled(main));

  // The restart question at the end: No is the default, and No is the answer.
  HWND question = WaitForTop(tallimo.Pid(), "#32770", "Confirm", 30000);
  ASSERT_NE(question, nullptr) << "no restart question";
  EXPECT_NE(ChildOfClass(question, "Static",
                         "One or more programs need the computer to restart to finish "
                         "installing.\rRestart now?"),
            nullptr);
  HWND no = ChildOfClass(question, "Button", "&No");
  ASSERT_NE(no, nullptr);
  EXPECT_TRUE(GetWindowLongA(no, GWL_STYLE) & BS_DEFPUSHBUTTON);
  // In catalogue order; the unmarked program is not queued.
  const std::vector<std::wstring> expected = {L"Zeta Runtime: installed",
                                              L"Alpha Editor: installed, restart needed",
                                              L"Mid Game: failed (exit code 5)"};
  EXPECT_EQ(Rows(rows), expected);
  PostMessageA(no, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(question); }, 10000, 20));
  if (const char* shot = getenv("TALLIMO_E2E_SCREENSHOT")) {
    Sleep(500);  // painted
    tallimo::wintest::RunUnixCommand(std::string("import -window root '") + shot + "'");
  }

  HWND close = ChildOfClass(progress, "Button", "&Close");
  ASSERT_NE(close, nullptr);
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(close) != FALSE; }, 5000, 20));
  PostMessageA(close, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(progress); }, 10000, 20));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main) != FALSE; }, 5000, 20));
  EXPECT_FALSE(tallimo.Ended(0));

  // The log: UTF-8 with its byte-order mark, one stamped line an event; the batch files gone.
  const std::vector<std::string> logs = FilesIn(temp_, "Tallimo-*.log");
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(logs[0].size(), std::string("Tallimo-YYYYMMDD-HHMMSS.log").size()) << logs[0];
  const std::string bytes = tallimo::wintest::ReadBytes(temp_ + "\\" + logs[0]);
  ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  const std::vector<std::string> events = LogEvents(bytes);
  const std::string installer = "Command: " + installer_ + " exit ";
  const std::vector<std::string> wanted = {
      "Queue started: " + catalogue_ + ", 3 programs",
      "Program 1 of 3: Zeta Runtime",
      "Command: ",  // the command interpreter with the batch file
      "Exit code 0 after ",
      "Zeta Runtime: installed",
      "Program 2 of 3: Alpha Editor",
      installer + "3010",
      "Exit code 3010 after ",
      "Alpha Editor: installed, restart needed",
      "Program 3 of 3: Mid Game",
      "Command: ",
      "Exit code 5 after ",
      "Mid Game: failed (exit code 5)",
      "Queue ended: 2 installed, 1 failed, 0 not started"};
  ASSERT_EQ(events.size(), wanted.size()) << bytes;
  for (size_t i = 0; i < wanted.size(); ++i) {
    const bool prefix = wanted[i].back() == ' ';
    EXPECT_EQ(prefix ? events[i].substr(0, wanted[i].size()) : events[i], wanted[i]) << i;
  }
  for (size_t i : {2u, 10u})
    EXPECT_NE(events[i].find(" /d /c \"" + temp_ + "\\TLM-"), std::string::npos) << events[i];
  EXPECT_TRUE(FilesIn(temp_, "TLM-*.bat").empty());

  // What installed is unmarked; what failed stays marked: Install again queues it alone.
  PostMessageA(ChildOfClass(main, "Button", "I&nstall"), BM_CLICK, 0, 0);
  progress = WaitForTop(tallimo.Pid(), "TallimoWindow", "Tallimo - Installing");
  ASSERT_NE(progress, nullptr) << "no progress window the second time";
  rows = ChildOfClass(progress, "ListBox");
  close = ChildOfClass(progress, "Button", "&Close");
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(close) != FALSE; }, 15000, 20));
  EXPECT_EQ(Rows(rows), std::vector<std::wstring>{L"Mid Game: failed (exit code 5)"});
  PostMessageA(close, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(progress); }, 10000, 20));

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(tallimo.Ended(15000));
}

// A catalogue with categories and a preset: the list's header rows, the marks of Default=1
// replaced by the preset's through the pop-up menu's keys, and the preset's programs installed.
TEST_F(InstallQueue, CategoriesShownAndAPresetMarksTheQueue) {
  const std::string run = "Batch=0\r\nInstall1=\"" + installer_ + "\" exit 0\r\n";
  const std::string grouped = folder_ + "\\grouped.ini";
  ASSERT_TRUE(WriteBytes(grouped,
                         "[General]\r\nCaption=Grouped Disc\r\n"
                         "[Program1]\r\nName=Zeta Runtime\r\nCategory=Runtimes\r\n"
                         "Presets=Office PC\r\n" +
                             run +
                             "[Program2]\r\nName=Mid Game\r\nCategory=Games\r\n"
                             "Default=1\r\n" +
                             run +
                             "[Program3]\r\nName=Alpha Editor\r\nCategory=Office\r\n"
                             "Presets=office pc;Home\r\n" +
                             run + "[Program4]\r\nName=Beta Tool\r\nPresets=Office PC\r\n" + run +
                             "[Program5]\r\nName=Chess\r\nCategory=GAMES\r\n" + run));
  RunningProgram tallimo("\"" + grouped + "\"", folder_.c_str());
  ASSERT_TRUE(tallimo.Started()) << TallimoExe();
  HWND main = WaitForTop(tallimo.Pid(), "TallimoWindow", "Tallimo - Grouped Disc", 30000);
  ASSERT_NE(main, nullptr);
  HWND list = ChildOfClass(main, "ListBox");
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(WaitFor([&] { return RowCount(list) == 9; }, 10000));
  EXPECT_EQ(Rows(list), (std::vector<std::wstring>{L"Runtimes", L"Zeta Runtime", L"Games", L"Chess",
                                                   L"Mid Game", L"Office", L"Alpha Editor",
                                                   L"Other programs", L"Beta Tool"}));

  // The pop-up menu's Mark Preset (P), then its first preset (1).
  PostMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
  HWND menu = WaitForTop(tallimo.Pid(), "#32768", "");
  ASSERT_NE(menu, nullptr);
  PostMessageA(menu, WM_CHAR, 'p', 1);
  ASSERT_TRUE(WaitFor(
      [&] {
        int menus = 0;
        for (HWND h : VisibleTopWindows(tallimo.Pid())) menus += ClassOf(h) == "#32768";
        return menus == 2;
      },
      5000, 20));
  PostMessageA(menu, WM_CHAR, '1', 1);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, 5000, 20));

  PostMessageA(ChildOfClass(main, "Button", "I&nstall"), BM_CLICK, 0, 0);
  HWND progress = WaitForTop(tallimo.Pid(), "TallimoWindow", "Tallimo - Installing");
  ASSERT_NE(progress, nullptr) << "no progress window";
  HWND close = ChildOfClass(progress, "Button", "&Close");
  ASSERT_NE(close, nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(close) != FALSE; }, 30000, 20));
  // The preset's programs in catalogue order; Mid Game's default mark was cleared.
  EXPECT_EQ(Rows(ChildOfClass(progress, "ListBox")),
            (std::vector<std::wstring>{L"Zeta Runtime: installed", L"Alpha Editor: installed",
                                       L"Beta Tool: installed"}));
  PostMessageA(close, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(progress); }, 10000, 20));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(tallimo.Ended(15000));
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_install_queue_e2e");
}
