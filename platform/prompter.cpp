#include "platform/prompter.h"

#include <algorithm>

#include "platform/prompter_rules.h"

namespace tallimo {

const char* MsgDlgTitle(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning:
      return "Warning";
    case TMsgDlgType::mtError:
      return "Error";
    case TMsgDlgType::mtInformation:
      return "Information";
    case TMsgDlgType::mtConfirmation:
      return "Confirm";
  }
  return "";
}

std::string ErrorReportText(const std::string& message) {
  // Compared as codes 0..255: an 8-bit character such as "é" counts as above ".".
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

TModalResult ButtonAnswer(TMsgDlgBtn button) {
  switch (button) {
    case TMsgDlgBtn::mbYes:
      return TModalResult::mrYes;
    case TMsgDlgBtn::mbNo:
      return TModalResult::mrNo;
    case TMsgDlgBtn::mbOK:
      return TModalResult::mrOK;
    case TMsgDlgBtn::mbCancel:
      return TModalResult::mrCancel;
    case TMsgDlgBtn::mbRetry:
      return TModalResult::mrRetry;
  }
  return TModalResult::mrNone;
}

const char* ButtonCaption(TMsgDlgBtn button) {
  switch (button) {
    case TMsgDlgBtn::mbYes:
      return "&Yes";
    case TMsgDlgBtn::mbNo:
      return "&No";
    case TMsgDlgBtn::mbOK:
      return "OK";
    case TMsgDlgBtn::mbCancel:
      return "Cancel";
    case TMsgDlgBtn::mbRetry:
      return "&Retry";
  }
  return "";
}

static bool Has(const std::vector<TMsgDlgBtn>& buttons, TMsgDlgBtn b) {
  return std::find(buttons.begin(), buttons.end(), b) != buttons.end();
}

TModalResult DefaultAnswer(const std::vector<TMsgDlgBtn>& buttons) {
  if (buttons.empty() || Has(buttons, TMsgDlgBtn::mbOK)) return TModalResult::mrOK;
  if (Has(buttons, TMsgDlgBtn::mbYes)) return TModalResult::mrYes;
  return ButtonAnswer(buttons.front());
}

TModalResult EscapeAnswer(const std::vector<TMsgDlgBtn>& buttons) {
  if (Has(buttons, TMsgDlgBtn::mbCancel)) return TModalResult::mrCancel;
  if (Has(buttons, TMsgDlgBtn::mbNo)) return TModalResult::mrNo;
  if (buttons.empty() || Has(buttons, TMsgDlgBtn::mbOK)) return TModalResult::mrOK;
  return ButtonAnswer(buttons.front());
}

}  // namespace tallimo
