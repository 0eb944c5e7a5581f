// Add, Edit and Remove over a fake dialog and a fake list selection.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "editor/entry_commands.h"
#include "fakes/fake_prompter.h"

namespace tallimo {
namespace {

// The dialog: records what it was given and answers as scripted, after the "user" changed
// the entry through `type`.
class FakeEditor final : public EntryEditor {
 public:
  TModalResult answer = TModalResult::mrOK;
  std::function<void(TTallimoProg&)> type = [](TTallimoProg&) {};
  std::vector<std::string> loaded;
  void LoadEntry(const TTallimoProg& entry) override {
    loaded.push_back(entry.Name);
    shown = entry;
  }
  TModalResult ShowEditor() override {
    type(shown);
    return answer;
  }
  void StoreEntry(TTallimoProg& entry) override { entry = shown; }

 private:
  TTallimoProg shown;
};

class FakeSelection final : public ProgramSelection {
 public:
  explicit FakeSelection(const Catalogue& cat) : cat_(cat) {}
  bool selected = true;
  std::string text;
  bool HasSelection(bool warn) override {
    if (!selected && warn) warnings++;
    return selected;
  }
  std::string SelectedText() override { return text; }
  int FindProgramIndex(const std::string& name) override {
    for (size_t i = 0; i < cat_.ProgramList.size(); ++i)
      if (cat_.ProgramList[i]->Name == name) return static_cast<int>(i);
    return -1;
  }
  int warnings = 0;

 private:
  const Catalogue& cat_;
};

class EntryCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Editor", "Viewer", "Editor"}) {
      cat.ProgramList.push_back(std::make_unique<TTallimoProg>());
      cat.ProgramList.back()->Name = name;
      cat.ProgramList.back()->InstallLines = {std::string(name) + ".exe"};
    }
    cat.ProgramList[2]->InfoLines = {"second"};
  }
  StringList Names() const {
    StringList names;
    for (const auto& e : cat.ProgramList) names.push_back(e->Name);
    return names;
  }

  Catalogue cat;
  FakeSelection selection{cat};
  FakeEditor editor;
  testing::FakePrompter prompter;
  int refreshes = 0;
  EntryCommands commands{cat, selection, editor, prompter, [this] { ++refreshes; }};
};

TEST_F(EntryCommandsTest, AddAppendsWhatWasTypedAndCancelChangesNothing) {
  editor.type = [](TTallimoProg& e) {
    e.Name = "Archive";
    e.InstallLines = {"a.exe"};
  };
  editor.answer = TModalResult::mrCancel;
  EXPECT_EQ(commands.AddProgram(), TEntryResult::erCancelled);
  EXPECT_EQ(Names(), (StringList{"Editor", "Viewer", "Editor"}));
  EXPECT_EQ(cat.CurrentEntry, nullptr);  // the discarded entry is not referred to
  EXPECT_FALSE(cat.Modified);
  EXPECT_EQ(refreshes, 0);

  editor.answer = TModalResult::mrOK;
  selection.selected = false;  // Add needs no selection
  EXPECT_EQ(commands.AddProgram(), TEntryResult::erChanged);
  EXPECT_EQ(editor.loaded, (std::vector<std::string>{"", ""}));  // a new, empty entry each time
  EXPECT_EQ(Names(), (StringList{"Editor", "Viewer", "Editor", "Archive"}));
  EXPECT_EQ(cat.CurrentEntry, cat.ProgramList.back().get());
  EXPECT_EQ(cat.ProgramList.back()->InstallLines, StringList{"a.exe"});
  EXPECT_TRUE(cat.Modified);
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(selection.warnings, 0);
  EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(EntryCommandsTest, EditMovesTheFirstOfTheNameToTheEndEvenUnchanged) {
  selection.text = "Editor";
  EXPECT_EQ(commands.EditProgram(), TEntryResult::erChanged);
  EXPECT_EQ(Names(), (StringList{"Viewer", "Editor", "Editor"}));
  EXPECT_EQ(cat.ProgramList[1]->InfoLines, StringList{"second"});  // the other one moved up
  EXPECT_EQ(cat.CurrentEntry, cat.ProgramList.back().get());
  EXPECT_TRUE(cat.Modified);
  // The next Edit of that name reaches the other entry.
  editor.type = [](TTallimoProg& e) { e.Name = "Writer"; };
  EXPECT_EQ(commands.EditProgram(), TEntryResult::erChanged);
  EXPECT_EQ(Names(), (StringList{"Viewer", "Editor", "Writer"}));
  EXPECT_EQ(cat.ProgramList[2]->InfoLines, StringList{"second"});
  EXPECT_EQ(cat.ProgramList[2]->InstallLines, StringList{"Editor.exe"});
  EXPECT_EQ(refreshes, 2);
}

TEST_F(EntryCommandsTest, ACancelledEditLeavesTheEntryWhereItWas) {
  selection.text = "Viewer";
  editor.answer = TModalResult::mrCancel;
  editor.type = [](TTallimoProg& e) { e.Name = "Renamed"; };
  const TTallimoProg* viewer = cat.ProgramList[1].get();
  EXPECT_EQ(commands.EditProgram(), TEntryResult::erCancelled);
  EXPECT_EQ(editor.loaded, std::vector<std::string>{"Viewer"});
  EXPECT_EQ(cat.ProgramList[1].get(), viewer);
  EXPECT_EQ(viewer->Name, "Viewer");
  EXPECT_EQ(cat.CurrentEntry, nullptr);
  EXPECT_FALSE(cat.Modified);
  EXPECT_EQ(refreshes, 0);
}

TEST_F(EntryCommandsTest, EditAndRemoveNeedASelectionThatNamesAnEntry) {
  for (auto command : {&EntryCommands::EditProgram, &EntryCommands::RemoveProgram}) {
    selection.selected = false;
    EXPECT_EQ((commands.*command)(), TEntryResult::erNoSelection);
    selection.selected = true;
    selection.text = "";  // the blank row of an empty list
    EXPECT_EQ((commands.*command)(), TEntryResult::erNoEntry);
  }
  EXPECT_EQ(selection.warnings, 2);
  EXPECT_TRUE(editor.loaded.empty());
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_EQ(Names().size(), 3u);
  EXPECT_FALSE(cat.Modified);
}

TEST_F(EntryCommandsTest, RemoveAsksAndTakesTheFirstOfTheName) {
  selection.text = "Editor";
  prompter.answers = {TModalResult::mrNo, TModalResult::mrYes};
  EXPECT_EQ(commands.RemoveProgram(), TEntryResult::erCancelled);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Confirm");
  EXPECT_EQ(prompter.boxes[0].text, "Are you sure you want to remove this program?\r\"Editor\"");
  EXPECT_EQ(prompter.boxes[0].buttons,
            (std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}));
  EXPECT_FALSE(cat.Modified);

  cat.CurrentEntry = cat.ProgramList[0].get();
  EXPECT_EQ(commands.RemoveProgram(), TEntryResult::erChanged);
  EXPECT_EQ(Names(), (StringList{"Viewer", "Editor"}));
  EXPECT_EQ(cat.ProgramList[1]->InfoLines, StringList{"second"});
  EXPECT_EQ(cat.CurrentEntry, nullptr);  // it referred to the removed entry
  EXPECT_TRUE(cat.Modified);
  EXPECT_EQ(refreshes, 1);
}

TEST_F(EntryCommandsTest, RemovingTheOnlyEntryEmptiesTheList) {
  cat.ProgramList.resize(1);
  selection.text = "Editor";
  prompter.answers = {TModalResult::mrYes};
  EXPECT_EQ(commands.RemoveProgram(), TEntryResult::erChanged);
  EXPECT_TRUE(cat.ProgramList.empty());
  EXPECT_EQ(refreshes, 1);
}

TEST_F(EntryCommandsTest, AnErrorInTheDialogLeavesNoDanglingCurrentEntry) {
  editor.type = [](TTallimoProg&) { throw std::runtime_error("Error creating window"); };
  EXPECT_THROW(commands.AddProgram(), std::runtime_error);
  EXPECT_EQ(cat.CurrentEntry, nullptr);
  EXPECT_EQ(Names().size(), 3u);
}

}  // namespace
}  // namespace tallimo
