// The Windows version from ntdll's RtlGetVersion, which answers the truth to programs without a
// compatibility manifest, and the system's architecture from IsWow64Process2 (Windows 10) or
// GetNativeSystemInfo. Both newer functions are looked up in DLLs every process has loaded.
#include <windows.h>

#include "platform/system_info.h"

namespace tallimo {

namespace {

template <typename Function>
Function Lookup(const wchar_t* module, const char* name) {
  HMODULE loaded = GetModuleHandleW(module);
  return loaded ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name)))
                : nullptr;
}

TArch ArchOfMachine(USHORT machine) {
  switch (machine) {
    case 0x8664:  // IMAGE_FILE_MACHINE_AMD64
      return TArch::arX64;
    case 0xAA64:  // IMAGE_FILE_MACHINE_ARM64
      return TArch::arArm64;
    default:
      return TArch::arX86;
  }
}

}  // namespace

SystemInfo HostSystemInfo() {
  SystemInfo info;
  OSVERSIONINFOW version;
  ZeroMemory(&version, sizeof version);
  version.dwOSVersionInfoSize = sizeof version;
  using GetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  if (auto getVersion = Lookup<GetVersionFunction>(L"ntdll.dll", "RtlGetVersion");
      getVersion && getVersion(&version) == 0) {
    info.major = version.dwMajorVersion;
    info.minor = version.dwMinorVersion;
    info.build = version.dwBuildNumber;
  }
  using Wow64Function = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
  USHORT process = 0, native = 0;
  if (auto isWow64 = Lookup<Wow64Function>(L"kernel32.dll", "IsWow64Process2");
      isWow64 && isWow64(GetCurrentProcess(), &process, &native)) {
    info.arch = ArchOfMachine(native);
    return info;
  }
  SYSTEM_INFO system;
  GetNativeSystemInfo(&system);
  switch (system.wProcessorArchitecture) {
    case PROCESSOR_ARCHITECTURE_AMD64:
      info.arch = TArch::arX64;
      break;
    case 12:  // PROCESSOR_ARCHITECTURE_ARM64
      info.arch = TArch::arArm64;
      break;
    default:
      info.arch = TArch::arX86;
  }
  return info;
}

}  // namespace tallimo
