// The configuration commands over fakes: Modified, IniFileName and WriteDate through the
// closing question and Read INI File's, with saves that fail or meet unread lines; which lines
// are not read.
#include "catalogue/config_commands.h"

#include <gtest/gtest.h>

#include <optional>

#include "catalogue/unread_lines.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_prompter.h"
#include "fakes/fixed_clock.h"

namespace tallimo {
namespace {

constexpr const char *kIni = "C:\\Disc\\menu.ini", *kOther = "C:\\Other\\other.ini";
constexpr const char* kOnDisk = "[General]\r\nCaption=On disk\r\n[Program1]\r\nName=A\r\n";
constexpr const char *kNow = "Mon, 7 Dec 2026, 3:06 pm", *kOld = "Sat, 5 Dec 2026, 1:00 pm";
constexpr auto Y = TModalResult::mrYes, N = TModalResult::mrNo, C = TModalResult::mrCancel;

struct FakeGeneralInfo : GeneralInfoEditor {
  std::optional<GeneralInfoFields> typed;  // confirmed with these fields, else cancelled
  std::string title;
  bool Edit(const std::string& t, GeneralInfoFields& fields) override {
    title = t;
    if (typed) fields = *typed;
    return typed.has_value();
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
  testing::FakeFileSystem files;
  testing::FakeLocale locale;
  testing::FixedClock clock;
  testing::FakePrompter prompter;
  FakeGeneralInfo dialog;
  Catalogue cat;
  int refreshed = 0;
  std::string title = "-";
};

// A confirmed General Info renews WriteDate and sets Modified, changed or not; the title follows.
TEST(ConfigCommands, GeneralInfoLifecycle) {
  const std::optional<GeneralInfoFields> cases[] = {
      GeneralInfoFields{"Disc", "", {"one", ""}}, GeneralInfoFields{"", "Me", {"a"}}, std::nullopt};
  for (const auto& typed : cases) {
    World w(false);
    w.dialog.typed = typed;
    w.Commands().GeneralInfo();
    EXPECT_EQ(w.dialog.title, std::string("Tallimo - ") + kOld);
    EXPECT_EQ(w.cat.Modified, typed.has_value());
    EXPECT_EQ(w.cat.WriteDate, typed ? kNow : kOld);
    EXPECT_EQ(w.cat.NoteLines, (typed ? typed->NoteLines : StringList{"one", ""}));
    EXPECT_EQ(w.title, !typed ? "-" : typed->ConfigCaption.empty() ? "Tallimo" : "Tallimo - Disc");
  }
}

// The closing question, also asked first by Read INI File: Yes saves (a failed save, or the
// unread-lines question answered No, goes no further), No goes on unsaved, Cancel stays.
TEST(ConfigCommands, TheClosingQuestionOnCloseAndOnRead) {
  const std::string typo = std::string(kOnDisk) + "Instal1=typo\r\n", q = kUnsavedChangesQuestion,
                    failed = "Unable to write to C:\\Disc\\menu.ini.",
                    drop =
                        "C:\\Disc\\menu.ini holds 1 lines that Tallimo does not read, the first "
                        "at line 5: Instal1=typo.\rSaving will drop them. Save anyway?";
  constexpr auto E = TModalResult::mrNone;  // the error report asks nothing
  struct {
    bool modified;
    std::vector<TModalResult> answers;
    std::string disk;
    int failAt;
    bool goesOn, written;
    std::vector<std::string> texts;
    std::vector<TModalResult> enter;
  } cases[] = {{false, {}, kOnDisk, 0, true, false, {}, {}},
               {true, {Y}, kOnDisk, 0, true, true, {q}, {Y}},
               {true, {N}, kOnDisk, 0, true, false, {q}, {Y}},
               {true, {C}, kOnDisk, 0, false, false, {q}, {Y}},
               {true, {Y}, kOnDisk, 1, false, false, {q, failed}, {Y, E}},
               {true, {Y, N}, typo, 0, false, false, {q, drop}, {Y, N}},
               {true, {Y, Y}, typo, 0, true, true, {q, drop}, {Y, N}}};
  for (bool read : {false, true}) {
    for (const auto& c : cases) {
      World w(c.modified, c.answers, c.disk);
      w.files.failAt = c.failAt;
      w.prompter.paths = {kOther};
      if (read)
        w.Commands().ReadIniFile();
      else
        EXPECT_EQ(w.Commands().CloseQuery(), c.goesOn);
      EXPECT_EQ(w.Written(), c.written);
      EXPECT_EQ(w.cat.IniFileName, read && c.goesOn ? kOther : kIni);
      EXPECT_EQ(w.cat.Modified, c.modified && !c.written && !(read && c.goesOn));
      EXPECT_EQ(w.cat.WriteDate, read && c.goesOn ? "Then" : c.written ? kNow : kOld);
      EXPECT_EQ(w.title, read && c.goesOn ? "Tallimo - Other" : "-");
      EXPECT_EQ(w.refreshed, read && c.goesOn ? 1 : 0);
      const auto& dialogs = w.prompter.fileDialogs;  // opened in the catalogue's folder
      EXPECT_EQ(dialogs.empty() ? "" : dialogs[0].options.initialDir,
                read && c.goesOn ? "C:\\Disc\\" : "");
      std::vector<std::string> texts;
      std::vector<TModalResult> enter;
      for (const auto& box : w.prompter.boxes) texts.push_back(box.text);
      for (const auto& box : w.prompter.boxes) enter.push_back(box.enterAnswer);
      EXPECT_EQ(texts, c.texts);
      EXPECT_EQ(enter, c.enter);
      EXPECT_EQ(w.files.files[kIni] == c.disk, !c.written);
    }
  }
}

// An ANSI catalogue that now holds a character the code page lacks: the save asks first. Yes
// writes UTF-8 with its mark, No writes nothing and keeps the changes, so a close stays open.
TEST(ConfigCommands, TheQuestionBeforeSavingAnAnsiCatalogueAsUtf8) {
  const std::string question =
      "C:\\Disc\\menu.ini holds characters that the ANSI code page cannot store, such as "
      "\"\u039A\" in Name of \"\u039A\u03B1\u03C6\u03AD\".\rSave it as UTF-8 instead?";
  struct {
    bool close;
    std::vector<TModalResult> answers;
    bool goesOn, written;
  } cases[] = {{false, {Y}, true, true},
               {false, {N}, false, false},
               {true, {Y, Y}, true, true},
               {true, {Y, N}, false, false}};
  for (const auto& c : cases) {
    World w(true, c.answers);
    w.cat.Encoding = TCatalogueEncoding::ceAnsi;
    auto entry = std::make_unique<TTallimoProg>();
    entry->Name = "\u039A\u03B1\u03C6\u03AD";
    w.cat.ProgramList.push_back(std::move(entry));
    EXPECT_EQ(c.close ? w.Commands().CloseQuery() : w.Commands().WriteIniFile(), c.goesOn);
    EXPECT_EQ(w.Written(), c.written);
    EXPECT_EQ(w.cat.Modified, !c.written);
    EXPECT_EQ(w.cat.Encoding,
              c.written ? TCatalogueEncoding::ceUtf8Mark : TCatalogueEncoding::ceAnsi);
    EXPECT_EQ(w.files.files[kIni].starts_with("\xEF\xBB\xBF[General]"), c.written);
    const auto& box = w.prompter.boxes.back();
    EXPECT_EQ(box.title, "Confirm");
    EXPECT_EQ(box.text, question);
    EXPECT_EQ(box.buttons, (std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}));
    EXPECT_EQ(box.enterAnswer, Y);
  }
  World fits(true);  // every character fits: no question, still ANSI
  fits.cat.Encoding = TCatalogueEncoding::ceAnsi;
  fits.cat.ConfigCaption = "Caf\u00E9";
  EXPECT_TRUE(fits.Commands().WriteIniFile());
  EXPECT_TRUE(fits.prompter.boxes.empty());
  EXPECT_NE(fits.files.files[kIni].find("Caption=Caf\xE9\r\n"), std::string::npos);
}

// Write INI As keeps the new name only once the catalogue is written there: after a failed save
// the menu still names, and later writes, the catalogue that was open.
TEST(ConfigCommands, WriteAsKeepsThePreviousNameUntilASaveSucceeds) {
  const char* newName = "X:\\no\\such\\folder\\NEW.INI";
  for (int failAt : {0, 1}) {
    World w(true);
    w.files.failAt = failAt;
    w.prompter.paths = {newName};
    w.Commands().WriteIniAs();
    EXPECT_EQ(w.cat.IniFileName, failAt ? kIni : newName);
    EXPECT_EQ(w.cat.Modified, failAt != 0);
    EXPECT_EQ(w.prompter.boxes.size(), failAt ? 1u : 0u);
  }
}

TEST(ConfigCommands, UnreadLinesAreEveryLineWhoseContentDoesNotReachTheCatalogue) {
  const std::string wide = "Info3=" + std::string(70, 'x');
  struct {
    std::string text;
    size_t count, first;
    std::string shown;
  } cases[] = {
      {"; note\n\n[General]\nCaption=C\nNote1=a\n[Program1]\nName=A\nBatch=1\nRestart=2\n", 0, 0,
       ""},
      {"[Program1]\nName=A\nRestart=\n[Program2]\nName=B\nRestart=01\n", 1, 6, "Restart=01"},
      {"[General]\n[Program1]\nNmae=Editor\nInstall1=x\n[Program2]\nName=B\n", 5, 2, "[Program1]"},
      {"[General]\nNote1=a\nNote3=c\njunk\n", 2, 3, "Note3=c"},
      {"[General]\nCaption=a\n  caption = b  \n[general]\nNote1=x\n", 3, 3, "caption = b"},
      {"Caption=x\n[Extras]\nA=1\n", 3, 1, "Caption=x"},
      {"[Program1]\nName=A\nInfo1=i\n" + wide + "\n", 1, 4, wide.substr(0, 60)}};
  for (const auto& c : cases) {
    auto unread = FindUnreadLines(c.text);
    EXPECT_EQ(unread ? UnreadLinesText("D.INI", *unread) : "",
              c.count ? "D.INI holds " + std::to_string(c.count) +
                            " lines that Tallimo does not read, the first at line " +
                            std::to_string(c.first) + ": " + c.shown + "."
                      : "");
  }
}

}  // namespace
}  // namespace tallimo
