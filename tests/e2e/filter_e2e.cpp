// Tallimo.exe driven from outside on a catalogue of 300 programs: Ctrl+F shows the filter box,
// words typed narrow the list to the programs whose details hold them, the panes show the first
// row, a letter typed in the list finds a name, Escape brings the whole list back, and the
// catalogue file is left as it was.
// Usage: tallimo_filter_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

constexpr int kPrograms = 300;

std::string Name(int n) {
  char name[32];
  wsprintfA(name, "Tool %03d", n);
  return name;
}

// Program n: "Tool 001" ... ; every 30th a firewall, every 7th needs a CD.
std::string Catalogue() {
  std::string text = "[General]\r\nCaption=Office Disc\r\n";
  for (int n = 1; n <= kPrograms; ++n) {
    text += "[Program" + std::to_string(n) + "]\r\nName=" + Name(n) + "\r\nInstall1=setup.exe\r\n" +
            "Info1=" + (n % 30 == 0 ? "A personal FireWall" : "An office tool") + "\r\n" +
            (n % 7 == 0 ? "Specs1=Needs the CD\r\n" : "");
  }
  return text;
}

HWND MainWindow(DWORD pid) {
  for (HWND h : VisibleTopWindows(pid))
    if (ClassOf(h) == "TallimoWindow" && TextOf(h) == "Tallimo - Office Disc") return h;
  return nullptr;
}

// The single-line edit (the filter box), visible or not.
HWND FilterBox(HWND main) {
  for (HWND h : Descendants(main))
    if (lstrcmpiA(ClassOf(h).c_str(), "Edit") == 0 &&
        !(GetWindowLongA(h, GWL_STYLE) & ES_MULTILINE))
      return h;
  return nullptr;
}

HWND InfoMemo(HWND main) {
  HWND info = nullptr;
  int left = 1 << 30;
  for (HWND h : Descendants(main)) {
    RECT r;
    if (lstrcmpiA(ClassOf(h).c_str(), "Edit") == 0 &&
        (GetWindowLongA(h, GWL_STYLE) & ES_MULTILINE) && GetWindowRect(h, &r) && r.left < left)
      left = r.left, info = h;
  }
  return info;
}

std::vector<std::wstring> Rows(HWND list) {
  std::vector<std::wstring> rows;
  for (int i = 0, n = RowCount(list); i < n; ++i) rows.push_back(RowText(list, i));
  return rows;
}

int Selection(HWND list) {
  DWORD_PTR selected = 0;
  SendMessageTimeoutA(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selected);
  return static_cast<int>(selected);
}

void TypeText(HWND to, const char* text) {
  for (const char* c = text; *c; ++c) PostMessageA(to, WM_CHAR, static_cast<unsigned char>(*c), 1);
}

TEST(Filter, NarrowsThreeHundredProgramsAndComesBack) {
  const std::string folder = tallimo::wintest::MakeTempFolder("filter-e2e");
  const std::string ini = folder + "\\OFFICE.INI";
  const std::string bytes = Catalogue();
  ASSERT_TRUE(WriteBytes(ini, bytes));
  {
    RunningProgram tallimo("\"" + ini + "\"", folder.c_str());
    ASSERT_TRUE(tallimo.Started()) << TallimoExe();
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = MainWindow(tallimo.Pid())) != nullptr; }, 30000, 20));
    const HWND list = ChildOfClass(main, "ListBox");
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(WaitFor([&] { return RowCount(list) == kPrograms; }, 10000, 20));
    const HWND box = FilterBox(main);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowVisible(box)) << "hidden until asked for";

    // Ctrl+F, from the keyboard, in the foreground window.
    SetForegroundWindow(main);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main; }, 5000, 20));
    INPUT keys[4] = {};
    for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = 'F';
    keys[2].ki.wVk = 'F';
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_CONTROL;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(box) != FALSE; }, 5000, 20));

    // Two words, in the information and in the specs, case ignored.
    TypeText(box, "firewall cd");
    const std::vector<std::wstring> expected = {L"Tool 210"};  // 30 and 7 both divide it
    EXPECT_TRUE(WaitFor([&] { return Rows(list) == expected; }, 5000, 20));
    EXPECT_EQ(Selection(list), 0);
    EXPECT_TRUE(
        WaitFor([&] { return TextOf(InfoMemo(main)) == "\r\n  A personal FireWall"; }, 5000, 20))
        << TextOf(InfoMemo(main));

    // One word: every 30th program, in order.
    SetWindowTextA(box, "FIREWALL");
    std::vector<std::wstring> firewalls;
    for (int n = 30; n <= kPrograms; n += 30) {
      const std::string name = Name(n);
      firewalls.emplace_back(name.begin(), name.end());
    }
    EXPECT_TRUE(WaitFor([&] { return Rows(list) == firewalls; }, 5000, 20));

    // Enter goes to the list (no install); "tool 1" typed there finds Tool 120 among them.
    PostKey(box, VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return GetFocus() == list || Selection(list) == 0; }, 5000, 20));
    TypeText(list, "tool 1");
    EXPECT_TRUE(WaitFor([&] { return Selection(list) == 3; }, 5000, 20)) << Selection(list);

    // Escape in the box: the whole list, Tool 120 still selected, the box hidden.
    PostKey(box, VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return RowCount(list) == kPrograms; }, 5000, 20));
    EXPECT_EQ(Selection(list), 119);
    EXPECT_FALSE(IsWindowVisible(box));
    EXPECT_EQ(VisibleTopWindows(tallimo.Pid()).size(), 2u) << "no install, no message box";

    PostMessageA(main, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    EXPECT_TRUE(tallimo.Ended(15000, exitCode)) << "a question on closing: the filter changed it";
    EXPECT_EQ(exitCode, 0u);
  }
  std::string after;
  HANDLE file =
      CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  after.resize(bytes.size() + 16);
  DWORD read = 0;
  ReadFile(file, after.data(), static_cast<DWORD>(after.size()), &read, nullptr);
  CloseHandle(file);
  after.resize(read);
  EXPECT_EQ(after, bytes);
  RemoveTree(folder);
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_filter_e2e");
}
