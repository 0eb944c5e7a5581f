#pragma once
// The window before a restart that a program needs before the next one, "Tallimo - Restart":
// what needs it, a countdown from 30 seconds, and the buttons Restart now (the default) and
// Cancel. The countdown reaching 0 restarts as Restart now does.
#include <string>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/static_text.h"

namespace tallimo {

inline constexpr int kRestartCountdownSeconds = 30;

// "<name> needs the computer to restart before the next program can be installed.", a carriage
// return, "Tallimo restarts the computer in N seconds and goes on installing after the
// restart."
std::string RestartCountdownText(const std::string& name, int seconds);

class TFTallimoRestart : public ui::Form {
 public:
  explicit TFTallimoRestart(std::string name);
  ~TFTallimoRestart() override;

  ui::StaticText LabelText;
  ui::Button BtnRestart, BtnCancel;

  // Shows the window modally: true to restart (Restart now, or the end of the countdown).
  bool Execute();

 private:
  void Tick();
  std::string name_;
  int seconds_ = kRestartCountdownSeconds;
};

}  // namespace tallimo
