#pragma once
// The dialogs of the program as windows with their captions and sizes; each dialog's controls
// come with the command that uses it.
#include "ui/form.h"

namespace tallimo {

// The Add/Edit Program dialog.
class TFTallimoadd : public ui::Form {
 public:
  TFTallimoadd();
};

// The About box.
class TFTallimoabout : public ui::Form {
 public:
  TFTallimoabout();
};

// The NFO viewer (shown without blocking the main window).
class TFTallimonfo : public ui::Form {
 public:
  TFTallimonfo();
};

extern TFTallimoadd* FTallimoadd;
extern TFTallimoabout* FTallimoabout;
extern TFTallimonfo* FTallimonfo;

}  // namespace tallimo
