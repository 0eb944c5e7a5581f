#pragma once
// Handing the rest of an install queue to an elevated copy of Tallimo: when a program asks for
// administrator rights, the programs from it on run in a copy started once with those rights,
// which owns the job, runs them with a queue of its own and reports each step back.
//
// Everything crosses as text files of one item a line: the hand-over (the programs), the
// events (the copy's rows, commands, log lines and end) and the control lines (Stop, Stop
// waiting). Texts are escaped so that a line never holds a line break; a line that does not
// read back is dropped, and a line still being written (no line end yet) waits for its end.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "install/install_queue.h"

namespace tallimo {

// What the hand-over file holds.
struct HandOver {
  std::string cataloguePath;  // named in the log
  std::vector<QueuedProgram> programs;
};
std::string HandOverText(const HandOver& handOver);
// nullopt for anything but a whole, well-formed hand-over with at least one program.
std::optional<HandOver> ParseHandOver(std::string_view text);

enum class TWorkerEventKind {
  weRow,      // a row of the copy's queue changed: `row`, `result`
  weCommand,  // the command being run changed: `text` ("" between commands)
  weLog,      // a line of the log, its time stamp included: `text`
  weEnd,      // the copy's queue has ended
  weLost,     // the copy ended without saying so (never written: the runner reports it)
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

enum class TWorkerControlKind { wcStop, wcStopWaiting };
struct WorkerControl {
  TWorkerControlKind kind = TWorkerControlKind::wcStop;
  size_t row = 0;  // Stop waiting: the copy's row it is meant for
};
std::string ControlLine(const WorkerControl& control);
std::optional<WorkerControl> ParseControlLine(std::string_view line);

// Takes the complete lines (ended by LF, a CR before it dropped) off the front of `buffer`;
// an unfinished last line stays there for the next read.
std::vector<std::string> TakeCompleteLines(std::string& buffer);

// Why the rows the copy left unfinished failed.
inline constexpr const char* kWorkerLostMessage = "the administrator's copy of Tallimo ended early";

// The seam that starts the copy. Its events arrive later (never from inside Start) on the
// thread that runs the message loop, in the order the copy wrote them; after weEnd or weLost
// none follows.
class ElevatedRunner {
 public:
  virtual ~ElevatedRunner() = default;
  enum class TElevationResult { erStarted, erRefused, erFailed };
  struct Start {
    TElevationResult result = TElevationResult::erFailed;
    std::string message;  // the system's message when it failed
  };
  using EventCallback = std::function<void(const WorkerEvent&)>;
  // Starts the copy with administrator rights over `handOver`; erRefused when the user
  // declined them.
  virtual Start Run(const HandOver& handOver, EventCallback onEvent) = 0;
  // Forwarded to the copy's queue.
  virtual void Stop() = 0;
  virtual void StopWaiting(size_t row) = 0;
  // No more events are delivered (the copy runs on).
  virtual void Forget() = 0;
};

}  // namespace tallimo
