// Drive token replacement, the once-per-command drive question, and the drive list's items.
#include <gtest/gtest.h>

#include "install/drive_list.h"
#include "install/drive_token.h"

namespace tallimo {
namespace {

TEST(DriveToken, ReplacesEveryExactTokenAndNothingElse) {
  struct Case {
    const char* line;
    const char* expected;
  };
  const Case cases[] = {
      {"copy %D:\\a %D:\\b", "copy e:\\a e:\\b"},
      {"%D:%D:", "e:e:"},
      {"%d:\\setup.exe", "%d:\\setup.exe"},  // lower-case d is not a token
      {"%D\\setup.exe", "%D\\setup.exe"},    // no colon
      {"%D", "%D"},
      {"%%D::", "%e::"},
      {"%D:", "e:"},
      {"", ""},
      {"x %D %D: %D", "x %D e: %D"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplaceDriveTokens(c.line, 'e'), c.expected) << c.line;
    EXPECT_EQ(HasDriveToken(c.line), std::string(c.line) != c.expected) << c.line;
  }
}

TEST(DriveToken, ATokenFormedByTheInsertedLetterIsReplacedToo) {
  // Leftmost first until none is left: with the letter D, "%%D:" becomes "%D:" and then "D:".
  EXPECT_EQ(ReplaceDriveTokens("%%D:", 'D'), "D:");
  EXPECT_EQ(ReplaceDriveTokens("%%%D:", 'D'), "D:");
  EXPECT_EQ(ReplaceDriveTokens("%D:D:", '%'), "%:D:");
}

TEST(PrepareInstallLines, AsksOnceAtTheFirstTokenAndNeverWithoutOne) {
  int asked = 0;
  DriveChooser chooser = [&]() -> std::optional<char> {
    ++asked;
    return 'e';
  };
  auto none = PrepareInstallLines({"setup.exe", "%d:", "readme.txt"}, chooser);
  ASSERT_TRUE(none);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(*none, (StringList{"setup.exe", "%d:", "readme.txt"}));

  auto several = PrepareInstallLines({"md x", "copy %D:\\a %D:\\b", "", "%D:\\go %D:"}, chooser);
  ASSERT_TRUE(several);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(*several, (StringList{"md x", "copy e:\\a e:\\b", "", "e:\\go e:"}));

  // A second command asks again.
  ASSERT_TRUE(PrepareInstallLines({"%D:"}, chooser));
  EXPECT_EQ(asked, 2);
}

TEST(PrepareInstallLines, KeepsLinesAsTheyAre) {
  auto prepared = PrepareInstallLines({"  spaced  ", "\"quoted %D:\"", "a\tb"},
                                      [] { return std::optional<char>('f'); });
  ASSERT_TRUE(prepared);
  EXPECT_EQ(*prepared, (StringList{"  spaced  ", "\"quoted f:\"", "a\tb"}));
}

TEST(PrepareInstallLines, TakesTheLetterInLowerCase) {
  auto prepared = PrepareInstallLines({"%D:\\x"}, [] { return std::optional<char>('G'); });
  ASSERT_TRUE(prepared);
  EXPECT_EQ(prepared->front(), "g:\\x");
}

TEST(PrepareInstallLines, AnAbandonedChoiceCancels) {
  EXPECT_FALSE(PrepareInstallLines({"a", "%D:\\b"}, [] { return std::optional<char>(); }));
  EXPECT_FALSE(PrepareInstallLines({"%D:"}, DriveChooser()));
}

TEST(DriveList, ItemTextShowsNamesExceptForRemovableDrives) {
  EXPECT_EQ(DriveItemText({'a', TDriveType::dtRemovable, "FLOPPY"}), "a:");
  EXPECT_EQ(DriveItemText({'c', TDriveType::dtFixed, "SYSTEM"}), "c: SYSTEM");
  EXPECT_EQ(DriveItemText({'c', TDriveType::dtFixed, ""}), "c:");
  EXPECT_EQ(DriveItemText({'n', TDriveType::dtNetwork, "\\\\server\\share"}),
            "n: \\\\server\\share");
  EXPECT_EQ(DriveItemText({'d', TDriveType::dtCDROM, "DEMO_DISC"}), "d: DEMO_DISC");
}

TEST(DriveList, FindsTheCurrentDriveInEitherCase) {
  std::vector<DriveInfo> drives{{'a', TDriveType::dtRemovable, ""},
                                {'c', TDriveType::dtFixed, "SYS"},
                                {'d', TDriveType::dtCDROM, "CD"}};
  EXPECT_EQ(DriveIndexOf(drives, 'c'), 1);
  EXPECT_EQ(DriveIndexOf(drives, 'D'), 2);
  EXPECT_EQ(DriveIndexOf(drives, 'z'), -1);
  EXPECT_EQ(DriveIndexOf(drives, 0), -1);
}

}  // namespace
}  // namespace tallimo
