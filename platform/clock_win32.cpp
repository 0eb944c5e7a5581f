// The clock seam on Windows: local time.
#include <windows.h>

#include "platform/clock.h"

namespace tallimo {
namespace {

class Win32Clock final : public Clock {
 public:
  LocalTime Now() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    LocalTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.dayOfWeek = now.wDayOfWeek;  // 0 = Sunday, as ours
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    return time;
  }
  std::uint32_t TickCount() override { return GetTickCount(); }
};

}  // namespace

Clock& HostClock() {
  static Win32Clock clock;
  return clock;
}

}  // namespace tallimo
