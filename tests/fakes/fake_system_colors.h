#pragma once
// A system-colours source for tests: answers from a table and records every lookup.
#include <map>
#include <string>
#include <vector>

#include "platform/system_colors.h"

namespace tallimo::testing {

class FakeSystemColors final : public SystemColors {
 public:
  std::map<std::string, std::string> values;  // value name -> registry text
  std::vector<std::string> lookups;           // value names asked for, in order

  std::string ColorText(const std::string& valueName) override {
    lookups.push_back(valueName);
    const auto found = values.find(valueName);
    return found == values.end() ? std::string() : found->second;
  }
};

}  // namespace tallimo::testing
