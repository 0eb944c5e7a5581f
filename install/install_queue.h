#pragma once
// The install queue: the marked programs installed one after another, in catalogue order, each
// waited for, judged by its exit code, written to a log, and summed up at the end.
//
// A state machine driven by the process seam's events: Begin starts the first command and
// returns; each end reported by the seam starts the next one. Nothing here blocks, so the
// window that shows the queue keeps answering, and tests drive it with a fake runner.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "install/drive_token.h"
#include "install/queue_rows.h"
#include "install/random_source.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/log_file.h"
#include "platform/process.h"

namespace tallimo {

inline constexpr const char* kLeftOutMessage =
    "These programs have no installation procedure and are left out:";
inline constexpr const char* kRestartQuestion =
    "One or more programs need the computer to restart to finish installing.\rRestart now?";

// The box naming what is left out: kLeftOutMessage, then one name a line (lines end with CR).
std::string LeftOutText(const StringList& names);

// "YYYY-MM-DD HH:MM:SS " before each line of the log.
std::string LogTimeStamp(const LocalTime& time);
// "Tallimo-YYYYMMDD-HHMMSS.log"; from the second attempt on "-2", "-3" ... before ".log".
std::string LogFileName(const LocalTime& time, int attempt);
// Names tried before the log is given up.
inline constexpr int kLogNameAttempts = 100;

class ElevatedExecutor;
class ElevatedRunner;
class LocalExecutor;
class Restarter;
class ResumeStore;
struct Elevation;
struct ProgramOutcome;
struct ResumeRecord;

struct QueueSeams {
  ProcessRunner& processes;
  FileSystem& files;
  Environment& environment;
  RandomSource& random;  // the batch files' names
  Clock& clock;
  LogFiles& logFiles;
  Locale& locale;  // the command prompt's code page, for the batch files
  // Where a program asks for administrator rights, the rest of the queue is handed to this
  // (one prompt for the whole queue); none: such a program cannot start.
  ElevatedRunner* elevated = nullptr;
  // Restarts the computer when a program needs it before the next one; none: only at the end.
  Restarter* restarter = nullptr;
  // Where the record that survives a restart is kept; none: the queue does not survive one.
  ResumeStore* resume = nullptr;
};

// The queue's seams, taken from a front end's seams of the same names (the one way they are
// assembled); `logFiles` apart where the front end's log goes elsewhere.
template <typename Seams>
QueueSeams QueueSeamsOf(Seams& seams, LogFiles& logFiles, ElevatedRunner* elevated = nullptr) {
  return {seams.processes, seams.files,  seams.environment, seams.random,     seams.clock,
          logFiles,        seams.locale, elevated,          &seams.restarter, seams.resume};
}
template <typename Seams>
QueueSeams QueueSeamsOf(Seams& seams, ElevatedRunner* elevated = nullptr) {
  return QueueSeamsOf(seams, seams.logFiles, elevated);
}

// The queue's log: `given` added to (made when missing), else a new file in TEMP named by
// LogFileName, starting with UTF-8's byte-order mark. No file when it cannot be opened or
// written; `path` is set either way.
struct QueueLog {
  std::unique_ptr<LogFile> file;
  std::string path;
  bool exists = false;  // the file is there, written or not
  std::string why;      // the system's message when a given log cannot be opened
};
QueueLog OpenQueueLog(const QueueSeams& seams, const std::string& given);

// A log's lines when no queue runs (a usage error, a record refused): each stamped and written
// as the queue writes its own, to `given` or a new log in TEMP. Gives the lines as stamped.
StringList LogWithoutQueue(const QueueSeams& seams, const std::string& given,
                           const StringList& texts);

class InstallQueue {
 public:
  // The log's first and last lines: "<LogTitle> started: ..." and "<LogTitle> ended: ...".
  std::string LogTitle = "Queue";
  // Another first line (a resumed queue's); empty: "<LogTitle> started: ...".
  std::string FirstLine;
  // The log's path, added to when it exists; empty: a new file in TEMP.
  std::string LogFileGiven;
  // Lines for the log after its first one, before the first program.
  StringList Preamble;
  // Lines for the log after its end line, asked for when the queue has ended.
  std::function<StringList()> Epilogue;
  // Batch files and console programs run without a console window.
  bool HideConsoles = false;
  // The command prompt that runs batch files, by its full path; empty: COMSPEC's, else
  // "cmd.exe".
  std::string CommandPrompt;
  // What a hand-over to the elevated copy needs besides the rows' numbers: the drive letter for
  // the token, and the question asked before it (false: the rest is not started, "changes not
  // saved"). None: no question.
  std::optional<char> HandOverDrive;
  std::function<bool()> ConfirmHandOver;
  // Restarts before the next program (the entries' Restart rules, and the wait after an
  // installer started one) are allowed; otherwise the restart waits for the queue's end, and
  // after 1641 the rest is "not started (restart in progress)".
  bool RestartsAllowed = false;
  // Asked before a restart that a program needs before the next one (the countdown window):
  // true restarts now, false goes on with the next program. None: restart now.
  std::function<bool(const std::string& name)> ConfirmRestart;
  // The record's fixed part (kind, user, catalogue, digest, disc, drive, options), filled by the
  // front end; the queue adds its rows and writes it through `resume` before each program and
  // before each restart. None: no record (`ResumeRefusal` says why, once, in the log).
  std::unique_ptr<ResumeRecord> Record;
  std::string ResumeRefusal;
  // A resumed queue: the rows before `next` are done with these results, and the queue goes on
  // from `next`. The log is added to. Call before Begin.
  void ResumeAt(size_t next, std::vector<QueueRow> done);
  // The queue goes on without surviving restarts: its record and value are removed, and the
  // log and OnRecordFailed say why.
  void EndRecording(const std::string& why);

  // `cataloguePath` is named in the log. Nothing starts before Begin.
  InstallQueue(QueueSeams seams, std::vector<QueuedProgram> programs, std::string cataloguePath);
  ~InstallQueue();
  InstallQueue(const InstallQueue&) = delete;
  InstallQueue& operator=(const InstallQueue&) = delete;

  // Told whenever a row's state, the command being run or the queue's end changes.
  std::function<void(size_t row)> OnRowChanged;
  std::function<void()> OnCommandChanged;
  std::function<void()> OnEnded;
  // Each line of the log as it is written (time stamp included, line end not).
  std::function<void(const std::string& line)> OnLogLine;
  // Once, when a line of the log could not be written (the queue goes on without it).
  std::function<void()> OnLogFailed;
  // Once, when the record that survives a restart cannot be written (the queue goes on).
  std::function<void(const std::string& why)> OnRecordFailed;

  // Opens the log in TEMP and starts the first program.
  void Begin();
  // A line of the front end's, stamped and written as the queue's own.
  void AddLogLine(const std::string& text) { Log(text); }
  // The program running now finishes (all its lines); the rest are not started.
  void Stop();
  // Gives up waiting for the program running now, without ending it; the queue goes on.
  void StopWaiting();

  bool Ended() const { return ended_; }
  bool Stopping() const { return stopRequested_; }
  size_t Size() const { return programs_.size(); }
  const std::vector<QueuedProgram>& Programs() const { return programs_; }
  // Programs that have their result.
  size_t DoneCount() const;
  const QueueRow& Row(size_t i) const { return rows_[i]; }
  const std::vector<QueueRow>& Rows() const { return rows_; }
  // "<Name>: <state>"
  std::string RowText(size_t i) const;
  std::string Summary() const { return SummaryText(CountRows(rows_)); }
  // The command being run, as it was started ("" between commands and at the end).
  const std::string& CurrentCommand() const { return command_; }
  // True when a program needs a restart and none started one.
  bool RestartNeeded() const;
  // The queue is waiting for a restart (one it asked for, or one an installer started).
  bool AwaitingRestart() const { return awaitingRestart_; }

  const std::string& LogPath() const { return logPath_; }
  // The log could not be created, or a line of it could not be written.
  bool LogFailed() const { return logFailed_; }
  // The log file exists (written whole or in part).
  bool LogCreated() const { return logCreated_; }

 private:
  void Advance();
  void AdvanceOnce();
  void StartProgram();
  void FinishProgram(const ProgramOutcome& outcome);
  void SetState(size_t row, TQueueState state);
  void SetCommand(std::string command);
  void OpenLog();
  void Log(const std::string& text);
  void LogStamped(const std::string& line);
  Elevation HandOverRest();
  void WorkerRow(size_t row, QueueRow result);
  void HandOverEnded(const QueueRow& unfinished);
  bool RestartDue(size_t row) const;
  bool RestartBeforeNext();
  void AwaitRestart();
  void RestartDidNotCome();
  void WriteRecord(std::optional<size_t> running);
  void DropRecord();

  QueueSeams seams_;
  std::vector<QueuedProgram> programs_;
  std::vector<QueueRow> rows_;
  std::string cataloguePath_;
  std::unique_ptr<LogFile> log_;
  std::string logPath_;
  bool logFailed_ = false;
  bool logCreated_ = false;
  // What runs the programs: here, and (from the first that asks for administrator rights) the
  // elevated copy.
  class Sinks;
  std::unique_ptr<Sinks> sinks_;
  std::unique_ptr<LocalExecutor> local_;
  std::unique_ptr<ElevatedExecutor> elevated_;

  size_t current_ = 0;  // the program running, or the next one to start
  bool busy_ = false;   // an executor has the program running
  bool advancing_ = false;
  bool began_ = false;
  bool ended_ = false;
  bool stopRequested_ = false;
  bool restartStarted_ = false;
  bool failedNeedingRestart_ = false;  // a failed program had a line that needed a restart
  std::string command_;
  // The rows not started when the queue ends early for another reason than Stop or a restart.
  std::optional<QueueRow> restAs_;
  // The rest of the queue runs in the elevated copy: its rows, by the copy's row numbers.
  bool handedOver_ = false;
  bool rightsRefused_ = false;
  std::vector<size_t> handedRows_;
  // Surviving restarts.
  bool recording_ = false;
  bool awaitingRestart_ = false;
  bool armed_ = false;                  // the RunOnce value is set
  std::optional<size_t> checkRestart_;  // the row just finished, its restart rule not yet seen
};

}  // namespace tallimo
