#include "ui/win_control.h"

#include <windowsx.h>

#include <algorithm>
#include <unordered_map>

#include "platform/error.h"
#include "platform/wide.h"
#include "ui/application.h"
#include "ui/gdi.h"
#include "ui/graphic_control.h"
#include "ui/menu.h"

namespace tallimo::ui {

namespace {
int g_nextId = 100;
// The object of each of our windows. Every message looks its window up here, so it is kept in
// the process rather than as a window property, which costs a call to the window system each
// time (under Wine a round trip to its server). Windows live on the one user-interface thread.
std::unordered_map<HWND, WinControl*>& Objects() {
  static std::unordered_map<HWND, WinControl*> objects;
  return objects;
}
// The control whose window is being created: messages that come before WM_NCCREATE (such as
// WM_GETMINMAXINFO) reach it too.
WinControl* g_creating = nullptr;
}  // namespace

const wchar_t* TallimoWindowClass() {
  static const wchar_t* name = nullptr;
  if (!name) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &WinControl::StaticProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    wc.lpszClassName = L"TallimoWindow";
    RegisterClassExW(&wc);
    name = wc.lpszClassName;
  }
  return name;
}

WinControl::WinControl() {
  id_ = g_nextId++;
}

WinControl::~WinControl() {
  DestroyHandle();
  for (Control* c : children_) c->parent_ = nullptr;
}

WinControl* WinControl::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  const auto found = Objects().find(hwnd);
  return found == Objects().end() ? nullptr : found->second;
}

void WinControl::InsertChild(Control* child) {
  children_.push_back(child);
  if (child->IsWindowed() && hwnd_) static_cast<WinControl*>(child)->CreateHandle();
  Realign();
}

void WinControl::RemoveChild(Control* child) {
  children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
  if (pressed_ == child) pressed_ = nullptr;
}

void WinControl::FillCreateParams(CreateParams& params) {
  params.parent = parent_ ? parent_->Handle() : nullptr;
  params.menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_));
}

void WinControl::CreateHandle() {
  if (hwnd_) return;
  CreateParams p;
  FillCreateParams(p);
  bool ours = p.className.empty();
  if (visible_ && (p.style & WS_CHILD)) p.style |= WS_VISIBLE;
  if (!enabled_) p.style |= WS_DISABLED;
  if (TabStop) p.style |= WS_TABSTOP;
  ownClass_ = ours;
  HWND h;
  if (ours) {
    g_creating = this;
    h = CreateWindowExW(p.exStyle, TallimoWindowClass(), Widen(caption_).c_str(), p.style,
                        bounds_.left, bounds_.top, bounds_.width, bounds_.height, p.parent,
                        p.menuOrId, GetModuleHandleW(nullptr), this);
    g_creating = nullptr;
  } else {
    h = CreateWindowExW(p.exStyle, Widen(p.className).c_str(), Widen(caption_).c_str(), p.style,
                        bounds_.left, bounds_.top, bounds_.width, bounds_.height, p.parent,
                        p.menuOrId, GetModuleHandleW(nullptr), nullptr);
  }
  if (!h) throw TallimoError("Error creating window " + Name);
  if (!ours) {
    hwnd_ = h;
    Objects()[h] = this;
    const LONG_PTR proc = reinterpret_cast<LONG_PTR>(&StaticProc);
    oldProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, proc));
  }
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
  AfterCreate();
  for (Control* c : children_)
    if (c->IsWindowed()) static_cast<WinControl*>(c)->CreateHandle();
  Realign();
}

void WinControl::DestroyHandle() {
  if (!hwnd_) return;
  HWND h = hwnd_;
  DestroyWindow(h);
  hwnd_ = nullptr;
}

LRESULT CALLBACK WinControl::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Nothing of ours handles it, and an owner-drawn list that empties sends one for each of its
  // rows: answered before the lookup of the window's object.
  if (msg == WM_DELETEITEM) return DefWindowProcW(hwnd, msg, wParam, lParam);
  WinControl* self = FromHandle(hwnd);
  if (!self && g_creating) {
    // Our own class: the object is mapped once, at the first message of its window.
    self = g_creating;
    g_creating = nullptr;
    Objects()[hwnd] = self;
  }
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (!self->hwnd_) self->hwnd_ = hwnd;
  LRESULT result = self->Dispatch(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    Objects().erase(hwnd);
    self->hwnd_ = nullptr;
  }
  return result;
}

LRESULT WinControl::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  try {
    return WndProc(msg, wParam, lParam);
  } catch (...) {
    App().HandleCurrentException();
  }
  return 0;
}

LRESULT WinControl::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (oldProc_) return CallWindowProcW(oldProc_, hwnd_, msg, wParam, lParam);
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

namespace {
// The keys and buttons held at a mouse message.
TShiftState MouseShift(UINT msg, WPARAM keys) {
  return static_cast<TShiftState>(
      ((keys & MK_SHIFT) ? ssShift : 0) | ((keys & MK_CONTROL) ? ssCtrl : 0) |
      ((keys & MK_LBUTTON) ? ssLeft : 0) | ((keys & MK_RBUTTON) ? ssRight : 0) |
      ((keys & MK_MBUTTON) ? ssMiddle : 0) | (GetKeyState(VK_MENU) < 0 ? ssAlt : 0) |
      ((msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK) ? ssDouble : 0));
}
}  // namespace

LRESULT WinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK) mouseShift_ = MouseShift(msg, wParam);
  switch (msg) {
    case WM_CREATE:
      OnCreate();
      break;
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_SIZE:
      if (ownClass_) {
        LRESULT r = DefaultProc(msg, wParam, lParam);
        OnSize();
        return r;
      }
      break;
    case WM_ERASEBKGND:
      if (ownClass_ && OnEraseBackground(reinterpret_cast<HDC>(wParam))) return 1;
      break;
    case WM_PAINT:
      if (ownClass_) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        // The area is validated even when painting fails, or the failure would come back
        // with every WM_PAINT.
        try {
          OnPaint(dc, ps.rcPaint);
        } catch (...) {
          EndPaint(hwnd_, &ps);
          throw;
        }
        EndPaint(hwnd_, &ps);
        return 0;
      }
      break;
    case WM_PRINTCLIENT:
      if (ownClass_) {
        RECT r;
        GetClientRect(hwnd_, &r);
        HDC dc = reinterpret_cast<HDC>(wParam);
        OnEraseBackground(dc);
        OnPaint(dc, r);
        return 0;
      }
      break;
    case WM_COMMAND: {
      HWND from = reinterpret_cast<HWND>(lParam);
      if (from) {
        WinControl* child = FromHandle(from);
        if (child && child != this && child->CommandNotify(HIWORD(wParam))) return 0;
      }
      if (OnCommand(LOWORD(wParam), HIWORD(wParam), from)) return 0;
      break;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      WinControl* child = FromHandle(item->hwndItem);
      if (child && child != this && child->DrawItem(*item)) return TRUE;
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
      WinControl* child = FromHandle(reinterpret_cast<HWND>(lParam));
      if (child && child != this) {
        HBRUSH brush = child->ControlColor(reinterpret_cast<HDC>(wParam));
        if (brush) return reinterpret_cast<LRESULT>(brush);
      }
      break;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      WinControl* child = FromHandle(header->hwndFrom);
      LRESULT result = 0;
      if (child && child != this && child->Notify(*header, result)) return result;
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnMouseDown(0, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      break;
    case WM_RBUTTONDOWN:
      OnMouseDown(1, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      break;
    case WM_LBUTTONUP:
      OnMouseUp(0, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      break;
    case WM_RBUTTONUP:
      OnMouseUp(1, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      break;
    case WM_KEYDOWN:
      if (OnKeyDown(static_cast<int>(wParam))) return 0;
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT && OnSetCursor())
        return TRUE;
      break;
    case WM_CONTEXTMENU:
      if (OnContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) return 0;
      break;
    // A multi-line edit asks its parent for these on Escape and Tab. A container of ours
    // passes them to its form: the default would destroy the container on Escape and
    // ignore Tab.
    case WM_CLOSE:
      if (ownClass_ && parent_ && TopLevel()->HandleAllocated()) {
        PostMessageW(TopLevel()->Handle(), WM_COMMAND, IDCANCEL, 0);
        return 0;
      }
      break;
    case WM_NEXTDLGCTL:
      if (ownClass_ && parent_ && TopLevel()->HandleAllocated())
        return SendMessageW(TopLevel()->Handle(), msg, wParam, lParam);
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

bool WinControl::OnCommand(int id, int code, HWND control) {
  (void)code;
  if (control) return false;
  // Menu commands reach the window that owns the menu.
  if (MenuItem* item = MenuItem::FromCommand(id)) {
    item->Click();
    return true;
  }
  return false;
}

bool WinControl::OnContextMenu(int screenX, int screenY) {
  if (!Popup) return false;
  if (screenX == -1 && screenY == -1) {  // from the keyboard: at the control's corner
    POINT pt{0, 0};
    ClientToScreen(hwnd_, &pt);
    screenX = pt.x;
    screenY = pt.y;
  }
  Popup->PopupAt(hwnd_, screenX, screenY);
  return true;
}

HBRUSH WinControl::ControlColor(HDC dc) {
  (void)dc;
  return nullptr;
}

std::string WinControl::Caption() const {
  if (!hwnd_) return caption_;
  int n = GetWindowTextLengthW(hwnd_);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd_, s.data(), n + 1);
  return Narrow(s.data(), n);
}

void WinControl::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (hwnd_) SetWindowTextW(hwnd_, Widen(caption).c_str());
}

void WinControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (hwnd_) EnableWindow(hwnd_, enabled);
}

void WinControl::SetVisible(bool visible) {
  Control::SetVisible(visible);
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void WinControl::SetColor(TColor color) {
  color_ = color;
  ParentColor = false;
  Invalidate();
}

void WinControl::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

bool WinControl::Focused() const {
  return hwnd_ && GetFocus() == hwnd_;
}

HFONT WinControl::FontHandle() {
  if (!fontHandle_) fontHandle_ = MakeFont(Font());
  return fontHandle_.Get();
}

void WinControl::FontChanged() {
  // The window lets go of the old font before it is deleted.
  OwnedFont old = std::move(fontHandle_);
  if (hwnd_) {
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
  }
  for (Control* c : children_)
    if (c->ParentFont) c->NotifyParentFontChanged();
}

void WinControl::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void WinControl::Update() {
  if (hwnd_) UpdateWindow(hwnd_);
}

WinControl* WinControl::TopLevel() {
  WinControl* c = this;
  while (c->parent_) c = c->parent_;
  return c;
}

}  // namespace tallimo::ui
