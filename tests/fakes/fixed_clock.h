#pragma once
// A clock that always gives the same time, which a test may change.
#include "platform/clock.h"

namespace tallimo::testing {

class FixedClock : public Clock {
 public:
  LocalTime time{2026, 12, 7, 1, 15, 6, 0};  // Mon, 7 Dec 2026, 3:06 pm
  LocalTime Now() override { return time; }
};

}  // namespace tallimo::testing
