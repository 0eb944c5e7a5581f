// The NFO viewer's rules as tables.
#include <gtest/gtest.h>

#include "viewers/nfo_text.h"

namespace tallimo {
namespace {

TEST(NfoText, LineBreaksSizesFontStepsAndTexts) {
  const std::pair<std::string, std::string> texts[] = {
      {"a\r\nb\nc\rd", "a\r\nb\r\nc\r\nd"},  // CR LF stays, lone LF and CR become CR LF
      {"\n\r\r\n", "\r\n\r\n\r\n"},
      {"\xC9\xCD\xBB\x80\xFF", "\xC9\xCD\xBB\x80\xFF"},  // DOS art: the bytes unconverted
      {std::string("a\0b", 3), "a b"},                   // a zero byte would end the text
  };
  for (const auto& [bytes, shown] : texts) EXPECT_EQ(NfoDisplayText(bytes), shown);
  // Screen -> outer size: W - Round(W/6), H - Round(H/4), halves to even.
  const int sizes[][4] = {{800, 600, 667, 450}, {1024, 768, 853, 576}, {1280, 1024, 1067, 768},
                          {3, 2, 3, 2},         {9, 6, 7, 4},          {15, 10, 13, 8}};
  for (const auto& s : sizes) {
    EXPECT_EQ(NfoViewerSizeFor(s[0], s[1]).width, s[2]) << s[0];
    EXPECT_EQ(NfoViewerSizeFor(s[0], s[1]).height, s[3]) << s[1];
  }
  int up = kNfoDesignPoints, down = kNfoDesignPoints;
  for (int click = 0; click < 20; ++click) up = NfoIncreasedPoints(up);
  for (int click = 0; click < 20; ++click) down = NfoReducedPoints(down);
  EXPECT_EQ(up, 25);
  EXPECT_EQ(down, 5);
  EXPECT_EQ(NfoOpeningPoints(14, 1.0), 14);  // exactly 1: the size chosen last stays
  EXPECT_EQ(NfoOpeningPoints(14, 1.25), 11);
  EXPECT_EQ(NfoFontText("Terminal", 9), "Terminal, 9 pt");
  const NfoResizeLayout layout = NfoLayoutFor(631, 640);
  EXPECT_EQ(layout.statusPanelWidth, 315);
  EXPECT_EQ(layout.increaseLeft, 604);
  EXPECT_EQ(layout.reduceLeft, 577);
}

}  // namespace
}  // namespace tallimo
