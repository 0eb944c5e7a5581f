#include "platform/failure_report.h"

#include <exception>
#include <utility>

namespace tallimo {

namespace {
FailureReport g_report = nullptr;
WindowlessReport* g_windowless = nullptr;
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

WindowlessReport::WindowlessReport(std::function<void(const std::string& message)> sink)
    : sink_(std::move(sink)), before_(SetFailureReport(Report)), outer_(g_windowless) {
  g_windowless = this;
}

WindowlessReport::~WindowlessReport() {
  g_windowless = outer_;
  SetFailureReport(before_);
}

void WindowlessReport::Report(const std::string& message) {
  g_windowless->failed_ = true;
  g_windowless->sink_(message);
}

}  // namespace tallimo
