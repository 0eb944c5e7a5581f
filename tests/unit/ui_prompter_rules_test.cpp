// The message box rules every prompter follows, the error report's text, and the fitting of
// design sizes to the screen.
#include <gtest/gtest.h>

#include "platform/prompter.h"
#include "platform/prompter_rules.h"
#include "ui/layout_fit.h"

namespace tallimo {
namespace {

using B = TMsgDlgBtn;
using R = TModalResult;

TEST(ErrorReportText, AppendsAFullStopOnlyAfterCharactersAboveIt) {
  EXPECT_EQ(ErrorReportText("Unable to write to C:\\a.ini"), "Unable to write to C:\\a.ini.");
  EXPECT_EQ(ErrorReportText("Disk full."), "Disk full.");
  EXPECT_EQ(ErrorReportText("Stop!"), "Stop!");                 // '!' is below '.'
  EXPECT_EQ(ErrorReportText("a (b)"), "a (b)");                 // ')' too
  EXPECT_EQ(ErrorReportText("C:/"), "C:/.");                    // '/' is just above
  EXPECT_EQ(ErrorReportText("-"), "-");                         // just below
  EXPECT_EQ(ErrorReportText("Fichier \xE9"), "Fichier \xE9.");  // 8-bit codes count as above
  EXPECT_EQ(ErrorReportText(""), "");
}

TEST(MessageBoxRules, TitlesDefaultsAndEscapeAnswers) {
  EXPECT_STREQ(MsgDlgTitle(TMsgDlgType::mtWarning), "Warning");
  EXPECT_STREQ(MsgDlgTitle(TMsgDlgType::mtError), "Error");
  EXPECT_STREQ(MsgDlgTitle(TMsgDlgType::mtInformation), "Information");
  EXPECT_STREQ(MsgDlgTitle(TMsgDlgType::mtConfirmation), "Confirm");

  struct Case {
    std::vector<B> buttons;
    R defaultAnswer, escapeAnswer;
  } cases[] = {
      {{B::mbOK}, R::mrOK, R::mrOK},
      {{B::mbYes, B::mbNo}, R::mrYes, R::mrNo},
      {{B::mbYes, B::mbNo, B::mbCancel}, R::mrYes, R::mrCancel},
      {{B::mbOK, B::mbCancel}, R::mrOK, R::mrCancel},
      {{B::mbCancel, B::mbOK}, R::mrOK, R::mrCancel},
      {{}, R::mrOK, R::mrOK},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DefaultAnswer(c.buttons), c.defaultAnswer) << c.buttons.size();
    EXPECT_EQ(EscapeAnswer(c.buttons), c.escapeAnswer) << c.buttons.size();
  }
  EXPECT_STREQ(ButtonCaption(B::mbYes), "&Yes");
  EXPECT_STREQ(ButtonCaption(B::mbNo), "&No");
  EXPECT_STREQ(ButtonCaption(B::mbOK), "OK");
  EXPECT_STREQ(ButtonCaption(B::mbCancel), "Cancel");
}

TEST(FitDesignSize, ScalesFrom120PixelsPerInchRoundingHalvesAway) {
  using ui::FitDesignSize;
  // The main window's design sizes on a 96 pixels-per-inch screen.
  EXPECT_EQ(FitDesignSize(504, 96, 120), 403);  // 403.2
  EXPECT_EQ(FitDesignSize(51, 96, 120), 41);    // 40.8
  EXPECT_EQ(FitDesignSize(24, 96, 120), 19);    // 19.2
  EXPECT_EQ(FitDesignSize(4, 96, 120), 3);      // 3.2
  EXPECT_EQ(FitDesignSize(14, 96, 120), 11);    // 11.2
  EXPECT_EQ(FitDesignSize(36, 96, 120), 29);    // 28.8
  // At the design resolution nothing moves; above it sizes grow.
  EXPECT_EQ(FitDesignSize(504, 120, 120), 504);
  EXPECT_EQ(FitDesignSize(504, 144, 120), 605);  // 604.8
  // Halves go away from zero, on both sides.
  EXPECT_EQ(FitDesignSize(5, 108, 120), 5);    // 4.5
  EXPECT_EQ(FitDesignSize(-5, 108, 120), -5);  // -4.5
  EXPECT_EQ(FitDesignSize(1, 60, 120), 1);     // 0.5
  EXPECT_EQ(FitDesignSize(7, 96, 0), 0);
}

}  // namespace
}  // namespace tallimo
