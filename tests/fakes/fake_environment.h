#pragma once
// Environment variables from a table; an unset variable reads as empty.
#include <map>
#include <string>

#include "platform/environment.h"

namespace tallimo::testing {

class FakeEnvironment final : public Environment {
 public:
  std::map<std::string, std::string> values;
  std::string GetEnvVar(const std::string& name) override {
    auto it = values.find(name);
    return it == values.end() ? std::string() : it->second;
  }
};

}  // namespace tallimo::testing
