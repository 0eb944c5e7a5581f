// Tallimo.exe driven from outside on the demo disc: Install & Close on a batch entry runs its
// procedure and ends the program; Install on an entry with "%D:" asks for the drive once and
// the chosen letter reaches the batch file.
// Usage: tallimo_install_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  char buffer[4096];
  DWORD got = 0;
  bytes.clear();
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(h);
  return true;
}

std::vector<std::string> BatchFilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "\\TLM-*.bat").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileA(find, &found));
  FindClose(find);
  return names;
}

// True once the condition holds within the time; polled every 20 ms.
template <typename Condition>
bool Eventually(Condition condition, int milliseconds) {
  return WaitFor(condition, milliseconds, 20);
}

// Runs a Unix program (Wine starts non-Windows binaries natively) and waits for it.
bool RunUnix(const std::string& commandLine) {
  std::string line = commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// A free drive letter of the Wine prefix mapped to a folder, for the disc to sit at a drive's
// root as on a CD. `unixFolder` is the folder's Unix path.
class MappedDrive {
 public:
  MappedDrive(const std::string& unixFolder, const std::string& windowsFolder) {
    const char* prefix = getenv("WINEPREFIX");
    if (!prefix) return;
    DWORD used = GetLogicalDrives();
    for (char letter = 'T'; letter <= 'Y'; ++letter) {
      if (used & (1u << (letter - 'A'))) continue;
      link_ = std::string(prefix) + "/dosdevices/" + static_cast<char>(letter - 'A' + 'a') + ":";
      const std::string root{letter, ':', '\\'};
      if (GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
      RunUnix("Z:\\bin\\ln -s \"" + unixFolder + "\" \"" + link_ + "\"");
      // The link makes paths on the drive work; the drive list of other processes comes from
      // the object namespace, so the letter is defined there too.
      const std::string device{letter, ':'};
      std::string target = "\\??\\" + windowsFolder;
      defined_ = DefineDosDeviceA(DDD_RAW_TARGET_PATH, device.c_str(), target.c_str()) != 0;
      // The exit code of a Unix program is not reliable here: look at the drive instead.
      if (Eventually([&] { return GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES; },
                     5000)) {
        letter_ = letter;
        return;
      }
      RunUnix("Z:\\bin\\rm -f \"" + link_ + "\"");
    }
  }
  ~MappedDrive() {
    if (!letter_) return;
    if (defined_) {
      const std::string device{letter_, ':'};
      DefineDosDeviceA(DDD_REMOVE_DEFINITION, device.c_str(), nullptr);
    }
    RunUnix("Z:\\bin\\rm -f \"" + link_ + "\"");
  }
  bool Ok() const { return letter_ != 0; }
  char Letter() const { return letter_; }

 private:
  std::string link_;
  char letter_ = 0;
  bool defined_ = false;
};

// Tallimo.exe started on a catalogue in a given current directory.
class RunningTallimo : public RunningProgram {
 public:
  RunningTallimo(const std::string& catalogue, const std::string& directory)
      : RunningProgram("\"" + catalogue + "\"", directory.c_str()) {}

  // The visible top-level window of that title, or nullptr.
  HWND Window(const std::string& title) const {
    for (HWND h : VisibleTopWindows(Pid())) {
      if (TextOf(h) == title) return h;
    }
    return nullptr;
  }
  HWND WaitForWindow(const std::string& title, int milliseconds) const {
    HWND found = nullptr;
    Eventually([&] { return (found = Window(title)) != nullptr; }, milliseconds);
    return found;
  }
  // The texts of the visible top-level windows (for failure messages).
  std::string WindowTitles() const {
    std::string titles;
    for (HWND h : VisibleTopWindows(Pid())) titles += "[" + TextOf(h) + "] ";
    return titles;
  }
};

int RowOf(HWND list, const std::string& name) {
  const std::wstring wanted(name.begin(), name.end());
  const int count = RowCount(list);
  for (int i = 0; i < count; ++i) {
    if (RowText(list, i) == wanted) return i;
  }
  return -1;
}

// The drive list's items, for failure messages.
std::string ComboItems(HWND combo) {
  DWORD_PTR count = 0, selected = 0;
  SendMessageTimeoutA(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
  SendMessageTimeoutA(combo, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selected);
  std::string items = std::to_string(count) + " items, selected " +
                      std::to_string(static_cast<int>(selected)) + ":";
  for (int i = 0; i < static_cast<int>(count); ++i) {
    wchar_t text[256] = L"";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        5000, &ignored);
    items += " [";
    for (const wchar_t* c = text; *c; ++c) items += static_cast<char>(*c);
    items += "]";
  }
  return items;
}

// The demo disc at the root of a drive of its own, a TEMP folder of our own, and Tallimo.exe
// started from the disc's root (so that the Drive dialog starts on the disc's drive).
class DemoDisc : public ::testing::Test {
 protected:
  void SetUp() override {
    // Under Z:\tmp, so that the folder has a Unix path for the drive mapping.
    const std::string unixScratch = "/tmp/tallimo-install-e2e-" +
                                    std::to_string(GetCurrentProcessId()) + "-" +
                                    std::to_string(GetTickCount());
    scratch_ = WindowsPath(unixScratch);
    CreateDirectoryA(scratch_.c_str(), nullptr);
    disc_ = scratch_ + "\\disc";
    temp_ = scratch_ + "\\temp";
    const std::string demo = DemoDiscFolder();
    ASSERT_TRUE(Exists(demo + "\\TALLIMO.INI")) << demo;
    CopyTree(demo, disc_);
    CreateDirectoryA(temp_.c_str(), nullptr);
    drive_ = std::make_unique<MappedDrive>(unixScratch + "/disc", disc_);
    ASSERT_TRUE(drive_->Ok()) << "no drive letter could be mapped to " << disc_;
    root_ = std::string{drive_->Letter(), ':', '\\'};
    ASSERT_TRUE(Exists(root_ + "TALLIMO.INI"));
    GetEnvironmentVariableA("TEMP", oldTemp_, sizeof oldTemp_);
    SetEnvironmentVariableA("TEMP", temp_.c_str());  // inherited by Tallimo.exe
  }
  void TearDown() override {
    SetEnvironmentVariableA("TEMP", oldTemp_);
    drive_.reset();
    Sleep(300);
    RemoveTree(scratch_);
  }

  std::string Marker(const char* name) const { return temp_ + "\\TallimoDemo\\" + name; }
  char DriveLower() const { return static_cast<char>(drive_->Letter() - 'A' + 'a'); }
  std::string DriveColon() const { return std::string(1, DriveLower()) + ":"; }

  // Starts Tallimo.exe and selects the row of `name`; returns the main window.
  HWND StartAndSelect(RunningTallimo& tallimo, const std::string& name) {
    if (!tallimo.Started()) return nullptr;
    HWND main = tallimo.WaitForWindow("Tallimo - Tallimo Demo Disc", 30000);
    if (!main) return nullptr;
    HWND list = ChildOfClass(main, "ListBox");
    if (!list) return nullptr;
    int row = RowOf(list, name);
    if (row < 0) return nullptr;
    ClickRow(list, row);
    Eventually(
        [&] {
          DWORD_PTR selected = 0;
          SendMessageTimeoutA(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selected);
          return static_cast<int>(selected) == row;
        },
        5000);
    return main;
  }

  // Clicks the main window's button of that text; returns the Drive dialog it brings up.
  HWND DriveDialogFrom(const RunningTallimo& tallimo, HWND main, const char* button) {
    HWND clicked = ChildOfClass(main, "Button", button);
    EXPECT_NE(clicked, nullptr) << "no button " << button;
    if (!clicked) return nullptr;
    ClickAt(clicked, 5, 5);
    return tallimo.WaitForWindow("Tallimo - Drive", 10000);
  }

  std::string scratch_, disc_, temp_, root_;
  std::unique_ptr<MappedDrive> drive_;
  char oldTemp_[MAX_PATH * 4] = "";
};

TEST_F(DemoDisc, InstallAndCloseRunsTheBatchProcedureAndEnds) {
  RunningTallimo tallimo(root_ + "TALLIMO.INI", root_);
  HWND main = StartAndSelect(tallimo, "Text Editor");
  ASSERT_NE(main, nullptr) << tallimo.WindowTitles();

  // "%D:" in the first line: the Drive dialog, on the disc's drive (the current directory's).
  HWND dialog = DriveDialogFrom(tallimo, main, "&Install && Close");
  ASSERT_NE(dialog, nullptr) << tallimo.WindowTitles();
  HWND combo = ChildOfClass(dialog, "ComboBox");
  ASSERT_NE(combo, nullptr);
  const std::string shown = TextOf(combo);
  EXPECT_EQ(shown.substr(0, 2), DriveColon())
      << "the list shows [" << shown << "] of " << ComboItems(combo);
  if (const char* hold = getenv("TALLIMO_E2E_HOLD_MS")) Sleep(atoi(hold));  // for a screenshot
  PostKey(combo, VK_RETURN);

  EXPECT_TRUE(Eventually([&] { return Exists(Marker("TextEditor.txt")); }, 30000))
      << "the procedure did not run; batch files: " << BatchFilesIn(temp_).size();
  EXPECT_TRUE(tallimo.Ended(15000)) << "Tallimo.exe is still running: " << tallimo.WindowTitles();

  const std::vector<std::string> batches = BatchFilesIn(temp_);
  ASSERT_EQ(batches.size(), 1u);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(temp_ + "\\" + batches[0], bytes));
  EXPECT_EQ(bytes, DriveColon() + "\r\ncd \\EDITOR\r\ncall INSTALL.BAT\r\n");
}

TEST_F(DemoDisc, InstallAsksForTheDriveOnceAndTheLetterReachesTheBatchFile) {
  RunningTallimo tallimo(root_ + "TALLIMO.INI", root_);
  HWND main = StartAndSelect(tallimo, "Sound Player");
  ASSERT_NE(main, nullptr) << tallimo.WindowTitles();

  HWND dialog = DriveDialogFrom(tallimo, main, "I&nstall");
  ASSERT_NE(dialog, nullptr) << tallimo.WindowTitles();
  PostKey(ChildOfClass(dialog, "ComboBox"), VK_RETURN);

  EXPECT_TRUE(Eventually([&] { return Exists(Marker("SoundPlayer.txt")); }, 30000));
  // Asked once: the dialog is gone and does not come back; the main window stays open.
  EXPECT_FALSE(Eventually([&] { return tallimo.Window("Tallimo - Drive") != nullptr; }, 2000));
  EXPECT_FALSE(tallimo.Ended(0));
  EXPECT_NE(tallimo.Window("Tallimo - Tallimo Demo Disc"), nullptr);

  const std::vector<std::string> batches = BatchFilesIn(temp_);
  ASSERT_EQ(batches.size(), 1u);
  const std::string& name = batches[0];
  EXPECT_EQ(name.size(), 12u);
  EXPECT_TRUE(std::all_of(name.begin() + 4, name.begin() + 8, [](char c) {
    return c >= 'a' && c <= 'z';
  })) << name;
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(temp_ + "\\" + name, bytes));
  EXPECT_EQ(bytes, DriveColon() + "\\SOUND\\INSTALL.BAT\r\n");

  // Closing: nothing was changed, so the program ends without a question.
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(tallimo.Ended(15000)) << tallimo.WindowTitles();
}

TEST_F(DemoDisc, ClosingTheDriveDialogCancelsTheInstall) {
  RunningTallimo tallimo(root_ + "TALLIMO.INI", root_);
  HWND main = StartAndSelect(tallimo, "Text Editor");
  ASSERT_NE(main, nullptr) << tallimo.WindowTitles();
  HWND dialog = DriveDialogFrom(tallimo, main, "&Install && Close");
  ASSERT_NE(dialog, nullptr) << tallimo.WindowTitles();
  PostKey(ChildOfClass(dialog, "ComboBox"), VK_ESCAPE);

  // Nothing written or launched, and the main window stays.
  EXPECT_FALSE(Eventually([&] { return tallimo.Ended(0); }, 3000));
  EXPECT_EQ(tallimo.Window("Tallimo - Drive"), nullptr);
  EXPECT_NE(tallimo.Window("Tallimo - Tallimo Demo Disc"), nullptr);
  EXPECT_TRUE(BatchFilesIn(temp_).empty());
  EXPECT_FALSE(Exists(Marker("TextEditor.txt")));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(tallimo.Ended(15000));
}

// Without the Batch flag each line goes to the shell itself; a double click and the Enter key
// both run Install & Close, and the program ends.
TEST_F(DemoDisc, ADoubleClickOrEnterRunsTheLinesThemselvesAndEnds) {
  struct Case {
    const char* entry;
    const char* marker;
    bool byEnter;
  };
  for (const Case& c : {Case{"Archive Tool", "ArchiveTool.txt", false},
                        Case{"Readme Reader", "ReadmeReader.txt", true}}) {
    SCOPED_TRACE(c.entry);
    RunningTallimo tallimo(root_ + "TALLIMO.INI", root_);
    HWND main = StartAndSelect(tallimo, c.entry);
    ASSERT_NE(main, nullptr) << tallimo.WindowTitles();
    HWND list = ChildOfClass(main, "ListBox");
    if (c.byEnter) {
      PostKey(list, VK_RETURN);
    } else {
      DWORD_PTR row = 0;
      SendMessageTimeoutA(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &row);
      RECT item{};
      SendMessageTimeoutA(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item),
                          SMTO_ABORTIFHUNG, 5000, &row);
      const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
      PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
      PostMessageA(list, WM_LBUTTONUP, 0, at);
    }
    EXPECT_TRUE(Eventually([&] { return Exists(Marker(c.marker)); }, 30000));
    EXPECT_TRUE(tallimo.Ended(15000)) << tallimo.WindowTitles();
    EXPECT_TRUE(BatchFilesIn(temp_).empty());  // no batch file for these
  }
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_install_e2e");
}
