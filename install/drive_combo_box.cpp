#include "install/drive_combo_box.h"

#include "install/drive_list.h"
#include "platform/wide.h"
#include "resources/resource_ids.h"

namespace tallimo {

namespace {

constexpr int kPictureIds[5] = {IDB_DRIVE_REMOVABLE, IDB_DRIVE_FIXED, IDB_DRIVE_NETWORK,
                                IDB_DRIVE_CDROM, IDB_DRIVE_RAM};
constexpr COLORREF kPictureKey = RGB(192, 192, 192);  // the pictures' background
constexpr int kPictureSize = 16;

}  // namespace

DriveComboBox::DriveComboBox(Drives& drives) : drives_(drives) {
  TabStop = true;
  ParentColor = false;
  color_ = clWindow;
  for (int i = 0; i < 5; ++i) {
    pictures_[i].Reset(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kPictureIds[i]),
                                        IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  }
}

DriveComboBox::~DriveComboBox() {
  DestroyHandle();  // before the pictures go
}

void DriveComboBox::FillCreateParams(ui::CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.className = "COMBOBOX";
  params.style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                 CBS_HASSTRINGS;
}

void DriveComboBox::AfterCreate() {
  SetItemHeights();
  FillItems();
}

void DriveComboBox::FontChanged() {
  WinControl::FontChanged();
  if (hwnd_) SetItemHeights();
}

void DriveComboBox::SetItemHeights() {
  // Room for the picture and a line of the control's font.
  TEXTMETRICW metrics{};
  {
    const ui::WindowDC dc(hwnd_);
    const ui::SelectIn selected(dc.Get(), FontHandle());
    GetTextMetricsW(dc.Get(), &metrics);
  }
  int height = metrics.tmHeight + 2;
  if (height < kPictureSize + 2) height = kPictureSize + 2;
  SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
  SendMessageW(hwnd_, CB_SETITEMHEIGHT, 0, height);
}

void DriveComboBox::FillItems() {
  SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
  for (const DriveInfo& drive : items_) {
    const std::wstring text = Widen(DriveItemText(drive));
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

void DriveComboBox::Refresh() {
  std::optional<char> keep = Drive();
  items_ = drives_.ListDrives();
  selected_ = keep ? DriveIndexOf(items_, *keep) : -1;
  if (hwnd_) FillItems();
}

std::optional<char> DriveComboBox::Drive() const {
  int index = selected_;
  if (hwnd_) index = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
  if (index < 0 || static_cast<size_t>(index) >= items_.size()) return std::nullopt;
  return items_[static_cast<size_t>(index)].letter;
}

void DriveComboBox::SetDrive(char letter) {
  selected_ = DriveIndexOf(items_, letter);
  if (hwnd_) SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

bool DriveComboBox::DrawItem(DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= items_.size()) {
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
    return true;
  }
  const DriveInfo& drive = items_[item.itemID];
  const int pictureTop = r.top + (r.bottom - r.top - kPictureSize) / 2;
  DrawKindPicture(dc, drive.type, r.left + 2, pictureTop, kPictureSize);

  RECT text = r;
  text.left += 2 + kPictureSize + 4;
  const std::wstring caption = Widen(DriveItemText(drive));
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColor =
      SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  HGDIOBJ oldFont = SelectObject(dc, FontHandle());
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, oldFont);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
  return true;
}

void DriveComboBox::DrawKindPicture(HDC dc, TDriveType type, int left, int top, int size) {
  const HBITMAP picture = pictures_[static_cast<int>(type)].Get();
  if (!picture) return;
  const ui::MemoryDC memory(dc);
  const ui::SelectIn selected(memory.Get(), picture);
  GdiTransparentBlt(dc, left, top, size, size, memory.Get(), 0, 0, kPictureSize, kPictureSize,
                    kPictureKey);
}

}  // namespace tallimo
