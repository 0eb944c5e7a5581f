// The filter and find as you type on the real main window: Ctrl+F and Find..., the box in the
// heading band, the list narrowed at each keystroke, the count, the panes, Escape, Enter, and the
// commands (marks, Copy Serial, Edit) on the narrowed list; the catalogue never changed by it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/application.h"
#include "win32/main_window_fixture.h"

namespace tallimo {
namespace {

constexpr const char* kCatalogue =
    "[General]\r\nCaption=Filter\r\n"
    "[Program1]\r\nName=Text Editor\r\nInstall1=edit.exe\r\nInfo1=Edits plain text\r\n"
    "Specs1=Size: 2 MB\r\n"
    "[Program2]\r\nName=Net Guard\r\nInstall1=guard.exe\r\nInfo1=A personal firewall\r\n"
    "Serial1=NG-123\r\n"
    "[Program3]\r\nName=Paint Shop\r\nInstall1=paint.exe\r\nSpecs1=Size: 12 MB\r\n"
    "[Program4]\r\nName=Tetris\r\nInstall1=tetris.exe\r\n"
    "[Program5]\r\nName=Zip Tools\r\nInstall1=zip.exe\r\nInfo1=Archives\r\n";
constexpr const char* kPath = "C:\\Disc\\menu.ini";

// An entry editor that renames the entry it is given.
class Renamer : public EntryEditor {
 public:
  std::string newName;
  void SetIniFileName(const std::string&) override {}
  void SetCategories(const StringList&) override {}
  void LoadEntry(const TTallimoProg& e) override { loaded = e; }
  TModalResult ShowEditor() override { return TModalResult::mrOK; }
  void StoreEntry(TTallimoProg& e) override {
    e = loaded;
    e.Name = newName;
  }
  TTallimoProg loaded;
};

class FilterOnMainWindow : public MainWindowFixture<> {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ShowMainFormOn(kPath, kCatalogue);
  }
  // A key as the keyboard sends it to the control with the focus, Ctrl held when asked.
  void Key(int vk, bool ctrl = false) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state);
    PostMessageW(GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
    ui::App().ProcessMessages();
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
  }
  void Type(HWND to, const std::string& text) {
    for (char c : text) PostMessageW(to, WM_CHAR, static_cast<unsigned char>(c), 1);
    ui::App().ProcessMessages();
  }
  StringList Rows() { return form->ListBox1.Rows(); }
  std::string Selected() {
    const int row = form->ListBox1.Selection().Top;
    return row < 0 ? "(none)" : form->ListBox1.Cell(0, row);
  }
  std::string Info() { return form->MemoInfo.Lines().size() > 1 ? form->MemoInfo.Lines()[1] : ""; }
};

TEST_F(FilterOnMainWindow, NarrowsTheListAndTheCommandsWorkOnIt) {
  // Until asked for, the window is as it was; the pop-up item sits after Copy Serial.
  EXPECT_FALSE(IsWindowVisible(form->EdtFind.Handle()));
  EXPECT_TRUE(form->LabelSelect.Visible());
  const auto& items = form->PopupMenu1.Items();
  ASSERT_EQ(items[4].get(), form->ppFind1);
  EXPECT_EQ(items[3].get(), form->ppCopySerial1);
  EXPECT_EQ(form->ppFind1->Caption, "&Find...\tCtrl+F");
  EXPECT_EQ(form->ppFind1->HelpContext, 25);

  // A row selected before the filter, then Ctrl+F from the list.
  form->ListBox1.SetFocus();
  form->ListBox1.SelectRow(3);  // Tetris
  Key('F', true);
  ASSERT_TRUE(IsWindowVisible(form->EdtFind.Handle()));
  EXPECT_EQ(GetFocus(), form->EdtFind.Handle());
  EXPECT_FALSE(form->LabelSelect.Visible());
  EXPECT_EQ(form->LblFound.Caption(), "5 of 5 programs");
  EXPECT_TRUE(FindWindowExW(form->PanList.Handle(), nullptr, L"Static", L"5 of 5 programs"));
  RECT box{}, list{}, overlap{};
  GetWindowRect(form->EdtFind.Handle(), &box);
  GetWindowRect(form->ListBox1.Handle(), &list);
  EXPECT_FALSE(IntersectRect(&overlap, &box, &list)) << "the box covers none of the list";

  // Each keystroke narrows: name, information or specs, every word, case ignored.
  Type(form->EdtFind.Handle(), "FIRE");
  EXPECT_EQ(Rows(), StringList{"Net Guard"});
  EXPECT_EQ(Selected(), "Net Guard");
  EXPECT_EQ(Info(), "  A personal firewall");
  EXPECT_EQ(form->LblFound.Caption(), "1 of 5 programs");
  form->BtnSerialClick();  // Copy Serial acts on the filtered row
  EXPECT_EQ(clipboard.text.value_or(""), "NG-123");
  prompter.boxes.clear();  // the serial's confirmation

  form->EdtFind.SetText("size mb");
  EXPECT_EQ(Rows(), (StringList{"Paint Shop", "Text Editor"}));
  EXPECT_EQ(Selected(), "Paint Shop");

  // Marks: Mark All takes the rows shown; the count says what the filter hides.
  form->ppMarkAll1Click();
  EXPECT_EQ(form->Marks.Count(), 2);
  form->EdtFind.SetText("guard");
  EXPECT_EQ(form->LblFound.Caption(), "1 of 5 programs, 2 marked, 2 of them hidden");
  form->ListBox1.SetFocus();
  Type(form->ListBox1.Handle(), " ");  // Space on its own marks the selected row
  EXPECT_EQ(form->LblFound.Caption(), "1 of 5 programs, 3 marked, 2 of them hidden");
  form->ppClearMarks1Click();  // only the row shown
  EXPECT_EQ(form->Marks.Count(), 2);

  // No match: an empty list and the pane says so.
  form->EdtFind.SetText("zzz top");
  EXPECT_EQ(Rows(), StringList{""});
  EXPECT_EQ(Selected(), "(none)");
  EXPECT_EQ(Info(), " No program matches \"zzz top\"");
  EXPECT_EQ(form->LblFound.Caption(), "0 of 5 programs, 2 marked, 2 of them hidden");

  // Enter and Down in the box go to the list and install nothing.
  form->EdtFind.SetText("tools");
  form->EdtFind.SetFocus();
  Key(VK_RETURN);
  EXPECT_EQ(GetFocus(), form->ListBox1.Handle());
  form->EdtFind.SetFocus();
  Key(VK_DOWN);
  EXPECT_EQ(GetFocus(), form->ListBox1.Handle());
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_TRUE(form->HandleAllocated());

  // Edit keeps the filter; the entry that no longer matches leaves the list.
  Renamer renamer;
  dialogs.entry = &renamer;
  renamer.newName = "Zip Utilities";
  form->ppEditProcedure1Click();
  EXPECT_EQ(form->EdtFind.Text(), "tools");
  EXPECT_EQ(Rows(), StringList{""});
  EXPECT_EQ(Info(), " No program matches \"tools\"");
  form->EdtFind.SetText("zip");
  EXPECT_EQ(Rows(), StringList{"Zip Utilities"});
  EXPECT_EQ(Selected(), "Zip Utilities");

  // Emptying the box: the whole list, the row selected in the filtered list stays selected.
  form->EdtFind.SetText("");
  EXPECT_EQ(Rows().size(), 5u);
  EXPECT_EQ(Selected(), "Zip Utilities");
  EXPECT_TRUE(IsWindowVisible(form->EdtFind.Handle()));
  EXPECT_EQ(form->LblFound.Caption(), "5 of 5 programs, 2 marked");

  // Escape after a filter without a match: the row selected before the filter, the box hidden.
  form->EdtFind.SetFocus();
  form->EdtFind.SetText("nothing matches this");
  Key(VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(form->EdtFind.Handle()));
  EXPECT_TRUE(form->LabelSelect.Visible());
  EXPECT_EQ(Rows().size(), 5u);
  EXPECT_EQ(Selected(), "Zip Utilities");
  EXPECT_EQ(GetFocus(), form->ListBox1.Handle());

  // Only Edit changed the catalogue; the filter itself never did.
  EXPECT_EQ(form->Cat.ProgramList.size(), 5u);
  EXPECT_EQ(form->Cat.ProgramList.back()->Name, "Zip Utilities");
}

TEST_F(FilterOnMainWindow, FindAsYouTypeAndTheCatalogueUntouched) {
  form->ppFind1Click();
  form->EdtFind.SetText("e");
  form->EdtFind.SetText("");
  EXPECT_FALSE(form->Cat.Modified);
  form->ListBox1.SetFocus();
  const HWND list = form->ListBox1.Handle();
  clock.ticks = 10000;
  Type(list, "t");
  EXPECT_EQ(Selected(), "Tetris");
  EXPECT_EQ(Info(), "  None Available.");  // the panes follow the selection
  clock.ticks += 300;
  Type(list, "e");
  EXPECT_EQ(Selected(), "Tetris");
  clock.ticks += 300;
  Type(list, "x");
  EXPECT_EQ(Selected(), "Text Editor");
  EXPECT_EQ(Info(), "  Edits plain text");
  clock.ticks += 2000;
  Type(list, " ");  // after a pause, Space marks
  EXPECT_EQ(form->Marks.Count(), 1);
  EXPECT_EQ(Selected(), "Text Editor");
}

}  // namespace
}  // namespace tallimo
