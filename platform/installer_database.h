#pragma once
// An installer database (a .msi file) read without running it: the values of its Property
// table. On Windows through the system's installer functions (msi.dll from the system folder),
// natively through libmsi.
#include <map>
#include <string>

namespace tallimo {

class InstallerDatabase {
 public:
  virtual ~InstallerDatabase() = default;
  // Every row of the Property table (name -> value, UTF-8). False when the file is no
  // installer database or cannot be read, with the reason in `why`.
  virtual bool ReadProperties(const std::string& path, std::map<std::string, std::string>& props,
                              std::string& why) = 0;
};

InstallerDatabase& HostInstallerDatabase();

}  // namespace tallimo
