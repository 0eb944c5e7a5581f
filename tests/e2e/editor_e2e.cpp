// Tallimo.exe driven from outside: an entry added through the list's popup menu and the
// Add/Edit Program dialog, its drive taken off after the real question box, and the list
// showing it. Closing afterwards: where the unsaved-changes question comes (the configuration
// commands), Yes writes the file and the entry is read back with the profile functions;
// otherwise the file stays as it was, since these commands write nothing.
// Usage: tallimo_editor_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

constexpr const char* kCatalogue =
    "[General]\r\nCaption=Editor Disc\r\n[Program1]\r\nName=Beta\r\nInstall1=beta.exe\r\n";

std::string ReadAll(const std::string& path) {
  std::string bytes;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(h);
  return bytes;
}

std::string Profile(const std::string& file, const char* section, const char* key) {
  char buffer[1024] = "";
  GetPrivateProfileStringA(section, key, "(none)", buffer, sizeof buffer, file.c_str());
  return buffer;
}

// The visible window of the process with that class (and title, when given).
HWND TopWindow(DWORD pid, const char* className, const char* title = nullptr) {
  for (HWND h : VisibleTopWindows(pid))
    if (ClassOf(h) == className && (!title || TextOf(h) == title)) return h;
  return nullptr;
}

HWND WaitForTopWindow(DWORD pid, const char* className, const char* title = nullptr) {
  HWND found = nullptr;
  WaitFor([&] { return (found = TopWindow(pid, className, title)) != nullptr; }, 15000, 20);
  return found;
}

std::vector<HWND> Edits(HWND dialog) {
  std::vector<HWND> edits;
  for (HWND h : Descendants(dialog))
    if (lstrcmpiA(ClassOf(h).c_str(), "Edit") == 0) edits.push_back(h);
  return edits;
}

void SetText(HWND h, const char* text) {
  SendMessageTimeoutA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      nullptr);
}

void Press(HWND button) {
  RECT r;
  GetClientRect(button, &r);
  ClickAt(button, r.right / 2, r.bottom / 2);
}

TEST(EntryEditor, AnEntryAddedThroughThePopupMenuIsListed) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder =
      std::string(temp) + "tallimo-editor-e2e-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string ini = folder + "\\menu.ini";
  ASSERT_TRUE(WriteBytes(ini, kCatalogue));

  RunningProgram tallimo("\"" + ini + "\"", nullptr);
  ASSERT_TRUE(tallimo.Started()) << TallimoExe();
  HWND main = WaitForTopWindow(tallimo.Pid(), "TallimoWindow", "Tallimo - Editor Disc");
  ASSERT_NE(main, nullptr);
  HWND list = ChildOfClass(main, "ListBox");
  ASSERT_TRUE(WaitFor([&] { return RowCount(list) == 1; }, 10000));

  // The popup menu as the menu key opens it, then "&Add Program" by its letter.
  PostMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
  HWND menu = WaitForTopWindow(tallimo.Pid(), "#32768");
  ASSERT_NE(menu, nullptr) << "no popup menu";
  PostMessageA(menu, WM_CHAR, 'a', 1);
  HWND dialog = WaitForTopWindow(tallimo.Pid(), "TallimoWindow", "Tallimo - Add/Edit Program");
  ASSERT_NE(dialog, nullptr) << "no Add/Edit Program dialog";

  // ProgName, SerialNum, NFOfile, then the memos of the pages.
  const std::vector<HWND> edits = Edits(dialog);
  ASSERT_EQ(edits.size(), 6u);
  SetText(edits[0], "Alpha Tool");
  SetText(edits[2], "E:\\ALPHA\\ALPHA.NFO");
  SetText(edits[3], "E:\\ALPHA\\SETUP.EXE\r\n%D:\\ALPHA\\GO.BAT");
  SetText(edits[4], "Size 1 MB\r\n\r\n");
  Press(ChildOfClass(dialog, "Button", "&Okay"));

  HWND question = WaitForTopWindow(tallimo.Pid(), "#32770", "Confirm");
  ASSERT_NE(question, nullptr) << "no question about the absolute paths";
  bool asked = false;
  for (HWND h : Descendants(question))
    asked = asked || TextOf(h).find("You have specified an absolute path to the NFO file.") == 0;
  EXPECT_TRUE(asked);
  Press(ChildOfClass(question, "Button", "&Yes"));

  ASSERT_TRUE(WaitFor([&] { return RowCount(list) == 2; }, 10000)) << "the entry is not listed";
  EXPECT_EQ(RowText(list, 0), L"Alpha Tool");
  EXPECT_EQ(RowText(list, 1), L"Beta");
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_EQ(ReadAll(ini), kCatalogue);  // nothing written yet

  PostMessageA(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  HWND save = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] { return tallimo.Ended(0) || (save = TopWindow(tallimo.Pid(), "#32770", "Confirm")); },
      30000, 50))
      << "neither closed nor asked";
  if (save) {
    Press(ChildOfClass(save, "Button", "&Yes"));
    ASSERT_TRUE(tallimo.Ended(15000, exitCode));
    EXPECT_EQ(Profile(ini, "Program2", "Name"), "Alpha Tool");
    EXPECT_EQ(Profile(ini, "Program2", "NFO"), "\\ALPHA\\ALPHA.NFO");
    EXPECT_EQ(Profile(ini, "Program2", "Install1"), "\\ALPHA\\SETUP.EXE");
    EXPECT_EQ(Profile(ini, "Program2", "Install2"), "%D:\\ALPHA\\GO.BAT");
    EXPECT_EQ(Profile(ini, "Program2", "Info1"), "Size 1 MB");
    EXPECT_EQ(Profile(ini, "Program2", "Info2"), "(none)");  // trailing blank lines trimmed
  } else {
    ASSERT_TRUE(tallimo.Ended(0, exitCode));
    EXPECT_EQ(ReadAll(ini), kCatalogue);
  }
  EXPECT_EQ(exitCode, 0u);
  RemoveTree(folder);
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_editor_e2e");
}
