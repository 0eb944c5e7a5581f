#pragma once
// A process runner for tests: records every request, answers Start from a script (started, or
// a failure with its message), and ends the running request when the test says so.
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/process.h"

namespace tallimo::testing {

class FakeProcessRunner : public ProcessRunner {
 public:
  // Answers for the next Starts, in order; without one the request starts in a job.
  std::deque<ProcessStart> starts;
  std::vector<ProcessRequest> requests;
  int stopWaitingCalls = 0;

  // A scripted failure to start, with the system's message.
  static ProcessStart CannotStart(const std::string& message, uint32_t error = 2) {
    ProcessStart start;
    start.started = false;
    start.error = error;
    start.message = message;
    return start;
  }

  ProcessStart Start(const ProcessRequest& request, EndCallback onEnd) override {
    if (onEnd_) throw std::logic_error("Start while a request is waited for");
    requests.push_back(request);
    ProcessStart start;
    start.started = true;
    if (!starts.empty()) {
      start = starts.front();
      starts.pop_front();
    }
    if (start.started) onEnd_ = std::move(onEnd);
    return start;
  }

  void StopWaiting() override {
    ++stopWaitingCalls;
    onEnd_ = nullptr;
  }

  bool Waiting() const { return static_cast<bool>(onEnd_); }

  // Ends the running request with `code`, as the system's runner reports it.
  void End(uint32_t code, uint32_t milliseconds = 0) {
    if (!onEnd_) throw std::logic_error("End with no request running");
    EndCallback callback = std::move(onEnd_);
    onEnd_ = nullptr;
    callback(ProcessEnd{code, milliseconds});
  }

  // "program parameters" of each request, "doc " in front of a document.
  std::vector<std::string> Commands() const {
    std::vector<std::string> commands;
    for (const ProcessRequest& r : requests)
      commands.push_back((r.document ? "doc " : "") + r.program +
                         (r.parameters.empty() ? "" : " " + r.parameters));
    return commands;
  }

 private:
  EndCallback onEnd_;
};

}  // namespace tallimo::testing
