// Tallimo.exe on a catalogue saved as Notepad saves it (UTF-8 without a byte-order mark), in a
// folder whose name is outside the ANSI code page, named on the command line: the caption, the
// list and the panes show Greek, Cyrillic and Japanese; an entry renamed in the editor is
// written back in UTF-8, still without a mark, and every other byte stays.
// Usage: tallimo_unicode_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/wide.h"
#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;
using tallimo::Narrow;
using tallimo::Widen;

// "Café", "Οδύσσεια", "Война и мир", "源氏物語", "Δίσκος" (the folder), "平家物語" (the new name).
const std::string kCafe = "Caf\xC3\xA9";
const std::string kGreek = "\xCE\x9F\xCE\xB4\xCF\x8D\xCF\x83\xCF\x83\xCE\xB5\xCE\xB9\xCE\xB1";
const std::string kCyrillic =
    "\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xD0\xB8 \xD0\xBC\xD0\xB8\xD1\x80";
const std::string kJapanese = "\xE6\xBA\x90\xE6\xB0\x8F\xE7\x89\xA9\xE8\xAA\x9E";
const std::string kFolder = "\xCE\x94\xCE\xAF\xCF\x83\xCE\xBA\xCE\xBF\xCF\x82";
const std::string kRenamed = "\xE5\xB9\xB3\xE5\xAE\xB6\xE7\x89\xA9\xE8\xAA\x9E";

HWND WaitForTop(DWORD pid, const char* className, const std::string& title, int ms = 15000) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND h : VisibleTopWindows(pid))
          if (ClassOf(h) == className && (title.empty() || Utf8TextOf(h) == title)) found = h;
        return found != nullptr;
      },
      ms, 20);
  return found;
}

std::vector<HWND> EditsOf(HWND window) {
  std::vector<HWND> edits;
  for (HWND h : Descendants(window))
    if (lstrcmpiA(ClassOf(h).c_str(), "Edit") == 0) edits.push_back(h);
  return edits;
}

int RowNamed(HWND list, const std::string& name) {
  for (int row = 0; row < RowCount(list); ++row)
    if (Narrow(RowText(list, row)) == name) return row;
  return -1;
}

TEST(UnicodeEndToEnd, ANotepadCatalogueIsShownEditedAndWrittenBackInUtf8) {
  const std::string root = tallimo::wintest::MakeTempFolder("unicode-e2e");
  const std::string folder = root + "\\" + kFolder;
  ASSERT_TRUE(CreateDirectoryW(Widen(folder).c_str(), nullptr));
  const std::string ini = folder + "\\menu.ini";
  const std::string catalogue = "[General]\r\nCaption=" + kCafe +
                                "\r\n[Program1]\r\nName=" + kGreek + "\r\nInfo1=" + kCyrillic +
                                "\r\nSpecs1=" + kJapanese + "\r\n[Program2]\r\nName=" + kJapanese +
                                "\r\nInstall1=" + kFolder + "\\setup.exe\r\nInfo1=" + kCafe +
                                "\r\n[Program3]\r\nName=" + kCyrillic + "\r\n";
  ASSERT_TRUE(WriteBytes(ini, catalogue));

  RunningProgram tallimo("\"" + ini + "\"", nullptr);
  ASSERT_TRUE(tallimo.Started()) << TallimoExe();
  HWND main = WaitForTop(tallimo.Pid(), "TallimoWindow", "Tallimo - " + kCafe);
  ASSERT_NE(main, nullptr) << "no main window captioned with the catalogue's caption";
  HWND list = ChildOfClass(main, "ListBox");
  ASSERT_EQ(RowCount(list), 3);
  for (const std::string& name : {kGreek, kCyrillic, kJapanese})
    EXPECT_GE(RowNamed(list, name), 0) << name;

  // The Greek entry's panes.
  ClickRow(list, RowNamed(list, kGreek));
  ClickRow(list, RowNamed(list, kGreek));  // the first selection after start-up only selects
  const auto paneShows = [&](const std::string& text) {
    for (HWND edit : EditsOf(main))
      if (Utf8TextOf(edit) == "\r\n  " + text) return true;
    return false;
  };
  EXPECT_TRUE(WaitFor([&] { return paneShows(kCyrillic) && paneShows(kJapanese); }, 10000));

  // The Japanese entry renamed in the editor, by the list's popup menu's "&Edit Program".
  ClickRow(list, RowNamed(list, kJapanese));
  PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
  HWND menu = WaitForTop(tallimo.Pid(), "#32768", "");
  ASSERT_NE(menu, nullptr);
  PostMessageW(menu, WM_CHAR, 'e', 1);
  HWND dialog = WaitForTop(tallimo.Pid(), "TallimoWindow", "Tallimo - Add/Edit Program");
  ASSERT_NE(dialog, nullptr);
  const std::vector<HWND> edits = EditsOf(dialog);
  ASSERT_FALSE(edits.empty());
  EXPECT_EQ(Utf8TextOf(edits[0]), kJapanese);  // ProgName
  SendMessageW(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(kRenamed).c_str()));
  PostMessageW(ChildOfClass(dialog, "Button", "&Okay"), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return RowNamed(list, kRenamed) >= 0; }, 10000)) << [&] {
    std::string shown;  // what stands in the way
    for (HWND h : VisibleTopWindows(tallimo.Pid())) {
      shown += ClassOf(h) + " \"" + Utf8TextOf(h) + "\":";
      for (HWND c : Descendants(h)) shown += " \"" + Utf8TextOf(c) + "\"";
      shown += "\n";
    }
    return shown;
  }();
  EXPECT_LT(RowNamed(list, kJapanese), 0);

  // Closing asks about the change; Yes writes the file.
  PostMessageW(main, WM_CLOSE, 0, 0);
  HWND save = WaitForTop(tallimo.Pid(), "#32770", "Confirm");
  ASSERT_NE(save, nullptr);
  PostMessageW(ChildOfClass(save, "Button", "&Yes"), BM_CLICK, 0, 0);
  ASSERT_TRUE(tallimo.Ended(15000));

  const std::string written = tallimo::wintest::ReadBytes(ini);
  EXPECT_NE(written.substr(0, 3), "\xEF\xBB\xBF") << "a mark that was not there";
  for (const std::string& line :
       {"Caption=" + kCafe, "Name=" + kGreek, "Info1=" + kCyrillic, "Specs1=" + kJapanese,
        "Name=" + kRenamed, "Install1=" + kFolder + "\\setup.exe", "Info1=" + kCafe,
        "Name=" + kCyrillic})
    EXPECT_NE(written.find(line + "\r\n"), std::string::npos) << line << " in\n" << written;
  EXPECT_EQ(written.find("Name=" + kJapanese), std::string::npos);
  EXPECT_EQ(written.find('?'), std::string::npos);
  EXPECT_EQ(Narrow(Widen(written)), written) << "not valid UTF-8";
  RemoveTree(root);
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_unicode_e2e");
}
