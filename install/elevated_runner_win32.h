#pragma once
// The elevated copy on Windows: the menu's runner and the copy's own work.
#include <memory>
#include <string>

#include "install/elevated_queue.h"
#include "install/random_source.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/hash.h"
#include "platform/locale.h"
#include "platform/process.h"
#include "platform/restart.h"

namespace tallimo {

// Seals the hand-over (the catalogue read and hashed through `files` and `hasher`), starts
// `program` once through the shell with `verb` ("runas": the prompt for administrator rights;
// "" starts it as it is) and ElevatedQueueParameters, and polls the copy's events file from the
// message loop.
std::unique_ptr<ElevatedRunner> MakeShellElevatedRunner(std::string program, std::string verb,
                                                        FileSystem& files, Hasher& hasher,
                                                        Locale& locale);

// The copy's side: runs the programs of `arguments` over `seams`, writes its events
// to a new file in the folder that only administrators write, and follows the control lines;
// shows no window. Runs nothing, and says why in its events, when the catalogue's digest differs
// or an argument is bad. Returns 0 when the queue has ended, 1 when it ran nothing or a
// failure no caller caught ended it, 2 when its events file could not be created new.
struct ElevatedCopySeams {
  ProcessRunner& processes;
  FileSystem& files;
  Environment& environment;
  RandomSource& random;
  Clock& clock;
  Locale& locale;
  Hasher& hasher;
  Restarter& restarter;
  ResumeStore* resume = nullptr;  // the queue's record; none: it does not survive restarts
};
int RunElevatedQueue(const ElevatedArguments& arguments, ElevatedCopySeams seams);

}  // namespace tallimo
