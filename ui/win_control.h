#pragma once
// A windowed control: owns an HWND and the list of its children in z-order (first = bottom).
// Our window classes map HWND to object once, at the window's first message (WM_GETMINMAXINFO
// or WM_NCCREATE); standard controls (BUTTON, EDIT,
// LISTBOX ...) are subclassed right after creation. Every message reaches WndProc, which calls
// one virtual per message; no exception leaves the window procedure (caught at dispatch and
// handed to the application's error report).
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/control_values.h"
#include "ui/gdi.h"

namespace tallimo::ui {

class GraphicControl;
class PopupMenu;

struct CreateParams {
  std::string className;  // empty: our own window class
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  DWORD exStyle = 0;
  HWND parent = nullptr;
  HMENU menuOrId = nullptr;
};

class WinControl : public Control {
 public:
  WinControl();
  ~WinControl() override;

  bool IsWindowed() const override { return true; }
  HWND Handle() const { return hwnd_; }
  bool HandleAllocated() const { return hwnd_ != nullptr; }
  // Creates the window (the parent's must exist) and then the windows of its children.
  void CreateHandle();
  void DestroyHandle();
  // The control behind a window of ours, or nullptr.
  static WinControl* FromHandle(HWND hwnd);

  const std::vector<Control*>& Children() const { return children_; }
  void InsertChild(Control* child);
  void RemoveChild(Control* child);

  // The area inside the borders where aligned children go, in client coordinates.
  virtual RECT AlignArea() const;
  int ClientWidth() const;
  int ClientHeight() const;
  // Lays the aligned children out: top, bottom, left, right, then client, each in z-order.
  void Realign();

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  void SetVisible(bool visible) override;
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool TabStop = false;
  PopupMenu* Popup = nullptr;  // opened with the secondary mouse button
  void SetFocus();
  bool Focused() const;
  HFONT FontHandle();

  void Invalidate();
  void Update();
  void ScaleBy(int num, int den) override;

  // The form (top-level control) this control sits on.
  WinControl* TopLevel();

 protected:
  friend class GraphicControl;
  virtual void FillCreateParams(CreateParams& params);
  // The message procedure: one virtual per message, then DefaultProc.
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

  virtual void OnCreate() {}
  virtual void OnDestroy() {}
  virtual void OnSize();
  virtual bool OnEraseBackground(HDC dc);
  // Paints the control's own face (bevels ...), then the graphic children in z-order.
  virtual void OnPaint(HDC dc, const RECT& area);
  virtual void PaintFace(HDC dc) { (void)dc; }
  virtual bool OnCommand(int id, int code, HWND control);
  virtual void OnMouseDown(int button, int x, int y);
  virtual void OnMouseUp(int button, int x, int y);
  virtual void OnMouseMove(int x, int y);
  virtual bool OnKeyDown(int key) {
    (void)key;
    return false;
  }
  virtual bool OnSetCursor();
  virtual bool OnContextMenu(int screenX, int screenY);

  // Notifications reflected from the parent to the child they concern.
  virtual bool CommandNotify(int code) {
    (void)code;
    return false;
  }
  virtual bool DrawItem(DRAWITEMSTRUCT& item) {
    (void)item;
    return false;
  }
  virtual HBRUSH ControlColor(HDC dc);
  virtual bool Notify(NMHDR& header, LRESULT& result) {
    (void)header, (void)result;
    return false;
  }

  void BoundsChanged(const TBounds& old) override;
  void FontChanged() override;
  // Stores the window's real position in bounds_ (after the system moved or sized it).
  void ReadBoundsFromWindow();
  GraphicControl* GraphicAt(int x, int y);
  HBRUSH BackgroundBrush();

  HWND hwnd_ = nullptr;
  WNDPROC oldProc_ = nullptr;
  std::vector<Control*> children_;
  std::string caption_;
  bool enabled_ = true;
  bool ParentColor = false;
  TColor color_ = clBtnFace;

 public:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  int ControlId() const { return id_; }

 protected:
  // The window exists (children not yet): apply what was set before.
  virtual void AfterCreate() {}
  bool ownClass_ = false;

 private:
  int id_ = 0;
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  OwnedFont fontHandle_;
  OwnedBrush brush_;
  COLORREF brushColor_ = 0;
  bool aligning_ = false;
  GraphicControl* pressed_ = nullptr;
  // The keys and buttons held at the mouse message being handled.
  TShiftState mouseShift_ = 0;
};

// Our window class name, registered once.
const wchar_t* TallimoWindowClass();

}  // namespace tallimo::ui
