#pragma once
// The General Info dialog, FTallimoinfo: the disc's title bar caption, who set it up, and its
// comment lines, over a gradient. Created once and reused; it declares no handlers, its buttons
// close it with their modal results.
#include "catalogue/config_commands.h"
#include "components/gradient_win32.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"

namespace tallimo {

class TFTallimoinfo : public ui::Form, public GeneralInfoEditor {
 public:
  explicit TFTallimoinfo(SystemColors& colors);
  ~TFTallimoinfo() override;

  TGradient Gradient1;
  ui::Label Label1;
  ui::Edit Edit1;
  ui::Label Label2;
  ui::Edit Edit2;
  ui::Label Label3;
  ui::Memo Memo1;
  ui::Button Button1;  // Ok
  ui::Button Button2;  // Cancel

  // The General Info command's dialog: filled from `fields`, shown modally, and read back into
  // them after Ok.
  bool Edit(const std::string& title, GeneralInfoFields& fields) override;
};

extern TFTallimoinfo* FTallimoinfo;

}  // namespace tallimo
