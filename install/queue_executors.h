#pragma once
// The executors: what starts the programs of a plan. The queue decides which row runs, records
// its result and writes the log; an executor runs a row's lines and says what came of them.
//
// - LocalExecutor runs one program at a time over the process seam (each line waited for, under
//   a job object where the seam has one), its batch file held unchanged while it runs.
// - ElevatedExecutor runs the rest of a queue in an elevated copy of Tallimo, over the
//   hand-over seam, and turns the copy's events into rows, commands and log lines.
// - LaunchExecutor starts a row and waits for nothing (the single Install without marks).
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "install/elevated_queue.h"
#include "install/queue_rows.h"
#include "install/random_source.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/process.h"
#include "platform/shell.h"

namespace tallimo {

// How a program's lines ended.
struct ProgramOutcome {
  std::optional<QueueRow> failure;  // the first line that failed or could not start
  bool restartNeeded = false;       // a line ended with 3010
  bool restartStarted = false;      // a line ended with 1641 (the lines after it did not run)
};

// A line asked for administrator rights; what becomes of its program.
struct Elevation {
  bool handedOver = false;        // it went to the elevated copy: nothing more runs here
  std::optional<QueueRow> end{};  // it ends now with this result (unless a line failed before)
};                                // neither: only that line fails, as one that cannot start

// What a running program tells the queue that runs it.
class ExecutorSink {
 public:
  virtual void CommandChanged(std::string command) = 0;  // started ("" when it has ended)
  virtual void LogLine(const std::string& text) = 0;     // a line for the queue's log
  virtual void LineEnded() = 0;                          // later: Step goes on
  virtual Elevation ElevationNeeded(const std::string& message) = 0;

 protected:
  ~ExecutorSink() = default;
};

// Driven by the queue: Begin, then Step until it returns false, each time a line has ended.
class LocalExecutor {
 public:
  struct Seams {
    ProcessRunner& processes;
    FileSystem& files;
    Environment& environment;
    RandomSource& random;  // the batch files' names
    Locale& locale;        // the command prompt's code page
  };
  explicit LocalExecutor(Seams seams) : seams_(seams) {}
  ~LocalExecutor();
  LocalExecutor(const LocalExecutor&) = delete;
  LocalExecutor& operator=(const LocalExecutor&) = delete;

  // Batch files and console programs run without a console window.
  bool HideConsoles = false;
  // The command prompt that runs batch files, by its full path; empty: COMSPEC's, else
  // "cmd.exe".
  std::string CommandPrompt;
  // The folder the programs start in.
  std::string Directory;

  // Takes `program` (which outlives its run), writing its batch file.
  void Begin(const QueuedProgram& program, ExecutorSink& sink);
  // Starts lines until one runs and is waited for (true), or none is left (false: Outcome says
  // how they ended, and the batch file is gone). True also when the program was handed over.
  bool Step();
  const ProgramOutcome& Outcome() const { return outcome_; }
  // A line of ours runs and is waited for.
  bool Waiting() const { return waiting_; }
  // Gives up waiting for the line running, without ending it. Its batch file stays held while
  // the executor lives.
  void StopWaiting();
  // Lets go of the program after an error: nothing more is waited for.
  void Abandon();

 private:
  bool StartLine();
  void LineEnded(const ProcessEnd& end);
  void LineFailed(const std::string& message);
  void RemoveBatchFile();

  Seams seams_;
  const QueuedProgram* program_ = nullptr;
  ExecutorSink* sink_ = nullptr;
  size_t line_ = 0;  // the next line; 0 or 1 for a batch file
  bool waiting_ = false;
  ProgramOutcome outcome_;
  std::string batchPath_;
  std::unique_ptr<HeldFile> batchHeld_;
  // The batch files of programs not waited for, held until the executor goes.
  std::vector<std::unique_ptr<HeldFile>> stillRunning_;
};

class ElevatedExecutor {
 public:
  // What the copy tells the queue that handed its rows over.
  class Sink {
   public:
    virtual void HandedRow(size_t handed, QueueRow result) = 0;  // counted in the hand-over
    virtual void CommandChanged(std::string command) = 0;
    virtual void LogLine(const std::string& text) = 0;      // stamped by the queue
    virtual void StampedLine(const std::string& line) = 0;  // stamped by the copy
    // The copy is done: the handed rows still without their result get `unfinished`.
    virtual void HandOverEnded(const QueueRow& unfinished) = 0;

   protected:
    ~Sink() = default;
  };
  explicit ElevatedExecutor(ElevatedRunner& runner) : runner_(runner) {}
  ~ElevatedExecutor();
  ElevatedExecutor(const ElevatedExecutor&) = delete;
  ElevatedExecutor& operator=(const ElevatedExecutor&) = delete;

  // Hands `handOver` (its programs and their numbers) to the copy; erStarted: its events follow
  // through `sink`, never from inside Run.
  ElevatedRunner::Start Run(HandOver handOver, Sink& sink);
  bool Running() const { return running_; }
  void Stop();
  void StopWaiting(size_t handed);

 private:
  void Arrived(const WorkerEvent& event);
  void End(const QueueRow& unfinished);

  ElevatedRunner& runner_;
  Sink* sink_ = nullptr;
  size_t handed_ = 0;
  bool running_ = false;
};

class LaunchExecutor {
 public:
  struct Seams {
    Shell& shell;
    FileSystem& files;
    Environment& environment;
    RandomSource& random;
    Locale& locale;
  };
  explicit LaunchExecutor(Seams seams) : seams_(seams) {}
  // The batch file (written new, never held or removed) or each line goes to the shell. Throws
  // TallimoError when the batch file cannot be written.
  void Run(const QueuedProgram& program);

 private:
  Seams seams_;
};

}  // namespace tallimo
