#pragma once
// The Drive dialog: the user picks the drive that "%D:" stands for.
#include "ui/form.h"

namespace tallimo {

class TFTallimodrive : public ui::Form {
 public:
  TFTallimodrive();
};

extern TFTallimodrive* FTallimodrive;

}  // namespace tallimo
