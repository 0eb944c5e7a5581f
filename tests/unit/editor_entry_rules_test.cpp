// The Add/Edit dialog's rules as tables.
#include <gtest/gtest.h>

#include "editor/entry_rules.h"

namespace tallimo {
namespace {

TEST(EntryRules, AbsolutePathsLoseOnlyTheirDriveAndPickersRememberTheFolder) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      // path, without its drive, folder for the next picker
      {"D:\\EDITOR\\EDITOR.NFO", "\\EDITOR\\EDITOR.NFO", "D:\\EDITOR"},
      {"D:\\README.TXT", "\\README.TXT", "D:\\"},
      {"C:", "", "C:"},                         // two characters: an empty line
      {"%D:\\GO.BAT", "%D:\\GO.BAT", "%D:\\"},  // the drive placeholder is not a drive
      {"\\\\server\\share\\SETUP.EXE", "\\\\server\\share\\SETUP.EXE", "\\\\server\\share"},
      {"\\SETUP.EXE", "\\SETUP.EXE", "\\"},
      {"C", "C", ""},
      {"C:\\" + std::string(297, 'x'), "\\" + std::string(297, 'x'), "C:\\"},  // nothing cut
  };
  for (const auto& [path, relative, folder] : cases) {
    EXPECT_EQ(WithoutDrive(path), relative) << path;
    EXPECT_EQ(IsAbsolutePath(path), relative != path) << path;
    EXPECT_EQ(FolderOfFile(path), folder) << path;
  }
  std::string nfo;
  StringList install{"", "x", "%D:\\GO.BAT", "E:\\SETUP.EXE", "C:"};
  EXPECT_FALSE(HasAbsolutePath(nfo, {"", "x", "%D:\\GO.BAT"}));
  EXPECT_TRUE(HasAbsolutePath(nfo, install));
  ConvertToRelativePaths(nfo, install);
  EXPECT_EQ(install, (StringList{"", "x", "%D:\\GO.BAT", "\\SETUP.EXE", ""}));
  EXPECT_EQ(nfo, "");
}

TEST(EntryRules, TrailingBlankLinesGoButNeverTheFirstAndAnEntryNeedsNameAndProcedure) {
  const std::pair<StringList, StringList> cases[] = {
      {{"text", "", "   "}, {"text"}},
      {{"", " ", "\t"}, {""}},                // only blank lines: the first remains
      {{"a", "", "b", " "}, {"a", "", "b"}},  // blank lines inside stay
      {{"a", "\x01\x1f "}, {"a"}},            // every code up to 32 is blank
      {{"a", "\xa0"}, {"a", "\xa0"}},         // a code above 32 is not
      {{}, {}},
  };
  for (const auto& [lines, trimmed] : cases) {
    StringList result = lines;
    const bool trimmed_any = TrimTrailingBlankLines(result);
    EXPECT_EQ(trimmed_any, trimmed.size() != lines.size());
    EXPECT_EQ(result, trimmed);
  }
  EXPECT_TRUE(EntryIsComplete("A", "\r\n"));  // a lone line break passes
  EXPECT_TRUE(EntryIsComplete(" A ", " "));
  for (const char* blanks : {" ", "   ", "\t", " \t "})  // an invisible row is no name
    EXPECT_FALSE(EntryIsComplete(blanks, "setup.exe"));
  EXPECT_FALSE(EntryIsComplete("", "setup.exe"));
  EXPECT_FALSE(EntryIsComplete("Editor", ""));
}

}  // namespace
}  // namespace tallimo
