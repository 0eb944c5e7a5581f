#pragma once
// The failure that a command does not handle itself: it ends the command and reaches the
// application-wide error report with its message.
#include <stdexcept>
#include <string>

namespace tallimo {

class TallimoError : public std::runtime_error {
 public:
  explicit TallimoError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tallimo
