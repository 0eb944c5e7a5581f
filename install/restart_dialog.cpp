#include "install/restart_dialog.h"

#include <utility>

namespace tallimo {

std::string RestartCountdownText(const std::string& name, int seconds) {
  return name + " needs the computer to restart before the next program can be installed.\r" +
         "Tallimo restarts the computer in " + std::to_string(seconds) +
         " seconds and goes on installing after the restart.";
}

TFTallimoRestart::TFTallimoRestart(std::string name) : name_(std::move(name)) {
  Name = "FTallimoRestart";
  SetCaption("Tallimo - Restart");
  HelpContext = 46;
  BorderStyle = ui::TBorderStyle::bsDialog;
  Position = ui::TPosition::poScreenCenter;
  SetFont(ui::FontOf("MS Sans Serif", 14));
  SetClientSize(480, 150);
  LabelText.Name = "LabelText";
  LabelText.SetParent(this);
  LabelText.SetBounds(12, 12, 456, 80);
  LabelText.SetCaption(RestartCountdownText(name_, seconds_));
  ui::PlaceButtons(*this, {{BtnRestart, "BtnRestart", "Restart &now", 248, 108, 105, 29, ""},
                           {BtnCancel, "BtnCancel", "&Cancel", 363, 108, 105, 29, ""}});
  BtnRestart.ModalResult = TModalResult::mrOK;
  BtnCancel.ModalResult = TModalResult::mrCancel;
  DefaultButton = &BtnRestart;
  CancelButton = &BtnCancel;
  ActiveControl = &BtnRestart;
  OnShow = [this] { StartTimer(1000); };
  OnTimer = [this] { Tick(); };
}

TFTallimoRestart::~TFTallimoRestart() {
  DestroyHandle();  // before the controls go
}

void TFTallimoRestart::Tick() {
  if (--seconds_ <= 0) {
    StopTimer();
    ModalResult = TModalResult::mrOK;
    return;
  }
  LabelText.SetCaption(RestartCountdownText(name_, seconds_));
}

bool TFTallimoRestart::Execute() {
  return ShowModal() == TModalResult::mrOK;
}

}  // namespace tallimo
