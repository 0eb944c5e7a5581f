// The configuration commands over fakes: Modified, IniFileName and WriteDate through General
// Info, Read INI File, the Write commands and the closing answers; the unread-lines question.
#include "catalogue/config_commands.h"

#include <gtest/gtest.h>

#include <optional>

#include "catalogue/unread_lines.h"
#include "catalogue_fakes.h"
#include "fakes/fake_prompter.h"

namespace tallimo {
namespace {

constexpr const char *kIni = "C:\\Disc\\menu.ini", *kOther = "C:\\Other\\other.ini";
constexpr const char* kOnDisk = "[General]\r\nCaption=On disk\r\n[Program1]\r\nName=A\r\n";
constexpr const char *kNow = "Mon, 7 Dec 2026, 3:06 pm", *kOld = "Sat, 5 Dec 2026, 1:00 pm";
constexpr auto Y = TModalResult::mrYes, N = TModalResult::mrNo, C = TModalResult::mrCancel;

struct FakeGeneralInfo : GeneralInfoEditor {
  bool confirm = true;
  std::optional<GeneralInfoFields> typed;
  std::string title;
  bool Edit(const std::string& t, GeneralInfoFields& fields) override {
    title = t;
    if (typed) fields = *typed;
    return confirm;
  }
};

// One command's world: the catalogue of kIni, loaded at kOld, with or without changes.
struct World {
  explicit World(bool modified, std::vector<TModalResult> answers = {},
                 std::string disk = kOnDisk) {
    files.files[kIni] = disk;
    files.files[kOther] = "[General]\nCaption=Other\nWriteDate=Then\n";
    prompter.answers.assign(answers.begin(), answers.end());
    cat.IniFileName = kIni;
    cat.Modified = modified;
    cat.ConfigCaption = "Disc";
    cat.NoteLines = {"one", ""};
    cat.WriteDate = kOld;
  }
  ConfigCommands Commands() {
    return ConfigCommands({files, locale, clock, prompter, dialog}, cat,
                          {[this] { ++refreshed; }, [this](const std::string& t) { title = t; }});
  }
  bool Written() { return files.files.count("C:\\Disc\\menu.old") > 0; }
  testing::MemoryFileSystem files;
  testing::EnglishLocale locale;
  testing::FixedClock clock;
  testing::FakePrompter prompter;
  FakeGeneralInfo dialog;
  Catalogue cat;
  int refreshed = 0;
  std::string title = "-";
};

TEST(ConfigCommands, GeneralInfoRenewsTheDateAndSetsModifiedOnlyWhenConfirmed) {
  struct {
    bool confirm;
    std::optional<GeneralInfoFields> typed;
    const char *caption, *writeDate, *title;
  } cases[] = {{true, std::nullopt, "Disc", kNow, "Tallimo - Disc"},
               {true, GeneralInfoFields{"New", "Me", {"a", "", "b"}}, "New", kNow, "Tallimo - New"},
               {true, GeneralInfoFields{"", "Me", {}}, "", kNow, "Tallimo"},
               {false, GeneralInfoFields{"New", "Me", {}}, "Disc", kOld, "-"}};
  for (const auto& c : cases) {
    World w(false);
    w.dialog.confirm = c.confirm;
    w.dialog.typed = c.typed;
    w.Commands().GeneralInfo();
    EXPECT_EQ(w.dialog.title, std::string("Tallimo - ") + kOld);
    EXPECT_EQ(w.cat.Modified, c.confirm);
    EXPECT_EQ(w.cat.ConfigCaption, c.caption);
    EXPECT_EQ(w.cat.NoteLines, (c.confirm && c.typed ? c.typed->NoteLines : StringList{"one", ""}));
    EXPECT_EQ(w.cat.WriteDate, c.writeDate);
    EXPECT_EQ(w.title, c.title);
  }
}

// The closing question; a failed save and the unread-lines question answered No keep it open.
TEST(ConfigCommands, CloseQueryAnswers) {
  const std::string typo = std::string(kOnDisk) + "Instal1=typo\r\n", q = kUnsavedChangesQuestion,
                    failed = "Unable to write to C:\\Disc\\menu.ini.",
                    drop =
                        "C:\\Disc\\menu.ini holds 1 lines that Tallimo does not read, the first "
                        "at line 5: Instal1=typo.\rSaving will drop them. Save anyway?";
  constexpr auto E = TModalResult::mrNone;  // the error report's: it asks nothing
  struct {
    bool modified;
    std::vector<TModalResult> answers;
    std::string disk;
    int failAt;
    bool closes, written;
    std::vector<std::string> texts;
    std::vector<TModalResult> enter;
  } cases[] = {{false, {}, kOnDisk, 0, true, false, {}, {}},
               {true, {Y}, kOnDisk, 0, true, true, {q}, {Y}},
               {true, {N}, kOnDisk, 0, true, false, {q}, {Y}},
               {true, {C}, kOnDisk, 0, false, false, {q}, {Y}},
               {true, {Y}, kOnDisk, 1, false, false, {q, failed}, {Y, E}},
               {true, {Y, N}, typo, 0, false, false, {q, drop}, {Y, N}},
               {true, {Y, Y}, typo, 0, true, true, {q, drop}, {Y, N}}};
  for (const auto& c : cases) {
    World w(c.modified, c.answers, c.disk);
    w.files.failAt = c.failAt;
    EXPECT_EQ(w.Commands().CloseQuery(), c.closes);
    EXPECT_EQ(w.Written(), c.written);
    EXPECT_EQ(w.cat.Modified, c.modified && !c.written);
    EXPECT_EQ(w.cat.WriteDate, c.written ? kNow : kOld);
    std::vector<std::string> texts;
    std::vector<TModalResult> enter;
    for (const auto& box : w.prompter.boxes) texts.push_back(box.text);
    for (const auto& box : w.prompter.boxes) enter.push_back(box.enterAnswer);
    EXPECT_EQ(texts, c.texts);
    EXPECT_EQ(enter, c.enter);
    EXPECT_EQ(w.files.files[kIni] == c.disk, !c.written);
  }
}

TEST(ConfigCommands, UnreadLinesAreEveryLineWhoseContentDoesNotReachTheCatalogue) {
  const std::string wide = "Info3=" + std::string(70, 'x');
  struct {
    std::string text;
    size_t count, first;
    std::string shown;
  } cases[] = {
      {"; note\n\n[General]\nCaption=C\nNote1=a\n[Program1]\nName=A\nBatch=1\n", 0, 0, ""},
      {"[General]\n[Program1]\nNmae=Editor\nInstall1=x\n[Program2]\nName=B\n", 5, 2, "[Program1]"},
      {"[General]\nNote1=a\nNote3=c\njunk\n", 2, 3, "Note3=c"},
      {"[General]\nCaption=a\n  caption = b  \n[general]\nNote1=x\n", 3, 3, "caption = b"},
      {"Caption=x\n[Extras]\nA=1\n", 3, 1, "Caption=x"},
      {"[Program1]\nName=A\nInfo1=i\n" + wide + "\n", 1, 4, wide.substr(0, 60)}};
  for (const auto& c : cases) {
    auto unread = FindUnreadLines(c.text);
    ASSERT_EQ(unread.has_value(), c.count > 0) << c.text;
    if (unread) {
      EXPECT_EQ(UnreadLinesText("D.INI", *unread),
                "D.INI holds " + std::to_string(c.count) +
                    " lines that Tallimo does not read, the first at line " +
                    std::to_string(c.first) + ": " + c.shown + ".");
    }
  }
}

// Read INI File asks first about unsaved changes: Yes saves then reads (a failed save reads
// nothing), No reads, Cancel does nothing; a read clears Modified and the title follows.
TEST(ConfigCommands, ReadIniFileAsksBeforeItDropsChanges) {
  struct {
    bool modified;
    std::vector<TModalResult> answers;
    const char* chosen;
    int failAt;
    bool read, saved;
  } cases[] = {{false, {}, kOther, 0, true, false},  {false, {}, "", 0, false, false},
               {true, {C}, kOther, 0, false, false}, {true, {N}, kOther, 0, true, false},
               {true, {Y}, kOther, 0, true, true},   {true, {Y}, kOther, 1, false, false}};
  for (const auto& c : cases) {
    World w(c.modified, c.answers);
    w.prompter.paths = {c.chosen};
    w.files.failAt = c.failAt;
    w.Commands().ReadIniFile();
    EXPECT_EQ(w.cat.IniFileName, c.read ? kOther : kIni);
    EXPECT_EQ(w.cat.WriteDate, c.read ? "Then" : c.saved ? kNow : kOld);
    EXPECT_EQ(w.cat.Modified, c.modified && !c.read && !c.saved);
    EXPECT_EQ(w.refreshed, c.read ? 1 : 0);
    EXPECT_EQ(w.title, c.read ? "Tallimo - Other" : "-");
    EXPECT_EQ(w.Written(), c.saved);
    const auto& shown = w.prompter.fileDialogs;  // opened in the catalogue's folder, or not at all
    EXPECT_EQ(shown.empty() ? "" : shown[0].options.initialDir,
              c.read || !c.modified ? "C:\\Disc\\" : "");
  }
}

// Write INI As takes the chosen name, even when the save fails, and does not ask about the
// lines of an existing file (its overwrite question has been answered).
TEST(ConfigCommands, WriteIniAsTakesTheNewName) {
  World w(true);
  w.files.files[kOther] = "[General]\nTypo=1\n";
  w.prompter.paths = {kOther, "D:\\ro.ini"};
  w.Commands().WriteIniAs();
  EXPECT_EQ(w.cat.IniFileName, kOther);
  EXPECT_FALSE(w.cat.Modified);
  EXPECT_EQ(w.files.files["C:\\Other\\other.old"], "[General]\nTypo=1\n");
  w.cat.Modified = true;
  w.files.failAt = w.files.changes + 1;
  w.Commands().WriteIniAs();
  EXPECT_EQ(w.cat.IniFileName, "D:\\ro.ini");
  EXPECT_TRUE(w.cat.Modified);
  ASSERT_EQ(w.prompter.boxes.size(), 1u);
  EXPECT_EQ(w.prompter.boxes[0].text, "Unable to write to D:\\ro.ini.");
  const FileDialogOptions& o = w.prompter.fileDialogs.at(0).options;
  EXPECT_EQ(o.title + o.filter + o.defaultExt + o.initialDir,
            "Save Tallimo Config as...INI Files|*.ini|All Files|*iniC:\\Disc\\");
  EXPECT_TRUE(o.overwritePrompt && o.hideReadOnly && w.prompter.fileDialogs[0].save);
  const FileDialogOptions open = OpenConfigDialogOptions("C:");
  EXPECT_EQ(open.title + open.filter + open.defaultExt,
            "Tallimo - Open Config file...INI files (*.ini)|*.ini|All Files|*ini");
  EXPECT_TRUE(open.pathMustExist && open.fileMustExist && !open.overwritePrompt);
}

}  // namespace
}  // namespace tallimo
