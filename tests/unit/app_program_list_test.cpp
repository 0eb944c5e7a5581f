// The program list's rows, lookup, selection rule and detail panes.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <vector>

#include "app/detail_panes.h"
#include "app/program_list.h"

namespace tallimo {
namespace {

// Case-ignoring ASCII order, standing in for the user's locale.
class AsciiLocale : public Locale {
 public:
  int CompareIgnoreCase(const std::string& a, const std::string& b) override {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
      const int ca = std::tolower(static_cast<unsigned char>(a[i]));
      const int cb = std::tolower(static_cast<unsigned char>(b[i]));
      if (ca != cb) return ca - cb;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
  }
  std::string ShortDayName(int) override { return ""; }
  std::string ShortMonthName(int) override { return ""; }
  std::string TimeSeparator() override { return ":"; }
};

// Records message boxes; answers OK.
class RecordingPrompter : public Prompter {
 public:
  struct Box {
    std::string text;
    TMsgDlgType type;
    std::vector<TMsgDlgBtn> buttons;
  };
  TModalResult MessageDlg(const std::string& text, TMsgDlgType type,
                          const std::vector<TMsgDlgBtn>& buttons) override {
    boxes.push_back({text, type, buttons});
    return TModalResult::mrOK;
  }
  void ShowErrorReport(const std::string&) override {}
  bool OpenFileDialog(const FileDialogOptions&, std::string&) override { return false; }
  bool SaveFileDialog(const FileDialogOptions&, std::string&) override { return false; }
  std::vector<Box> boxes;
};

struct EntrySpec {
  std::string name;
  std::string nfo;
  StringList serial, info, specs;
};

TProgramList MakeList(const std::vector<EntrySpec>& specs) {
  TProgramList list;
  for (const auto& s : specs) {
    auto e = std::make_unique<TTallimoProg>();
    e->Name = s.name;
    e->NfoPath = s.nfo;
    e->SerialLines = s.serial;
    e->InfoLines = s.info;
    e->SpecsLines = s.specs;
    list.push_back(std::move(e));
  }
  return list;
}

TProgramList Named(const StringList& names) {
  std::vector<EntrySpec> specs;
  for (const auto& n : names) specs.push_back({n, "", {}, {}, {}});
  return MakeList(specs);
}

TEST(ProgramListRows, SortsIgnoringCaseAndMergesEqualNamesKeepingTheFirst) {
  AsciiLocale locale;
  EXPECT_EQ(ProgramListRows(Named({"b", "A", "c"}), locale), (StringList{"A", "b", "c"}));
  EXPECT_EQ(ProgramListRows(Named({"Tools", "Tools"}), locale), StringList{"Tools"});
  EXPECT_EQ(ProgramListRows(Named({"Tools", "TOOLS"}), locale), StringList{"Tools"});
  EXPECT_EQ(ProgramListRows(Named({"TOOLS", "Tools"}), locale), StringList{"TOOLS"});
  // Merging keeps the first in catalogue order even when other names sort between them.
  EXPECT_EQ(ProgramListRows(Named({"zip", "TOOLS", "arc", "tools", "Tools", "Mid"}), locale),
            (StringList{"arc", "Mid", "TOOLS", "zip"}));
  // A prefix sorts first; an empty name is a row of its own like any other.
  EXPECT_EQ(ProgramListRows(Named({"Toolset", "Tool", ""}), locale),
            (StringList{"", "Tool", "Toolset"}));
}

TEST(ProgramListRows, EmptyCatalogueGivesOneBlankRow) {
  AsciiLocale locale;
  EXPECT_TRUE(SortedProgramNames({}, locale).empty());
  EXPECT_EQ(ProgramListRows({}, locale), StringList{""});
}

TEST(ProgramListRows, UsesTheLocalesOrder) {
  // A locale that orders in reverse must give reverse rows: the order is the seam's.
  class Reverse : public AsciiLocale {
    int CompareIgnoreCase(const std::string& a, const std::string& b) override {
      return AsciiLocale::CompareIgnoreCase(b, a);
    }
  } locale;
  EXPECT_EQ(ProgramListRows(Named({"b", "A", "c"}), locale), (StringList{"c", "b", "A"}));
}

TEST(FindProgramIndex, MatchesByteForByteAndFindsTheFirst) {
  TProgramList list = Named({"Tools", "TOOLS", "Edit", "Tools", "Tools "});
  EXPECT_EQ(FindProgramIndex(list, "Tools"), 0);
  EXPECT_EQ(FindProgramIndex(list, "TOOLS"), 1);
  EXPECT_EQ(FindProgramIndex(list, "Tools "), 4);
  EXPECT_EQ(FindProgramIndex(list, "tools"), -1);
  EXPECT_EQ(FindProgramIndex(list, "Tool"), -1);
  EXPECT_EQ(FindProgramIndex(list, ""), -1);
  EXPECT_EQ(FindProgramIndex({}, ""), -1);
  EXPECT_EQ(FindProgramIndex({}, "Tools"), -1);
}

TEST(Selection, WarnsOnlyWhenAskedAndNothingIsSelected) {
  RecordingPrompter prompter;
  EXPECT_TRUE(HasSelection(0, true, prompter));
  EXPECT_TRUE(HasSelection(3, true, prompter));
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_FALSE(HasSelection(-1, false, prompter));
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_FALSE(HasSelection(-1, true, prompter));
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text, "You must first select an item!");
  EXPECT_EQ(prompter.boxes[0].type, TMsgDlgType::mtWarning);
  EXPECT_EQ(prompter.boxes[0].buttons, std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbOK});
}

TEST(Selection, EverySelectionShowsItsEntryButAnEmptyCatalogueChangesNothing) {
  TProgramList list = Named({"b", "A"});
  // No "had a selection before" input: the first selection after a refill shows its entry.
  EXPECT_EQ(SelectedDetailsIndex(list, "A"), std::optional<int>(1));
  EXPECT_EQ(SelectedDetailsIndex(list, "gone"), std::optional<int>(-1));
  EXPECT_EQ(SelectedDetailsIndex({}, ""), std::nullopt);
}

TEST(ProgramDetails, NoSelectionTextsLeaveTheCommandsAlone) {
  const TProgramDetails d = ProgramDetails({}, -1);
  EXPECT_EQ(d.InfoLines, (StringList{"", " Select a Program."}));
  EXPECT_EQ(d.SpecsLines, (StringList{"", " None Available."}));
  EXPECT_FALSE(d.NfoEnabled.has_value());
  EXPECT_FALSE(d.SerialEnabled.has_value());
  EXPECT_EQ(MemoText(d.InfoLines), "\r\n Select a Program.");
}

TEST(ProgramDetails, EntryLinesAreIndentedByTwoBlanksUnderAnEmptyLine) {
  TProgramList list = MakeList({
      {"Bare", "", {}, {}, {}},
      {"Full", "", {}, {"Size 3 MB", "Needs CD", ""}, {"486", " x"}},
  });
  const TProgramDetails bare = ProgramDetails(list, 0);
  EXPECT_EQ(bare.InfoLines, (StringList{"", "  None Available."}));
  EXPECT_EQ(bare.SpecsLines, (StringList{"", "  None Listed."}));
  const TProgramDetails full = ProgramDetails(list, 1);
  EXPECT_EQ(full.InfoLines, (StringList{"", "  Size 3 MB", "  Needs CD", "  "}));
  EXPECT_EQ(full.SpecsLines, (StringList{"", "  486", "   x"}));
  EXPECT_EQ(MemoText(full.SpecsLines), "\r\n  486\r\n   x");
  EXPECT_EQ(MemoText({}), "");
}

TEST(ProgramDetails, NfoAndSerialCommandsFollowTheEntry) {
  TProgramList list = MakeList({
      {"WithNfo", "D:\\A\\READ.NFO", {}, {}, {}},
      {"WithSerial", "", {"KEY-1"}, {}, {}},
      {"EmptySerialLine", "", {""}, {}, {}},
  });
  const TProgramDetails nfo = ProgramDetails(list, 0);
  EXPECT_EQ(nfo.NfoEnabled, std::optional<bool>(true));
  EXPECT_EQ(nfo.SerialEnabled, std::optional<bool>(false));
  const TProgramDetails serial = ProgramDetails(list, 1);
  EXPECT_EQ(serial.NfoEnabled, std::optional<bool>(false));
  EXPECT_EQ(serial.SerialEnabled, std::optional<bool>(true));
  // One line, even an empty one, is serial text.
  EXPECT_EQ(ProgramDetails(list, 2).SerialEnabled, std::optional<bool>(true));
}

}  // namespace
}  // namespace tallimo
