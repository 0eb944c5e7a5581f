#pragma once
// The catalogue's date and time text, "ddd, d mmm yyyy, h:nn am/pm".
#include <string>

#include "platform/clock.h"
#include "platform/locale.h"

namespace tallimo {

std::string DateTimeText(const LocalTime& time, Locale& locale);

}  // namespace tallimo
