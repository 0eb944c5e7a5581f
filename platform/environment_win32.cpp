// The environment seam on Windows.
#include <windows.h>

#include "platform/environment.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

class Win32Environment final : public Environment {
 public:
  std::string GetEnvVar(const std::string& name) override {
    // Ask for the size first, then read; the value may grow in between, so repeat until it
    // fits.
    const std::wstring wideName = Widen(name);
    std::wstring value;
    DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    while (size > 0) {
      value.resize(size);
      DWORD got = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
      if (got == 0) return std::string();
      if (got < size) return Narrow(value.data(), static_cast<int>(got));
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
