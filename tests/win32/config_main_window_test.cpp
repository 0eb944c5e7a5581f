// The configuration commands on the real main window and General Info dialog: the dialog filled,
// its labels' accelerators, a note wider than the memo read back as one note; Read INI File
// refilling list and title; the Write commands; the question on every way of closing.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>

#include "catalogue/general_info_dialog.h"
#include "ui/application.h"
#include "win32/main_window_fixture.h"

namespace tallimo {
namespace {

constexpr const char *kPath = "C:\\Disc\\menu.ini", *kOther = "C:\\Other\\other.ini";
constexpr const char* kCatalogue =
    "[General]\r\nCaption=Games\r\nNote1=first\r\nNote2=\r\n"
    "[Program1]\r\nName=Setup\r\nBatch=1\r\nInstall1=setup.exe\r\n";

std::string TextOf(HWND h) {
  char buffer[1024] = "";
  GetWindowTextA(h, buffer, sizeof buffer);
  return buffer;
}

// Closes the General Info dialog by its close box once Escape has had its turn.
HWND g_shown = nullptr;
bool g_openAfterEscape = false;
void CALLBACK CloseAfterEscape(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  g_openAfterEscape = IsWindowVisible(g_shown);
  PostMessageA(g_shown, WM_CLOSE, 0, 0);
}

class ConfigOnMainWindow : public MainWindowFixture<> {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    files.files[kPath] = kCatalogue;
    CreateMainForm(std::string("x \"") + kPath + "\"", "x");
  }
};

TEST_F(ConfigOnMainWindow, GeneralInfoEditsTheHeaderInItsDialog) {
  TFTallimoinfo dialog(HostSystemColors());
  dialogs.generalInfo = &dialog;
  const std::string wide(300, 'w');
  std::string seen;
  dialog.OnShow = [&] {
    seen = TextOf(dialog.Handle()) + "|" + TextOf(dialog.Edit1.Handle()) + "|" +
           TextOf(dialog.Memo1.Handle()) + "|" + (dialog.Edit1.Focused() ? "Edit1" : "");
    for (int key : {int{'b'}, int{'M'}, VK_TAB}) {  // Alt+B, Alt+M, then Tab out of the memo
      PostMessageA(GetFocus(), key == VK_TAB ? WM_KEYDOWN : WM_SYSCHAR, key, 1 << 29);
      ui::App().ProcessMessages();
      seen += std::string("|") + (dialog.Edit2.Focused() ? "Edit2" : "") +
              (dialog.Memo1.Focused() ? "Memo1" : "") + (dialog.Button1.Focused() ? "Ok" : "");
    }
    dialog.Edit1.SetText("New");
    dialog.Memo1.SetText("one\r\n" + wide + "\r\n\r\nlast");
    PostMessageA(dialog.Button1.Handle(), BM_CLICK, 0, 0);
  };
  form->N3->Click();
  EXPECT_EQ(seen, "Tallimo - Mon, 7 Dec 2026, 3:06 pm|Games|first\r\n\r\n|Edit1|Edit2|Memo1|Ok");
  EXPECT_GT(SendMessageA(dialog.Memo1.Handle(), EM_GETLINECOUNT, 0, 0), 4);  // it wrapped
  EXPECT_GT(static_cast<DWORD>(SendMessageA(dialog.Memo1.Handle(), EM_GETLIMITTEXT, 0, 0)),
            1u << 20);
  EXPECT_EQ(form->Cat.NoteLines, (StringList{"one", wide, "", "last"}));
  EXPECT_TRUE(form->Cat.Modified);
  EXPECT_EQ(TextOf(form->Handle()), "Tallimo - New");
  // Escape does nothing here (a stray one keeps what was typed); Cancel (here the close box)
  // changes nothing.
  form->Cat.Modified = false;
  g_shown = nullptr;
  g_openAfterEscape = false;
  dialog.OnShow = [&] {
    g_shown = dialog.Handle();
    PostMessageA(dialog.Edit1.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    SetTimer(nullptr, 0, 100, &CloseAfterEscape);
  };
  form->N3->Click();
  EXPECT_TRUE(g_openAfterEscape);
  EXPECT_FALSE(form->Cat.Modified);

  dialogs.generalInfo = nullptr;
}

// Write INI File, Write INI As to another name, and Read INI File of a third catalogue.
TEST_F(ConfigOnMainWindow, WriteWriteAsAndRead) {
  form->Cat.Modified = true;
  form->WriteINIFile1->Click();
  EXPECT_EQ(files.files["C:\\Disc\\menu.old"], kCatalogue);
  prompter.paths = {kOther, "C:\\Third.ini"};
  form->EditINIFile1->Click();
  EXPECT_EQ(files.files[kOther], files.files[kPath]);
  files.files["C:\\Third.ini"] = "[General]\r\nCaption=Third\r\n[Program1]\r\nName=Zed\r\n";
  form->ReadINIFile1->Click();
  char row[64] = "";
  SendMessageA(form->ListBox1.Handle(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
  EXPECT_STREQ(row, "Zed");
  EXPECT_EQ(TextOf(form->Handle()), "Tallimo - Third");
  EXPECT_FALSE(form->Cat.Modified);
  EXPECT_EQ(prompter.boxes.size(), 0u);
  ASSERT_EQ(prompter.fileDialogs.size(), 2u);
  const FileDialogOptions &save = prompter.fileDialogs[0].options,
                          &open = prompter.fileDialogs[1].options;
  EXPECT_EQ(save.title + "|" + save.filter + "|" + save.defaultExt,
            "Save Tallimo Config as...|INI Files|*.ini|All Files|*|ini");
  EXPECT_TRUE(save.overwritePrompt && save.hideReadOnly && !open.overwritePrompt);
  EXPECT_EQ(open.title + "|" + open.filter + "|" + open.defaultExt,
            "Tallimo - Open Config file...|INI files (*.ini)|*.ini|All Files|*|ini");
  EXPECT_TRUE(open.fileMustExist && open.pathMustExist);
  EXPECT_EQ(prompter.fileDialogs[1].options.initialDir, "C:\\Other\\");
}

// Close, Exit, the close box and Install & Close all ask; Cancel keeps the window, No closes it.
TEST_F(ConfigOnMainWindow, EveryWayOfClosingAsksAboutUnsavedChanges) {
  RECT r{};
  HWND list = form->ListBox1.Handle();
  SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP})
    SendMessageA(list, msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                 MAKELPARAM(r.left + 5, r.top + 2));
  form->Cat.Modified = true;
  const std::function<void()> ways[] = {
      [&] { SendMessageA(form->BtnClose.Handle(), BM_CLICK, 0, 0); }, [&] { form->Exit1->Click(); },
      [&] { SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
      [&] { SendMessageA(form->BtnInstClose.Handle(), BM_CLICK, 0, 0); }};
  for (const auto& close : ways) {
    prompter.answers = {TModalResult::mrCancel};
    close();
    EXPECT_TRUE(form->HandleAllocated() && !ui::App().Terminated());
  }
  EXPECT_EQ(prompter.boxes.size(), 4u);
  EXPECT_EQ(launched.size(), 1u);  // Install & Close installed, then asked
  prompter.answers = {TModalResult::mrNo};
  form->Exit1->Click();
  EXPECT_TRUE(ui::App().Terminated());
  EXPECT_EQ(files.files[kPath], kCatalogue);
}

}  // namespace
}  // namespace tallimo
