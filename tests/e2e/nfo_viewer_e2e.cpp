// Tallimo.exe driven from outside: View NFO on an entry whose NFO path is relative opens the
// viewer on the file of the current folder, with CR LF line breaks and the DOS art's characters;
// its Close button hides it, and the program then ends.
// Usage: tallimo_viewers_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

HWND VisibleWindowTitled(DWORD pid, const std::string& title) {
  for (HWND h : VisibleTopWindows(pid))
    if (TextOf(h) == title) return h;
  return nullptr;
}

TEST(NfoViewer, ShowsTheRelativeNfoFileAndClosesWithItsButton) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder =
      temp + std::string("tallimo-nfo-e2e-") + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(WriteBytes(folder + "\\ART.NFO", "\xC9\xCD\xBB\n\xBA\x41\xBA\n\xC8\xCD\xBC\n"));
  ASSERT_TRUE(WriteBytes(folder + "\\menu.ini",
                         "[General]\r\nCaption=Art\r\n[Program1]\r\nName=Art\r\nNFO=ART.NFO\r\n"));
  {
    RunningProgram tallimo("\"" + folder + "\\menu.ini\"", folder.c_str());
    HWND main = nullptr, viewer = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (main = VisibleWindowTitled(tallimo.Pid(), "Tallimo - Art")) != nullptr; },
        30000));
    HWND view = ChildOfClass(main, "Button", "&View NFO");
    ClickRow(ChildOfClass(main, "ListBox"), 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(view) != FALSE; }, 5000));
    ClickAt(view, 5, 5);
    ASSERT_TRUE(WaitFor(
        [&] {
          return (viewer = VisibleWindowTitled(tallimo.Pid(), "Tallimo - NFO Viewer")) != nullptr;
        },
        10000));

    // The text is the file's bytes (line breaks made CR LF); the box draws them as box lines,
    // as the Terminal font draws those bytes.
    HWND memo = ChildOfClass(viewer, "Edit");
    EXPECT_EQ(TextOf(memo), "\xC9\xCD\xBB\r\n\xBA\x41\xBA\r\n\xC8\xCD\xBC\r\n");
    wchar_t line[16] = {15};
    DWORD_PTR n = 0;
    SendMessageTimeoutW(memo, EM_GETLINE, 2, reinterpret_cast<LPARAM>(line), SMTO_ABORTIFHUNG, 5000,
                        &n);
    EXPECT_EQ(std::wstring(line, n), L"\u255A\u2550\u255D");

    ClickAt(ChildOfClass(viewer, "Button", "&Close"), 5, 5);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(viewer); }, 5000));
    EXPECT_TRUE(IsWindowVisible(main));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(tallimo.Ended(15000));
  }
  RemoveTree(folder);
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_viewers_e2e");
}
