#include "ui/edit.h"

#include "ui/line_breaks.h"

namespace tallimo::ui {

Edit::Edit() {
  TabStop = true;
  color_ = clWindow;
}

void Edit::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.className = "EDIT";
  params.style = WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL;
  if (ReadOnly) params.style |= ES_READONLY;
  if (Border) params.exStyle |= WS_EX_CLIENTEDGE;
}

void Edit::AfterCreate() {
  SendMessageW(hwnd_, EM_SETLIMITTEXT, static_cast<WPARAM>(MaxLength), 0);
}

LRESULT Edit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_LBUTTONDBLCLK && OnDblClick) {
    LRESULT result = DefaultProc(msg, wParam, lParam);
    OnDblClick();
    return result;
  }
  return WinControl::WndProc(msg, wParam, lParam);
}

HBRUSH Edit::ControlColor(HDC dc) {
  SetTextColor(dc, ColorToRGB(Font().color));
  SetBkColor(dc, ColorToRGB(color_));
  return BackgroundBrush();
}

Memo::Memo() = default;

void Memo::FillCreateParams(CreateParams& params) {
  Edit::FillCreateParams(params);
  params.style = WS_CHILD | WS_CLIPSIBLINGS | ES_MULTILINE | ES_AUTOVSCROLL;
  if (!WordWrap) params.style |= ES_AUTOHSCROLL;
  if (ReadOnly) params.style |= ES_READONLY;
  if (Alignment == TAlignment::taCenter) params.style |= ES_CENTER;
  if (Alignment == TAlignment::taRightJustify) params.style |= ES_RIGHT;
  if (WantReturns && !ReadOnly) params.style |= ES_WANTRETURN;
  if (ScrollBars == TScrollStyle::ssVertical || ScrollBars == TScrollStyle::ssBoth)
    params.style |= WS_VSCROLL;
  if (ScrollBars == TScrollStyle::ssHorizontal || ScrollBars == TScrollStyle::ssBoth)
    params.style |= WS_HSCROLL;
}

std::string Memo::Text() const {
  return CrLfLineBreaks(Caption());
}

void Memo::SetText(const std::string& text) {
  SetCaption(CrLfLineBreaks(text));
}

std::vector<std::string> Memo::Lines() const {
  return SplitLines(Caption());
}

void Memo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  // A last line that is empty needs its own line break, or it would not read back.
  if (!lines.empty() && lines.back().empty()) text += "\r\n";
  SetText(text);
}

LRESULT Memo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PASTE && !ReadOnly) {
    PasteText();
    return 0;
  }
  return Edit::WndProc(msg, wParam, lParam);
}

void Memo::PasteText() {
  if (!OpenClipboard(hwnd_)) return;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
      std::wstring text;
      for (const wchar_t* c = wide; *c; ++c) {
        if (*c == L'\r' || *c == L'\n') {
          text += L"\r\n";
          if (*c == L'\r' && c[1] == L'\n') ++c;
        } else {
          text += *c;
        }
      }
      GlobalUnlock(data);
      CloseClipboard();
      SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
      return;
    }
  }
  CloseClipboard();
}

}  // namespace tallimo::ui
