#pragma once
// The restart seam: restarting Windows when installed programs need it.
#include <string>

namespace tallimo {

class Restarter {
 public:
  virtual ~Restarter() = default;
  // Asks Windows to restart (a planned restart for an installation). False, with the system's
  // message, when it refused.
  virtual bool RestartWindows(std::string& message) = 0;
};

// Takes the shutdown privilege and calls ExitWindowsEx.
Restarter& HostRestarter();

}  // namespace tallimo
