// Lines for the console: every line break made CR LF, so that no line overwrites another.
#include <gtest/gtest.h>

#include "platform/console.h"

namespace tallimo {
namespace {

TEST(ConsoleLine, EveryLineBreakBecomesCrLf) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "\r\n"},
      {"one", "one\r\n"},
      {"usage\r\rfirst\rsecond", "usage\r\n\r\nfirst\r\nsecond\r\n"},  // the usage text's CRs
      {"a\nb", "a\r\nb\r\n"},
      {"a\r\nb", "a\r\nb\r\n"},
      {"a\n\rb", "a\r\n\r\nb\r\n"},
      {"end\r", "end\r\n\r\n"},
  };
  for (const auto& [line, written] : cases) EXPECT_EQ(ConsoleLine(line), written) << line;
}

}  // namespace
}  // namespace tallimo
