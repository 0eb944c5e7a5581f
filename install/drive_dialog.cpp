#include "install/drive_dialog.h"

#include "resources/resource_ids.h"
#include "ui/picture.h"

namespace tallimo {

TFTallimodrive* FTallimodrive = nullptr;

TFTallimodrive::TFTallimodrive(Drives& drives, SystemColors& colors)
    : Gradient1(colors), DriveComboBox1(drives), drives_(drives) {
  Name = "FTallimodrive";
  SetCaption("Tallimo - Drive");
  BorderStyle = ui::TBorderStyle::bsDialog;
  HelpButton = true;
  Position = ui::TPosition::poDesigned;
  SetFont(ui::FontOf("MS Sans Serif", 14));
  SetClientSize(231, 97);
  SetBounds(200, 108, Width(), Height());

  Gradient1.Name = "Gradient1";
  Gradient1.SetParent(this);
  Gradient1.SetColorStart(clNavy);
  Gradient1.SetColorEnd(clGreen);

  Label1.Name = "Label1";
  Label1.SetParent(this);
  Label1.SetBounds(10, 10, 208, 40);
  Label1.Transparent = true;
  Label1.WordWrap = true;
  Label1.SetCaption("Which drive  would you like to install to?");
  Label1.SetFont(ui::FontOf("MS Serif", 17, clAqua));

  DriveComboBox1.Name = "DriveComboBox1";
  DriveComboBox1.SetParent(this);
  // The height is the dropped-down list's; the closed field takes the items' height.
  DriveComboBox1.SetBounds(10, 59, 159, 200);
  DriveComboBox1.HelpContext = 40;

  BitBtn1.Name = "BitBtn1";
  BitBtn1.SetParent(this);
  BitBtn1.SetBounds(177, 59, 43, 31);
  BitBtn1.Default = true;
  BitBtn1.ModalResult = TModalResult::mrOK;
  BitBtn1.HelpContext = 40;
  BitBtn1.SetGlyph(ui::LoadBitmapResource(IDB_CHECK, LR_LOADMAP3DCOLORS));
  DefaultButton = &BitBtn1;
  ActiveControl = &DriveComboBox1;
}

TFTallimodrive::~TFTallimodrive() {
  DestroyHandle();  // before the controls go
  if (FTallimodrive == this) FTallimodrive = nullptr;
}

void TFTallimodrive::FormCreate() {
  DriveComboBox1.Refresh();
  DriveComboBox1.SetDrive(drives_.CurrentDrive());
}

std::optional<char> TFTallimodrive::ChooseDrive() {
  if (!HandleAllocated()) Create();
  DriveComboBox1.Refresh();
  TModalResult result = ShowModal();
  if (result != TModalResult::mrOK) return std::nullopt;
  return DriveComboBox1.Drive();
}

bool TFTallimodrive::OnCommand(int id, int code, HWND control) {
  // Escape closes the dialog without a choice, as the close box does.
  if (id == IDCANCEL && (!control || !FromHandle(control))) {
    Close();
    return true;
  }
  return Form::OnCommand(id, code, control);
}

}  // namespace tallimo
