// The real Tallimo.exe driven through its Config menu as the keyboard reaches it: General Info
// edited and confirmed (the title follows), Write INI File, then a close with unsaved changes
// answered Cancel, then No.   Usage: tallimo_config_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

constexpr const char* kQuestion =
    "Changes have been made which have not been saved. Would you like to save all changes now?";

// The program's visible top-level window of class `cls` (else not a menu), other than `other`,
// whose title begins with `title`, once there is one.
HWND WaitForTop(DWORD pid, const char* cls, const std::string& title, HWND other = nullptr) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND h : VisibleTopWindows(pid))
          if (h != other && (cls ? ClassOf(h) == cls : ClassOf(h) != "#32768") &&
              TextOf(h).rfind(title, 0) == 0)
            found = h;
        return found != nullptr;
      },
      15000, 20);
  return found;
}

// Alt+C opens the Config menu; once it is up, the item's letter chooses from it.
void ChooseConfigItem(DWORD pid, HWND main, char letter) {
  PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, 'c');
  WaitForTop(pid, "#32768", "");
  PostMessageA(main, WM_CHAR, static_cast<WPARAM>(letter), 1);
}

TEST(ConfigCommands, GeneralInfoWriteAndTheQuestionOnClosing) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = temp + std::string("tallimo-config-e2e");
  RemoveTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string ini = folder + "\\menu.ini";
  WriteBytes(ini, "[General]\r\nCaption=Before\r\nNote1=first\r\n[Program1]\r\nName=Editor\r\n");
  RunningProgram tallimo("\"" + ini + "\"", folder.c_str());
  HWND main = WaitForTop(tallimo.Pid(), nullptr, "Tallimo - Before");
  ASSERT_NE(main, nullptr);

  ChooseConfigItem(tallimo.Pid(), main, 'g');
  HWND info = WaitForTop(tallimo.Pid(), nullptr, "Tallimo - ", main);
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(TextOf(info).ends_with(" am") || TextOf(info).ends_with(" pm")) << TextOf(info);
  HWND caption = ChildOfClass(info, "Edit");
  EXPECT_EQ(TextOf(caption), "Before");
  SendMessageA(caption, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("After"));
  PostMessageA(ChildOfClass(info, "Button", "&Ok"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return TextOf(main) == "Tallimo - After"; }, 15000, 20));

  ChooseConfigItem(tallimo.Pid(), main, 'w');  // Write INI File
  EXPECT_TRUE(WaitFor([&] { return Exists(folder + "\\menu.old"); }, 15000, 20));
  char written[64] = "";
  GetPrivateProfileStringA("General", "Caption", "", written, sizeof written, ini.c_str());
  EXPECT_STREQ(written, "After");

  ChooseConfigItem(tallimo.Pid(), main, 'g');  // Ok without an edit is a change too
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(info) != FALSE; }, 15000, 20));
  PostMessageA(ChildOfClass(info, "Button", "&Ok"), BM_CLICK, 0, 0);
  for (const char* answer : {"Cancel", "&No"}) {
    PostMessageA(main, WM_CLOSE, 0, 0);
    HWND box = WaitForTop(tallimo.Pid(), nullptr, "Confirm");
    ASSERT_NE(box, nullptr) << answer;
    EXPECT_NE(ChildOfClass(box, "Static", kQuestion), nullptr);
    EXPECT_NE(ChildOfClass(box, "Button", "&Yes"), nullptr);
    PostMessageA(ChildOfClass(box, "Button", answer), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, 15000, 20));
  }
  DWORD exitCode = 1;
  EXPECT_TRUE(tallimo.Ended(15000, exitCode));
  EXPECT_EQ(exitCode, 0u);
  RemoveTree(folder);
}

}  // namespace

int main(int argc, char** argv) {
  return RunTests(argc, argv, "tallimo_config_e2e");
}
