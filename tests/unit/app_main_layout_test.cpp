// The main window's scaling and resize arithmetic, and the choice of the catalogue file.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/main_layout.h"

namespace tallimo {
namespace {

TEST(MainLayout, RoundsHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(607.5), 608);
  EXPECT_EQ(RoundHalfEven(28.5), 28);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.6), -3);
  EXPECT_EQ(RoundHalfEven(7.0), 7);
}

TEST(MainLayout, ScalesWithThePixelsPerInch) {
  struct Case {
    int ppi;
    double scale;
    int minTrackWidth, logoTop, rowHeight, logoGap;
  };
  // Logo top: Round(s * 51 - 36) div 2; row height Round(s * 24); logo gap Round(s * 37).
  for (const Case& c : {Case{96, 1.0, 486, 7, 24, 37}, Case{120, 1.25, 608, 14, 30, 46},
                        Case{144, 1.5, 729, 20, 36, 56}}) {
    SCOPED_TRACE(c.ppi);
    const double s = ScaleFactorFromPpi(c.ppi);
    EXPECT_DOUBLE_EQ(s, c.scale);
    EXPECT_EQ(ScaledMinTrackWidth(s), c.minTrackWidth);
    EXPECT_EQ(LogoTop(s, kDesignPanBtnHeight, kDesignImage1Height), c.logoTop);
    EXPECT_EQ(ListRowHeight(s), c.rowHeight);
    EXPECT_EQ(MainResizeLayout(s, 600, 400, 4, 600).Image1Left, 600 - c.logoGap);
  }
  EXPECT_EQ(kMinTrackHeight, 243);
  // A panel lower than the logo gives a negative top, halved toward zero: Round(-5) div 2.
  EXPECT_EQ(LogoTop(1.0, 31, 36), -2);
}

TEST(MainLayout, ResizeSharesTheWidthAndHalvesTheHeight) {
  const TMainResizeLayout a = MainResizeLayout(1.0, 504, 364, 4, 504);
  EXPECT_EQ(a.LabelSelectWidth, 504);
  EXPECT_EQ(a.PanInfoWidth, 250);
  EXPECT_EQ(a.PanListHeight, 182);
  // Odd widths: the panes differ by at most one pixel (PanSpecs takes the rest).
  const TMainResizeLayout b = MainResizeLayout(1.25, 631, 455, 4, 631);
  EXPECT_EQ(b.PanInfoWidth, 313);
  EXPECT_LE(631 - 4 - 2 * b.PanInfoWidth, 1);
  EXPECT_EQ(b.PanListHeight, 227);
  // Below the splitter's width the division truncates toward zero.
  EXPECT_EQ(MainResizeLayout(1.0, 1, 0, 4, 1).PanInfoWidth, -1);
}

TEST(CommandLine, FirstArgumentAsTheSystemSplitsIt) {
  const char* quoted = R"("C:\Program Files\Tallimo.exe" "E:\My CD\menu.ini" second)";
  EXPECT_EQ(FirstCommandLineArgument(quoted), std::optional<std::string>(R"(E:\My CD\menu.ini)"));
  EXPECT_EQ(FirstCommandLineArgument("tallimo.exe\tD:\\A.INI\r\nB"),
            std::optional<std::string>("D:\\A.INI"));
  // A quoted stretch inside an argument joins it; an unclosed quote runs to the end.
  EXPECT_EQ(FirstCommandLineArgument(R"(t E:\"My CD"\menu.ini x)"),
            std::optional<std::string>(R"(E:\My CD\menu.ini)"));
  EXPECT_EQ(FirstCommandLineArgument(R"(t "E:\My CD)"), std::optional<std::string>(R"(E:\My CD)"));
  // A trailing backslash is kept: no escapes.
  EXPECT_EQ(FirstCommandLineArgument(R"(t "E:\My CD\" x)"),
            std::optional<std::string>(R"(E:\My CD\)"));
  EXPECT_EQ(FirstCommandLineArgument("Tallimo.exe"), std::nullopt);
  EXPECT_EQ(FirstCommandLineArgument("Tallimo.exe   "), std::nullopt);
  EXPECT_EQ(FirstCommandLineArgument(""), std::nullopt);
  EXPECT_EQ(FirstCommandLineArgument(R"(t "" x.ini)"), std::optional<std::string>("x.ini"));
}

TEST(CommandLine, DefaultCatalogueIsTheProgramsPathWithIni) {
  EXPECT_EQ(DefaultIniFileName(R"(D:\CD\SETUP.EXE)"), R"(D:\CD\SETUP.ini)");
  EXPECT_EQ(DefaultIniFileName(R"(D:\CD\MENU.V2.EXE)"), R"(D:\CD\MENU.V2.ini)");
  EXPECT_EQ(DefaultIniFileName(R"(D:\CD.DIR\SETUP)"), R"(D:\CD.DIR\SETUP.ini)");
  EXPECT_EQ(DefaultIniFileName("/disc/setup"), "/disc/setup.ini");
  EXPECT_EQ(ChooseIniFileName(R"("D:\CD\SETUP.EXE")", R"(D:\CD\SETUP.EXE)"), R"(D:\CD\SETUP.ini)");
  EXPECT_EQ(ChooseIniFileName(R"(SETUP "E:\My CD\menu.ini" 2)", R"(D:\CD\SETUP.EXE)"),
            R"(E:\My CD\menu.ini)");
}

}  // namespace
}  // namespace tallimo
