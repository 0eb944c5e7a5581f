#pragma once
// The progress window of the install queue, FTallimoQueue: one row per queued program with its
// state, a bar of the programs done, the command being run, the log's path, and the buttons
// Stop, Stop waiting, Open Log and Close. Shown modally over the main window (which is disabled
// meanwhile); Close is enabled, and closing allowed, once the queue has ended.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "install/install_queue.h"
#include "platform/prompter.h"
#include "platform/restart.h"
#include "platform/shell.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/progress_bar.h"
#include "ui/static_text.h"

namespace tallimo {

inline constexpr const char* kLogNotWrittenText = "The log could not be written";

struct InstallProgressSeams {
  QueueSeams queue;
  Shell& shell;  // Open Log: Notepad
  Prompter& prompter;
  Restarter& restarter;
};

class TFTallimoQueue : public ui::Form {
 public:
  TFTallimoQueue(InstallProgressSeams seams, std::vector<QueuedProgram> programs,
                 std::string cataloguePath);
  ~TFTallimoQueue() override;

  // Controls, in tab order.
  ui::ListBox ListBox1;
  ui::StaticText LabelSummary;
  ui::ProgressBar ProgressBar1;
  ui::Edit EditCommand;
  ui::Edit EditLog;
  ui::Button BtnStop, BtnStopWaiting, BtnOpenLog, BtnClose;

  // Asked when the user chose to restart: false cancels the restart (the main window asks its
  // closing question here when the catalogue has unsaved changes). None: restart.
  std::function<bool()> OnConfirmRestart;
  // An unattended run: no restart question, and the window closes itself when the queue ends.
  bool Unattended = false;
  // A restart before the next program comes at once, without the countdown window.
  bool QuietRestarts = false;

  // Shows the window modally and runs the queue; returns when the window is closed after the
  // queue has ended. Show() alone runs it modeless (the window tests drive it so).
  void Execute();

  InstallQueue& Queue() { return queue_; }

  // Handlers.
  void BtnStopClick();
  void BtnStopWaitingClick();
  void BtnOpenLogClick();
  void BtnCloseClick();

 private:
  void QueueEnded();
  void ShowRow(size_t row);
  void ShowProgress();
  void ShowLogPath();
  void ShowNoResume(const std::string& why);
  void EnableButtons();
  InstallProgressSeams seams_;
  InstallQueue queue_;
  bool begun_ = false;
};

}  // namespace tallimo
