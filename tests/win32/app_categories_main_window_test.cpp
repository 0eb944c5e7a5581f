// Categories, marks from the start and presets on the real main window.
#include <gtest/gtest.h>
#include <windows.h>

#include "ui/application.h"
#include "win32/main_window_fixture.h"

namespace tallimo {
namespace {

class CategoriesOnMainWindow : public MainWindowFixture<> {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    files.files["C:\\Program Files\\Word\\word.exe"] = "";
    environment.values = {{"ProgramFiles", "C:\\Program Files"}};
    files.files["C:\\Disc\\menu.ini"] =
        "[Program1]\r\nName=Word\r\nCategory=Office\r\nPresets=Office PC\r\nDefault=1\r\n"
        "Detect=%ProgramFiles%\\Word\\word.exe\r\nInstall1=word.exe\r\n"
        "[Program2]\r\nName=Calc\r\nCategory=office\r\nDefault=1\r\nInstall1=calc.exe\r\n"
        "[Program3]\r\nName=Zip\r\nCategory=Tools\r\nPresets=office pc\r\nInstall1=zip.exe\r\n"
        "[Program4]\r\nName=Other\r\nInstall1=other.exe\r\n";
    CreateMainForm("T.exe C:\\Disc\\menu.ini", "C:\\Disc\\T.exe");
  }
  std::string Marked() {
    std::string names;
    for (const auto& e : form->Cat.ProgramList)
      names += form->Marks.IsMarked(e.get()) ? e->Name + ";" : "";
    return names;
  }
  void Type(char c) {
    PostMessageW(form->ListBox1.Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
    ui::App().ProcessMessages();
  }
};

TEST_F(CategoriesOnMainWindow, HeadersGroupTheListMarkTheirProgramsAndAreNoProgram) {
  form->Show();
  ui::App().ProcessMessages();  // painted, then detection: Word's default mark goes
  ASSERT_TRUE(WaitForDetection());
  EXPECT_EQ(form->ListBox1.Rows(),
            (StringList{"Office", "Calc", "Word", "Tools", "Zip", "Other programs", "Other"}));
  EXPECT_EQ(Marked(), "Calc;");
  // A header on the button face, with no dotted line under it.
  RECT r{};
  SendMessageW(form->ListBox1.Handle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  UpdateWindow(form->ListBox1.Handle());
  HDC dc = GetDC(form->ListBox1.Handle());
  EXPECT_EQ(GetPixel(dc, r.right - 3, r.bottom - 1), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(form->ListBox1.Handle(), dc);

  // Selecting a header selects no program; a command on one asks for it.
  SelectRow(2);
  SelectRow(0);
  EXPECT_EQ(form->MemoInfo.Lines(), (StringList{"", " Select a Program."}));
  form->ppEditProcedure1Click();
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text, "You must first select an item!");
  // Space on it marks its category, then unmarks it; find as you type passes over headers.
  Type(' ');
  EXPECT_EQ(Marked(), "Word;Calc;");
  Type(' ');
  EXPECT_EQ(Marked(), "");
  Type('o');
  EXPECT_EQ(form->ListBox1.Selection().Top, 6);  // Other, not the header Office

  // Mark Preset: exactly the preset's programs, less the installed Word.
  form->PopupMenu1.OnPopup();
  ASSERT_EQ(form->ppMarkPreset1->Items().size(), 1u);
  EXPECT_EQ(form->ppMarkPreset1->Items()[0]->Caption, "&1 Office PC");
  form->ppMarkPreset1->Items()[0]->Click();
  EXPECT_EQ(Marked(), "Zip;");
}

TEST_F(CategoriesOnMainWindow, DefaultMarksStayWhenThePersonChangedMarksBeforeDetection) {
  form->ListBox1.SelectRow(6);
  form->ppMarkForInstall1Click();
  form->Show();
  ui::App().ProcessMessages();
  ASSERT_TRUE(WaitForDetection());
  EXPECT_EQ(Marked(), "Word;Calc;Other;");
}

}  // namespace
}  // namespace tallimo
