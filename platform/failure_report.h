#pragma once
// Where a failure goes that reaches a window procedure or a callback of platform/, which cannot
// show a window itself: the application's error report (ui's Application sets it), or, in a
// windowless run, its log and its exit code (that run sets its own). No exception is swallowed.
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

}  // namespace tallimo
