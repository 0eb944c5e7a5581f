// Add, Edit and Remove over a fake dialog and a fake list selection.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "app/program_list.h"
#include "editor/entry_commands.h"
#include "fakes/fake_prompter.h"

namespace tallimo {
namespace {

// The dialog: the user "types" into the loaded entry, then answers.
struct FakeEditor final : EntryEditor {
  TModalResult answer = TModalResult::mrOK;
  std::function<void(TTallimoProg&)> type = [](TTallimoProg&) {};
  TTallimoProg shown;
  std::string iniFileName;
  void SetIniFileName(const std::string& name) override { iniFileName = name; }
  void SetCategories(const StringList&) override {}
  void LoadEntry(const TTallimoProg& entry) override { shown = entry; }
  TModalResult ShowEditor() override {
    type(shown);
    return answer;
  }
  void StoreEntry(TTallimoProg& entry) override { entry = shown; }
};

struct FakeSelection final : ProgramSelection {
  explicit FakeSelection(const Catalogue& cat) : cat(cat) {}
  const Catalogue& cat;
  bool selected = true;
  std::string text = "Editor";
  int warnings = 0;
  bool HasSelection(bool warn) override {
    warnings += !selected && warn;
    return selected;
  }
  // The row shows the entry's name.
  int SelectedIndex() override {
    const std::string& name = text;
    return tallimo::FindProgramIndex(cat.ProgramList, name);
  }
};

class EntryCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Editor", "Viewer", "Editor"}) {
      cat.ProgramList.push_back(std::make_unique<TTallimoProg>());
      cat.ProgramList.back()->Name = name;
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

TEST_F(EntryCommandsTest, CancelledOrWithoutASelectedEntryNothingChanges) {
  editor.answer = TModalResult::mrCancel;
  editor.type = [](TTallimoProg& e) { e.Name = "Renamed"; };
  EXPECT_EQ(commands.AddProgram(), TEntryResult::erCancelled);
  EXPECT_EQ(commands.EditProgram(), TEntryResult::erCancelled);
  prompter.answers = {TModalResult::mrNo};
  EXPECT_EQ(commands.RemoveProgram(), TEntryResult::erCancelled);
  EXPECT_EQ(prompter.boxes.at(0).text, "Are you sure you want to remove this program?\r\"Editor\"");
  selection.text = "";  // the blank row of an empty list
  EXPECT_EQ(commands.EditProgram(), TEntryResult::erNoEntry);
  EXPECT_EQ(commands.RemoveProgram(), TEntryResult::erNoEntry);
  selection.selected = false;
  EXPECT_EQ(commands.EditProgram(), TEntryResult::erNoSelection);
  EXPECT_EQ(commands.RemoveProgram(), TEntryResult::erNoSelection);
  editor.type = [](TTallimoProg&) { throw std::runtime_error("Error creating window"); };
  EXPECT_THROW(commands.AddProgram(), std::runtime_error);
  EXPECT_EQ(selection.warnings, 2);
  EXPECT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(Names(), (StringList{"Editor", "Viewer", "Editor"}));
  EXPECT_EQ(cat.CurrentEntry, nullptr);  // never left on a disposed entry
  EXPECT_FALSE(cat.Modified);
  EXPECT_EQ(refreshes, 0);
}

TEST_F(EntryCommandsTest, AddAppendsEditMovesTheFirstOfTheNameToTheEndRemoveTakesIt) {
  selection.selected = false;  // Add needs no selection
  editor.type = [](TTallimoProg& e) { e.Name = "Archive"; };
  EXPECT_EQ(commands.AddProgram(), TEntryResult::erChanged);
  EXPECT_EQ(cat.CurrentEntry, cat.ProgramList.back().get());
  selection.selected = true;
  editor.type = [](TTallimoProg&) {};  // unchanged, still moved
  EXPECT_EQ(commands.EditProgram(), TEntryResult::erChanged);
  EXPECT_EQ(Names(), (StringList{"Viewer", "Editor", "Archive", "Editor"}));
  editor.type = [](TTallimoProg& e) { e.Name = "Writer"; };  // now the other one
  EXPECT_EQ(commands.EditProgram(), TEntryResult::erChanged);
  EXPECT_EQ(Names(), (StringList{"Viewer", "Archive", "Editor", "Writer"}));
  EXPECT_EQ(cat.ProgramList[3]->InfoLines, StringList{"second"});
  EXPECT_TRUE(cat.Modified);

  prompter.answers.assign(4, TModalResult::mrYes);
  EXPECT_EQ(commands.RemoveProgram(), TEntryResult::erChanged);
  EXPECT_EQ(cat.CurrentEntry, cat.ProgramList.back().get());
  selection.text = "Writer";  // the entry CurrentEntry refers to
  EXPECT_EQ(commands.RemoveProgram(), TEntryResult::erChanged);
  EXPECT_EQ(cat.CurrentEntry, nullptr);
  for (const char* name : {"Viewer", "Archive"}) {
    selection.text = name;
    EXPECT_EQ(commands.RemoveProgram(), TEntryResult::erChanged);
  }
  EXPECT_TRUE(cat.ProgramList.empty());
  EXPECT_EQ(refreshes, 7);
}

}  // namespace
}  // namespace tallimo
