#pragma once
// The local clock, and a millisecond count for timing what the user types.
#include <cstdint>

namespace tallimo {

struct LocalTime {
  int year = 0;
  int month = 1;      // 1 .. 12
  int day = 1;        // 1 .. 31
  int dayOfWeek = 0;  // 0 = Sunday .. 6 = Saturday
  int hour = 0;       // 0 .. 23
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  // Milliseconds since some fixed moment; wraps round (compare differences, unsigned).
  virtual std::uint32_t TickCount() = 0;
};

Clock& HostClock();

}  // namespace tallimo
