#include "install/queue_executors.h"

#include <utility>

#include "install/batch_file.h"
#include "install/install_line.h"
#include "platform/error.h"

namespace tallimo {

namespace {

std::string Seconds(uint32_t milliseconds) {
  return std::to_string(milliseconds / 1000) + "." + std::to_string(milliseconds % 1000 / 100);
}

}  // namespace

LocalExecutor::~LocalExecutor() {
  if (waiting_) seams_.processes.StopWaiting();
}

void LocalExecutor::Begin(const QueuedProgram& program, ExecutorSink& sink) {
  program_ = &program;
  sink_ = &sink;
  line_ = 0;
  outcome_ = {};
  if (!program.batch) return;
  try {
    HeldBatchFile batch = WriteHeldBatchFile(program.lines, seams_.locale.OemCodePage(),
                                             seams_.environment, seams_.files, seams_.random);
    batchPath_ = std::move(batch.path);
    batchHeld_ = std::move(batch.held);
  } catch (const TallimoError& error) {
    batchPath_.clear();
    line_ = 1;  // nothing left to run
    LineFailed(error.what());
  }
}

bool LocalExecutor::Step() {
  if (!program_) return false;
  while (!waiting_) {
    if (StartLine()) continue;
    if (!program_) return true;  // handed over
    RemoveBatchFile();
    program_ = nullptr;
    return false;
  }
  return true;
}

// Starts the program's next command, or fails it; false when it has none left (or went to the
// elevated copy).
bool LocalExecutor::StartLine() {
  const QueuedProgram& program = *program_;
  const size_t lineCount = program.batch ? 1 : program.lines.size();
  ProcessRequest request;
  request.hideConsole = HideConsoles;
  request.directory = Directory;
  if (program.batch) {
    if (line_ > 0 || batchPath_.empty()) return false;
    std::string comspec =
        CommandPrompt.empty() ? seams_.environment.GetEnvVar("COMSPEC") : CommandPrompt;
    request.program = comspec.empty() ? "cmd.exe" : comspec;
    // No AutoRun commands; the interpreter's exit code is the last command's.
    request.parameters = "/d /c \"" + batchPath_ + "\"";
  } else {
    if (line_ >= program.lines.size()) return false;
    LineStart start = StartOfLine(program.lines[line_], seams_.files);
    request.program = std::move(start.program);
    request.parameters = std::move(start.parameters);
    request.document = !IsProgramFile(request.program);
  }
  ++line_;
  std::string command = request.program;
  if (!request.parameters.empty()) command += " " + request.parameters;
  sink_->CommandChanged(command);
  sink_->LogLine("Command: " + command);
  ProcessStart start =
      seams_.processes.Start(request, [this](const ProcessEnd& end) { LineEnded(end); });
  if (start.started) {
    waiting_ = true;
    if (start.scope == TWaitScope::wsProcess)
      sink_->LogLine("No job could be had: waiting for the program alone, not for what it starts");
    else if (start.scope == TWaitScope::wsNone)
      sink_->LogLine("Handed to a program already running: nothing to wait for");
    return true;
  }
  if (start.elevationRequired) {
    // The copy writes a batch file of its own.
    RemoveBatchFile();
    const Elevation elevation = sink_->ElevationNeeded(start.message);
    if (elevation.handedOver) {
      program_ = nullptr;
      return false;
    }
    if (elevation.end) {
      if (!outcome_.failure) outcome_.failure = elevation.end;
      line_ = lineCount;
      return true;
    }
  }
  LineFailed(start.message);
  return true;
}

void LocalExecutor::LineFailed(const std::string& message) {
  sink_->LogLine("Cannot start: " + message);
  if (!outcome_.failure) outcome_.failure = QueueRow{TQueueState::qsCannotStart, 0, message};
}

void LocalExecutor::LineEnded(const ProcessEnd& end) {
  if (!waiting_ || !program_) return;
  waiting_ = false;
  sink_->LogLine("Exit code " + std::to_string(end.exitCode) + " after " +
                 Seconds(end.milliseconds) + " s");
  switch (ResultOfExitCode(end.exitCode, program_->successCodes)) {
    case TQueueState::qsRestartNeeded:
      outcome_.restartNeeded = true;
      break;
    case TQueueState::qsRestartStarted:
      outcome_.restartStarted = true;
      line_ = program_->lines.size();  // the system is going down: nothing more
      break;
    case TQueueState::qsFailed:
      if (!outcome_.failure) outcome_.failure = QueueRow{TQueueState::qsFailed, end.exitCode, {}};
      break;
    default:
      break;
  }
  sink_->CommandChanged({});
  sink_->LineEnded();
}

void LocalExecutor::StopWaiting() {
  if (!waiting_) return;
  seams_.processes.StopWaiting();
  waiting_ = false;
  program_ = nullptr;
  // Still in use by the program that runs on: left in place, and held while the executor lives.
  batchPath_.clear();
  if (batchHeld_) stillRunning_.push_back(std::move(batchHeld_));
}

void LocalExecutor::Abandon() {
  if (waiting_) seams_.processes.StopWaiting();
  waiting_ = false;
  program_ = nullptr;
  RemoveBatchFile();
}

void LocalExecutor::RemoveBatchFile() {
  batchHeld_.reset();  // its command prompt has ended
  if (batchPath_.empty()) return;
  seams_.files.RemoveFile(batchPath_);
  batchPath_.clear();
}

ElevatedExecutor::~ElevatedExecutor() {
  if (running_) runner_.Forget();
}

ElevatedRunner::Start ElevatedExecutor::Run(HandOver handOver, Sink& sink) {
  handed_ = handOver.numbers.size();
  sink_ = &sink;
  const ElevatedRunner::Start start =
      runner_.Run(std::move(handOver), [this](const WorkerEvent& event) { Arrived(event); });
  running_ = start.result == ElevatedRunner::TElevationResult::erStarted;
  return start;
}

void ElevatedExecutor::Stop() {
  if (running_) runner_.Stop();
}

void ElevatedExecutor::StopWaiting(size_t handed) {
  if (running_) runner_.StopWaiting(handed);
}

void ElevatedExecutor::Arrived(const WorkerEvent& event) {
  if (!running_) return;
  switch (event.kind) {
    case TWorkerEventKind::weRow:
      if (event.row < handed_) sink_->HandedRow(event.row, event.result);
      break;
    case TWorkerEventKind::weCommand:
      sink_->CommandChanged(event.text);
      break;
    case TWorkerEventKind::weLog:
      sink_->StampedLine(event.text);
      break;
    case TWorkerEventKind::weRefused:
      sink_->LogLine("The administrator's copy of Tallimo ran nothing: " + event.text);
      End({TQueueState::qsRefused, 0, event.text});
      break;
    case TWorkerEventKind::weLost:
      if (!event.text.empty()) sink_->LogLine("Error: " + event.text);  // what lost it
      sink_->LogLine("The administrator's copy of Tallimo ended before the queue did");
      End({TQueueState::qsCannotStart, 0, kWorkerLostMessage});
      break;
    case TWorkerEventKind::weEnd:
      End({TQueueState::qsCannotStart, 0, kWorkerLostMessage});
      break;
  }
}

void ElevatedExecutor::End(const QueueRow& unfinished) {
  running_ = false;
  sink_->HandOverEnded(unfinished);
}

void LaunchExecutor::Run(const QueuedProgram& program) {
  if (!program.batch) {
    for (const std::string& line : program.lines) {
      LineStart start = StartOfLine(line, seams_.files);
      if (start.parameters.empty() && start.program == line)
        seams_.shell.LaunchFile(line);
      else
        seams_.shell.RunProgram(start.program, start.parameters, nullptr);
    }
    return;
  }
  seams_.shell.LaunchFile(WriteBatchFile(program.lines, seams_.locale.OemCodePage(),
                                         seams_.environment, seams_.files, seams_.random));
}

}  // namespace tallimo
