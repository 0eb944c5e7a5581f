#pragma once
// Push buttons, with an optional picture (a bitmap button): a click handler and a modal
// result that closes a modal form.
#include <functional>
#include <initializer_list>

#include "platform/prompter.h"
#include "ui/gdi.h"
#include "ui/win_control.h"

namespace tallimo::ui {

class Button : public WinControl {
 public:
  Button();
  std::function<void()> OnClick;
  TModalResult ModalResult = TModalResult::mrNone;
  // Shown bold-framed; Enter clicks it (set the form's DefaultButton too).
  bool Default = false;
  // A picture beside the caption (or alone when the caption is empty); the button owns it.
  // With a `disabled` picture too, the button draws itself (a push-button face, the picture
  // and the caption centred as one, 4 pixels apart) and shows that picture while disabled.
  void SetGlyph(OwnedBitmap bitmap, OwnedBitmap disabled = {});
  // Clicks the button as a user would (nothing when disabled).
  void Click();

 protected:
  void FillCreateParams(CreateParams& params) override;
  void AfterCreate() override;
  bool CommandNotify(int code) override;
  bool DrawItem(DRAWITEMSTRUCT& item) override;

 private:
  OwnedBitmap glyph_;
  OwnedBitmap disabledGlyph_;
};

// A button as designed: its name, caption, bounds and hint, and optionally its pictures as
// bitmap resource ids (shown on the button face's colour; 0 for none).
struct ButtonDesign {
  Button& button;
  const char* name;
  const char* caption;
  int left, top, width, height;
  const char* hint;
  int picture = 0;
  int disabledPicture = 0;
};
// Puts each designed button on `parent`, in the order given (their tab order).
void PlaceButtons(WinControl& parent, std::initializer_list<ButtonDesign> designs);

}  // namespace tallimo::ui
