#pragma once
// The elevated copy on Windows: the parent's runner and the copy's own work.
#include <memory>
#include <string>

#include "install/elevated_queue.h"

namespace tallimo {

// Writes the hand-over to TEMP, starts `program` once through the shell with `verb` ("runas":
// the prompt for administrator rights; "" starts it as it is) and `option` followed by the
// hand-over's path, and polls the copy's events file from the message loop.
std::unique_ptr<ElevatedRunner> MakeShellElevatedRunner(std::string program, std::string verb,
                                                        std::string option);

// The copy's side: runs the queue handed over in `handOverPath` with the system's seams, writes
// its events beside it and follows the control lines; shows no window. Returns when the queue
// has ended (0), or at once when the hand-over cannot be read (2).
int RunQueueWorker(const std::string& handOverPath);

}  // namespace tallimo
