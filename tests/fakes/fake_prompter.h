#pragma once
// A scripted prompter for tests: answers message boxes and file dialogs from a script and
// records every box shown (title, text, icon, buttons); given a log, it also notes each box
// there as "<title>: <text>".
#include <deque>
#include <string>
#include <vector>

#include "fakes/event_log.h"
#include "platform/prompter.h"
#include "platform/prompter_rules.h"

namespace tallimo::testing {

class FakePrompter : public Prompter {
 public:
  FakePrompter() = default;
  explicit FakePrompter(EventLog& log) : log_(&log) {}

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
    Note();
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
    Note();
    return answer;
  }
  void Note() {
    if (log_) log_->push_back(boxes.back().title + ": " + boxes.back().text);
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

  EventLog* log_ = nullptr;
};

}  // namespace tallimo::testing
