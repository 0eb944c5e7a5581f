#pragma once
// The local clock.

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
};

Clock& HostClock();

}  // namespace tallimo
