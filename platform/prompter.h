#pragma once
// The prompter seam: the four kinds of message box, and the open and save file dialogs.
// The Win32 implementation shows real boxes; tests answer with a scripted fake that records
// what was asked.
#include <string>
#include <vector>

namespace tallimo {

// Title word and icon: "Warning" (exclamation), "Error" (error), "Information" (information),
// "Confirm" (question).
enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbRetry };
enum class TModalResult { mrNone, mrOK, mrCancel, mrYes, mrNo, mrRetry };

// The title word of a message box type.
const char* MsgDlgTitle(TMsgDlgType type);

struct FileDialogOptions {
  std::string title;
  std::string filter;  // pairs of description and pattern, separated by "|"
  std::string defaultExt;
  std::string initialDir;
  bool pathMustExist = false;
  bool fileMustExist = false;
  bool overwritePrompt = false;
  bool hideReadOnly = false;
  bool noNetworkButton = false;
  bool noDereferenceLinks = false;  // a shortcut file is chosen as itself, not its target
  bool noTestFileCreate = false;
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  // A modal message box. Buttons "OK" unless given; default button OK when present, else Yes;
  // Escape answers Cancel when present, else No, else OK. Line breaks in text are CR (13).
  virtual TModalResult MessageDlg(const std::string& text, TMsgDlgType type,
                                  const std::vector<TMsgDlgBtn>& buttons = {TMsgDlgBtn::mbOK}) = 0;
  // The same with another default button (the Enter answer) than the rules give. Prompters
  // that only record what is asked may leave it to MessageDlg.
  virtual TModalResult MessageDlgWithDefault(const std::string& text, TMsgDlgType type,
                                             const std::vector<TMsgDlgBtn>& buttons,
                                             TMsgDlgBtn defaultButton) {
    (void)defaultButton;
    return MessageDlg(text, type, buttons);
  }
  // The application-wide error report: title "Tallimo Menu/Install System", error icon, OK.
  virtual void ShowErrorReport(const std::string& message) = 0;
  // File dialogs: true and the chosen path, or false when cancelled.
  virtual bool OpenFileDialog(const FileDialogOptions& options, std::string& path) = 0;
  virtual bool SaveFileDialog(const FileDialogOptions& options, std::string& path) = 0;
};

// The text the error report shows: the message with "." appended when its last character's
// code is above that of ".".
std::string ErrorReportText(const std::string& message);

}  // namespace tallimo
