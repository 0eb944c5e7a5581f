#pragma once
// Installer databases in memory: the Property table of each package by its path.
#include <map>
#include <string>

#include "platform/installer_database.h"

namespace tallimo::testing {

class FakeInstallerDatabase : public InstallerDatabase {
 public:
  std::map<std::string, std::map<std::string, std::string>> packages;  // path -> properties
  bool ReadProperties(const std::string& path, std::map<std::string, std::string>& props,
                      std::string& why) override {
    auto it = packages.find(path);
    if (it == packages.end()) return why = "no Property table", false;
    props = it->second;
    return true;
  }
};

}  // namespace tallimo::testing
