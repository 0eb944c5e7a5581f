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
  int MaxLength = 0;  // characters the user may type; 0: no limit
  // A double click with the primary button (after the edit selected the word under it).
  std::function<void()> OnDblClick;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void AfterCreate() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  HBRUSH ControlColor(HDC dc) override;
  bool ownColor_ = false;
};

class Memo : public Edit {
 public:
  Memo();
  TScrollStyle ScrollBars = TScrollStyle::ssNone;
  bool WordWrap = true;
  TAlignment Alignment = TAlignment::taLeftJustify;
  // Enter starts a new line (else it reaches the form's default button).
  bool WantReturns = true;
  // The text with CR LF between its lines: a lone CR or LF given to it, typed or pasted
  // becomes CR LF, so that every system shows and keeps the same lines.
  std::string Text() const;
  void SetText(const std::string& text);
  // The lines of the text as typed (a line that wraps at the memo's width stays one line).
  // SetLines then Lines gives the same list back, unless a line holds a line break: it is then
  // as many lines.
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  void Clear() { SetLines({}); }

 protected:
  void FillCreateParams(CreateParams& params) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // Pastes the clipboard's text with its line breaks made CR LF.
  void PasteText();
};

}  // namespace tallimo::ui
