#pragma once
// A shell that launches nothing: it notes each file launched and program run in the log.
#include <string>

#include "fakes/event_log.h"
#include "platform/shell.h"

namespace tallimo::testing {

class FakeShell final : public Shell {
 public:
  explicit FakeShell(EventLog& log) : log_(log) {}
  void LaunchFile(const std::string& file) override { log_.push_back("launch " + file); }
  void RunProgram(const std::string& program, const std::string& parameters,
                  void* ownerWindow) override {
    log_.push_back("run " + program + " " + parameters);
    lastOwner = ownerWindow;
  }
  void* lastOwner = nullptr;

 private:
  EventLog& log_;
};

}  // namespace tallimo::testing
