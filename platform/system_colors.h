#pragma once
// The system-colours seam: the user's colour settings, read only, from the registry key
// "Control Panel\Colors" under HKEY_CURRENT_USER.
#include <string>

namespace tallimo {

class SystemColors {
 public:
  virtual ~SystemColors() = default;
  // The text of the string value valueName ("ButtonFace" -> "212 208 200"); empty when the
  // key or the value is absent. The key is never created and nothing is ever written.
  virtual std::string ColorText(const std::string& valueName) = 0;
};

// The registry on Windows; natively there is no such source and every text is empty.
SystemColors& HostSystemColors();

}  // namespace tallimo
