#pragma once
// The environment seam: reading environment variables (the install runner reads "TEMP").
#include <string>

namespace tallimo {

class Environment {
 public:
  virtual ~Environment() = default;
  // The variable's value, of any length; the empty string when it is unset or empty.
  virtual std::string GetEnvVar(const std::string& name) = 0;
};

// The process environment (GetEnvironmentVariableW on Windows).
Environment& HostEnvironment();

}  // namespace tallimo
