#pragma once
// The help engine: topics of a help file by context number, in the help window or as pop-ups.
#include <string>

namespace tallimo {

class HelpEngine {
 public:
  virtual ~HelpEngine() = default;
  // The topic of `context` in the help window.
  virtual void ShowContext(const std::string& helpFile, int context) = 0;
  // Where the next pop-up topic appears (its top-left corner, in screen pixels).
  virtual void SetPopupPos(const std::string& helpFile, int x, int y) = 0;
  // The topic of `context` as a pop-up window.
  virtual void ShowPopup(const std::string& helpFile, int context) = 0;
  // Closes the help window when the program ends.
  virtual void Quit(const std::string& helpFile) = 0;
};

// HTML Help or WinHelpW on Windows; natively a help engine that does nothing.
HelpEngine& HostHelpEngine();

}  // namespace tallimo
