#pragma once
// One-line edits and multi-line memos (EDIT controls).
#include <string>
#include <vector>

#include "ui/win_control.h"

namespace tallimo::ui {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class Edit : public WinControl {
 public:
  Edit();
  std::string Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }
  bool ReadOnly = false;
  bool Border = true;
  int MaxLength = 0;
  // A double click with the primary button (after the edit selected the word under it).
  std::function<void()> OnDblClick;

 protected:
  void FillCreateParams(CreateParams& params) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  HBRUSH ControlColor(HDC dc) override;
  bool ownColor_ = false;
};

class Memo : public Edit {
 public:
  Memo();
  TScrollStyle ScrollBars = TScrollStyle::ssNone;
  bool WordWrap = true;
  // Enter starts a new line (else, in a form, it presses the default button).
  bool WantReturns = false;
  // The lines of the text as typed (CR LF between them in the control), however the edit
  // wraps them on screen; a last line that is empty is not counted.
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  void Clear() { SetLines({}); }

 protected:
  void FillCreateParams(CreateParams& params) override;
};

}  // namespace tallimo::ui
