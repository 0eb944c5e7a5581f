// The configuration commands on the real main window and the real General Info dialog: the
// dialog filled, edited and read back (a note wider than the memo stays one note), the labels'
// accelerators, Read INI File refilling the list and the title, the Write commands, and the
// closing question on every way of closing.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/main_form.h"
#include "catalogue/general_info_dialog.h"
#include "fakes/fake_clipboard.h"
#include "fakes/fake_prompter.h"
#include "ui/application.h"
#include "unit/catalogue_fakes.h"
#include "unit/install_fakes.h"

namespace tallimo {
namespace {

constexpr const char* kPath = "C:\\Disc\\menu.ini";
constexpr const char* kCatalogue =
    "[General]\r\nCaption=Games\r\nCreatedBy=Team\r\nNote1=first\r\nNote2=\r\n"
    "[Program1]\r\nName=Setup\r\nBatch=1\r\nInstall1=setup.exe\r\n";
constexpr const char* kOther = "C:\\Other\\other.ini";
constexpr auto Yes = TModalResult::mrYes, No = TModalResult::mrNo, Cancel = TModalResult::mrCancel;

std::string TextOf(HWND h) {
  char buffer[4096] = "";
  GetWindowTextA(h, buffer, sizeof buffer);
  return buffer;
}

class ConfigOnMainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::App().SetPrompter(&prompter);
    ui::App().SetScreen(&screen);
    ui::App().Restart();
    files.files[kPath] = kCatalogue;
    form = std::make_unique<TFTallimo>(MainWindowSeams{
        files, locale, clock, std::string("\"C:\\Disc\\Tallimo.exe\" \"") + kPath + "\"",
        "C:\\Disc\\Tallimo.exe", clipboard, environment, shell});
    form->Create();
    ui::App().ProcessMessages();
  }
  void TearDown() override {
    form.reset();
    ui::App().ProcessMessages();
    ui::App().Restart();
    ui::App().SetPrompter(nullptr);
    ui::App().SetScreen(nullptr);
  }
  bool Open() const { return form->HandleAllocated() && !ui::App().Terminated(); }

  testing::FakePrompter prompter;
  testing::FakeClipboard clipboard;
  test::FakeEnvironment environment;
  test::EventLog launched;
  test::FakeShell shell{launched};
  FixedScreen screen{96, 1280, 1024};
  testing::MemoryFileSystem files;
  testing::EnglishLocale locale;
  testing::FixedClock clock;
  std::unique_ptr<TFTallimo> form;
};

TEST_F(ConfigOnMainWindow, GeneralInfoEditsTheHeaderInItsDialog) {
  TFTallimoinfo dialog;
  FTallimoinfo = &dialog;
  form->Cat.WriteDate = "Sun, 1 Jan 2017, 9:00 am";
  const std::string longNote(300, 'w');  // far wider than the memo: it wraps there
  std::string title, caption, createdBy, notes;
  bool startsInEdit1 = false, altBFocusesEdit2 = false, altMFocusesMemo1 = false;
  dialog.OnShow = [&] {
    title = TextOf(dialog.Handle());
    caption = TextOf(dialog.Edit1.Handle());
    createdBy = TextOf(dialog.Edit2.Handle());
    notes = TextOf(dialog.Memo1.Handle());
    startsInEdit1 = dialog.Edit1.Focused();
    PostMessageA(dialog.Edit1.Handle(), WM_SYSCHAR, 'b', 1 << 29);
    ui::App().ProcessMessages();
    altBFocusesEdit2 = dialog.Edit2.Focused();
    PostMessageA(dialog.Edit2.Handle(), WM_SYSCHAR, 'M', 1 << 29);
    ui::App().ProcessMessages();
    altMFocusesMemo1 = dialog.Memo1.Focused();
    dialog.Edit1.SetText("New caption");
    dialog.Memo1.SetText("one\r\n" + longNote + "\r\n\r\nlast");
    PostMessageA(dialog.Button1.Handle(), BM_CLICK, 0, 0);
  };
  form->N3->Click();
  EXPECT_EQ(title, "Tallimo - Sun, 1 Jan 2017, 9:00 am");
  EXPECT_EQ(caption, "Games");
  EXPECT_EQ(createdBy, "Team");
  EXPECT_EQ(notes, "first\r\n\r\n");  // two notes, the second empty
  EXPECT_TRUE(startsInEdit1);
  EXPECT_TRUE(altBFocusesEdit2);
  EXPECT_TRUE(altMFocusesMemo1);
  EXPECT_GT(SendMessageA(dialog.Memo1.Handle(), EM_GETLINECOUNT, 0, 0), 4);  // wrapped
  EXPECT_EQ(form->Cat.ConfigCaption, "New caption");
  EXPECT_EQ(form->Cat.NoteLines, (StringList{"one", longNote, "", "last"}));
  EXPECT_TRUE(form->Cat.Modified);
  EXPECT_EQ(form->Cat.WriteDate, "Mon, 7 Dec 2026, 3:06 pm");
  EXPECT_EQ(TextOf(form->Handle()), "Tallimo - New caption");

  // The close box cancels: nothing changes.
  form->Cat.Modified = false;
  dialog.OnShow = [&] {
    dialog.Edit2.SetText("typed");
    PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
  };
  form->N3->Click();
  EXPECT_EQ(form->Cat.CreatedBy, "Team");
  EXPECT_FALSE(form->Cat.Modified);
  EXPECT_TRUE(prompter.boxes.empty());
  FTallimoinfo = nullptr;
}

TEST_F(ConfigOnMainWindow, ReadIniFileRefillsTheListAndTheTitle) {
  files.files[kOther] =
      "[General]\r\nCaption=Other\r\n[Program1]\r\nName=Zed\r\n"
      "[Program2]\r\nName=alpha\r\n";
  form->Cat.Modified = true;
  prompter.answers = {Cancel};
  form->ReadINIFile1->Click();  // unsaved changes: Cancel keeps them
  EXPECT_EQ(form->Cat.IniFileName, kPath);
  EXPECT_TRUE(prompter.fileDialogs.empty());

  prompter.answers = {No};
  prompter.paths = {kOther};
  form->ReadINIFile1->Click();
  EXPECT_EQ(form->Cat.IniFileName, kOther);
  EXPECT_FALSE(form->Cat.Modified);
  HWND list = form->ListBox1.Handle();
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
  char row[64] = "";
  SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
  EXPECT_STREQ(row, "alpha");
  EXPECT_EQ(TextOf(form->MemoInfo.Handle()), "\r\n Select a Program.");
  EXPECT_EQ(TextOf(form->Handle()), "Tallimo - Other");
  EXPECT_EQ(prompter.fileDialogs.at(0).options.initialDir, "C:\\Disc\\");
  EXPECT_EQ(prompter.unscripted, 0);
}

TEST_F(ConfigOnMainWindow, WriteIniFileAndWriteIniAs) {
  form->Cat.Modified = true;
  form->WriteINIFile1->Click();
  EXPECT_FALSE(form->Cat.Modified);
  EXPECT_EQ(files.files["C:\\Disc\\menu.old"], kCatalogue);
  EXPECT_NE(files.files[kPath].find("WriteDate=Mon, 7 Dec 2026, 3:06 pm"), std::string::npos);

  prompter.paths = {kOther};
  form->Cat.Modified = true;
  form->EditINIFile1->Click();
  EXPECT_EQ(form->Cat.IniFileName, kOther);
  EXPECT_FALSE(form->Cat.Modified);
  EXPECT_EQ(files.files[kOther], files.files[kPath]);
  EXPECT_TRUE(prompter.boxes.empty());
}

// Close, Exit, the close box and Install & Close all ask; Cancel and a failed save keep the
// window open, No closes it without writing.
TEST_F(ConfigOnMainWindow, EveryWayOfClosingAsksAboutUnsavedChanges) {
  RECT r{};
  SendMessageA(form->ListBox1.Handle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  for (int click = 0; click < 2; ++click) {  // the first click after a refill only selects
    SendMessageA(form->ListBox1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(r.left + 5, r.top + 2));
    SendMessageA(form->ListBox1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 5, r.top + 2));
  }
  ui::App().ProcessMessages();
  form->Cat.Modified = true;
  struct Way {
    const char* name;
    std::function<void()> close;
  } ways[] = {
      {"Close", [&] { SendMessageA(form->BtnClose.Handle(), BM_CLICK, 0, 0); }},
      {"Exit", [&] { form->Exit1->Click(); }},
      {"close box", [&] { SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Install & Close", [&] { SendMessageA(form->BtnInstClose.Handle(), BM_CLICK, 0, 0); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    prompter.boxes.clear();
    prompter.answers = {Cancel};
    way.close();
    ui::App().ProcessMessages();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].title, "Confirm");
    EXPECT_TRUE(Open());
  }
  EXPECT_EQ(launched.size(), 1u);  // Install & Close installed, then asked

  prompter.boxes.clear();
  prompter.answers = {Yes};
  files.failAt = files.changes + 1;
  form->Exit1->Click();
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].text, "Unable to write to C:\\Disc\\menu.ini.");
  EXPECT_TRUE(Open());
  EXPECT_TRUE(form->Cat.Modified);

  prompter.answers = {No};
  form->Exit1->Click();
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_TRUE(ui::App().Terminated());
  EXPECT_EQ(files.files[kPath], kCatalogue);
}

}  // namespace
}  // namespace tallimo
