// Line breaks of any kind in the edits' text: what a memo shows and keeps, and what a one-line
// field makes of a pasted break.
#include <gtest/gtest.h>

#include "ui/line_breaks.h"

namespace tallimo::ui {
namespace {

TEST(LineBreaks, EveryKindIsOneBreak) {
  struct Case {
    const char* text;
    const char* crLf;
    std::vector<std::string> lines;
    const char* spaced;
  };
  const Case cases[] = {
      {"", "", {}, ""},
      {"one", "one", {"one"}, "one"},
      {"one\ntwo\rthree", "one\r\ntwo\r\nthree", {"one", "two", "three"}, "one two three"},
      {"a\r\nb", "a\r\nb", {"a", "b"}, "a b"},
      {"a\n\rb", "a\r\n\r\nb", {"a", "", "b"}, "a  b"},  // LF then CR: two breaks
      {"a\r\n", "a\r\n", {"a"}, "a "},
      {"a\n\n", "a\r\n\r\n", {"a", ""}, "a  "},
      {"\r", "\r\n", {""}, " "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CrLfLineBreaks(c.text), c.crLf) << c.text;
    EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
    EXPECT_EQ(SplitLines(c.crLf), c.lines) << c.text;
    EXPECT_EQ(LineBreaksAsSpaces(c.text), c.spaced) << c.text;
  }
}

}  // namespace
}  // namespace tallimo::ui
