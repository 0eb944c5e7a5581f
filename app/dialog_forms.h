#pragma once
// The dialogs of the program as windows with their captions and sizes; each dialog's controls
// come with the command that uses it.
#include "ui/form.h"

namespace tallimo {

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

// The General Info dialog.
class TFTallimoinfo : public ui::Form {
 public:
  TFTallimoinfo();
};

extern TFTallimoabout* FTallimoabout;
extern TFTallimonfo* FTallimonfo;
extern TFTallimoinfo* FTallimoinfo;

}  // namespace tallimo
