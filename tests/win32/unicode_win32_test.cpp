// Text of any script through the Win32 boundary: names in Greek, Cyrillic and Japanese shown by
// the main window and the About box and read back through the W messages; files and folders
// with such names through the file seam; a started program's arguments with them.
#include <gtest/gtest.h>
#include <windows.h>
#undef MoveFile  // the file seam's method, not the Win32 macro

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/wide.h"
#include "win32/main_window_fixture.h"
#include "win32/win32_test_files.h"

namespace tallimo {
namespace {

// "Οδύσσεια", "Война и мир", "源氏物語" and an author's name in Greek, in UTF-8.
constexpr const char* kGreek = "\xCE\x9F\xCE\xB4\xCF\x8D\xCF\x83\xCF\x83\xCE\xB5\xCE\xB9\xCE\xB1";
constexpr const char* kCyrillic =
    "\xD0\x92\xD0\xBE\xD0\xB9\xD0\xBD\xD0\xB0 \xD0\xB8 \xD0\xBC\xD0\xB8\xD1\x80";
constexpr const char* kJapanese = "\xE6\xBA\x90\xE6\xB0\x8F\xE7\x89\xA9\xE8\xAA\x9E";
constexpr const char* kAuthor = "\xCE\x93\xCE\xB9\xCE\xAC\xCE\xBD\xCE\xBD\xCE\xB7\xCF\x82";

std::string WindowText(HWND h) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  return Narrow(text.data(), GetWindowTextW(h, text.data(), static_cast<int>(text.size())));
}

std::vector<std::string> Rows(HWND list) {
  std::vector<std::string> rows;
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, row, 0)) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
    rows.push_back(Narrow(text.c_str()));
  }
  return rows;
}

class UnicodeWindows : public MainWindowFixture<> {
 protected:
  void Start() {
    files.files["C:\\menu.ini"] =
        std::string("[General]\r\nCaption=") + kGreek + "\r\nCreatedBy=" + kAuthor +
        "\r\nNote1=" + kJapanese + "\r\n[Program1]\r\nName=" + kGreek + "\r\nInfo1=" + kCyrillic +
        "\r\nSpecs1=" + kJapanese + "\r\n[Program2]\r\nName=" + kCyrillic +
        "\r\n[Program3]\r\nName=" + kJapanese + "\r\n";
    CreateMainForm("T.exe C:\\menu.ini", "C:\\T.exe");
    ui::App().ProcessMessages();
  }
  void SelectRowNamed(const std::string& name) {
    const std::vector<std::string> rows = Rows(form->ListBox1.Handle());
    for (size_t row = 0; row < rows.size(); ++row) {
      if (rows[row] != name) continue;
      RECT r{};
      SendMessageW(form->ListBox1.Handle(), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
      for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP})
        SendMessageW(form->ListBox1.Handle(), msg, 0, MAKELPARAM(r.left + 5, r.top + 5));
      ui::App().ProcessMessages();
      return;
    }
    ADD_FAILURE() << "no row " << name;
  }
};

TEST_F(UnicodeWindows, TheListThePanesAndTheCaptionsShowEveryScript) {
  Start();
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_EQ(WindowText(form->Handle()), std::string("Tallimo - ") + kGreek);
  std::vector<std::string> rows = Rows(form->ListBox1.Handle());
  std::sort(rows.begin(), rows.end());
  std::vector<std::string> names{kGreek, kCyrillic, kJapanese};
  std::sort(names.begin(), names.end());
  EXPECT_EQ(rows, names);

  SelectRowNamed(kGreek);
  EXPECT_EQ(form->Cat.ProgramList[0]->Name, kGreek);  // the entry the row names
  EXPECT_EQ(WindowText(form->MemoInfo.Handle()), std::string("\r\n  ") + kCyrillic);
  EXPECT_EQ(WindowText(form->MemoSpecs.Handle()), std::string("\r\n  ") + kJapanese);
  // What the panes hold comes back as it went in.
  EXPECT_EQ(form->MemoInfo.Text(), std::string("\r\n  ") + kCyrillic);

  // Help > About: the author in the label effect, the notes in the memo.
  TFTallimoabout about(HostSystemColors());
  dialogs.about = &about;
  about.Create();
  const LPARAM at = MAKELPARAM(about.Image1.Left() + 5, about.Image1.Top() + 5);
  PostMessageW(about.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);  // closes it once it is up
  PostMessageW(about.Handle(), WM_LBUTTONUP, 0, at);
  form->About1->Click();
  EXPECT_NE(about.LabelEffect1.Caption().find(kAuthor), std::string::npos);
  EXPECT_EQ(WindowText(about.Memo2.Handle()), kJapanese);
  dialogs.about = nullptr;
}

TEST_F(UnicodeWindows, ATypedNameComesBackAsUtf8) {
  Start();
  // Typed into a text box as any program would put it there.
  SetWindowTextW(form->MemoInfo.Handle(), Widen(kJapanese).c_str());
  EXPECT_EQ(form->MemoInfo.Text(), kJapanese);
  EXPECT_EQ(form->MemoInfo.Lines(), std::vector<std::string>{kJapanese});
}

// Files and folders named in three scripts through the file seam.
TEST(UnicodeFiles, TheFileSeamTakesNamesOfEveryScript) {
  const std::string root = wintest::MakeTempFolder("unicode");
  ASSERT_FALSE(root.empty());
  const std::string folder = root + "\\" + kGreek;
  ASSERT_TRUE(CreateDirectoryW(Widen(folder).c_str(), nullptr));
  const std::string file = folder + "\\" + kJapanese + ".ini", moved = folder + "\\" + kCyrillic;
  FileSystem& files = HostFileSystem();

  EXPECT_TRUE(files.DirectoryExists(folder));
  EXPECT_EQ(files.WriteNewFile(file, "bytes"), TWriteResult::wrOk);
  EXPECT_EQ(files.WriteNewFile(file, "again"), TWriteResult::wrExists);
  EXPECT_TRUE(files.FileExists(file));
  EXPECT_EQ(files.KindOf(file), TFileKind::fkFile);
  std::string bytes;
  EXPECT_TRUE(files.ReadWholeFile(file, bytes));
  EXPECT_EQ(bytes, "bytes");
  EXPECT_EQ(wintest::FolderContents(folder),
            (std::map<std::string, std::string>{{std::string(kJapanese) + ".ini", "bytes"}}));
  EXPECT_TRUE(files.MoveFile(file, moved));
  EXPECT_EQ(wintest::FolderContents(folder),
            (std::map<std::string, std::string>{{kCyrillic, "bytes"}}));
  EXPECT_TRUE(files.RemoveFile(moved));
  EXPECT_TRUE(wintest::FolderContents(folder).empty());
  wintest::RemoveTree(root);
}

// A started program gets arguments of every script: the stand-in installer writes the file
// its arguments name.
TEST(UnicodeFiles, AStartedProgramGetsArgumentsOfEveryScript) {
  const std::string root = wintest::MakeTempFolder("unicode");
  ASSERT_FALSE(root.empty());
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::string installer = Narrow(self);
  installer = installer.substr(0, installer.find_last_of('\\') + 1) + "tallimo_test_installer.exe";
  const std::string marker = std::string(kGreek) + " " + kJapanese;
  std::optional<ProcessEnd> end;
  const ProcessStart start =
      HostProcessRunner().Start({installer, "wait 0 \"" + root + "\\" + marker + "\"", root},
                                [&](const ProcessEnd& e) { end = e; });
  ASSERT_TRUE(start.started) << start.message;
  for (DWORD begun = GetTickCount(); !end && GetTickCount() - begun < 20000;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  ASSERT_TRUE(end);
  EXPECT_EQ(end->exitCode, 0u);
  EXPECT_EQ(wintest::FolderContents(root), (std::map<std::string, std::string>{{marker, "done"}}));
  wintest::RemoveTree(root);
}

}  // namespace
}  // namespace tallimo
