// The Drive dialog driven in-process: its layout and drive list, a drive chosen with the keys,
// the choice kept between runs, and the ways of closing it without a choice.
#include <gtest/gtest.h>
#include <windows.h>

#include "install/drive_dialog.h"
#include "platform/screen.h"
#include "ui/application.h"

namespace tallimo {
namespace {

class FakeDrives final : public Drives {
 public:
  std::vector<DriveInfo> drives{{'a', TDriveType::dtRemovable, ""},
                                {'c', TDriveType::dtFixed, "SYSTEM"},
                                {'d', TDriveType::dtCDROM, "DEMO_DISC"},
                                {'n', TDriveType::dtNetwork, "\\\\srv\\share"}};
  char current = 'c';
  std::vector<DriveInfo> ListDrives() override { return drives; }
  char CurrentDrive() override { return current; }
};

std::string ItemText(HWND combo, int index) {
  char text[256] = {};
  SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

// Closes a dialog that a test failed to close, so that a fault cannot hang the run.
HWND g_guarded = nullptr;
bool g_guardFired = false;
void CALLBACK Guard(HWND, UINT, UINT_PTR, DWORD) {
  g_guardFired = true;
  if (g_guarded) PostMessageA(g_guarded, WM_CLOSE, 0, 0);
}

class DriveDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::App().SetScreen(&screen);
    dialog.Create();
    g_guarded = dialog.Handle();
    g_guardFired = false;
    guard = SetTimer(nullptr, 0, 5000, &Guard);
  }
  void TearDown() override {
    KillTimer(nullptr, guard);
    g_guarded = nullptr;
    EXPECT_FALSE(g_guardFired) << "the dialog did not close by itself";
    dialog.DestroyHandle();
    ui::App().SetScreen(nullptr);
    ui::App().Restart();
  }
  HWND Combo() const { return dialog.DriveComboBox1.Handle(); }
  void PostKey(HWND to, WPARAM key) {
    PostMessageA(to, WM_KEYDOWN, key, 1);
    PostMessageA(to, WM_KEYUP, key, 0xC0000001);
  }

  FixedScreen screen{120, 1024, 768};
  FakeDrives drives;
  TFTallimodrive dialog{drives, HostSystemColors()};
  UINT_PTR guard = 0;
};

TEST_F(DriveDialogTest, IsLaidOutAsDesigned) {
  HWND h = dialog.Handle();
  char caption[64] = {};
  GetWindowTextA(h, caption, sizeof caption);
  EXPECT_STREQ(caption, "Tallimo - Drive");
  RECT client;
  GetClientRect(h, &client);
  EXPECT_EQ(client.right, 231);
  EXPECT_EQ(client.bottom, 97);
  const LONG style = GetWindowLongA(h, GWL_STYLE), ex = GetWindowLongA(h, GWL_EXSTYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(ex & WS_EX_CONTEXTHELP);
  RECT window;
  GetWindowRect(h, &window);
  EXPECT_EQ(window.left, 200);
  EXPECT_EQ(window.top, 108);

  EXPECT_EQ(dialog.Label1.Caption(), "Which drive  would you like to install to?");
  EXPECT_EQ(dialog.Label1.Font().name, "MS Serif");
  EXPECT_EQ(dialog.Label1.Font().color, clAqua);
  EXPECT_EQ(dialog.Gradient1.ColorStart(), clNavy);
  EXPECT_EQ(dialog.Gradient1.ColorEnd(), clGreen);
  EXPECT_EQ(dialog.DriveComboBox1.HelpContext, 40);
  EXPECT_EQ(dialog.BitBtn1.HelpContext, 40);
  EXPECT_TRUE(GetWindowLongA(dialog.BitBtn1.Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_EQ(SendMessageA(dialog.BitBtn1.Handle(), WM_GETTEXTLENGTH, 0, 0), 0);  // no caption
  // The program's check mark: the test program links the program's pictures.
  EXPECT_NE(SendMessageA(dialog.BitBtn1.Handle(), BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  RECT combo;
  GetWindowRect(Combo(), &combo);
  EXPECT_EQ(combo.right - combo.left, 159);
}

TEST_F(DriveDialogTest, ListsTheDrivesAndStartsOnTheCurrentOne) {
  ASSERT_EQ(SendMessageA(Combo(), CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(ItemText(Combo(), 0), "a:");
  EXPECT_EQ(ItemText(Combo(), 1), "c: SYSTEM");
  EXPECT_EQ(ItemText(Combo(), 2), "d: DEMO_DISC");
  EXPECT_EQ(ItemText(Combo(), 3), "n: \\\\srv\\share");
  EXPECT_EQ(SendMessageA(Combo(), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(dialog.DriveComboBox1.Drive(), 'c');
}

TEST_F(DriveDialogTest, ADriveChosenWithTheKeysIsReturnedAndKept) {
  PostKey(Combo(), VK_DOWN);  // c -> d
  PostKey(Combo(), VK_RETURN);
  EXPECT_EQ(dialog.ChooseDrive(), 'd');
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));

  // The next run opens on d; Enter alone takes it.
  PostKey(Combo(), VK_RETURN);
  EXPECT_EQ(dialog.ChooseDrive(), 'd');

  // The check-mark button as a mouse click gives the same.
  PostKey(Combo(), VK_UP);  // d -> c
  PostMessageA(dialog.BitBtn1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(dialog.BitBtn1.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(dialog.ChooseDrive(), 'c');
}

TEST_F(DriveDialogTest, TheCloseBoxAndEscapeGiveNoDrive) {
  PostKey(Combo(), VK_DOWN);
  PostMessageA(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(dialog.ChooseDrive(), std::nullopt);
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));

  PostKey(Combo(), VK_ESCAPE);
  EXPECT_EQ(dialog.ChooseDrive(), std::nullopt);

  // The list keeps what it showed.
  PostKey(Combo(), VK_RETURN);
  EXPECT_EQ(dialog.ChooseDrive(), 'd');
}

TEST_F(DriveDialogTest, NoDriveSelectedGivesNoDrive) {
  drives.drives.erase(drives.drives.begin() + 1);  // c goes away before the run
  PostKey(Combo(), VK_RETURN);
  EXPECT_EQ(dialog.ChooseDrive(), std::nullopt);
  EXPECT_EQ(SendMessageA(Combo(), CB_GETCOUNT, 0, 0), 3);
}

}  // namespace
}  // namespace tallimo
