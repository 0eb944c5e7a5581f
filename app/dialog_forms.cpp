#include "app/dialog_forms.h"

namespace tallimo {

TFTallimoabout* FTallimoabout = nullptr;
TFTallimonfo* FTallimonfo = nullptr;
TFTallimoinfo* FTallimoinfo = nullptr;

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
