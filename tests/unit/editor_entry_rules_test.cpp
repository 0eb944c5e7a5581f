// The Add/Edit dialog's rules as tables: absolute paths, their conversion, the picker's
// folder, trailing blank lines and the entry check.
#include <gtest/gtest.h>

#include "editor/entry_rules.h"

namespace tallimo {
namespace {

TEST(EntryRules, AbsolutePathsLoseOnlyTheirDrive) {
  struct Case {
    std::string path;
    bool absolute;
    std::string relative;
  };
  const Case cases[] = {
      {"D:\\EDITOR\\EDITOR.NFO", true, "\\EDITOR\\EDITOR.NFO"},
      {"E:\\SETUP.EXE", true, "\\SETUP.EXE"},
      {"C:", true, ""},                             // two characters: an empty line
      {"a:setup", true, "setup"},                   // any character before the colon
      {"%D:\\SETUP.EXE", false, "%D:\\SETUP.EXE"},  // the drive placeholder
      {"\\\\server\\share\\SETUP.EXE", false, "\\\\server\\share\\SETUP.EXE"},
      {"\\EDITOR\\X.NFO", false, "\\EDITOR\\X.NFO"},
      {"", false, ""},
      {"C", false, "C"},
      {":", false, ":"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsAbsolutePath(c.path), c.absolute) << c.path;
    EXPECT_EQ(WithoutDrive(c.path), c.relative) << c.path;
  }
  // A long path keeps every character but the drive.
  const std::string longPath = "C:\\" + std::string(297, 'x');
  EXPECT_EQ(WithoutDrive(longPath).size(), 298u);
}

TEST(EntryRules, ThePickersRememberTheFolderOfTheChosenFile) {
  const std::pair<const char*, const char*> cases[] = {
      {"D:\\EDITOR\\EDITOR.NFO", "D:\\EDITOR"},
      {"D:\\README.TXT", "D:\\"},
      {"D:README.TXT", "D:"},
      {"\\\\server\\share\\SETUP.EXE", "\\\\server\\share"},
      {"\\\\SETUP.EXE", "\\\\"},
      {"\\SETUP.EXE", "\\"},
      {"SETUP.EXE", ""},
  };
  for (const auto& [path, folder] : cases) EXPECT_EQ(FolderOfFile(path), folder) << path;
}

TEST(EntryRules, TheFirstAbsolutePathIsFoundAndEveryOneConverted) {
  std::string nfo;
  StringList install{"", "x", "%D:\\GO.BAT", "E:\\SETUP.EXE", "C:", "F:\\MORE.EXE"};
  EXPECT_FALSE(HasAbsolutePath(nfo, {"", "x", "%D:\\GO.BAT"}));  // empty and short lines
  EXPECT_TRUE(HasAbsolutePath(nfo, install));
  EXPECT_TRUE(HasAbsolutePath("D:\\A.NFO", {}));
  ConvertToRelativePaths(nfo, install);
  EXPECT_EQ(nfo, "");
  EXPECT_EQ(install, (StringList{"", "x", "%D:\\GO.BAT", "\\SETUP.EXE", "", "\\MORE.EXE"}));
  nfo = "D:\\EDITOR\\EDITOR.NFO";
  ConvertToRelativePaths(nfo, install);
  EXPECT_EQ(nfo, "\\EDITOR\\EDITOR.NFO");
}

TEST(EntryRules, TrailingBlankLinesGoButNeverTheFirstLine) {
  struct Case {
    StringList lines, trimmed;
  };
  const Case cases[] = {
      {{"text", "", "   "}, {"text"}},
      {{"", " ", "\t"}, {""}},                // only blank lines: the first remains
      {{"a", "", "b", " "}, {"a", "", "b"}},  // blank lines inside stay
      {{" "}, {" "}},
      {{}, {}},
      {{"a", "\x01\x1f "}, {"a"}},     // every code up to 32 is blank
      {{"a", "\xa0"}, {"a", "\xa0"}},  // a code above 32 is not
  };
  for (const Case& c : cases) {
    StringList lines = c.lines;
    const bool trimmed = TrimTrailingBlankLines(lines);
    EXPECT_EQ(trimmed, c.trimmed.size() != c.lines.size());
    EXPECT_EQ(lines, c.trimmed);
  }
}

TEST(EntryRules, AnEntryNeedsANameAndAnInstallText) {
  EXPECT_TRUE(EntryIsComplete("Editor", "setup.exe"));
  EXPECT_TRUE(EntryIsComplete(" ", "\r\n"));  // a blank name and a lone line break pass
  EXPECT_FALSE(EntryIsComplete("", "setup.exe"));
  EXPECT_FALSE(EntryIsComplete("Editor", ""));
}

}  // namespace
}  // namespace tallimo
