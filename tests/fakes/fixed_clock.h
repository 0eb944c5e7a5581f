#pragma once
// A clock that always gives the same time, which a test may change.
#include "platform/clock.h"

namespace tallimo::testing {

class FixedClock : public Clock {
 public:
  LocalTime time{2026, 12, 7, 1, 15, 6, 0};  // Mon, 7 Dec 2026, 3:06 pm
  std::uint32_t ticks = 0;                   // TickCount, which a test moves on
  LocalTime Now() override { return time; }
  std::uint32_t TickCount() override { return ticks; }
};

}  // namespace tallimo::testing
