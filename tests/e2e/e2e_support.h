#pragma once
// Helpers of the end-to-end tests, which drive the real Tallimo.exe from another process:
// paths and folders, the program started and ended, its windows found and read, clicks.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/win32/win32_test_files.h"

namespace tallimo::e2e {

// Folders removed, files written: the Win32 tests' helpers.
using wintest::RemoveTree;
using wintest::WriteBytes;

// Paths handed over by the build are Unix paths; Wine maps the root to drive Z:.
std::string WindowsPath(std::string path);
// The demo disc of the source tree, as a Windows path.
std::string DemoDiscFolder();
bool Exists(const std::string& path);
void CopyTree(const std::string& from, const std::string& to);

// The path of Tallimo.exe given on the command line.
const std::string& TallimoExe();
// The main of an end-to-end executable: `<program> <Tallimo.exe> [gtest flags]`.
int RunTests(int argc, char** argv, const char* program);

// Polls `condition` every `pollMilliseconds` until it holds or the time is up.
template <typename Condition>
bool WaitFor(Condition condition, int milliseconds, int pollMilliseconds = 1) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    Sleep(pollMilliseconds);
  }
  return condition();
}

// Windows of another process, read by messages.
std::string ClassOf(HWND hwnd);
std::string TextOf(HWND hwnd);      // in the Windows code page: for plain ASCII and byte checks
std::string Utf8TextOf(HWND hwnd);  // asked for wide, given in UTF-8
std::vector<HWND> Descendants(HWND parent);
// The first descendant of that class (and text, when given), or nullptr.
HWND ChildOfClass(HWND parent, const char* className, const char* text = nullptr);
// The visible top-level windows of a process.
std::vector<HWND> VisibleTopWindows(DWORD pid);

// The rows of a list box. Asked for as wide text: across processes the list answers
// LB_GETTEXT in UTF-16 whichever way it is asked.
int RowCount(HWND list);  // -1 when the list does not answer
std::wstring RowText(HWND list, int row);
// A left click on a row of the list, as the mouse would deliver it (the row scrolled into view
// first, so that it lies under the point clicked).
void ClickRow(HWND list, int row);
// A left click at a client point of a window.
void ClickAt(HWND hwnd, int x, int y);

// A program beside this test executable, by its file name.
std::string BesideThisProgram(const char* fileName);

// Tallimo.exe (or the program `exe`) started with a command line (after the program's path), in
// `directory` when given; ended at the latest when this goes.
class RunningProgram {
 public:
  RunningProgram(const std::string& arguments, const char* directory,
                 const std::string& exe = TallimoExe());
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Started() const { return started_; }
  HANDLE Process() const { return process_.hProcess; }
  DWORD Pid() const { return process_.dwProcessId; }
  std::chrono::steady_clock::time_point StartedAt() const { return startedAt_; }
  bool Ended(int milliseconds) const;
  bool Ended(int milliseconds, DWORD& exitCode) const;

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
  std::chrono::steady_clock::time_point startedAt_;
};

// A key pressed and released, posted to a window of the program.
void PostKey(HWND to, WPARAM key);

}  // namespace tallimo::e2e
