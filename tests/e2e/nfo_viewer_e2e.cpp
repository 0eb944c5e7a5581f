// Tallimo.exe driven from outside: View NFO on an entry whose NFO path is relative opens the
// viewer with the file from the current folder, line breaks made CR LF and the DOS art's bytes
// unchanged, sized from the screen; its Close button hides it, and the program then closes.
// Usage: tallimo_viewers_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

HWND ButtonOf(HWND parent, const char* caption) {
  return ChildOfClass(parent, "Button", caption);
}

void Press(HWND button) {
  RECT r;
  GetClientRect(button, &r);
  ClickAt(button, r.right / 2, r.bottom / 2);
}

HWND VisibleWindowTitled(DWORD pid, const std::string& title) {
  for (HWND h : VisibleTopWindows(pid))
    if (TextOf(h) == title) return h;
  return nullptr;
}

TEST(NfoViewer, ShowsTheRelativeNfoFileAndClosesWithItsButton) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder =
      std::string(temp) + "tallimo-nfo-e2e-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string art = "\xC9\xCD\xCD\xCD\xBB\n\xBA Art \xBA\n\xC8\xCD\xCD\xCD\xBC\n";
  // Box drawing characters of the DOS code page, as the Terminal font draws those bytes.
  const std::wstring shown =
      L"\u2554\u2550\u2550\u2550\u2557\r\n\u2551 Art \u2551\r\n\u255A\u2550\u2550\u2550\u255D\r\n";
  ASSERT_TRUE(WriteBytes(folder + "\\ART.NFO", art));
  ASSERT_TRUE(
      WriteBytes(folder + "\\menu.ini",
                 "[General]\r\nCaption=Art Disc\r\n[Program1]\r\nName=Art\r\nNFO=ART.NFO\r\n"));
  {
    RunningProgram tallimo("\"" + folder + "\\menu.ini\"", folder.c_str());
    ASSERT_TRUE(tallimo.Started());
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
          return (main = VisibleWindowTitled(tallimo.Pid(), "Tallimo - Art Disc")) != nullptr;
        },
        30000));
    HWND list = ChildOfClass(main, "ListBox");
    HWND view = ButtonOf(main, "&View NFO");
    ASSERT_TRUE(list && view);
    ClickRow(list, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(view) != FALSE; }, 5000));
    Press(view);

    HWND viewer = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
          return (viewer = VisibleWindowTitled(tallimo.Pid(), "Tallimo - NFO Viewer")) != nullptr;
        },
        10000));
    HWND memo = ChildOfClass(viewer, "Edit");
    ASSERT_NE(memo, nullptr);
    wchar_t text[128] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(memo, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        5000, &copied);
    EXPECT_EQ(std::wstring(text), shown);
    RECT r;
    GetWindowRect(viewer, &r);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(r.right - r.left, w - (w + 3) / 6) << "the width less a sixth";
    EXPECT_EQ(r.bottom - r.top, h - (h + 2) / 4) << "the height less a quarter";
    for (const char* caption : {"&Close", "&Notepad", "C&opy"})
      EXPECT_NE(ButtonOf(viewer, caption), nullptr) << caption;

    Press(ButtonOf(viewer, "&Close"));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(viewer); }, 5000));
    EXPECT_TRUE(IsWindowVisible(main));
    PostMessageA(main, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    EXPECT_TRUE(tallimo.Ended(15000, exitCode));
    EXPECT_EQ(exitCode, 0u);
  }
  RemoveTree(folder);
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_viewers_e2e");
}
