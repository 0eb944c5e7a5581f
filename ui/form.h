#pragma once
// A form: a top-level window with named controls, laid out in design pixels at 120 pixels per
// inch and fitted to the screen when it is created; shown modeless or modal (with a modal
// result), with a default button (Enter) and a cancel button (Escape).
#include <functional>

#include "platform/prompter.h"
#include "ui/win_control.h"

namespace tallimo::ui {

class Button;
class MainMenu;
class MenuItem;

enum class TBorderStyle { bsSizeable, bsDialog, bsSingle };
enum class TPosition { poDesigned, poScreenCenter };

// A form class with member controls destroys its window in its own destructor (DestroyHandle()),
// before its members go: else the window's last messages would reach controls that are gone and
// handlers of a half-destroyed form. Where NDEBUG is not defined (the test builds), a form that
// still has its window when this base destructor runs stops the program with a message saying
// so; the shipped program does not check.
class Form : public WinControl {
 public:
  Form();
  ~Form() override;

  // Design values, set before Create.
  int DesignPixelsPerInch = 120;
  void SetClientSize(int width, int height);
  TBorderStyle BorderStyle = TBorderStyle::bsSizeable;
  TPosition Position = TPosition::poDesigned;
  bool HelpButton = false;  // a context-help button in the title bar
  MainMenu* Menu = nullptr;

  // Fits the design to the screen's pixels per inch and creates the window, hidden, with all
  // its controls; then runs FormCreate.
  void Create();
  // The screen's pixels per inch as this form reports it (fixed when the form is created).
  int PixelsPerInch() const { return ppi_; }

  void Show();
  void Hide();
  // Asks the form to close: OnCloseQuery may refuse; a modal form ends with mrCancel, a
  // modeless one hides, the main form is destroyed and ends the program.
  void Close();
  TModalResult ShowModal();
  TModalResult ModalResult = TModalResult::mrNone;
  bool Modal() const { return modal_; }

  Button* DefaultButton = nullptr;
  Button* CancelButton = nullptr;
  WinControl* ActiveControl = nullptr;  // gets the focus when the form is shown

  // Context help, as F1 or the caption help button asks for it: on a control (its context, else
  // the nearest enclosing one that is not 0, else no help) and on a menu item (its context,
  // else its nearest parent item's, else 0). A window with the caption help button shows the
  // topic as a pop-up at the control's top-left corner; the others in the help window.
  void ControlHelp(const WinControl& control);
  void MenuItemHelp(const MenuItem* item);

  // Events, named as the design names them.
  std::function<void()> OnResize;
  std::function<void(bool& canClose)> OnCloseQuery;
  std::function<void()> OnClose;
  std::function<void()> OnShow;
  // The form became the active window.
  std::function<void()> OnActivate;

  // A timer of the form's window: OnTimer every `milliseconds` from StartTimer to StopTimer (or
  // the window's end).
  std::function<void()> OnTimer;
  void StartTimer(unsigned milliseconds);
  void StopTimer();

  // Shows the Hint of every windowed control on the form as a tooltip (made with the window).
  bool ShowHint = false;

  // A key pressed anywhere on the form (Ctrl+F ...), before the control with the focus and the
  // dialog manager see it; true when used.
  std::function<bool(int key, TShiftState shift)> OnShortCut;
  bool ShortCut(int key);

  // Alt and a letter: the first control (in z-order, depth first) that answers to it acts.
  bool DialogKey(wchar_t key);

 protected:
  void FillCreateParams(CreateParams& params) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnSize() override;
  bool OnCommand(int id, int code, HWND control) override;
  void BoundsChanged(const TBounds& old) override;
  void ScaleBy(int num, int den) override;
  // Runs once after the window and its controls exist.
  virtual void FormCreate() {}
  // WM_GETMINMAXINFO, after the default processing.
  virtual void GetMinMaxInfo(MINMAXINFO& info) { (void)info; }
  RECT AlignArea() const override;

 private:
  void ShowHelp(int context, const RECT& place);
  void MakeHintWindow();
  HWND hints_ = nullptr;
  DWORD Style() const;
  DWORD ExStyle() const;
  int clientWidth_ = 300, clientHeight_ = 200;
  int ppi_ = 96;
  bool modal_ = false;
  bool shownOnce_ = false;
  bool settingBounds_ = false;
  // Set at Create for a derived form that has controls: its own destructor must have destroyed
  // the window by the time Form's runs.
  bool destroysOwnWindow_ = false;
};

}  // namespace tallimo::ui
