#pragma once
// The shell seam: handing a file to the shell's execute operation.
#include <string>

namespace tallimo {

class Shell {
 public:
  virtual ~Shell() = default;
  // Starts `file` with its default action, once, whole and unchanged (no directory, no
  // parameters). Returns as soon as the shell call returns: nothing waits for the started
  // process and its result is not examined; the shell shows its own errors.
  virtual void LaunchFile(const std::string& file) = 0;
};

// ShellExecuteExA on Windows.
Shell& HostShell();

}  // namespace tallimo
