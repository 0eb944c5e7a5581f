#include "viewers/serial_copy.h"

#include <algorithm>

namespace tallimo {

std::string SerialClipboardText(const StringList& serialLines) {
  std::string text;
  for (size_t i = 0; i < serialLines.size(); ++i) {
    if (i) text += '\r';
    text += serialLines[i];
  }
  return text;
}

std::string SerialCopiedMessage(const StringList& serialLines) {
  // The box stays on the screen however many lines were copied: the first ones, each cut to a
  // width the screen can hold, and how many more there are.
  const size_t shown = std::min(serialLines.size(), kSerialMessageLines);
  StringList lines;
  for (size_t i = 0; i < shown; ++i) lines.push_back(serialLines[i].substr(0, kSerialMessageWidth));
  std::string message =
      "The following has been copied to the clipboard:\r\r\"" + SerialClipboardText(lines) + "\"";
  if (serialLines.size() > shown)
    message += "\r... and " + std::to_string(serialLines.size() - shown) + " more lines.";
  return message;
}

void CopySerial(ProgramSelection& selection, const TProgramList& programs, Clipboard& clipboard,
                Prompter& prompter) {
  if (!selection.HasSelection(true)) return;
  const int index = selection.SelectedIndex();
  if (index < 0 || static_cast<size_t>(index) >= programs.size()) return;
  const StringList& lines = programs[static_cast<size_t>(index)]->SerialLines;
  // The command is only enabled for entries with serial lines; without any there is nothing
  // to copy, and the clipboard is left as it is.
  if (lines.empty()) return;
  const std::string text = SerialClipboardText(lines);
  clipboard.SetText(text);  // a clipboard that cannot be had ends the command in the error report
  prompter.MessageDlg(SerialCopiedMessage(lines), TMsgDlgType::mtInformation);
}

}  // namespace tallimo
