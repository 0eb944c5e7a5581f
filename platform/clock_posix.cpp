// The clock seam on POSIX hosts: the local time.
#include <time.h>

#include "platform/clock.h"

namespace tallimo {

namespace {

class PosixClock : public Clock {
 public:
  LocalTime Now() override {
    time_t now = ::time(nullptr);
    struct tm t {};
    ::localtime_r(&now, &t);
    LocalTime lt;
    lt.year = t.tm_year + 1900;
    lt.month = t.tm_mon + 1;
    lt.day = t.tm_mday;
    lt.dayOfWeek = t.tm_wday;
    lt.hour = t.tm_hour;
    lt.minute = t.tm_min;
    lt.second = t.tm_sec;
    return lt;
  }
  std::uint32_t TickCount() override {
    struct timespec t {};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(t.tv_sec) * 1000u +
                                      static_cast<std::uint64_t>(t.tv_nsec) / 1000000u);
  }
};

}  // namespace

Clock& HostClock() {
  static PosixClock clock;
  return clock;
}

}  // namespace tallimo
