#pragma once
// A restart that only counts: tests never restart anything.
#include <string>

#include "platform/restart.h"

namespace tallimo::testing {

class FakeRestarter final : public Restarter {
 public:
  int restarts = 0;
  bool RestartWindows(std::string&) override {
    ++restarts;
    return true;
  }
};

}  // namespace tallimo::testing
