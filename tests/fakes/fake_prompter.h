#pragma once
// A scripted prompter for tests: answers message boxes and file dialogs from a script and
// records every box shown (title, text, icon, buttons).
#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "platform/help_engine.h"
#include "platform/prompter.h"
#include "platform/prompter_rules.h"

namespace tallimo::testing {

class FakePrompter : public Prompter {
 public:
  struct Box {
    std::string title;
    std::string text;
    TMsgDlgType icon;
    std::vector<TMsgDlgBtn> buttons;
    TModalResult answer;
    TModalResult enterAnswer = TModalResult::mrNone;  // what the default button answers
  };
  struct FileDialogCall {
    bool save;
    FileDialogOptions options;
  };

  // Answers for the next message boxes, in order. Without one the box gets the answer of its
  // default button (as if Enter were pressed) and `unscripted` counts it.
  std::deque<TModalResult> answers;
  // Paths for the next file dialogs; an empty path cancels.
  std::deque<std::string> paths;

  std::vector<Box> boxes;
  std::vector<FileDialogCall> fileDialogs;
  int unscripted = 0;

  TModalResult MessageDlg(const std::string& text, TMsgDlgType type,
                          const std::vector<TMsgDlgBtn>& buttons) override {
    return Ask(text, type, buttons, DefaultAnswer(buttons));
  }
  TModalResult MessageDlgWithDefault(const std::string& text, TMsgDlgType type,
                                     const std::vector<TMsgDlgBtn>& buttons,
                                     TMsgDlgBtn defaultButton) override {
    return Ask(text, type, buttons, ButtonAnswer(defaultButton));
  }

  void ShowErrorReport(const std::string& message) override {
    boxes.push_back({kErrorReportTitle,
                     ErrorReportText(message),
                     TMsgDlgType::mtError,
                     {TMsgDlgBtn::mbOK},
                     TModalResult::mrOK});
  }

  bool OpenFileDialog(const FileDialogOptions& options, std::string& path) override {
    return File(false, options, path);
  }
  bool SaveFileDialog(const FileDialogOptions& options, std::string& path) override {
    return File(true, options, path);
  }

 private:
  TModalResult Ask(const std::string& text, TMsgDlgType type,
                   const std::vector<TMsgDlgBtn>& buttons, TModalResult enter) {
    TModalResult answer;
    if (answers.empty()) {
      ++unscripted;
      answer = enter;
    } else {
      answer = answers.front();
      answers.pop_front();
    }
    boxes.push_back({MsgDlgTitle(type), text, type, buttons, answer, enter});
    return answer;
  }
  bool File(bool save, const FileDialogOptions& options, std::string& path) {
    fileDialogs.push_back({save, options});
    if (paths.empty() || paths.front().empty()) {
      if (!paths.empty()) paths.pop_front();
      return false;
    }
    path = paths.front();
    paths.pop_front();
    return true;
  }
};

// A help engine that records the topics asked for.
class FakeHelpEngine : public HelpEngine {
 public:
  struct Call {
    std::string kind;  // "context", "position", "popup", "quit"
    std::string file;
    int context;  // for "position": x and y
    int y = 0;
    bool operator==(const Call&) const = default;
    friend void PrintTo(const Call& c, std::ostream* os) {
      *os << c.kind << " " << c.file << " " << c.context << (c.kind == "position" ? " " : "")
          << (c.kind == "position" ? std::to_string(c.y) : "");
    }
  };
  std::vector<Call> calls;
  void ShowContext(const std::string& f, int c) override { calls.push_back({"context", f, c}); }
  void SetPopupPos(const std::string& f, int x, int y) override {
    calls.push_back({"position", f, x, y});
  }
  void ShowPopup(const std::string& f, int c) override { calls.push_back({"popup", f, c}); }
  void Quit(const std::string& f) override { calls.push_back({"quit", f, 0}); }
};

}  // namespace tallimo::testing
