#include "install/install_queue.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "install/batch_file.h"
#include "install/elevated_queue.h"
#include "install/queue_executors.h"
#include "install/resume_record.h"
#include "platform/error.h"
#include "platform/restart.h"

namespace tallimo {

std::string LeftOutText(const StringList& names) {
  std::string text = kLeftOutMessage;
  for (const std::string& name : names) text += "\r" + name;
  return text;
}

namespace {

// Plain digits, without the formatted-output machinery (a fifth of the program's size).
std::string TwoDigits(int n) {
  n = (n % 100 + 100) % 100;
  return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

std::string Counted(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string LogTimeStamp(const LocalTime& t) {
  return std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day) + " " +
         TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second) + " ";
}

std::string LogFileName(const LocalTime& t, int attempt) {
  std::string name = "Tallimo-" + std::to_string(t.year) + TwoDigits(t.month) + TwoDigits(t.day) +
                     "-" + TwoDigits(t.hour) + TwoDigits(t.minute) + TwoDigits(t.second);
  if (attempt > 1) name += "-" + std::to_string(attempt);
  return name + ".log";
}

// The queue as its executors see it.
class InstallQueue::Sinks final : public ExecutorSink, public ElevatedExecutor::Sink {
 public:
  explicit Sinks(InstallQueue& queue) : q_(queue) {}
  void CommandChanged(std::string command) override { q_.SetCommand(std::move(command)); }
  void LogLine(const std::string& text) override { q_.Log(text); }
  void LineEnded() override {
    q_.busy_ = false;
    q_.Advance();
  }
  Elevation ElevationNeeded(const std::string&) override { return q_.HandOverRest(); }
  void HandedRow(size_t handed, QueueRow result) override {
    q_.WorkerRow(q_.handedRows_[handed], std::move(result));
  }
  void StampedLine(const std::string& line) override { q_.LogStamped(line); }
  void HandOverEnded(const QueueRow& unfinished) override { q_.HandOverEnded(unfinished); }

 private:
  InstallQueue& q_;
};

InstallQueue::InstallQueue(QueueSeams seams, std::vector<QueuedProgram> programs,
                           std::string cataloguePath)
    : seams_(seams),
      programs_(std::move(programs)),
      rows_(programs_.size()),
      cataloguePath_(std::move(cataloguePath)),
      sinks_(std::make_unique<Sinks>(*this)),
      local_(std::make_unique<LocalExecutor>(LocalExecutor::Seams{
          seams.processes, seams.files, seams.environment, seams.random, seams.locale})) {
  if (seams.elevated) elevated_ = std::make_unique<ElevatedExecutor>(*seams.elevated);
}

InstallQueue::~InstallQueue() {
  if (awaitingRestart_ && seams_.restarter) seams_.restarter->CancelAwait();
}

size_t InstallQueue::DoneCount() const {
  return static_cast<size_t>(std::count_if(rows_.begin(), rows_.end(), [](const QueueRow& row) {
    return row.state != TQueueState::qsWaiting && row.state != TQueueState::qsRunning;
  }));
}

std::string InstallQueue::RowText(size_t i) const {
  return programs_[i].name + ": " + StateText(rows_[i]);
}

bool InstallQueue::RestartNeeded() const {
  if (restartStarted_) return false;
  return failedNeedingRestart_ || std::any_of(rows_.begin(), rows_.end(), [](const QueueRow& row) {
           return row.state == TQueueState::qsRestartNeeded;
         });
}

QueueLog OpenQueueLog(const QueueSeams& seams, const std::string& given) {
  QueueLog log;
  bool created = false;
  if (!given.empty()) {
    log.path = given;
    log.file = seams.logFiles.OpenToAppend(given, created, log.why);
  } else {
    const std::string directory = BatchDirectory(seams.environment.GetEnvVar("TEMP"), seams.files);
    const LocalTime now = seams.clock.Now();
    for (int attempt = 1; attempt <= kLogNameAttempts; ++attempt) {
      log.path = directory + LogFileName(now, attempt);
      TWriteResult result = TWriteResult::wrFailed;
      log.file = seams.logFiles.CreateNew(log.path, result);
      if (log.file || result != TWriteResult::wrExists) break;
    }
    created = log.file != nullptr;
  }
  log.exists = log.file != nullptr;
  // UTF-8 with its byte-order mark, once at the start of the file.
  if (log.file && created && !log.file->Append("\xEF\xBB\xBF")) log.file.reset();
  return log;
}

StringList LogWithoutQueue(const QueueSeams& seams, const std::string& given,
                           const StringList& texts) {
  QueueLog log = OpenQueueLog(seams, given);
  StringList lines;
  for (const std::string& text : texts) {
    lines.push_back(LogTimeStamp(seams.clock.Now()) + text);
    if (log.file && !log.file->Append(lines.back() + "\r\n")) log.file.reset();
  }
  return lines;
}

void InstallQueue::OpenLog() {
  QueueLog log = OpenQueueLog(seams_, LogFileGiven);
  log_ = std::move(log.file);
  logPath_ = std::move(log.path);
  logCreated_ = log.exists;
  logFailed_ = log_ == nullptr;
}

void InstallQueue::Log(const std::string& text) {
  LogStamped(LogTimeStamp(seams_.clock.Now()) + text);
}

void InstallQueue::LogStamped(const std::string& line) {
  if (OnLogLine) OnLogLine(line);
  if (!log_) return;
  if (!log_->Append(line + "\r\n")) {
    // The queue goes on without its log.
    log_.reset();
    logFailed_ = true;
    if (OnLogFailed) OnLogFailed();
  }
}

void InstallQueue::SetState(size_t row, TQueueState state) {
  rows_[row].state = state;
  if (OnRowChanged) OnRowChanged(row);
}

void InstallQueue::SetCommand(std::string command) {
  command_ = std::move(command);
  if (OnCommandChanged) OnCommandChanged();
}

void InstallQueue::Begin() {
  if (began_) return;
  began_ = true;
  local_->HideConsoles = HideConsoles;
  local_->CommandPrompt = CommandPrompt;
  // In the catalogue's folder, in every front end: lines from the disc's root resolve on its
  // drive.
  local_->Directory = cataloguePath_.substr(0, cataloguePath_.find_last_of("\\/") + 1);
  OpenLog();
  Log(!FirstLine.empty() ? FirstLine
                         : LogTitle + " started: " + cataloguePath_ + ", " +
                               Counted(programs_.size(), "program", "programs"));
  for (const std::string& line : Preamble) Log(line);
  if (Record && seams_.resume) {
    recording_ = true;
    Record->logPath = logPath_;
    Record->rows.clear();
    for (const QueuedProgram& program : programs_)
      Record->rows.push_back({program.number, program.name, {}});
  } else if (!ResumeRefusal.empty()) {
    Log("This queue cannot go on after a restart: " + ResumeRefusal);
  }
  Advance();
}

void InstallQueue::ResumeAt(size_t next, std::vector<QueueRow> done) {
  for (size_t i = 0; i < next && i < rows_.size() && i < done.size(); ++i) {
    rows_[i] = std::move(done[i]);
    if (OnRowChanged) OnRowChanged(i);
  }
  current_ = std::min(next, rows_.size());
}

void InstallQueue::Stop() {
  if (ended_ || stopRequested_) return;
  stopRequested_ = true;
  // The copy says so in the log itself.
  if (handedOver_) return elevated_->Stop();
  Log("Stop requested: the programs after the one running are not started");
  if (awaitingRestart_) {
    seams_.restarter->CancelAwait();
    awaitingRestart_ = false;
    Advance();
  }
}

void InstallQueue::StopWaiting() {
  if (handedOver_) {
    const auto at = std::find(handedRows_.begin(), handedRows_.end(), current_);
    if (at != handedRows_.end())
      elevated_->StopWaiting(static_cast<size_t>(at - handedRows_.begin()));
    return;
  }
  if (awaitingRestart_) {
    seams_.restarter->CancelAwait();
    Log("Stopped waiting for the restart");
    return RestartDidNotCome();
  }
  if (!local_->Waiting()) return;
  local_->StopWaiting();
  busy_ = false;
  const size_t row = current_;
  Log("Stopped waiting for " + programs_[row].name + "; it is still running");
  rows_[row].exitCode = 0;
  SetState(row, TQueueState::qsNotWaitedFor);
  Log(RowText(row));
  SetCommand({});
  ++current_;
  Advance();
}

// Starts programs and lines until one runs and is waited for, or the queue has ended. A throw
// on the way ends the program it came from as failed, with the error's text, and the queue goes
// on.
void InstallQueue::Advance() {
  if (advancing_) return;
  advancing_ = true;
  struct Guard {
    bool& flag;
    ~Guard() { flag = false; }
  } guard{advancing_};
  while (!busy_ && !ended_ && !awaitingRestart_) {
    try {
      AdvanceOnce();
    } catch (const std::exception& error) {
      if (current_ >= programs_.size() || handedOver_) throw;  // the end itself failed
      local_->Abandon();
      busy_ = false;
      Log("Error: " + std::string(error.what()));
      rows_[current_] = QueueRow{TQueueState::qsCannotStart, 0, error.what()};
      SetState(current_, TQueueState::qsCannotStart);
      Log(RowText(current_));
      ++current_;
    }
  }
}

void InstallQueue::AdvanceOnce() {
  if (current_ < programs_.size() && rows_[current_].state == TQueueState::qsRunning) {
    busy_ = local_->Step();
    if (!busy_) FinishProgram(local_->Outcome());
    return;
  }
  if (current_ < programs_.size() && !stopRequested_ && !restAs_ && RestartBeforeNext()) return;
  if (current_ >= programs_.size() || stopRequested_ || restartStarted_ || restAs_) {
    const QueueRow rest = restAs_           ? *restAs_
                          : restartStarted_ ? QueueRow{TQueueState::qsRestartInProgress, 0, {}}
                                            : QueueRow{TQueueState::qsStopped, 0, {}};
    for (size_t i = current_; i < programs_.size(); ++i) {
      // The programs to skip are done whatever kept the rest from running, but Stop.
      rows_[i] = !restAs_               ? rest
                 : programs_[i].skip    ? QueueRow{TQueueState::qsAlreadyInstalled, 0, {}}
                 : programs_[i].decided ? *programs_[i].decided
                                        : rest;
      SetState(i, rows_[i].state);
    }
    for (size_t i = current_; i < programs_.size(); ++i) Log(RowText(i));
    ended_ = true;
    SetCommand({});
    DropRecord();
    Log(LogTitle + " ended: " + Summary());
    if (Epilogue)
      for (const std::string& line : Epilogue()) Log(line);
    log_.reset();
    if (OnEnded) OnEnded();
    return;
  }
  StartProgram();
}

void InstallQueue::StartProgram() {
  const QueuedProgram& program = programs_[current_];
  Log("Program " + std::to_string(current_ + 1) + " of " + std::to_string(programs_.size()) + ": " +
      program.name);
  if (program.skip) {
    SetState(current_, TQueueState::qsAlreadyInstalled);
    Log(RowText(current_));
    ++current_;
    return;
  }
  // Decided by the catalogue's rules, or waiting for a requirement that did not install: it
  // does not start.
  std::optional<QueueRow> decided = program.decided;
  for (size_t r : program.needs)
    if (!decided && r < rows_.size() && !CountsAsInstalled(rows_[r].state))
      decided = QueueRow{TQueueState::qsNeeds, 0, programs_[r].name};
  if (decided) {
    rows_[current_] = *decided;
    SetState(current_, decided->state);
    Log(RowText(current_));
    ++current_;
    return;
  }
  WriteRecord(current_);
  SetState(current_, TQueueState::qsRunning);
  local_->Begin(program, *sinks_);
}

void InstallQueue::FinishProgram(const ProgramOutcome& outcome) {
  QueueRow& row = rows_[current_];
  if (outcome.failure) {
    row = *outcome.failure;
  } else {
    row.exitCode = outcome.restartStarted  ? kExitRestartStarted
                   : outcome.restartNeeded ? kExitRestartNeeded
                                           : 0;
    row.message.clear();
  }
  if (outcome.restartStarted) restartStarted_ = true;
  // A line that needed a restart before a later one failed: the restart is still asked for.
  if (outcome.failure && outcome.restartNeeded) failedNeedingRestart_ = true;
  const TQueueState state = outcome.failure          ? outcome.failure->state
                            : outcome.restartStarted ? TQueueState::qsRestartStarted
                            : outcome.restartNeeded  ? TQueueState::qsRestartNeeded
                                                     : TQueueState::qsInstalled;
  SetState(current_, state);
  Log(RowText(current_));
  checkRestart_ = current_;
  ++current_;
}

bool InstallQueue::RestartDue(size_t row) const {
  const TQueueState state = rows_[row].state;
  switch (programs_[row].restart) {
    case TRestartRule::rrWhenNeeded:
      return state == TQueueState::qsRestartNeeded;
    case TRestartRule::rrAlways:
      return state == TQueueState::qsInstalled || state == TQueueState::qsRestartNeeded;
    case TRestartRule::rrAtEnd:
      break;
  }
  return false;
}

// After a program, before the next one: restarts the computer when the finished program's rule
// asks for it, or waits for the restart it started. True while the queue waits for a restart.
// Only a queue that survives restarts (its record written) restarts before its end.
bool InstallQueue::RestartBeforeNext() {
  if (!checkRestart_) return false;
  const size_t row = *checkRestart_;
  checkRestart_.reset();
  // Between programs too: a restart now (one during the countdown included) goes on after this
  // one, not with it again.
  WriteRecord(std::nullopt);
  if (!RestartsAllowed || !recording_ || !seams_.restarter) return false;
  const bool more =
      std::any_of(programs_.begin() + static_cast<std::ptrdiff_t>(current_), programs_.end(),
                  [](const QueuedProgram& program) { return !program.skip && !program.decided; });
  if (!more || (!restartStarted_ && !RestartDue(row))) return false;
  if (Record->restarts >= kMaxRestarts) {
    Log("The queue has restarted the computer " + std::to_string(kMaxRestarts) +
        " times: the rest is not started");
    restAs_ = QueueRow{TQueueState::qsTooManyRestarts, 0, {}};
    return false;
  }
  const std::string& name = programs_[row].name;
  if (restartStarted_) {
    Log("Waiting for the restart that " + name + " started");
    AwaitRestart();
    return true;
  }
  Log(name + " needs the computer to restart before the next program");
  if (ConfirmRestart && !ConfirmRestart(name)) {
    Log("Restart cancelled: the queue goes on");
    return false;
  }
  WriteRecord(std::nullopt);  // after the closing question, which may have saved the catalogue
  Log("Restarting the computer");
  std::string message;
  if (!seams_.restarter->RestartWindows(message)) {
    Log("The computer could not be restarted: " + message);
    return false;
  }
  // The log's last line in this run: the rest of it is the resumed queue's.
  AwaitRestart();
  return true;
}

void InstallQueue::AwaitRestart() {
  awaitingRestart_ = true;
  SetCommand({});
  seams_.restarter->AwaitRestart(kRestartWaitMilliseconds, [this] {
    Log("No restart came within 10 minutes: the queue goes on without it");
    RestartDidNotCome();
  });
}

void InstallQueue::RestartDidNotCome() {
  awaitingRestart_ = false;
  restartStarted_ = false;
  if (OnRowChanged && current_ > 0) OnRowChanged(current_ - 1);
  Advance();
}

// Where the queue stands, for the run that goes on after a restart: each row's result so far,
// or the one decided for it, and the row running. A record that cannot be written ends the
// recording (said once); the first one written sets the value that resumes it.
void InstallQueue::WriteRecord(std::optional<size_t> running) {
  if (!recording_) return;
  for (size_t i = 0; i < programs_.size(); ++i) {
    QueueRow& result = Record->rows[i].result;
    result = rows_[i];
    if (i < current_ || (running && i == *running)) continue;
    if (programs_[i].skip)
      result = QueueRow{TQueueState::qsAlreadyInstalled, 0, {}};
    else if (programs_[i].decided)
      result = *programs_[i].decided;
  }
  if (running) Record->rows[*running].result = QueueRow{TQueueState::qsRunning, 0, {}};
  Record->running = running;
  Record->next = current_;
  std::string why;
  if (!seams_.resume->Write(RecordText(*Record)))
    why = "its record cannot be written";
  else if (!armed_ && !(armed_ = seams_.resume->Arm()))
    why = "Windows cannot be told to resume it";
  if (!why.empty()) EndRecording(why);
}

void InstallQueue::EndRecording(const std::string& why) {
  if (!recording_) return;
  DropRecord();
  Log("This queue cannot go on after a restart: " + why);
  if (OnRecordFailed) OnRecordFailed(why);
}

void InstallQueue::DropRecord() {
  if (!recording_) return;
  recording_ = false;
  seams_.resume->Remove();
}

// The program now due asks for administrator rights: it and the rest of the queue go to the
// elevated copy, by their numbers (the ones to skip stay here). Nothing is answered (the line
// fails) when there is nothing to hand over to.
Elevation InstallQueue::HandOverRest() {
  if (!elevated_) return {};
  HandOver handOver{cataloguePath_, {}, HandOverDrive, {}, {}, {}, RestartsAllowed};
  // What needs a row that did not install here, or one that will not run, stays here with
  // that result; the copy sees only what it runs.
  for (size_t i = current_ + 1; i < programs_.size(); ++i) {
    if (programs_[i].skip || programs_[i].decided) continue;
    for (size_t r : programs_[i].needs) {
      const bool blocked = r < current_ ? !CountsAsInstalled(rows_[r].state)
                                        : r > current_ && programs_[r].decided.has_value();
      if (!blocked) continue;
      programs_[i].decided = QueueRow{TQueueState::qsNeeds, 0, programs_[r].name};
      break;
    }
  }
  std::vector<size_t> handed;
  for (size_t i = current_; i < programs_.size(); ++i) {
    if (programs_[i].skip || programs_[i].decided) continue;
    if (!programs_[i].number) return {};  // not found again by a copy
    handed.push_back(i);
    handOver.numbers.push_back(programs_[i].number);
    handOver.programs.push_back(programs_[i]);
  }
  if (rightsRefused_) {
    Log("Administrator rights were refused for this queue: not asked again");
    return {false, QueueRow{TQueueState::qsRightsRefused, 0, {}}};
  }
  // The copy reads the catalogue as it is on disk.
  if (ConfirmHandOver && !ConfirmHandOver()) {
    Log("Administrator rights needed, and the catalogue's changes are not saved: the rest of the "
        "queue is not started");
    restAs_ = QueueRow{TQueueState::qsNotSaved, 0, {}};
    return {false, restAs_};
  }
  Log("Administrator rights needed: the rest of the queue runs in an elevated copy of Tallimo");
  const ElevatedRunner::Start start = elevated_->Run(std::move(handOver), *sinks_);
  switch (start.result) {
    case ElevatedRunner::TElevationResult::erStarted:
      DropRecord();  // the copy keeps its own
      handedOver_ = true;
      handedRows_ = std::move(handed);
      busy_ = true;
      // What is skipped is not handed over: its rows are done here.
      for (size_t i = current_; i < programs_.size(); ++i) {
        if (programs_[i].skip)
          rows_[i] = QueueRow{TQueueState::qsAlreadyInstalled, 0, {}};
        else if (programs_[i].decided)
          rows_[i] = *programs_[i].decided;
        else
          continue;
        SetState(i, rows_[i].state);
        Log(RowText(i));
      }
      if (stopRequested_) elevated_->Stop();
      return {true};
    case ElevatedRunner::TElevationResult::erRefused:
      rightsRefused_ = true;
      Log("Administrator rights refused");
      return {false, QueueRow{TQueueState::qsRightsRefused, 0, {}}};
    case ElevatedRunner::TElevationResult::erRejected:
      Log("Not handed over: " + start.message);
      restAs_ = QueueRow{TQueueState::qsRefused, 0, start.message};
      return {false, restAs_};
    case ElevatedRunner::TElevationResult::erFailed:
      break;
  }
  Log("Cannot start: " + start.message);
  return {false, QueueRow{TQueueState::qsCannotStart, 0, start.message}};
}

void InstallQueue::WorkerRow(size_t row, QueueRow result) {
  if (result.state == TQueueState::qsRunning) current_ = row;
  if (result.state == TQueueState::qsRestartStarted) restartStarted_ = true;
  const TQueueState state = result.state;
  rows_[row] = std::move(result);
  SetState(row, state);
}

// The copy is done: the handed rows still without their result get `unfinished`, and the queue
// ends here.
void InstallQueue::HandOverEnded(const QueueRow& unfinished) {
  for (size_t i : handedRows_) {
    if (rows_[i].state != TQueueState::qsWaiting && rows_[i].state != TQueueState::qsRunning)
      continue;
    rows_[i] = unfinished;
    SetState(i, unfinished.state);
    Log(RowText(i));
  }
  handedOver_ = false;
  busy_ = false;
  current_ = programs_.size();
  SetCommand({});
  Advance();
}

}  // namespace tallimo
