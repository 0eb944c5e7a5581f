#pragma once
// Copy Serial: the selected entry's serial lines put on the clipboard as one text.
#include <string>

#include "catalogue/catalogue.h"
#include "install/install_runner.h"
#include "platform/clipboard.h"
#include "platform/prompter.h"

namespace tallimo {

// The lines joined by single carriage returns (byte 13), unchanged and in order.
std::string SerialClipboardText(const StringList& serialLines);

// The confirmation: "The following has been copied to the clipboard:", two carriage returns,
// then the text in double quotation marks.
std::string SerialCopiedMessage(const std::string& clipboardText);

// BtnSerialClick: warns when no row is selected; an entry without serial lines copies nothing.
void CopySerial(ProgramSelection& selection, const TProgramList& programs, Clipboard& clipboard,
                Prompter& prompter);

}  // namespace tallimo
