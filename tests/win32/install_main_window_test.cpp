// The install commands on the real main window: enabled, reached from the buttons and the
// popup items, the missing-procedure error, the close that follows it, and a batch file that
// cannot be created going to the error report with the window left open. Copy Serial too.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "install/install_runner.h"
#include "ui/application.h"
#include "win32/main_window_fixture.h"

namespace tallimo {
namespace {

constexpr const char* kCatalogue =
    "[General]\r\nCaption=Install\r\n"
    "[Program1]\r\nName=Empty\r\nBatch=1\r\n"
    "[Program2]\r\nName=Setup\r\nBatch=1\r\nInstall1=setup.exe\r\nSerial1=abc\r\nSerial2=def\r\n";
constexpr const char* kPath = "C:\\Disc\\menu.ini";

class InstallOnMainWindow : public MainWindowFixture<> {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    files.files[kPath] = kCatalogue;
    CreateMainForm(std::string("\"C:\\Disc\\Tallimo.exe\" \"") + kPath + "\"",
                   "C:\\Disc\\Tallimo.exe");
    form->Show();
    ui::App().ProcessMessages();
  }

  void SelectRow(int row) {
    HWND list = form->ListBox1.Handle();
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    ui::App().ProcessMessages();
  }
  void ClickButton(ui::Button& button) {
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    ui::App().ProcessMessages();
  }
};

TEST_F(InstallOnMainWindow, TheCommandsAreEnabledAndWarnWithoutASelection) {
  EXPECT_TRUE(IsWindowEnabled(form->BtnInstall.Handle()));
  EXPECT_TRUE(IsWindowEnabled(form->BtnInstClose.Handle()));
  EXPECT_TRUE(form->ppInstall1->Enabled());
  EXPECT_TRUE(form->ppInstallClose1->Enabled());

  form->ppInstall1->Click();
  form->ppInstallClose1->Click();
  ClickButton(form->BtnInstClose);
  ASSERT_EQ(prompter.boxes.size(), 3u);
  for (const auto& box : prompter.boxes) EXPECT_EQ(box.text, "You must first select an item!");
  EXPECT_TRUE(form->HandleAllocated());  // Install & Close did not close
  EXPECT_FALSE(ui::App().Terminated());
}

TEST_F(InstallOnMainWindow, AMissingProcedureIsAnErrorThenInstallAndCloseCloses) {
  SelectRow(0);  // Empty
  ClickButton(form->BtnInstall);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Error");
  EXPECT_EQ(prompter.boxes[0].text, kNoProcedureMessage);
  EXPECT_EQ(prompter.boxes[0].icon, TMsgDlgType::mtError);
  EXPECT_TRUE(form->HandleAllocated());

  form->ppInstallClose1->Click();
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].text, kNoProcedureMessage);
  EXPECT_FALSE(form->HandleAllocated());  // closed: nothing was changed, so no question
  EXPECT_TRUE(ui::App().Terminated());
}

TEST_F(InstallOnMainWindow, ABatchFileThatCannotBeCreatedGoesToTheErrorReport) {
  SelectRow(1);  // Setup
  files.failAt = files.changes + 1;
  ClickButton(form->BtnInstClose);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  const std::string text = prompter.boxes[0].text;
  EXPECT_EQ(prompter.boxes[0].title, "Tallimo Menu/Install System");
  EXPECT_EQ(text.substr(0, 22), "Cannot create file C:\\");  // TEMP is not a folder of `files`
  EXPECT_EQ(text.size(), 22u + 12u + 1u) << text;            // TLM-xxxx.bat and the full stop
  EXPECT_EQ(text.substr(22, 4), "TLM-");
  EXPECT_EQ(text.substr(30), ".bat.");
  EXPECT_EQ(form->InstallScript, StringList{"setup.exe"});
  EXPECT_TRUE(form->HandleAllocated());  // Install & Close left the window open
  EXPECT_FALSE(ui::App().Terminated());
}

// Copy Serial is enabled for an entry with serial lines, and the button and the popup item put
// them on the clipboard joined by carriage returns, then confirm.
TEST_F(InstallOnMainWindow, CopySerialPutsTheSelectedEntrysLinesOnTheClipboard) {
  EXPECT_FALSE(IsWindowEnabled(form->BtnSerial.Handle()));
  SelectRow(1);  // "Setup"
  ASSERT_TRUE(IsWindowEnabled(form->BtnSerial.Handle()));
  ASSERT_TRUE(form->ppCopySerial1->Enabled());
  ClickButton(form->BtnSerial);
  EXPECT_EQ(clipboard.text, "abc\rdef");
  clipboard.text.reset();
  form->ppCopySerial1->Click();
  EXPECT_EQ(clipboard.text, "abc\rdef");
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].title, "Information");
  EXPECT_EQ(prompter.boxes[1].text,
            "The following has been copied to the clipboard:\r\r\"abc\rdef\"");
  SelectRow(0);  // "Empty": no serial lines
  EXPECT_FALSE(IsWindowEnabled(form->BtnSerial.Handle()));
}

}  // namespace
}  // namespace tallimo
