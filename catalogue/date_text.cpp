#include "catalogue/date_text.h"

namespace tallimo {

std::string DateTimeText(const LocalTime& time, Locale& locale) {
  int hour12 = time.hour % 12;
  if (hour12 == 0) hour12 = 12;
  std::string year = std::to_string(time.year);
  if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
  std::string minutes = std::to_string(time.minute);
  if (minutes.size() < 2) minutes.insert(0, 1, '0');

  std::string text = locale.ShortDayName(time.dayOfWeek);
  text += ", " + std::to_string(time.day) + " " + locale.ShortMonthName(time.month) + " " + year;
  text += ", " + std::to_string(hour12) + locale.TimeSeparator() + minutes;
  text += time.hour < 12 ? " am" : " pm";
  return text;
}

}  // namespace tallimo
