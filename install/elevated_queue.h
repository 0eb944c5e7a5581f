#pragma once
// Handing the rest of an install queue to an elevated copy of Tallimo: when a program asks for
// administrator rights, the programs from it on run in a copy started once with those rights,
// which owns the job, runs them with a queue of its own and reports each step back.
//
// The copy trusts nothing a user's program could have written: it gets its work on its command
// line ("/elevated-queue", the catalogue's path, the SHA-256 of its bytes, the drive letter or
// "-", a channel name and the program numbers), reads the catalogue itself and runs nothing
// when the bytes it read have another digest. Its events (rows, commands, log lines, end) and
// the menu's control lines (Stop, Stop waiting) are text files of one item a line; texts are
// escaped so that a line never holds a line break; a line that does not read back is dropped,
// and a line still being written (no line end yet) waits for its end.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "install/queue_rows.h"
#include "install/queue_lines.h"
#include "platform/files.h"
#include "platform/hash.h"
#include "platform/text_codec.h"

namespace tallimo {

inline constexpr const char* kElevatedQueueOption = "/elevated-queue";
inline constexpr const char* kCatalogueChangedMessage = "the catalogue changed after it was read";

// What the menu hands over: the catalogue's programs by their Program<n> numbers. `programs`
// are the rows the menu planned for them, which the catalogue on disk must still give.
struct HandOver {
  std::string cataloguePath;
  std::string digest;  // SHA-256 of the catalogue file's bytes, 64 hex digits
  std::optional<char> drive;
  std::string channel;  // names the events file
  std::vector<size_t> numbers;
  std::vector<QueuedProgram> programs;
  // The copy may restart before the next program (the menu's queue may): "/restart" after the
  // channel.
  bool restarts = false;
};

// 1 to 64 letters, digits and "-".
bool IsChannelName(std::string_view name);

// The copy's parameters: /elevated-queue "<path>" <digest> <drive or -> <channel> [/restart]
// <n>...
std::string ElevatedQueueParameters(const HandOver& handOver);
// The hand-over of a command line's arguments (the program's name not included); nullopt when
// the first is not kElevatedQueueOption. A bad argument sets `error` (and the channel stays
// empty when it is the channel that is bad).
struct ElevatedArguments {
  HandOver handOver;
  std::string error;
};
std::optional<ElevatedArguments> ParseElevatedQueue(const std::vector<std::string>& arguments);

// The rows of the numbered programs of the catalogue file `bytes`, in the order given, their
// lines prepared with `drive`; or why there are none ("the catalogue has no program 7", "<name>
// has no installation procedure", "<name> needs a drive for %D:").
struct ElevatedRows {
  std::vector<QueuedProgram> programs;
  std::string refusal;
};
ElevatedRows RowsOfCatalogue(std::string bytes, const std::vector<size_t>& numbers,
                             std::optional<char> drive, const CodePage& ansi);

// The copy's side: reads the catalogue once, compares the digest of those bytes, and gives the
// rows of them; a refusal (kCatalogueChangedMessage, "Unable to read <path>", the bad
// argument) runs nothing.
ElevatedRows PlanElevatedCopy(const ElevatedArguments& arguments, FileSystem& files, Hasher& hasher,
                              const CodePage& ansi);

// The menu's side, just before the copy starts: reads the catalogue, sets the hand-over's
// digest, and refuses (kCatalogueChangedMessage, or why it cannot be read or hashed) when the
// file no longer gives the rows planned.
std::string SealHandOver(HandOver& handOver, FileSystem& files, Hasher& hasher,
                         const CodePage& ansi);

enum class TWorkerEventKind {
  weRow,      // a row of the copy's queue changed: `row`, `result`
  weCommand,  // the command being run changed: `text` ("" between commands)
  weLog,      // a line of the log, its time stamp included: `text`
  weEnd,      // the copy's queue has ended
  weRefused,  // the copy ran nothing: `text` says why; its rows fail with it, and it has ended
  weLost,     // the copy ended without saying so, or was lost for the error in `text` (never
              // written: the runner reports it)
};

struct WorkerEvent {
  TWorkerEventKind kind = TWorkerEventKind::weEnd;
  size_t row = 0;  // counted in the copy's queue (0: the program that asked for the rights)
  QueueRow result;
  std::string text;
};
// One event as a line, without its line end.
std::string EventLine(const WorkerEvent& event);
std::optional<WorkerEvent> ParseEventLine(std::string_view line);

// wcReadToEnd: the menu has read the copy's end, whose files may go.
enum class TWorkerControlKind { wcStop, wcStopWaiting, wcReadToEnd };
struct WorkerControl {
  TWorkerControlKind kind = TWorkerControlKind::wcStop;
  size_t row = 0;  // Stop waiting: the copy's row it is meant for
};
std::string ControlLine(const WorkerControl& control);
std::optional<WorkerControl> ParseControlLine(std::string_view line);

// Why the rows the copy left unfinished failed.
inline constexpr const char* kWorkerLostMessage = "the administrator's copy of Tallimo ended early";

// The seam that starts the copy. Its events arrive later (never from inside Start) on the
// thread that runs the message loop, in the order the copy wrote them; after weEnd, weRefused
// or weLost none follows.
class ElevatedRunner {
 public:
  virtual ~ElevatedRunner() = default;
  // erRejected: the catalogue no longer gives the rows planned, or cannot be read; nothing
  // started, and the handed rows fail with the message.
  enum class TElevationResult { erStarted, erRefused, erFailed, erRejected };
  struct Start {
    TElevationResult result = TElevationResult::erFailed;
    std::string message;  // the system's message when it failed
  };
  using EventCallback = std::function<void(const WorkerEvent&)>;
  // Seals the hand-over (SealHandOver: erRejected with the refusal when it fails) and starts the
  // copy with administrator rights over it; erRefused when the user declined them.
  virtual Start Run(HandOver handOver, EventCallback onEvent) = 0;
  // Forwarded to the copy's queue.
  virtual void Stop() = 0;
  virtual void StopWaiting(size_t row) = 0;
  // No more events are delivered (the copy runs on).
  virtual void Forget() = 0;
};

}  // namespace tallimo
