#pragma once
// A one-line edit for a search: a grey cue drawn by us while it is empty (also while it has the
// focus, where the system's cue banner hides), a change event at each keystroke, and Enter,
// Escape and the Down arrow handed to its owner rather than to the form's default and cancel
// buttons.
#include <functional>
#include <string>

#include "ui/edit.h"

namespace tallimo::ui {

class SearchEdit : public Edit {
 public:
  std::string Cue;
  // The text changed (typed, pasted or set).
  std::function<void()> OnChange;
  // VK_RETURN, VK_ESCAPE or VK_DOWN pressed in the box; true when used.
  std::function<bool(int key)> OnKey;

 protected:
  bool CommandNotify(int code) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintCue();
};

}  // namespace tallimo::ui
