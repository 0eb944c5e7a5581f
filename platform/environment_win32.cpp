// The environment seam on Windows.
#include <windows.h>

#include "platform/environment.h"

namespace tallimo {
namespace {

class Win32Environment final : public Environment {
 public:
  std::string GetEnvVar(const std::string& name) override {
    // Ask for the size first, then read; the value may grow in between, so repeat until it
    // fits.
    std::string value;
    DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    while (size > 0) {
      value.resize(size);
      DWORD got = GetEnvironmentVariableA(name.c_str(), value.data(), size);
      if (got == 0) return std::string();
      if (got < size) {
        value.resize(got);
        return value;
      }
      size = got;  // too small: `got` is the size needed, terminating zero included
    }
    return std::string();
  }
};

}  // namespace

Environment& HostEnvironment() {
  static Win32Environment environment;
  return environment;
}

}  // namespace tallimo
