#include "install/drive_dialog.h"

namespace tallimo {

TFTallimodrive* FTallimodrive = nullptr;

// The window only, with its caption, size and place; its controls come with the install runner.
TFTallimodrive::TFTallimodrive() {
  Name = "FTallimodrive";
  SetCaption("Tallimo - Drive");
  BorderStyle = ui::TBorderStyle::bsDialog;
  HelpButton = true;
  SetClientSize(231, 97);
  SetBounds(200, 108, Width(), Height());
}

}  // namespace tallimo
