#include "app/dialog_forms.h"

namespace tallimo {

TFTallimoadd* FTallimoadd = nullptr;

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

}  // namespace tallimo
