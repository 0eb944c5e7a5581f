#pragma once
// The shell seam: handing a file or a program to the shell's execute operation.
#include <string>

namespace tallimo {

class Shell {
 public:
  virtual ~Shell() = default;
  // Starts `file` with its default action, once, whole and unchanged (no directory, no
  // parameters). Returns as soon as the shell call returns: nothing waits for the started
  // process and its result is not examined; the shell shows its own errors.
  virtual void LaunchFile(const std::string& file) = 0;
  // Starts `program` with `parameters` as they stand (not quoted), shown normally, with no verb
  // and no directory, on behalf of `ownerWindow` (an HWND on Windows). Returns at once; the
  // result is not examined and nothing waits for the program.
  virtual void RunProgram(const std::string& program, const std::string& parameters,
                          void* ownerWindow) = 0;
};

// ShellExecuteExW on Windows.
Shell& HostShell();

}  // namespace tallimo
