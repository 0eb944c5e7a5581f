#include "ui/help_engine_win32.h"

#include <iterator>
#include <memory>
#include <string>
#include <type_traits>

#include "help/help_topics.h"
#include "platform/prompter_rules.h"
#include "platform/system_library_win32.h"
#include "platform/wide.h"
#include "ui/gdi.h"

namespace tallimo {

namespace {

// HTML Help's commands (htmlhelp.h); the library is loaded at run time, so its header's
// import declarations are not used.
constexpr UINT kHhDisplayTopic = 0x0000;
constexpr UINT kHhDisplayTextPopup = 0x000E;
constexpr UINT kHhCloseAll = 0x0012;

// HH_POPUP with wide text, as HtmlHelpW takes it.
struct HhPopupW {
  int cbStruct;
  HINSTANCE hinst;
  UINT idString;
  LPCWSTR pszText;
  POINT pt;
  COLORREF clrForeground;
  COLORREF clrBackground;
  RECT rcMargins;
  LPCWSTR pszFont;
};

// The help window belongs to the active window of the program.
HWND HelpOwner() {
  return GetActiveWindow();
}

bool IsFile(const std::string& path) {
  DWORD a = GetFileAttributesW(Widen(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// The same path with the extension ".hlp" (the help file of older versions).
std::string WinHelpFileOf(const std::string& helpFile) {
  size_t dot = helpFile.find_last_of('.');
  size_t slash = helpFile.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return helpFile + ".hlp";
  return helpFile.substr(0, dot) + ".hlp";
}

// The pop-up window of our own: the text on the tool-tip colours in a thin frame, closed by a
// click, a key, or when another window takes the activation.
constexpr wchar_t kPopupClass[] = L"TallimoHelpPopup";
constexpr int kPopupMargin = 6;
HWND g_popup = nullptr;

// The font of the system's message boxes.
ui::OwnedFont PopupFont() {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0))
    return ui::OwnedFont(CreateFontIndirectW(&m.lfMessageFont));
  return ui::OwnedFont();
}

LRESULT CALLBACK PopupProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE:
      // The window owns its font from here: deleted at WM_NCDESTROY.
      SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(PopupFont().Release()));
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT r;
      GetClientRect(h, &r);
      FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));  // a system brush: not ours to free
      {
        ui::SelectIn useFont(dc, reinterpret_cast<HFONT>(GetWindowLongPtrW(h, GWLP_USERDATA)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        InflateRect(&r, -kPopupMargin, -kPopupMargin);
        wchar_t text[1024] = L"";
        GetWindowTextW(h, text, static_cast<int>(std::size(text)));
        DrawTextW(dc, text, -1, &r, DT_WORDBREAK | DT_NOPREFIX);
      }
      EndPaint(h, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      DestroyWindow(h);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) PostMessageW(h, WM_CLOSE, 0, 0);
      break;
    case WM_NCDESTROY:
      ui::OwnedFont(reinterpret_cast<HFONT>(GetWindowLongPtrW(h, GWLP_USERDATA)));  // its end
      if (g_popup == h) g_popup = nullptr;
      break;
  }
  return DefWindowProcW(h, msg, wParam, lParam);
}

void ClosePopup() {
  if (g_popup) DestroyWindow(g_popup);
}

// The outer size of the pop-up window for `text`: wrapped at a width that suits a few lines.
SIZE PopupSize(const std::string& text) {
  ui::WindowDC screen(nullptr);
  const int width = MulDiv(320, GetDeviceCaps(screen.Get(), LOGPIXELSX), 96);
  ui::OwnedFont font = PopupFont();
  RECT r{0, 0, width, 0};
  {
    ui::SelectIn useFont(screen.Get(), font.Get());
    DrawTextW(screen.Get(), Widen(text).c_str(), -1, &r, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
  }
  RECT frame{0, 0, r.right + 2 * kPopupMargin, r.bottom + 2 * kPopupMargin};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

// Shows `text` with its top-left corner at `at`, kept on the screen that holds that point.
void ShowOwnPopup(HWND owner, const std::string& text, POINT at) {
  ClosePopup();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.style = CS_SAVEBITS | CS_DROPSHADOW;
  wc.lpfnWndProc = &PopupProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kPopupClass;
  RegisterClassW(&wc);  // fails harmlessly when already registered

  const SIZE size = PopupSize(text);
  const int w = size.cx, hgt = size.cy;

  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &mi);
  const RECT& area = mi.rcWork;
  int x = at.x, y = at.y;
  if (x + w > area.right) x = area.right - w;
  if (y + hgt > area.bottom) y = area.bottom - hgt;
  if (x < area.left) x = area.left;
  if (y < area.top) y = area.top;

  g_popup = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupClass, Widen(text).c_str(),
                            WS_POPUP | WS_BORDER, x, y, w, hgt, owner, nullptr, instance, nullptr);
  if (g_popup) ShowWindow(g_popup, SW_SHOW);
}

}  // namespace

HtmlHelpEngine::~HtmlHelpEngine() {
  ClosePopup();
  // hhctrl.ocx stays loaded: its help windows run on threads of its own until the process ends.
}

HtmlHelpEngine::HtmlHelpWFn HtmlHelpEngine::HtmlHelp() {
  if (!triedHhctrl_) {
    triedHhctrl_ = true;
    // From the system folder by its full path, never from the program's (the disc's) folder.
    hhctrl_ = LoadSystemLibrary(L"hhctrl.ocx");
    htmlHelp_ = SystemFunction<HtmlHelpWFn>(hhctrl_, "HtmlHelpW");
  }
  return htmlHelp_;
}

void HtmlHelpEngine::ShowContext(const std::string& helpFile, int context) {
  if (IsFile(helpFile)) {
    if (HtmlHelpWFn hh = HtmlHelp()) {
      const HelpTopic* topic = FindHelpTopic(context);
      std::string url =
          helpFile + "::/" + (topic ? std::string(topic->file) : std::string(kDefaultHelpTopic));
      hh(HelpOwner(), Widen(url).c_str(), kHhDisplayTopic, 0);
      return;
    }
  }
  // Without Tallimo.chm (or HTML Help): WinHelp, where the help file of older versions is
  // there; Windows since Vista shows its own message for it.
  const std::string hlp = WinHelpFileOf(helpFile);
  if (IsFile(hlp)) {
    usedWinHelp_ = true;
    winHelpFile_ = hlp;
    WinHelpW(HelpOwner(), Widen(hlp).c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(context));
    return;
  }
  prompter_.MessageDlg("The help file " + helpFile + " was not found.", TMsgDlgType::mtInformation);
}

void HtmlHelpEngine::SetPopupPos(const std::string&, int x, int y) {
  popupPos_ = {x, y};
  popupPosSet_ = true;
}

void HtmlHelpEngine::ShowPopup(const std::string& helpFile, int context) {
  const HelpTopic* topic = FindHelpTopic(context);
  if (!topic || !topic->popup) {
    ShowContext(helpFile, context);
    return;
  }
  POINT at = popupPos_;
  if (!popupPosSet_) GetCursorPos(&at);
  popupPosSet_ = false;
  ClosePopup();
  // The texts live in the program, so a pop-up needs no help file.
  if (HtmlHelpWFn hh = HtmlHelp()) {
    // HTML Help places the pop-up by the middle of its top edge.
    POINT top{at.x + PopupSize(topic->popup).cx / 2, at.y};
    const std::wstring text = Widen(topic->popup);
    HhPopupW popup{.cbStruct = sizeof(HhPopupW),
                   .hinst = nullptr,
                   .idString = 0,
                   .pszText = text.c_str(),
                   .pt = top,
                   .clrForeground = static_cast<COLORREF>(-1),  // the system's colours,
                   .clrBackground = static_cast<COLORREF>(-1),  // margins and font
                   .rcMargins = {-1, -1, -1, -1},
                   .pszFont = nullptr};
    if (hh(HelpOwner(), nullptr, kHhDisplayTextPopup, reinterpret_cast<DWORD_PTR>(&popup))) return;
  }
  ShowOwnPopup(HelpOwner(), topic->popup, at);
}

void HtmlHelpEngine::Quit(const std::string&) {
  ClosePopup();
  if (htmlHelp_) htmlHelp_(nullptr, nullptr, kHhCloseAll, 0);
  if (usedWinHelp_) WinHelpW(HelpOwner(), Widen(winHelpFile_).c_str(), HELP_QUIT, 0);
  usedWinHelp_ = false;
}

HWND HtmlHelpEngine::OwnPopup() const {
  return g_popup;
}

HelpEngine& HostHelpEngine() {
  static HtmlHelpEngine engine(HostPrompter());
  return engine;
}

}  // namespace tallimo
