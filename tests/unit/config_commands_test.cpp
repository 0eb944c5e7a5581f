// The configuration commands over fakes: how General Info, Read INI File, Write INI File, Write
// INI As and the closing question change Modified, IniFileName and WriteDate, and what they ask.
#include "catalogue/config_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "catalogue/unread_lines.h"
#include "catalogue_fakes.h"
#include "fakes/fake_prompter.h"

namespace tallimo {
namespace {

using testing::EnglishLocale;
using testing::FakePrompter;
using testing::FixedClock;
using testing::MemoryFileSystem;

constexpr const char* kIni = "C:\\Disc\\menu.ini";
constexpr const char* kOther = "C:\\Other\\other.ini";
constexpr const char* kOnDisk = "[General]\r\nCaption=On disk\r\n[Program1]\r\nName=A\r\n";
constexpr const char* kNow = "Mon, 7 Dec 2026, 3:06 pm";  // the fixed clock
constexpr const char* kLoaded = "Sat, 5 Dec 2026, 1:00 pm";
constexpr auto Yes = TModalResult::mrYes, No = TModalResult::mrNo, Cancel = TModalResult::mrCancel;

// The General Info dialog: records its title and fields, applies an edit, answers OK or Cancel.
class FakeGeneralInfo : public GeneralInfoEditor {
 public:
  bool confirm = true;
  std::optional<GeneralInfoFields> typed;  // what the user leaves in the fields
  std::vector<std::string> titles;
  std::vector<GeneralInfoFields> shown;
  bool Edit(const std::string& title, GeneralInfoFields& fields) override {
    titles.push_back(title);
    shown.push_back(fields);
    if (typed) fields = *typed;
    return confirm;
  }
};

class ConfigCommandsTest : public ::testing::Test {
 protected:
  ConfigCommandsTest() {
    files.files[kIni] = kOnDisk;
    cat.IniFileName = kIni;
    cat.ConfigCaption = "Disc";
    cat.CreatedBy = "Team";
    cat.NoteLines = {"one", ""};
    cat.WriteDate = kLoaded;
    clock.time = {2026, 12, 7, 1, 15, 6, 0};
  }
  ConfigCommands Commands() {
    return ConfigCommands({files, locale, clock, prompter, dialog}, cat,
                          {[this] { ++refreshed; }, [this](const std::string& t) { title = t; }});
  }
  bool Written() const { return files.files.count("C:\\Disc\\menu.old") > 0; }

  MemoryFileSystem files;
  EnglishLocale locale;
  FixedClock clock;
  FakePrompter prompter;
  FakeGeneralInfo dialog;
  Catalogue cat;
  int refreshed = 0;
  std::string title = "(unchanged)";
};

TEST_F(ConfigCommandsTest, GeneralInfoSetsModifiedAndWriteDateOnlyWhenConfirmed) {
  struct Case {
    const char* name;
    bool confirm;
    std::optional<GeneralInfoFields> typed;
    bool modified;
    const char* caption;
    const char* writeDate;
    const char* title;
  } cases[] = {
      {"confirmed unchanged", true, std::nullopt, true, "Disc", kNow, "Tallimo - Disc"},
      {"confirmed edited", true, GeneralInfoFields{"New", "Me", {"a long note", "", "b"}}, true,
       "New", kNow, "Tallimo - New"},
      {"caption emptied", true, GeneralInfoFields{"", "Team", {}}, true, "", kNow, "Tallimo"},
      {"cancelled after typing", false, GeneralInfoFields{"New", "Me", {}}, false, "Disc", kLoaded,
       "(unchanged)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cat.ConfigCaption = "Disc";
    cat.CreatedBy = "Team";
    cat.NoteLines = {"one", ""};
    cat.WriteDate = kLoaded;
    cat.Modified = false;
    title = "(unchanged)";
    dialog = FakeGeneralInfo();
    dialog.confirm = c.confirm;
    dialog.typed = c.typed;
    Commands().GeneralInfo();
    ASSERT_EQ(dialog.titles, std::vector<std::string>{std::string("Tallimo - ") + kLoaded});
    EXPECT_EQ(dialog.shown[0].ConfigCaption, "Disc");
    EXPECT_EQ(dialog.shown[0].NoteLines, (StringList{"one", ""}));
    EXPECT_EQ(cat.Modified, c.modified);
    EXPECT_EQ(cat.ConfigCaption, c.caption);
    EXPECT_EQ(cat.WriteDate, c.writeDate);
    EXPECT_EQ(title, c.title);
    if (c.confirm && c.typed) {
      EXPECT_EQ(cat.CreatedBy, c.typed->CreatedBy);
      EXPECT_EQ(cat.NoteLines, c.typed->NoteLines);
    }
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_FALSE(Written());
  }
}

// The closing question and what each answer does, with a save that fails and a file on disk
// holding lines that the catalogue does not.
TEST_F(ConfigCommandsTest, CloseQueryAnswers) {
  struct Case {
    const char* name;
    bool modified;
    std::vector<TModalResult> answers;
    bool unreadOnDisk;
    bool writeFails;
    bool closes;
    bool written;
    std::vector<std::string> titles;  // of the boxes shown
  } cases[] = {
      {"unchanged", false, {}, false, false, true, false, {}},
      {"yes saves", true, {Yes}, false, false, true, true, {"Confirm"}},
      {"no discards", true, {No}, false, false, true, false, {"Confirm"}},
      {"cancel stays", true, {Cancel}, false, false, false, false, {"Confirm"}},
      {"failed save stays",
       true,
       {Yes},
       false,
       true,
       false,
       false,
       {"Confirm", "Tallimo Menu/Install System"}},
      {"unread lines kept", true, {Yes, No}, true, false, false, false, {"Confirm", "Confirm"}},
      {"unread lines dropped", true, {Yes, Yes}, true, false, true, true, {"Confirm", "Confirm"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    files = MemoryFileSystem();
    files.files[kIni] = std::string(kOnDisk) + (c.unreadOnDisk ? "Instal1=typo\r\n" : "");
    if (c.writeFails) files.failAt = 1;
    prompter = FakePrompter();
    prompter.answers.assign(c.answers.begin(), c.answers.end());
    cat.Modified = c.modified;
    cat.WriteDate = kLoaded;

    EXPECT_EQ(Commands().CloseQuery(), c.closes);
    EXPECT_EQ(Written(), c.written);
    EXPECT_EQ(cat.Modified, c.modified && !c.written);
    EXPECT_EQ(cat.WriteDate, c.written ? kNow : kLoaded);
    std::vector<std::string> titles;
    for (const auto& box : prompter.boxes) titles.push_back(box.title);
    EXPECT_EQ(titles, c.titles);
    EXPECT_EQ(prompter.unscripted, 0);
    if (c.modified) {
      const auto& q = prompter.boxes[0];
      EXPECT_EQ(q.text,
                "Changes have been made which have not been saved. Would you like to save all "
                "changes now?");
      EXPECT_EQ(q.icon, TMsgDlgType::mtConfirmation);
      EXPECT_EQ(q.buttons, (std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo,
                                                    TMsgDlgBtn::mbCancel}));
      EXPECT_EQ(q.enterAnswer, Yes);
    }
    if (c.writeFails) {
      EXPECT_EQ(prompter.boxes[1].text, "Unable to write to C:\\Disc\\menu.ini.");
    }
    if (c.unreadOnDisk) {
      const auto& q = prompter.boxes[1];
      EXPECT_EQ(q.text,
                "C:\\Disc\\menu.ini holds 1 lines that Tallimo does not read, the first at line "
                "5: Instal1=typo.\rSaving will drop them. Save anyway?");
      EXPECT_EQ(q.buttons, (std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}));
      EXPECT_EQ(q.enterAnswer, No);
      if (!c.written) {
        EXPECT_EQ(files.files[kIni], std::string(kOnDisk) + "Instal1=typo\r\n");
      }
    }
  }
}

// Which lines of a file count as not read, how many, and the line shown.
TEST(UnreadLines, CountsEveryLineWhoseContentDoesNotReachTheCatalogue) {
  const std::string longLine = "Info3=" + std::string(70, 'x');
  struct Case {
    const char* name;
    std::string text;
    size_t count, first;
    std::string shown;
  } cases[] = {
      {"clean, with comments and blanks",
       "; menu\r\n\r\n[General]\r\nCaption=C\r\nNote1=a\r\n[Program1]\r\nName=A\r\nBatch=1\r\n", 0,
       0, ""},
      {"misspelt Name hides every entry",
       "[General]\nCaption=C\n[Program1]\nNmae=Editor\nInstall1=x\n[Program2]\nName=B\n", 5, 3,
       "[Program1]"},
      {"gap in the notes, line without =", "[General]\nNote1=a\nNote3=c\njunk\n", 2, 3, "Note3=c"},
      {"gap in the sections", "[Program1]\nName=A\n[Program3]\nName=C\nInfo1=i\n", 3, 3,
       "[Program3]"},
      {"duplicates", "[General]\nCaption=a\n  caption = b  \n[general]\nNote1=x\n", 3, 3,
       "caption = b"},
      {"unknown section, key before any section", "Caption=x\n[Extras]\nA=1\n", 3, 1, "Caption=x"},
      {"shown line cut at 60", "[Program1]\nName=A\nInfo1=i\n" + longLine + "\n", 1, 4,
       longLine.substr(0, 60)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<UnreadLines> unread = FindUnreadLines(c.text);
    if (c.count == 0) {
      EXPECT_FALSE(unread);
      continue;
    }
    ASSERT_TRUE(unread);
    EXPECT_EQ(unread->count, c.count);
    EXPECT_EQ(unread->firstLine, c.first);
    EXPECT_EQ(UnreadLinesText("D.INI", *unread),
              "D.INI holds " + std::to_string(c.count) +
                  " lines that Tallimo does not read, the first at line " +
                  std::to_string(c.first) + ": " + c.shown + ".");
  }
}

// Read INI File asks first about unsaved changes: Yes saves then reads (a failed save reads
// nothing), No reads, Cancel does nothing; reading clears Modified and follows the caption.
TEST_F(ConfigCommandsTest, ReadIniFileAsksBeforeItDropsChanges) {
  struct Case {
    const char* name;
    bool modified;
    std::vector<TModalResult> answers;
    const char* chosen;  // "" cancels the open dialog
    bool writeFails;
    bool read, saved;
  } cases[] = {
      {"unchanged", false, {}, kOther, false, true, false},
      {"dialog cancelled", false, {}, "", false, false, false},
      {"changes: cancel", true, {Cancel}, kOther, false, false, false},
      {"changes: no", true, {No}, kOther, false, true, false},
      {"changes: yes", true, {Yes}, kOther, false, true, true},
      {"changes: yes, save fails", true, {Yes}, kOther, true, false, false},
  };
  std::optional<FileDialogOptions> shown;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    files = MemoryFileSystem();
    files.files[kIni] = kOnDisk;
    files.files[kOther] = "[General]\nCaption=Other\nWriteDate=Then\n[Program1]\nName=X\n";
    if (c.writeFails) files.failAt = 1;
    prompter = FakePrompter();
    prompter.answers.assign(c.answers.begin(), c.answers.end());
    prompter.paths = {c.chosen};
    cat.IniFileName = kIni;
    cat.ConfigCaption = "Disc";
    cat.WriteDate = kLoaded;
    cat.Modified = c.modified;
    refreshed = 0;
    title = "(unchanged)";

    Commands().ReadIniFile();
    EXPECT_EQ(cat.IniFileName, c.read ? kOther : kIni);
    EXPECT_EQ(cat.ConfigCaption, c.read ? "Other" : "Disc");
    EXPECT_EQ(cat.WriteDate, c.read ? "Then" : c.saved ? kNow : kLoaded);
    EXPECT_EQ(cat.Modified, c.modified && !c.read && !c.saved);
    EXPECT_EQ(refreshed, c.read ? 1 : 0);
    EXPECT_EQ(title, c.read ? "Tallimo - Other" : "(unchanged)");
    EXPECT_EQ(Written(), c.saved);
    EXPECT_EQ(prompter.unscripted, 0);
    if (!prompter.fileDialogs.empty()) {
      EXPECT_FALSE(prompter.fileDialogs[0].save);
      shown = prompter.fileDialogs[0].options;
    }
  }
  ASSERT_TRUE(shown);
  const FileDialogOptions& o = *shown;
  EXPECT_EQ(o.title, "Tallimo - Open Config file...");
  EXPECT_EQ(o.filter, "INI files (*.ini)|*.ini|All Files|*");
  EXPECT_EQ(o.defaultExt, "ini");
  EXPECT_EQ(o.initialDir, "C:\\Disc\\");
  EXPECT_TRUE(o.pathMustExist && o.fileMustExist);
}

// Write INI As: the chosen name becomes IniFileName even when the save fails, and an existing
// file chosen there is replaced without the unread-lines question (the dialog has asked).
TEST_F(ConfigCommandsTest, WriteIniAsTakesTheNewNameAndDoesNotAskAgain) {
  files.files[kOther] = "[General]\nTypo=1\n";
  prompter.paths = {kOther};
  cat.Modified = true;
  Commands().WriteIniAs();
  EXPECT_EQ(cat.IniFileName, kOther);
  EXPECT_FALSE(cat.Modified);
  EXPECT_EQ(files.files["C:\\Other\\other.old"], "[General]\nTypo=1\n");
  EXPECT_TRUE(prompter.boxes.empty());
  const FileDialogOptions& o = prompter.fileDialogs.at(0).options;
  EXPECT_TRUE(prompter.fileDialogs[0].save);
  EXPECT_EQ(o.title, "Save Tallimo Config as...");
  EXPECT_EQ(o.filter, "INI Files|*.ini|All Files|*");
  EXPECT_EQ(o.defaultExt, "ini");
  EXPECT_EQ(o.initialDir, "C:\\Disc\\");
  EXPECT_TRUE(o.overwritePrompt && o.hideReadOnly);

  // Write INI File goes to the new name from now on; a failing one keeps Modified.
  cat.Modified = true;
  EXPECT_TRUE(Commands().WriteIniFile());
  EXPECT_NE(files.files[kOther].find("Caption=Disc"), std::string::npos);
  prompter.paths = {"D:\\ro.ini"};
  files.failAt = files.changes + 1;
  cat.Modified = true;
  Commands().WriteIniAs();
  EXPECT_EQ(cat.IniFileName, "D:\\ro.ini");
  EXPECT_TRUE(cat.Modified);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text, "Unable to write to D:\\ro.ini.");
  // A cancelled dialog changes nothing.
  prompter.paths = {""};
  Commands().WriteIniAs();
  EXPECT_EQ(cat.IniFileName, "D:\\ro.ini");
}

TEST(ConfigText, FolderPartAndTitle) {
  EXPECT_EQ(FolderPart("C:\\Disc\\menu.ini"), "C:\\Disc\\");
  EXPECT_EQ(FolderPart("C:menu.ini"), "C:");
  EXPECT_EQ(FolderPart("menu.ini"), "");
  EXPECT_EQ(MainWindowTitle("Utility Collection 3"), "Tallimo - Utility Collection 3");
  EXPECT_EQ(MainWindowTitle(""), "Tallimo");
}

}  // namespace
}  // namespace tallimo
