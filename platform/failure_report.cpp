#include "platform/failure_report.h"

#include <exception>

namespace tallimo {

namespace {
FailureReport g_report = nullptr;
}  // namespace

FailureReport SetFailureReport(FailureReport report) {
  const FailureReport before = g_report;
  g_report = report;
  return before;
}

FailureReport CurrentFailureReport() {
  return g_report;
}

void ReportCurrentException() {
  std::string message;
  try {
    throw;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "Unknown error";
  }
  if (!g_report) std::terminate();
  g_report(message);
}

}  // namespace tallimo
