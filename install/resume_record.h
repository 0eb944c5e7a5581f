#pragma once
// The resume record: where an install queue stands, written before each program starts and
// before each restart, so that the queue goes on after a restart, planned or not, from the same
// disc, in the same log, with every row's result kept. And the rules of going on: finding the
// disc again, the program that a restart cut off, the limit on restarts.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "install/install_queue.h"
#include "platform/files.h"
#include "platform/hash.h"
#include "platform/restart.h"
#include "platform/text_codec.h"

namespace tallimo {

inline constexpr const char* kResumeOption = "/resume";
inline constexpr int kMaxRestarts = 5;
// How long the queue waits for the restart that an installer started (exit code 1641).
inline constexpr uint32_t kRestartWaitMilliseconds = 10 * 60 * 1000;

// Which front end ran the queue: each resumes only its own records.
enum class TResumeKind { rkMenu, rkUnattended, rkElevated };

struct ResumeRecord {
  TResumeKind kind = TResumeKind::rkMenu;
  std::string user;  // who wrote it (the account's SID)
  std::string cataloguePath;
  std::string digest;  // SHA-256 of the catalogue's bytes
  uint32_t volumeSerial = 0;
  std::string volumeLabel;
  std::optional<char> drive;  // the drive for %D:
  std::string logPath;
  // The run's options.
  bool quiet = false;
  bool reinstall = false;
  bool restartAllowed = true;  // an unattended run's /restart
  std::string logGiven;        // an unattended run's /log
  int restarts = 0;            // restarts the queue went through so far
  // The queue's programs by their Program<n> numbers, with each one's result so far (or the
  // one the planner decided for it); `running`: the row running when it was written.
  struct Row {
    size_t number = 0;
    std::string name;  // shown when the catalogue is not found again
    QueueRow result;
  };
  std::vector<Row> rows;
  std::optional<size_t> running;
  size_t next = 0;  // the first row not done
};

// The record as text: one item a line, texts escaped onto their line, an end line last.
std::string RecordText(const ResumeRecord& record);
// The record of `text`; nullopt with `why` ("the record is from another version of Tallimo",
// "the record cannot be read") when it does not read whole.
std::optional<ResumeRecord> ParseRecord(std::string_view text, std::string& why);

// What the resumed queue found of its disc.
struct DiscSearch {
  bool atPath = false;         // a file at the recorded path
  bool digestMatches = false;  // ... whose bytes have the recorded digest
  // Another drive whose volume has the recorded serial number, and whether the catalogue there
  // has the recorded digest.
  std::optional<char> movedTo;
  bool movedDigestMatches = false;
};

enum class TResumeStep {
  rsGoOn,        // the catalogue is where it was
  rsMoved,       // on another drive: `path` and `drive` say where
  rsInsertDisc,  // not found: ask for the disc (or, quiet, try again)
  rsChanged,     // found, but its bytes changed: the rest "not started (the catalogue
                 // changed)"
};
struct ResumeDecision {
  TResumeStep step = TResumeStep::rsGoOn;
  std::string cataloguePath;
  std::optional<char> drive;  // for %D:, moved with the disc when it was the disc's own drive
};
ResumeDecision DecideResume(const ResumeRecord& record, const DiscSearch& found);

// "Insert the disc "<label>" to go on installing." (the catalogue's path for a disc without a
// label).
std::string InsertDiscText(const ResumeRecord& record);

// The rows as the resumed queue starts them: a restart that a row needed (3010) or started
// (1641) has happened ("installed, restarted"); the row a restart cut off is "installed" when
// `interruptedInstalled`, else "failed (interrupted by a restart)", and never runs again.
std::vector<QueueRow> ResumedRows(const ResumeRecord& record, bool interruptedInstalled);

// The row the resumed queue starts with: the one after the row cut off, else the next one.
size_t ResumedNext(const ResumeRecord& record);

struct RecordSeams {
  ResumeStore& store;
  FileSystem& files;
  Hasher& hasher;
  const CodePage& ansi;
};

// Gets the queue's record ready before Begin, from its fixed part: the rows that will run are
// sealed against the catalogue on disk (which the resumed queue reads: its digest is kept), the
// disc's volume is read, and the record's place is made. Where any of it fails the queue runs
// without surviving restarts, and its ResumeRefusal says why.
void PrepareRecord(InstallQueue& queue, ResumeRecord fixed, RecordSeams seams);
// Seals the record again after the catalogue was saved; a catalogue that no longer gives the
// rows ends the recording.
void ResealRecord(InstallQueue& queue, RecordSeams seams);

// The rows of the resumed queue: each record row's program from the catalogue `bytes` (whose
// digest matched), the ones not done planned again with `drive`; the row a restart cut off is
// judged by `isInstalled` (its Detect key).
struct ResumedQueue {
  std::vector<QueuedProgram> programs;
  std::vector<QueueRow> done;  // the rows before `next`, with their results
  size_t next = 0;
  StringList notes;  // for the log: the verdict on the row a restart cut off
};
ResumedQueue ResumedPrograms(const ResumeRecord& record, std::string bytes,
                             std::optional<char> drive, const CodePage& ansi,
                             const std::function<bool(const TTallimoProg&)>& isInstalled);
// The rows when the catalogue is not there to go on from: the ones not done end as `rest`
// ("not started (disc not found)", "not started (the catalogue changed)").
ResumedQueue UnreachedPrograms(const ResumeRecord& record, TQueueState rest);

// "Resumed after a restart (N of at most 5)".
std::string ResumedLine(int restarts);

}  // namespace tallimo
