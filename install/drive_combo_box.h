#pragma once
// The drive list of the Drive dialog: a drop-down list of the system's drives, each item with
// a small picture of its kind, the lower-case letter and colon, and the volume or network name.
#include <windows.h>

#include <optional>
#include <vector>

#include "platform/drives.h"
#include "ui/gdi.h"
#include "ui/win_control.h"

namespace tallimo {

class DriveComboBox : public ui::WinControl {
 public:
  explicit DriveComboBox(Drives& drives);
  ~DriveComboBox() override;

  // Reads the drives again; the drive selected before stays selected when it is still there.
  void Refresh();
  const std::vector<DriveInfo>& Items() const { return items_; }
  // The selected drive's lower-case letter, or nothing when no item is selected.
  std::optional<char> Drive() const;
  // Selects the drive of that letter (either case); nothing is selected when there is none.
  void SetDrive(char letter);

 protected:
  void FillCreateParams(ui::CreateParams& params) override;
  void AfterCreate() override;
  bool DrawItem(DRAWITEMSTRUCT& item) override;
  void FontChanged() override;

 private:
  void FillItems();
  void SetItemHeights();
  void DrawKindPicture(HDC dc, TDriveType type, int left, int top, int size);

  Drives& drives_;
  std::vector<DriveInfo> items_;
  int selected_ = -1;  // kept while the window does not exist
  ui::OwnedBitmap pictures_[5];
};

}  // namespace tallimo
