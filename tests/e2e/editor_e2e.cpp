// Tallimo.exe driven from outside: an entry added through the list's popup menu and the
// Add/Edit Program dialog, its drives taken off after the real question box, then listed.
// These commands write nothing; where closing asks about unsaved changes (the configuration
// commands), Yes writes the file and the entry is read back with the profile functions.
// Usage: tallimo_editor_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

constexpr const char* kCatalogue = "[Program1]\r\nName=Beta\r\nInstall1=beta.exe\r\n";

// The visible window of the process with that class and title, within 15 s.
HWND WaitForTop(DWORD pid, const char* className, const char* title, int ms = 15000) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND h : VisibleTopWindows(pid))
          if (ClassOf(h) == className && (!title || TextOf(h) == title)) found = h;
        return found != nullptr;
      },
      ms, 20);
  return found;
}

void Press(HWND button) {
  PostMessageA(button, BM_CLICK, 0, 0);
}

TEST(EntryEditor, AnEntryAddedThroughThePopupMenuIsListed) {
  const std::string folder = tallimo::wintest::MakeTempFolder("editor-e2e");
  const std::string ini = folder + "\\menu.ini";
  ASSERT_TRUE(WriteBytes(ini, kCatalogue));
  RunningProgram tallimo("\"" + ini + "\"", nullptr);
  ASSERT_TRUE(tallimo.Started()) << TallimoExe();
  HWND main = WaitForTop(tallimo.Pid(), "TallimoWindow", "Tallimo");
  ASSERT_NE(main, nullptr);
  HWND list = ChildOfClass(main, "ListBox");

  // The popup menu as the menu key opens it, then "&Add Program" by its letter.
  PostMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
  HWND menu = WaitForTop(tallimo.Pid(), "#32768", nullptr);
  ASSERT_NE(menu, nullptr);
  PostMessageA(menu, WM_CHAR, 'a', 1);
  HWND dialog = WaitForTop(tallimo.Pid(), "TallimoWindow", "Tallimo - Add/Edit Program");
  ASSERT_NE(dialog, nullptr);
  // ProgName, SerialNum, NFOfile, then the memos of the pages, the Options page's four fields
  // (Category's the edit of its drop-down) and the Rules page's four.
  std::vector<HWND> edits;
  for (HWND h : Descendants(dialog))
    if (lstrcmpiA(ClassOf(h).c_str(), "Edit") == 0) edits.push_back(h);
  ASSERT_EQ(edits.size(), 14u);
  const std::pair<int, const char*> texts[] = {{0, "Alpha Tool"},
                                               {2, "E:\\ALPHA\\ALPHA.NFO"},
                                               {3, "E:\\ALPHA\\SETUP.EXE\r\n%D:\\ALPHA\\GO.BAT"},
                                               {4, "Size 1 MB\r\n\r\n"}};
  for (const auto& [edit, text] : texts)
    SendMessageA(edits[edit], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  Press(ChildOfClass(dialog, "Button", "&Okay"));

  HWND question = WaitForTop(tallimo.Pid(), "#32770", "Confirm");
  ASSERT_NE(question, nullptr) << "no question about the absolute paths";
  EXPECT_NE(ChildOfClass(question, "Static",
                         "You have specified an absolute path to the NFO file.\r"
                         "If you are burning this program/config to a CDRom you may\r"
                         "want to use a relative path (ie. without the drive specified).\r"
                         "Do you want to convert to a relative path now?"),
            nullptr);
  Press(ChildOfClass(question, "Button", "&Yes"));
  ASSERT_TRUE(WaitFor([&] { return RowCount(list) == 2; }, 10000)) << "the entry is not listed";
  EXPECT_EQ(RowText(list, 0), L"Alpha Tool");
  EXPECT_EQ(RowText(list, 1), L"Beta");
  EXPECT_EQ(tallimo::wintest::ReadBytes(ini), kCatalogue);  // nothing written

  PostMessageA(main, WM_CLOSE, 0, 0);
  HWND save = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        return tallimo.Ended(0) || (save = WaitForTop(tallimo.Pid(), "#32770", "Confirm", 0));
      },
      30000, 50));
  if (save) {
    Press(ChildOfClass(save, "Button", "&Yes"));
    ASSERT_TRUE(tallimo.Ended(15000));
    const std::pair<const char*, const char*> keys[] = {
        {"Name", "Alpha Tool"},
        {"NFO", "\\ALPHA\\ALPHA.NFO"},
        {"Install1", "\\ALPHA\\SETUP.EXE"},
        {"Install2", "%D:\\ALPHA\\GO.BAT"},
        {"Info1", "Size 1 MB"},
        {"Info2", "(none)"}};  // trailing blank lines trimmed
    for (const auto& [key, value] : keys) {
      char read[256] = "";
      GetPrivateProfileStringA("Program2", key, "(none)", read, sizeof read, ini.c_str());
      EXPECT_STREQ(read, value) << key;
    }
  } else {
    EXPECT_EQ(tallimo::wintest::ReadBytes(ini), kCatalogue);
  }
  RemoveTree(folder);
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_editor_e2e");
}
