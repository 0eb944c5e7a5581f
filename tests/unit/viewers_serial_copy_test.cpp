// Copy Serial: the clipboard text, the confirmation, and the command over fakes.
#include <gtest/gtest.h>

#include "fakes/fake_clipboard.h"
#include "fakes/fake_prompter.h"
#include "platform/error.h"
#include "viewers/serial_copy.h"

namespace tallimo {
namespace {

TEST(SerialCopy, LinesJoinByCarriageReturnsUnchanged) {
  struct Case {
    StringList lines;
    const char* text;
  };
  const Case cases[] = {
      {{"abc", "def"}, "abc\rdef"},  // seven bytes
      {{"only"}, "only"},           {{""}, ""},
      {{"a", "", "b"}, "a\r\rb"},   {{" lead", "trail "}, " lead\rtrail "},
  };
  for (const Case& c : cases) EXPECT_EQ(SerialClipboardText(c.lines), c.text);
  EXPECT_EQ(SerialCopiedMessage({"abc", "def"}),
            "The following has been copied to the clipboard:\r\r\"abc\rdef\"");
  EXPECT_EQ(SerialCopiedMessage({""}), "The following has been copied to the clipboard:\r\r\"\"");
}

// Thousands of lines, or very long ones, would push the box's OK button off the screen: the box
// shows 30 lines of at most 200 characters and says how many more there are.
TEST(SerialCopy, TheConfirmationStaysOnTheScreen) {
  const std::string head = "The following has been copied to the clipboard:\r\r\"";
  StringList thirty(30, "x");
  thirty[0] = std::string(500, 'w');
  std::string expected = head + std::string(200, 'w');
  for (int i = 1; i < 30; ++i) expected += "\rx";
  EXPECT_EQ(SerialCopiedMessage(thirty), expected + "\"");
  StringList many = thirty;
  many.resize(5000, "y");
  EXPECT_EQ(SerialCopiedMessage(many), expected + "\"\r... and 4970 more lines.");
}

class Selection final : public ProgramSelection {
 public:
  bool selected = true;
  std::string text;
  std::vector<bool> warned;
  bool HasSelection(bool warn) override {
    warned.push_back(warn);
    return selected;
  }
  // The row shows the entry's name.
  int SelectedIndex() override {
    const std::string& name = text;
    return name == "Editor" ? 0 : name == "Viewer" ? 1 : -1;
  }
};

TEST(SerialCopy, TheCommandCopiesTheSelectedEntrysLinesThenConfirms) {
  TProgramList programs;
  programs.push_back(std::make_unique<TTallimoProg>());
  programs.back()->SerialLines = {"Name: Demo", "Key: 1234"};
  programs.push_back(std::make_unique<TTallimoProg>());  // no serial lines
  testing::FakeClipboard clipboard;
  testing::FakePrompter prompter;
  Selection selection;

  selection.selected = false;  // nothing selected: HasSelection warns, nothing is copied
  CopySerial(selection, programs, clipboard, prompter);
  EXPECT_EQ(selection.warned, std::vector<bool>{true});
  selection.selected = true;
  for (const char* row : {"Unknown", "Viewer"}) {  // no entry; an entry without lines
    selection.text = row;
    CopySerial(selection, programs, clipboard, prompter);
  }
  EXPECT_FALSE(clipboard.text.has_value());
  EXPECT_TRUE(prompter.boxes.empty());

  selection.text = "Editor";
  CopySerial(selection, programs, clipboard, prompter);
  EXPECT_EQ(clipboard.text, "Name: Demo\rKey: 1234");
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Information");
  EXPECT_EQ(prompter.boxes[0].text,
            "The following has been copied to the clipboard:\r\r\"Name: Demo\rKey: 1234\"");

  // A clipboard that cannot be had is a failure, never confirmed as a copy.
  clipboard.busy = true;
  EXPECT_THROW(CopySerial(selection, programs, clipboard, prompter), TallimoError);
  EXPECT_EQ(prompter.boxes.size(), 1u);
}

}  // namespace
}  // namespace tallimo
