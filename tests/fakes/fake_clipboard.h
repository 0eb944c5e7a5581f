#pragma once
// A clipboard for tests: keeps what was put on it, or fails as a busy clipboard does.
#include <optional>
#include <string>

#include "platform/clipboard.h"
#include "platform/error.h"

namespace tallimo::testing {

class FakeClipboard : public Clipboard {
 public:
  std::optional<std::string> text;  // nothing until something is put on it
  bool busy = false;
  void SetText(const std::string& t) override {
    if (busy) throw TallimoError("Cannot open the clipboard");
    text = t;
  }
};

}  // namespace tallimo::testing
