#pragma once
// An elevated runner for tests: answers Run from a script, keeps what was handed over, records
// what was forwarded, and delivers the copy's events when the test says so.
#include <stdexcept>
#include <string>
#include <vector>

#include "install/elevated_queue.h"

namespace tallimo::testing {

class FakeElevatedRunner : public ElevatedRunner {
 public:
  TElevationResult answer = TElevationResult::erStarted;
  std::string failure = "The operation was canceled by the user";
  std::vector<HandOver> handOvers;
  std::vector<std::string> forwarded;  // "stop", "stop-waiting N", "forget"

  Start Run(HandOver handOver, EventCallback onEvent) override {
    handOvers.push_back(std::move(handOver));
    if (answer == TElevationResult::erStarted) onEvent_ = std::move(onEvent);
    const bool failed =
        answer == TElevationResult::erFailed || answer == TElevationResult::erRejected;
    return {answer, failed ? failure : std::string()};
  }
  void Stop() override { forwarded.push_back("stop"); }
  void StopWaiting(size_t row) override {
    forwarded.push_back("stop-waiting " + std::to_string(row));
  }
  void Forget() override {
    forwarded.push_back("forget");
    onEvent_ = nullptr;
  }

  // Delivers the copy's event, as written in its events file.
  void Event(const std::string& line) {
    if (!onEvent_) throw std::logic_error("no copy running");
    std::optional<WorkerEvent> event = ParseEventLine(line);
    if (!event) throw std::logic_error("not an event: " + line);
    EventCallback callback = onEvent_;
    if (event->kind == TWorkerEventKind::weEnd || event->kind == TWorkerEventKind::weRefused)
      onEvent_ = nullptr;
    callback(*event);
  }
  void Lost() {
    EventCallback callback = std::move(onEvent_);
    onEvent_ = nullptr;
    WorkerEvent lost;
    lost.kind = TWorkerEventKind::weLost;
    callback(lost);
  }

 private:
  EventCallback onEvent_;
};

}  // namespace tallimo::testing
