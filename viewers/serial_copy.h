#pragma once
// Copy Serial: the selected entry's serial lines put on the clipboard as one text.
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/program_selection.h"
#include "platform/clipboard.h"
#include "platform/prompter.h"

namespace tallimo {

// The lines joined by single carriage returns (byte 13), unchanged and in order.
std::string SerialClipboardText(const StringList& serialLines);

// The confirmation: "The following has been copied to the clipboard:", two carriage returns,
// then the copied lines in double quotation marks: at most the first kSerialMessageLines, each
// cut at kSerialMessageWidth characters, then, when there are more, a line "... and N more
// lines.", so that the box and its OK button stay on the screen.
inline constexpr size_t kSerialMessageLines = 30;
inline constexpr size_t kSerialMessageWidth = 200;
std::string SerialCopiedMessage(const StringList& serialLines);

// BtnSerialClick: warns when no row is selected; an entry without serial lines copies nothing.
void CopySerial(ProgramSelection& selection, const TProgramList& programs, Clipboard& clipboard,
                Prompter& prompter);

}  // namespace tallimo
