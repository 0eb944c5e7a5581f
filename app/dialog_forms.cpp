#include "app/dialog_forms.h"

namespace tallimo {

TFTallimoadd* FTallimoadd = nullptr;
TFTallimoinfo* FTallimoinfo = nullptr;

TFTallimoadd::TFTallimoadd() {
  Name = "FTallimoadd";
  SetCaption("Tallimo - Add/Edit Program");
  BorderStyle = ui::TBorderStyle::bsDialog;
  HelpButton = true;
  HelpContext = 50;
  SetClientSize(448, 446);
  SetColor(clBlack);
  Position = ui::TPosition::poScreenCenter;
}

TFTallimoinfo::TFTallimoinfo() {
  Name = "FTallimoinfo";
  SetCaption("Tallimo - General Info");
  BorderStyle = ui::TBorderStyle::bsDialog;
  HelpButton = true;
  HelpContext = 11;
  SetClientSize(414, 286);
  Position = ui::TPosition::poScreenCenter;
}

}  // namespace tallimo
