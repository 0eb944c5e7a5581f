// Stands in for Tallimo.exe started as the elevated copy of an install queue (the test program
// cannot be built as the shipped one): the same option read the same way, the same work.
#include <windows.h>

#include "app/command_line.h"
#include "install/elevated_runner_win32.h"
#include "platform/wide.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::optional<tallimo::ElevatedArguments> arguments = tallimo::ParseElevatedQueue(
      tallimo::CommandLineArguments(tallimo::Narrow(GetCommandLineW())));
  if (!arguments) return 99;
  tallimo::TimeSeededRandom names;
  return tallimo::RunElevatedQueue(
      *arguments,
      {tallimo::HostProcessRunner(), tallimo::HostFileSystem(), tallimo::HostEnvironment(), names,
       tallimo::HostClock(), tallimo::HostLocale(), tallimo::HostHasher(),
       tallimo::HostRestarter()});
}
