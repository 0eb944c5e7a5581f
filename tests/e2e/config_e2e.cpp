// The configuration commands of the real Tallimo.exe, driven from outside through its Config
// menu as the keyboard reaches it: General Info edited and confirmed (the title follows), Write
// INI File, and a close with unsaved changes answered Cancel, then No.
// Usage: tallimo_config_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

constexpr int kWait = 15000;

std::string Profile(const std::string& file, const char* section, const char* key) {
  char buffer[1024] = "";
  GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, file.c_str());
  return buffer;
}

// The program's visible top-level window of that class whose title begins with `title`.
HWND TopWindow(DWORD pid, const char* className, const std::string& title) {
  for (HWND h : VisibleTopWindows(pid))
    if ((!className || ClassOf(h) == className) && TextOf(h).rfind(title, 0) == 0) return h;
  return nullptr;
}

HWND WaitForTop(DWORD pid, const char* className, const std::string& title) {
  HWND found = nullptr;
  WaitFor([&] { return (found = TopWindow(pid, className, title)) != nullptr; }, kWait, 20);
  return found;
}

// Alt+C opens the Config menu; the item's letter then chooses from it.
bool ChooseConfigItem(const RunningProgram& tallimo, HWND main, char letter) {
  PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, 'c');
  if (!WaitForTop(tallimo.Pid(), "#32768", "")) return false;
  PostMessageA(main, WM_CHAR, static_cast<WPARAM>(letter), 1);
  return true;
}

HWND Button(HWND parent, const char* caption) {
  return ChildOfClass(parent, "Button", caption);
}

TEST(ConfigCommands, GeneralInfoWriteAndTheQuestionOnClosing) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder =
      std::string(temp) + "tallimo-config-e2e-" + std::to_string(GetCurrentProcessId());
  RemoveTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string ini = folder + "\\menu.ini";
  WriteBytes(ini,
             "[General]\r\nCaption=Before\r\nCreatedBy=Team\r\nNote1=first\r\n"
             "[Program1]\r\nName=Editor\r\nInstall1=SETUP.EXE\r\n");

  RunningProgram tallimo("\"" + ini + "\"", folder.c_str());
  ASSERT_TRUE(tallimo.Started());
  HWND main = WaitForTop(tallimo.Pid(), nullptr, "Tallimo - Before");
  ASSERT_NE(main, nullptr);

  // General Info: its title carries the start time; the caption edited, then Ok.
  ASSERT_TRUE(ChooseConfigItem(tallimo, main, 'g'));
  HWND info = nullptr;  // the dialog: its title begins as the main window's does
  WaitFor(
      [&] {
        for (HWND h : VisibleTopWindows(tallimo.Pid()))
          if (h != main && ClassOf(h) != "#32768" && TextOf(h).rfind("Tallimo - ", 0) == 0)
            info = h;
        return info != nullptr;
      },
      kWait, 20);
  ASSERT_NE(info, nullptr);
  const std::string title = TextOf(info);  // "Tallimo - " and the start time
  EXPECT_TRUE(title.ends_with(" am") || title.ends_with(" pm")) << title;
  EXPECT_EQ(std::count(title.begin(), title.end(), ','), 2) << title;  // "ddd, d mmm yyyy, h:nn"

  HWND caption = ChildOfClass(info, "Edit");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(TextOf(caption), "Before");
  SendMessageA(caption, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("After"));
  PostMessageA(Button(info, "&Ok"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return TextOf(main) == "Tallimo - After"; }, kWait, 20))
      << TextOf(main);

  // Write INI File: the new file, the previous one kept as menu.old.
  ASSERT_TRUE(ChooseConfigItem(tallimo, main, 'w'));
  ASSERT_TRUE(WaitFor([&] { return Exists(folder + "\\menu.old"); }, kWait, 20));
  EXPECT_TRUE(WaitFor([&] { return Profile(ini, "General", "Caption") == "After"; }, kWait, 20));
  EXPECT_EQ(Profile(ini, "General", "Note1"), "first");
  EXPECT_EQ(Profile(ini, "Program1", "Name"), "Editor");

  // A confirmed General Info is a change even without an edit: closing asks.
  ASSERT_TRUE(ChooseConfigItem(tallimo, main, 'g'));
  WaitFor([&] { return IsWindowVisible(info) != FALSE; }, kWait, 20);
  PostMessageA(Button(info, "&Ok"), BM_CLICK, 0, 0);
  WaitFor([&] { return IsWindowVisible(info) == FALSE; }, kWait, 20);
  for (const char* answer : {"Cancel", "&No"}) {
    SCOPED_TRACE(answer);
    PostMessageA(main, WM_CLOSE, 0, 0);
    HWND box = WaitForTop(tallimo.Pid(), nullptr, "Confirm");
    ASSERT_NE(box, nullptr);
    std::string text;
    for (HWND h : Descendants(box))
      if (ClassOf(h) == "Static" && !TextOf(h).empty()) text = TextOf(h);
    EXPECT_EQ(text,
              "Changes have been made which have not been saved. Would you like to save all "
              "changes now?");
    ASSERT_NE(Button(box, "&Yes"), nullptr);
    HWND button = Button(box, answer);
    ASSERT_NE(button, nullptr);
    PostMessageA(button, BM_CLICK, 0, 0);
    if (std::string(answer) == "Cancel") {
      EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, kWait, 20));
      EXPECT_FALSE(tallimo.Ended(300));
      EXPECT_TRUE(IsWindowVisible(main));
    }
  }
  DWORD exitCode = 1;
  EXPECT_TRUE(tallimo.Ended(kWait, exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(Profile(ini, "General", "Caption"), "After");  // No wrote nothing
  RemoveTree(folder);
}

}  // namespace

int main(int argc, char** argv) {
  return RunTests(argc, argv, "tallimo_config_e2e");
}
