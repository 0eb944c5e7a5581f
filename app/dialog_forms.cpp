#include "app/dialog_forms.h"

namespace tallimo {

TFTallimoadd* FTallimoadd = nullptr;
TFTallimoabout* FTallimoabout = nullptr;
TFTallimonfo* FTallimonfo = nullptr;

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

TFTallimoabout::TFTallimoabout() {
  Name = "FTallimoabout";
  SetCaption("Tallimo - Information");
  BorderStyle = ui::TBorderStyle::bsDialog;
  SetClientSize(338, 258);
  SetBounds(33, 37, Width(), Height());
}

TFTallimonfo::TFTallimonfo() {
  Name = "FTallimonfo";
  SetCaption("Tallimo - NFO Viewer");
  BorderStyle = ui::TBorderStyle::bsSizeable;
  SetClientSize(640, 400);
  Position = ui::TPosition::poScreenCenter;
}

}  // namespace tallimo
