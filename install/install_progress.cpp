#include "install/install_progress.h"

#include <utility>

#include "install/restart_dialog.h"
#include "install/resume_record.h"

namespace tallimo {

namespace {

// Wide enough for a log path under a Windows XP profile (C:\Documents and Settings\<user>
// \Local Settings\Temp) on one line; a longer one scrolls in its field.
constexpr int kClientWidth = 600;
constexpr int kInnerWidth = kClientWidth - 16;

// A line of text that can be selected and copied, drawn on the window's own colour.
void PlaceText(ui::Edit& edit, ui::Form* form, const char* name, int y) {
  edit.Name = name;
  edit.SetParent(form);
  edit.SetBounds(8, y, kInnerWidth, 20);
  edit.ReadOnly = true;
  edit.Border = false;
  edit.SetColor(clBtnFace);
}

}  // namespace

TFTallimoQueue::TFTallimoQueue(InstallProgressSeams seams, std::vector<QueuedProgram> programs,
                               std::string cataloguePath)
    : seams_(seams), queue_(seams.queue, std::move(programs), std::move(cataloguePath)) {
  Name = "FTallimoQueue";
  SetCaption("Tallimo - Installing");
  HelpContext = 45;
  BorderStyle = ui::TBorderStyle::bsDialog;
  Position = ui::TPosition::poScreenCenter;
  SetFont(ui::FontOf("MS Sans Serif", 14));
  SetClientSize(kClientWidth, 360);

  ListBox1.Name = "ListBox1";
  ListBox1.SetParent(this);
  ListBox1.SetBounds(8, 8, kInnerWidth, 200);
  std::vector<std::string> rows;
  for (size_t i = 0; i < queue_.Size(); ++i) rows.push_back(queue_.RowText(i));
  ListBox1.SetItems(rows);

  LabelSummary.Name = "LabelSummary";
  LabelSummary.SetParent(this);
  LabelSummary.SetBounds(8, 214, kInnerWidth, 20);

  ProgressBar1.Name = "ProgressBar1";
  ProgressBar1.SetParent(this);
  ProgressBar1.SetBounds(8, 238, kInnerWidth, 18);
  ProgressBar1.SetMax(static_cast<int>(queue_.Size()));

  PlaceText(EditCommand, this, "EditCommand", 264);
  PlaceText(EditLog, this, "EditLog", 290);

  ui::PlaceButtons(*this,
                   {{BtnStop, "BtnStop", "&Stop", 8, 322, 105, 29, ""},
                    {BtnStopWaiting, "BtnStopWaiting", "Stop &waiting", 127, 322, 105, 29, ""},
                    {BtnOpenLog, "BtnOpenLog", "Open &Log", 246, 322, 105, 29, ""},
                    {BtnClose, "BtnClose", "&Close", kClientWidth - 113, 322, 105, 29, ""}});
  BtnStop.OnClick = [this] { BtnStopClick(); };
  BtnStopWaiting.OnClick = [this] { BtnStopWaitingClick(); };
  BtnOpenLog.OnClick = [this] { BtnOpenLogClick(); };
  BtnClose.OnClick = [this] { BtnCloseClick(); };
  BtnClose.SetEnabled(false);
  BtnOpenLog.SetEnabled(false);
  CancelButton = &BtnClose;
  ActiveControl = &ListBox1;

  queue_.OnRowChanged = [this](size_t row) { ShowRow(row); };
  queue_.OnCommandChanged = [this] {
    EditCommand.SetText(queue_.AwaitingRestart() ? "Waiting for the restart"
                                                 : queue_.CurrentCommand());
  };
  queue_.OnRecordFailed = [this](const std::string& why) { ShowNoResume(why); };
  // The countdown window, after the main window's closing question where it asks one.
  queue_.ConfirmRestart = [this](const std::string& name) {
    if (OnConfirmRestart && !OnConfirmRestart()) return false;
    if (QuietRestarts) return true;
    TFTallimoRestart countdown(name);
    return countdown.Execute();
  };
  queue_.OnEnded = [this] { QueueEnded(); };
  OnShow = [this] {
    if (begun_) return;
    begun_ = true;
    queue_.Begin();
    if (!queue_.Record && !queue_.ResumeRefusal.empty()) ShowNoResume(queue_.ResumeRefusal);
    ShowLogPath();
    EnableButtons();
  };
  // The window stays until the queue has ended: no program is left unwatched.
  OnCloseQuery = [this](bool& canClose) { canClose = queue_.Ended(); };
}

TFTallimoQueue::~TFTallimoQueue() {
  DestroyHandle();  // before the controls go
}

void TFTallimoQueue::Execute() {
  ShowModal();
}

void TFTallimoQueue::ShowRow(size_t row) {
  ListBox1.SetItem(row, queue_.RowText(row));
  ShowProgress();
  EnableButtons();
}

void TFTallimoQueue::ShowNoResume(const std::string& why) {
  LabelSummary.SetCaption("This queue cannot go on after a restart: " + why);
}

void TFTallimoQueue::ShowLogPath() {
  if (!queue_.LogFailed())
    EditLog.SetText(queue_.LogPath());
  else if (queue_.LogPath().empty())
    EditLog.SetText(kLogNotWrittenText);
  else
    EditLog.SetText(std::string(kLogNotWrittenText) + ": " + queue_.LogPath());
}

void TFTallimoQueue::ShowProgress() {
  ProgressBar1.SetPosition(static_cast<int>(queue_.DoneCount()));
}

void TFTallimoQueue::EnableButtons() {
  const bool running = !queue_.Ended();
  BtnStop.SetEnabled(running && !queue_.Stopping());
  BtnStopWaiting.SetEnabled(running);  // for a program, or for the restart it waits for
  BtnOpenLog.SetEnabled(queue_.LogCreated());
  BtnClose.SetEnabled(!running);
}

void TFTallimoQueue::QueueEnded() {
  LabelSummary.SetCaption(queue_.Summary());
  ShowLogPath();
  ShowProgress();
  EnableButtons();
  if (Unattended) return Close();
  if (BtnClose.HandleAllocated()) BtnClose.SetFocus();
  if (!queue_.RestartNeeded()) return;
  TModalResult answer = seams_.prompter.MessageDlgWithDefault(
      kRestartQuestion, TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo},
      TMsgDlgBtn::mbNo);
  if (answer != TModalResult::mrYes) return;
  if (OnConfirmRestart && !OnConfirmRestart()) return;
  std::string message;
  if (!seams_.restarter.RestartWindows(message))
    seams_.prompter.MessageDlg(message, TMsgDlgType::mtError);
}

void TFTallimoQueue::BtnStopClick() {
  queue_.Stop();
  EnableButtons();
}

void TFTallimoQueue::BtnStopWaitingClick() {
  queue_.StopWaiting();
  EnableButtons();
}

void TFTallimoQueue::BtnOpenLogClick() {
  if (queue_.LogPath().empty()) return;
  seams_.shell.RunProgram("notepad.exe", "\"" + queue_.LogPath() + "\"", Handle());
}

void TFTallimoQueue::BtnCloseClick() {
  Close();
}

}  // namespace tallimo
