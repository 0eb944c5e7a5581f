// The NFO viewer's rules as tables, and View NFO over fakes.
#include <gtest/gtest.h>

#include "fakes/fake_prompter.h"
#include "unit/catalogue_fakes.h"
#include "viewers/nfo_text.h"
#include "viewers/view_nfo.h"

namespace tallimo {
namespace {

TEST(NfoText, LineBreaksBecomeCrLfAndTheBytesStayAsTheyAre) {
  struct Case {
    std::string bytes, shown;
  };
  const Case cases[] = {
      {"", ""},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb", "a\r\nb"},
      {"\n\r", "\r\n\r\n"},          // LF then a lone CR: two breaks
      {"\r\r\n\n", "\r\n\r\n\r\n"},  // CR, CR LF, LF
      {"\xC9\xCD\xBB\r\n\xB0\xB1\xB2", "\xC9\xCD\xBB\r\n\xB0\xB1\xB2"},  // DOS art, unconverted
      {std::string("a\0b", 3), "a b"},  // a zero byte would end the text there
  };
  for (const Case& c : cases) EXPECT_EQ(NfoDisplayText(c.bytes), c.shown) << c.bytes;
}

TEST(NfoText, TheViewerSizeComesFromTheScreenWithHalvesToEven) {
  struct Case {
    int w, h, width, height;
  };
  const Case cases[] = {
      {800, 600, 667, 450},   {1024, 768, 853, 576}, {1280, 1024, 1067, 768},
      {640, 480, 533, 360},   {3, 2, 3, 2},  // 0.5 -> 0, 0.5 -> 0
      {9, 6, 7, 4},                          // 1.5 -> 2, 1.5 -> 2
      {15, 10, 13, 8},                       // 2.5 -> 2, 2.5 -> 2
      {1366, 768, 1138, 576}, {0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const NfoViewerSize size = NfoViewerSizeFor(c.w, c.h);
    EXPECT_EQ(size.width, c.width) << c.w;
    EXPECT_EQ(size.height, c.height) << c.h;
  }
}

TEST(NfoText, FontStepsStayBetween5And25AndTheTextFollows) {
  int points = kNfoDesignPoints;
  for (int click = 0; click < 20; ++click) points = NfoIncreasedPoints(points);
  EXPECT_EQ(points, 25);
  points = kNfoDesignPoints;
  for (int click = 0; click < 10; ++click) points = NfoReducedPoints(points);
  EXPECT_EQ(points, 5);
  struct Case {
    int points, up, down;
  };
  for (const Case c :
       {Case{9, 10, 8}, Case{24, 25, 23}, Case{25, 25, 24}, Case{5, 6, 5}, Case{6, 7, 5}}) {
    EXPECT_EQ(NfoIncreasedPoints(c.points), c.up);
    EXPECT_EQ(NfoReducedPoints(c.points), c.down);
  }
  EXPECT_EQ(NfoOpeningPoints(14, 1.0), 14);  // exactly 1: the size chosen last stays
  EXPECT_EQ(NfoOpeningPoints(14, 0.9), 14);
  EXPECT_EQ(NfoOpeningPoints(14, 1.25), 11);
  EXPECT_EQ(NfoFontText("Terminal", 9), "Terminal, 9 pt");
  EXPECT_EQ(NfoFontText("Terminal", 25), "Terminal, 25 pt");
  EXPECT_EQ(NfoOpenFailedMessage("C:\\A B\\x.nfo"), "Could not open the NFO file:\rC:\\A B\\x.nfo");
  EXPECT_EQ(NfoOpenFailedMessage(""), "Could not open the NFO file:\r");

  const NfoResizeLayout layout = NfoLayoutFor(631, 640);
  EXPECT_EQ(layout.statusPanelWidth, 315);
  EXPECT_EQ(layout.increaseLeft, 604);
  EXPECT_EQ(layout.reduceLeft, 577);
}

// Records what View NFO asks of the viewer.
class RecordingView final : public NfoView {
 public:
  std::vector<std::string> calls;
  int points = 9;
  bool refuseText = false;
  void SetViewerSize(int w, int h) override {
    calls.push_back("size " + std::to_string(w) + "x" + std::to_string(h));
  }
  int FontPoints() const override { return points; }
  void SetFontPoints(int p) override {
    points = p;
    calls.push_back("font " + std::to_string(p));
  }
  void SetText(const std::string& text) override {
    if (refuseText) throw std::runtime_error("Text exceeds memo capacity");
    calls.push_back("text " + text);
  }
  void SetStatus(const std::string& path) override { calls.push_back("status " + path); }
  void ShowViewer() override { calls.push_back("show"); }
};

class Selection final : public ProgramSelection {
 public:
  bool selected = true;
  std::string text = "Art";
  bool HasSelection(bool) override { return selected; }
  std::string SelectedText() override { return text; }
  int FindProgramIndex(const std::string& name) override {
    return name == "Art" ? 0 : name == "Gone" ? 1 : -1;
  }
};

TEST(ViewNfo, SizesFirstThenLoadsShowsOrReportsTheStoredPath) {
  TProgramList programs;
  programs.push_back(std::make_unique<TTallimoProg>());
  programs.back()->NfoPath = "ART\\ART.NFO";
  programs.push_back(std::make_unique<TTallimoProg>());
  programs.back()->NfoPath = "GONE.NFO";
  testing::MemoryFileSystem files;
  files.files["ART\\ART.NFO"] = "one\ntwo";
  testing::FakePrompter prompter;
  FixedScreen screen(96, 800, 600);
  Selection selection;
  RecordingView view;
  const ViewNfoSeams seams{files, prompter, screen};

  selection.selected = false;  // HasSelection has warned: nothing happens
  ViewNfo(selection, programs, seams, 1.0, view);
  selection.selected = true;
  selection.text = "Unknown";
  ViewNfo(selection, programs, seams, 1.0, view);
  EXPECT_TRUE(view.calls.empty());

  selection.text = "Art";
  ViewNfo(selection, programs, seams, 1.0, view);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"size 667x450", "font 9", "text one\r\ntwo",
                                                  "status ART\\ART.NFO", "show"}));
  view.calls.clear();
  selection.text = "Gone";  // a missing file: resized, 11 points above 1, not shown
  ViewNfo(selection, programs, seams, 1.25, view);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"size 667x450", "font 11"}));
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Error");
  EXPECT_EQ(prompter.boxes[0].text, "Could not open the NFO file:\rGONE.NFO");

  view.calls.clear();  // a text the viewer cannot take: no status, not shown, to the report
  view.refuseText = true;
  selection.text = "Art";
  EXPECT_THROW(ViewNfo(selection, programs, seams, 1.0, view), std::runtime_error);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"size 667x450", "font 11"}));
}

}  // namespace
}  // namespace tallimo
