#pragma once
// Lines for the console that Tallimo was started from.
#include <memory>
#include <string>

namespace tallimo {

class ConsoleOutput {
 public:
  virtual ~ConsoleOutput() = default;
  virtual void WriteLine(const std::string& line) = 0;
};

// The standard output handle when one was inherited (a redirection or a pipe), else the parent
// process's console; lines go nowhere when there is neither.
std::unique_ptr<ConsoleOutput> ParentConsole();

}  // namespace tallimo
