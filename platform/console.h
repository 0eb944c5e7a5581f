#pragma once
// Lines for the console that Tallimo was started from.
#include <memory>
#include <string>

namespace tallimo {

// `line` as the console gets it: every line break in it (CR, LF or CR LF) made CR LF, and CR LF
// at its end, so that no line overwrites the one before.
std::string ConsoleLine(const std::string& line);

class ConsoleOutput {
 public:
  virtual ~ConsoleOutput() = default;
  virtual void WriteLine(const std::string& line) = 0;
};

// The standard output handle when one was inherited (a redirection or a pipe), else the parent
// process's console; lines go nowhere when there is neither.
std::unique_ptr<ConsoleOutput> ParentConsole();

}  // namespace tallimo
