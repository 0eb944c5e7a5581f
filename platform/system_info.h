#pragma once
// What the computer is: the Windows version and the system's architecture, read once.
#include <cstdint>

namespace tallimo {

enum class TArch { arX86, arX64, arArm64 };

// The version Windows reports without compatibility shims, and the system's architecture (not
// the process's: a 32-bit program on 64-bit Windows sees x64).
struct SystemInfo {
  uint32_t major = 0, minor = 0, build = 0;
  TArch arch = TArch::arX86;
};

// The system's own answer (Windows only).
SystemInfo HostSystemInfo();

}  // namespace tallimo
