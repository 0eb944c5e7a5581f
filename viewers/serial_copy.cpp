#include "viewers/serial_copy.h"

namespace tallimo {

std::string SerialClipboardText(const StringList& serialLines) {
  std::string text;
  for (size_t i = 0; i < serialLines.size(); ++i) {
    if (i) text += '\r';
    text += serialLines[i];
  }
  return text;
}

std::string SerialCopiedMessage(const std::string& clipboardText) {
  return "The following has been copied to the clipboard:\r\r\"" + clipboardText + "\"";
}

void CopySerial(ProgramSelection& selection, const TProgramList& programs, Clipboard& clipboard,
                Prompter& prompter) {
  if (!selection.HasSelection(true)) return;
  const int index = selection.FindProgramIndex(selection.SelectedText());
  if (index < 0 || static_cast<size_t>(index) >= programs.size()) return;
  const StringList& lines = programs[static_cast<size_t>(index)]->SerialLines;
  // The command is only enabled for entries with serial lines; without any there is nothing
  // to copy, and the clipboard is left as it is.
  if (lines.empty()) return;
  const std::string text = SerialClipboardText(lines);
  clipboard.SetText(text);  // a clipboard that cannot be had ends the command in the error report
  prompter.MessageDlg(SerialCopiedMessage(text), TMsgDlgType::mtInformation);
}

}  // namespace tallimo
