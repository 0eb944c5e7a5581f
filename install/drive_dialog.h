#pragma once
// The Drive dialog, FTallimodrive: asks which drive a procedure holding "%D:" installs to.
// Created once at start-up and reused, so it opens on the drive chosen last time.
#include <optional>

#include "components/gradient_win32.h"
#include "install/drive_combo_box.h"
#include "install/drive_token.h"
#include "platform/drives.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"

namespace tallimo {

class TFTallimodrive : public ui::Form, public DriveChoice {
 public:
  TFTallimodrive(Drives& drives, SystemColors& colors);
  ~TFTallimodrive() override;

  TGradient Gradient1;
  ui::Label Label1;
  DriveComboBox DriveComboBox1;
  ui::Button BitBtn1;

  // Shows the dialog modally. The selected drive's lower-case letter when it was closed with
  // the check-mark button (or Enter); nothing when it was closed by its close box or Escape,
  // or with no drive selected.
  std::optional<char> ChooseDrive() override;

 protected:
  // Selects the drive of the current directory.
  void FormCreate() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  Drives& drives_;
};

extern TFTallimodrive* FTallimodrive;

}  // namespace tallimo
