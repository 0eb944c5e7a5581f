#pragma once
// Where a failure goes that reaches a window procedure or a callback of platform/, which cannot
// show a window itself: the application's error report (ui's Application sets it), or, in a
// windowless run, its log and its exit code (that run sets its own). No exception is swallowed.
#include <functional>
#include <string>

namespace tallimo {

using FailureReport = void (*)(const std::string& message);

// Sets where failures go from now on; returns the one set before (nullptr: none).
FailureReport SetFailureReport(FailureReport report);
FailureReport CurrentFailureReport();

// In a catch block: the exception in flight, with its message ("Unknown error" for one that is
// no std::exception), handed to the report. With none set it ends the program, as an exception
// that left a window procedure would.
void ReportCurrentException();

// A windowless run's report while it lives (it has no one to show a box to): each failure goes
// to `sink` (its log and console), and Failed() says that one came, so that the run ends with
// a failing exit code. The report set before comes back afterwards.
class WindowlessReport {
 public:
  explicit WindowlessReport(std::function<void(const std::string& message)> sink);
  ~WindowlessReport();
  WindowlessReport(const WindowlessReport&) = delete;
  WindowlessReport& operator=(const WindowlessReport&) = delete;
  bool Failed() const { return failed_; }

 private:
  static void Report(const std::string& message);

  std::function<void(const std::string& message)> sink_;
  bool failed_ = false;
  FailureReport before_ = nullptr;
  WindowlessReport* outer_ = nullptr;
};

}  // namespace tallimo
