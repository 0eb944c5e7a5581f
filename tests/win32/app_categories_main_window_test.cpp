// Categories, marks from the start and presets on the real main window: header rows drawn apart
// and selecting no program, a header's marks, find as you type past headers, Default=1 marks
// taken back by detection, and the Mark Preset submenu.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/application.h"
#include "win32/main_window_fixture.h"

namespace tallimo {
namespace {

constexpr const char* kCatalogue =
    "[Program1]\r\nName=Word\r\nCategory=Office\r\nPresets=Office PC\r\nDefault=1\r\n"
    "Detect=%ProgramFiles%\\Word\\word.exe\r\nInstall1=word.exe\r\nNFO=\\W.NFO\r\n"
    "[Program2]\r\nName=Calc\r\nCategory=office\r\nDefault=1\r\nInstall1=calc.exe\r\n"
    "[Program3]\r\nName=Zip\r\nCategory=Tools\r\nPresets=office pc;Home\r\nInstall1=zip.exe\r\n"
    "[Program4]\r\nName=Other\r\nInstall1=other.exe\r\n";
constexpr const char* kPath = "C:\\Disc\\menu.ini";

class CategoriesOnMainWindow : public MainWindowFixture<> {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    files.files[kPath] = kCatalogue;
    files.files["C:\\Program Files\\Word\\word.exe"] = "";
    environment.values = {{"ProgramFiles", "C:\\Program Files"}};
    CreateMainForm(std::string("T.exe \"") + kPath + "\"", "C:\\Disc\\T.exe");
  }
  void Show() {
    form->Show();
    ui::App().ProcessMessages();
  }
  std::string Marked() {
    std::string names;
    for (const auto& e : form->Cat.ProgramList)
      if (form->Marks.IsMarked(e.get())) names += e->Name + ";";
    return names;
  }
  void Type(const char* text) {
    for (const char* c = text; *c; ++c)
      PostMessageW(form->ListBox1.Handle(), WM_CHAR, static_cast<unsigned char>(*c), 1);
    ui::App().ProcessMessages();
  }
  COLORREF Pixel(int row, bool bottomLine) {
    HWND list = form->ListBox1.Handle();
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    UpdateWindow(list);
    HDC dc = GetDC(list);
    const COLORREF c = GetPixel(dc, r.right - 3, bottomLine ? r.bottom - 1 : r.top + 1);
    ReleaseDC(list, dc);
    return c;
  }
};

TEST_F(CategoriesOnMainWindow, HeadersGroupTheListMarkTheirProgramsAndAreNoProgram) {
  Show();
  EXPECT_EQ(form->ListBox1.Rows(),
            (StringList{"Office", "Calc", "Word", "Tools", "Zip", "Other programs", "Other"}));
  // Drawn on the button face, with no dotted line under it.
  EXPECT_EQ(Pixel(0, false), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(Pixel(0, true), GetSysColor(COLOR_BTNFACE));
  EXPECT_NE(Pixel(1, false), GetSysColor(COLOR_BTNFACE));

  // The default marks, less the installed Word.
  EXPECT_EQ(Marked(), "Calc;");
  EXPECT_EQ(form->LabelSelect.Caption(), "&Select Programs to Install: 1 marked");

  // A header selects no program: the panes' no-selection texts, and a command asks for one.
  SelectRow(2);  // Word: View NFO enabled
  SelectRow(0);
  EXPECT_EQ(form->MemoInfo.Lines(), (StringList{"", " Select a Program."}));
  EXPECT_EQ(form->SelectedEntry(), nullptr);
  form->BtnNFOClick();
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text, "You must first select an item!");
  form->ppEditProcedure1Click();
  EXPECT_EQ(prompter.boxes.size(), 2u);

  // Space on the header marks its category, and again unmarks it; Mark for Install likewise.
  form->ListBox1.SetFocus();
  Type(" ");
  EXPECT_EQ(Marked(), "Word;Calc;");
  Type(" ");
  EXPECT_EQ(Marked(), "");
  form->ListBox1.SelectRow(3);  // Tools
  form->ppMarkForInstall1Click();
  EXPECT_EQ(Marked(), "Zip;");
  EXPECT_EQ(prompter.boxes.size(), 2u);

  // Find as you type passes over the headers: "o" finds Other, not the header Office.
  clock.ticks += 5000;
  form->ListBox1.SelectRow(0);
  Type("o");
  EXPECT_EQ(form->ListBox1.Selection().Top, 6);

  // Mark Preset: the catalogue's presets numbered, exactly one preset's programs less the
  // installed, every other mark cleared.
  form->PopupMenu1.OnPopup();
  ASSERT_TRUE(form->ppMarkPreset1->Enabled());
  ASSERT_EQ(form->ppMarkPreset1->Items().size(), 2u);
  EXPECT_EQ(form->ppMarkPreset1->Items()[0]->Caption, "&1 Office PC");
  EXPECT_EQ(form->ppMarkPreset1->Items()[1]->Caption, "&2 Home");
  form->ListBox1.SelectRow(1);
  form->ppMarkForInstall1Click();  // Calc
  form->ppMarkPreset1->Items()[0]->Click();
  EXPECT_EQ(Marked(), "Zip;");
  form->ppMarkPreset1->Items()[1]->Click();
  EXPECT_EQ(Marked(), "Zip;");
}

TEST_F(CategoriesOnMainWindow, DefaultMarksStayWhenThePersonChangedMarksBeforeDetection) {
  form->ListBox1.SelectRow(6);  // Other, before the window shows and detection runs
  form->ppMarkForInstall1Click();
  Show();
  EXPECT_EQ(Marked(), "Word;Calc;Other;");

  // A catalogue without presets: Mark Preset disabled; Read INI File marks its defaults.
  files.files["C:\\Disc\\b.ini"] = "[Program1]\r\nName=B\r\nDefault=1\r\nInstall1=b.exe\r\n";
  prompter.paths = {"C:\\Disc\\b.ini"};
  form->ReadINIFile1Click();
  form->PopupMenu1.OnPopup();
  EXPECT_FALSE(form->ppMarkPreset1->Enabled());
  EXPECT_EQ(form->ListBox1.Rows(), StringList{"B"});
  EXPECT_EQ(Marked(), "B;");
}

}  // namespace
}  // namespace tallimo
