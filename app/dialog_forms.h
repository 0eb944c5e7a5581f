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

extern TFTallimoadd* FTallimoadd;

}  // namespace tallimo
