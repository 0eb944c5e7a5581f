#pragma once
// The rules of the message boxes that every prompter follows.
#include <vector>

#include "platform/prompter.h"

namespace tallimo {

// The answer of the default button: OK when present, else Yes (else the first button).
TModalResult DefaultAnswer(const std::vector<TMsgDlgBtn>& buttons);
// The answer of Escape: Cancel when present, else No, else OK (else the first button).
TModalResult EscapeAnswer(const std::vector<TMsgDlgBtn>& buttons);
// The answer a button gives.
TModalResult ButtonAnswer(TMsgDlgBtn button);
// The caption of a button: "OK", "&Yes", "&No", "Cancel".
const char* ButtonCaption(TMsgDlgBtn button);
// The title of the error report.
constexpr const char* kErrorReportTitle = "Tallimo Menu/Install System";

// The host's prompter: real message boxes and file dialogs on Windows.
Prompter& HostPrompter();

}  // namespace tallimo
