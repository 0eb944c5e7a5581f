// The demo disc as a disc: scripts/demo-disc.sh lays it out and maps it as the CD-ROM drive D:
// (the test's fixture runs it first); D:\TALLIMO.EXE is started from D:\ without an argument,
// reads D:\TALLIMO.INI by its own name, and View NFO, Copy Serial and Install work on every
// entry of the demo catalogue.
// Usage: tallimo_demo_disc_e2e <path of Tallimo.exe> [gtest flags]  (the path is not used: the
// program is the one on the disc)
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

const char kRoot[] = "D:\\";
const char kCatalogue[] = "D:\\TALLIMO.INI";

// One entry of the catalogue, as the system's profile functions read it.
struct Entry {
  std::string name, nfo;
  std::vector<std::string> serial, install;
  std::string category;
};

std::string Profile(const std::string& section, const std::string& key) {
  char value[4096] = "";
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value, kCatalogue);
  return value;
}

std::vector<std::string> Numbered(const std::string& section, const std::string& stem) {
  std::vector<std::string> lines;
  for (int n = 1;; ++n) {
    // A key that is absent reads as the default, which a value never holds.
    char value[4096] = "";
    GetPrivateProfileStringA(section.c_str(), (stem + std::to_string(n)).c_str(), "\x01", value,
                             sizeof value, kCatalogue);
    if (std::string(value) == "\x01") return lines;
    lines.push_back(value);
  }
}

std::vector<Entry> DemoEntries() {
  std::vector<Entry> entries;
  for (int n = 1;; ++n) {
    const std::string section = "Program" + std::to_string(n);
    Entry e{Profile(section, "Name"), Profile(section, "NFO"), Numbered(section, "Serial"),
            Numbered(section, "Install"), Profile(section, "Category")};
    if (e.name.empty()) return entries;
    entries.push_back(e);
  }
}

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  HANDLE h =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(h);
  return bytes;
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<clipboard busy>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) text = p;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

class DemoDisc : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetDriveTypeA(kRoot), static_cast<UINT>(DRIVE_CDROM))
        << "D: is not the demo disc's CD-ROM drive: run scripts/demo-disc.sh first";
    ASSERT_TRUE(Exists("D:\\TALLIMO.EXE"));
    ASSERT_TRUE(Exists(kCatalogue));
    // A TEMP of our own, inherited by the program: the installs' markers and batch files go there.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    temp_ = temp + ("tallimo-disc-e2e-" + std::to_string(GetCurrentProcessId()));
    CreateDirectoryA(temp_.c_str(), nullptr);
    GetEnvironmentVariableA("TEMP", oldTemp_, sizeof oldTemp_);
    SetEnvironmentVariableA("TEMP", temp_.c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableA("TEMP", oldTemp_);
    Sleep(300);
    RemoveTree(temp_);
  }

  HWND Window(const std::string& title) const {
    for (HWND h : VisibleTopWindows(tallimo_->Pid()))
      if (TextOf(h) == title) return h;
    return nullptr;
  }
  HWND WaitForWindow(const std::string& title, int milliseconds = 10000) const {
    HWND found = nullptr;
    WaitFor([&] { return (found = Window(title)) != nullptr; }, milliseconds, 20);
    return found;
  }
  // A message box of the program, or nullptr.
  HWND WaitForMessageBox(int milliseconds = 10000) const {
    HWND found = nullptr;
    WaitFor(
        [&] {
          for (HWND h : VisibleTopWindows(tallimo_->Pid()))
            if (ClassOf(h) == "#32770" && TextOf(h) != "Tallimo - Drive") return (found = h) != 0;
          return false;
        },
        milliseconds, 20);
    return found;
  }
  std::string Titles() const {
    std::string titles;
    for (HWND h : VisibleTopWindows(tallimo_->Pid())) {
      titles += "[" + TextOf(h) + "]";
      for (HWND child : Descendants(h))
        if (ClassOf(child) == "Static" && !TextOf(child).empty()) titles += " " + TextOf(child);
    }
    return titles;
  }

  void Select(HWND list, const std::string& name) {
    const std::wstring wanted(name.begin(), name.end());
    int row = -1;
    for (int i = 0; i < RowCount(list); ++i)
      if (RowText(list, i) == wanted) row = i;
    ASSERT_GE(row, 0) << name;
    ClickRow(list, row);
    ASSERT_TRUE(WaitFor(
        [&] {
          DWORD_PTR selected = 0;
          SendMessageTimeoutA(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selected);
          return static_cast<int>(selected) == row;
        },
        5000, 20));
  }

  void ViewNfo(HWND main, const Entry& e) {
    HWND button = ChildOfClass(main, "Button", "&View NFO");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(button) != FALSE; }, 5000, 20));
    ClickAt(button, 5, 5);
    HWND viewer = WaitForWindow("Tallimo - NFO Viewer");
    ASSERT_NE(viewer, nullptr) << Titles();
    const std::string file = ReadBytes(kRoot + e.nfo.substr(e.nfo.front() == '\\'));
    ASSERT_FALSE(file.empty()) << e.nfo << " is not on the disc";
    EXPECT_TRUE(WaitFor([&] { return TextOf(ChildOfClass(viewer, "Edit")) == file; }, 5000, 20));
    ClickAt(ChildOfClass(viewer, "Button", "&Close"), 5, 5);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(viewer); }, 5000, 20));
  }

  void CopySerial(HWND main, const Entry& e) {
    HWND button = ChildOfClass(main, "Button", "C&opy Serial");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(button) != FALSE; }, 5000, 20));
    ClickAt(button, 5, 5);
    HWND box = WaitForMessageBox();
    ASSERT_NE(box, nullptr) << Titles();
    std::string expected;
    for (const auto& line : e.serial) expected += (expected.empty() ? "" : "\r") + line;
    EXPECT_EQ(ClipboardText(), expected);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000, 20));
  }

  void Install(HWND main, const Entry& e) {
    ClickAt(ChildOfClass(main, "Button", "I&nstall"), 5, 5);
    bool asksForDrive = false;
    for (const auto& line : e.install) asksForDrive |= line.find("%D:") != std::string::npos;
    if (asksForDrive) {
      // The Drive dialog offers the disc's drive: the drive Tallimo was started from.
      HWND dialog = WaitForWindow("Tallimo - Drive");
      ASSERT_NE(dialog, nullptr) << Titles();
      HWND combo = ChildOfClass(dialog, "ComboBox");
      ASSERT_NE(combo, nullptr);
      EXPECT_EQ(TextOf(combo).substr(0, 2), "d:");
      PostKey(combo, VK_RETURN);
    }
    // Each demo installer copies a marker named after the entry into %TEMP%\TallimoDemo.
    std::string marker = temp_ + "\\TallimoDemo\\";
    for (char c : e.name)
      if (c != ' ') marker += c;
    marker += ".txt";
    EXPECT_TRUE(WaitFor([&] { return Exists(marker); }, 30000, 50)) << marker << " " << Titles();
    EXPECT_EQ(WaitForMessageBox(500), nullptr) << Titles();
  }

  std::string temp_;
  char oldTemp_[MAX_PATH * 4] = "";
  RunningProgram* tallimo_ = nullptr;
};

TEST_F(DemoDisc, EveryEntryViewsItsNfoCopiesItsSerialAndInstallsFromDriveD) {
  const std::vector<Entry> entries = DemoEntries();
  ASSERT_GE(entries.size(), 6u);
  RunningProgram tallimo("", kRoot, "D:\\TALLIMO.EXE");
  tallimo_ = &tallimo;
  ASSERT_TRUE(tallimo.Started());
  // Its own name with .ini: the catalogue on the disc.
  HWND main = WaitForWindow("Tallimo - Tallimo Demo Disc", 30000);
  ASSERT_NE(main, nullptr) << Titles();
  HWND list = ChildOfClass(main, "ListBox");
  ASSERT_NE(list, nullptr);
  // A row for each program, and a header for each category and for the programs without one.
  std::set<std::string> categories;
  bool others = false;
  for (const Entry& e : entries) {
    if (e.category.empty())
      others = true;
    else
      categories.insert(e.category);
  }
  const size_t headers = categories.empty() ? 0 : categories.size() + others;
  EXPECT_EQ(RowCount(list), static_cast<int>(entries.size() + headers));

  for (const Entry& e : entries) {
    SCOPED_TRACE(e.name);
    Select(list, e.name);
    if (!e.nfo.empty()) ViewNfo(main, e);
    if (!e.serial.empty()) CopySerial(main, e);
    Install(main, e);
    // A failed step may leave a message box up: the entries after it would only repeat it.
    ASSERT_FALSE(HasFailure());
    ASSERT_NE(Window("Tallimo - Tallimo Demo Disc"), nullptr) << Titles();
  }
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(tallimo.Ended(15000)) << Titles();
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_demo_disc_e2e");
}
