#pragma once
// The failure that a command does not handle itself: it ends the command and reaches the
// application-wide error report with its message. Derived from std::exception alone, so that
// the program carries none of the standard library's own error classes and their strings.
#include <exception>
#include <string>
#include <utility>

namespace tallimo {

class TallimoError : public std::exception {
 public:
  explicit TallimoError(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

}  // namespace tallimo
