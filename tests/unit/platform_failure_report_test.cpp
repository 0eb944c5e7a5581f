// A windowless run's report: what reaches ReportCurrentException goes to the innermost run's
// sink and fails it, and the report set before comes back when the run ends.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/failure_report.h"

namespace tallimo {
namespace {

std::vector<std::string> g_shown;

void Fail(const char* what) {
  try {
    throw std::runtime_error(what);
  } catch (...) {
    ReportCurrentException();
  }
}

TEST(WindowlessReport, FailuresGoToTheInnermostRunAndTheReportBeforeComesBack) {
  const FailureReport before =
      SetFailureReport([](const std::string& message) { g_shown.push_back(message); });
  std::vector<std::string> outer, inner;
  {
    WindowlessReport run([&](const std::string& m) { outer.push_back(m); });
    {
      WindowlessReport nested([&](const std::string& m) { inner.push_back(m); });
      Fail("in the nested run");
      EXPECT_TRUE(nested.Failed());
      EXPECT_FALSE(run.Failed());
    }
    Fail("in the run");
    EXPECT_TRUE(run.Failed());
  }
  Fail("in the window");
  SetFailureReport(before);
  EXPECT_EQ(inner, std::vector<std::string>{"in the nested run"});
  EXPECT_EQ(outer, std::vector<std::string>{"in the run"});
  EXPECT_EQ(g_shown, std::vector<std::string>{"in the window"});
}

}  // namespace
}  // namespace tallimo
