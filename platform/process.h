#pragma once
// The process seam: starting a program (or opening a document through the shell) and waiting
// for it and for every process it starts, without blocking the caller. The end is reported
// later, through the callback given at the start, on the thread that runs the message loop.
#include <cstdint>
#include <functional>
#include <string>

namespace tallimo {

struct ProcessRequest {
  std::string program;     // a program file, or with `document` a file the shell opens
  std::string parameters;  // as they stand (not quoted again)
  std::string directory;   // the working directory; empty: the caller's current one
  bool document = false;   // opened through the shell's default action
  bool hideConsole = false;
};

// What the waiting covers.
enum class TWaitScope {
  wsJob,      // the process and every process it starts (a job held them all)
  wsProcess,  // the process alone: no job could be had, its children are not waited for
  wsNone,     // the shell handed the document to a program already running: nothing to wait for
};

struct ProcessStart {
  bool started = false;
  TWaitScope scope = TWaitScope::wsJob;
  uint32_t error = 0;              // the system's error code when not started
  bool elevationRequired = false;  // the program asks for administrator rights
  std::string message;             // the system's message for `error`
};

struct ProcessEnd {
  uint32_t exitCode = 0;
  uint32_t milliseconds = 0;  // from the start to the end of the last process waited for
};

class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  using EndCallback = std::function<void(const ProcessEnd&)>;
  // Starts the request and returns at once. When it started, `onEnd` is called once, later and
  // never from inside Start, when the last process waited for has ended (at once for wsNone).
  // One request at a time: Start is not called again before the end or StopWaiting.
  virtual ProcessStart Start(const ProcessRequest& request, EndCallback onEnd) = 0;
  // Gives up waiting for the running request without touching its processes; its callback is
  // then never called.
  virtual void StopWaiting() = 0;
};

// The system's runner: a job object per request, waited for by a thread of its own that posts
// the end to a window of the calling thread.
ProcessRunner& HostProcessRunner();

// The system's text for an error code, without its final full stop.
std::string SystemErrorMessage(uint32_t error);
// The same with its inserts (%1 ...) filled with `insert`, such as the program's path.
std::string SystemErrorMessage(uint32_t error, const std::string& insert);

}  // namespace tallimo
