#include "ui/static_text.h"

#include "platform/wide.h"
#include "ui/gdi.h"

namespace tallimo::ui {

void StaticText::SetCaption(const std::string& caption) {
  WinControl::SetCaption(caption);
  AdjustBounds();
}

void StaticText::SetAutoSize(bool autoSize) {
  AutoSize = autoSize;
  AdjustBounds();
}

void StaticText::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.className = "STATIC";
  params.style = WS_CHILD | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX;
}

HBRUSH StaticText::ControlColor(HDC dc) {
  SetTextColor(dc, ColorToRGB(Font().color));
  if (!Transparent) {
    SetBkColor(dc, ColorToRGB(color_));
    return BackgroundBrush();
  }
  // The parent paints its background and graphic controls under the text first, so that the
  // text changed leaves nothing of the one before.
  if (parent_ && parent_->Handle()) {
    POINT origin;
    OffsetViewportOrgEx(dc, -Left(), -Top(), &origin);
    SendMessageW(parent_->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  }
  SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void StaticText::FontChanged() {
  WinControl::FontChanged();
  AdjustBounds();
}

void StaticText::AdjustBounds() {
  if (!AutoSize) return;
  RECT r{0, 0, 0, 0};
  {
    const WindowDC screen(nullptr);
    if (!screen) return;
    const OwnedFont font = MakeFont(Font());
    const SelectIn selected(screen.Get(), font.Get());
    DrawTextW(screen.Get(), Widen(caption_).c_str(), -1, &r,
              DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  }
  // Two pixels more: some glyphs reach past the measured width.
  SetBounds(Left(), Top(), r.right - r.left + 2, r.bottom - r.top);
}

}  // namespace tallimo::ui
