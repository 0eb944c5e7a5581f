#pragma once
// The registry seam, read only: what telling installed programs apart needs of it.
#include <string>
#include <vector>

namespace tallimo {

enum class TRegistryRoot { rrLocalMachine, rrCurrentUser };

// Which of the two registries of 64-bit Windows is read; rvDefault is the one this program
// sees without asking (the 32-bit one for a 32-bit program).
enum class TRegistryView { rvDefault, rv32, rv64 };

class Registry {
 public:
  virtual ~Registry() = default;
  // True when the key can be opened for reading; a key that cannot be read counts as missing.
  virtual bool KeyExists(TRegistryRoot root, const std::string& path, TRegistryView view) = 0;
  // The names of the key's subkeys; none when it cannot be read.
  virtual std::vector<std::string> SubKeyNames(TRegistryRoot root, const std::string& path,
                                               TRegistryView view) = 0;
  // A text value of the key; empty when it is missing, not text, or cannot be read.
  virtual std::string StringValue(TRegistryRoot root, const std::string& path,
                                  const std::string& name, TRegistryView view) = 0;
  // True for a 32-bit program on 64-bit Windows: two registry views, two Program Files
  // folders, and the system folder redirected.
  virtual bool Wow64() = 0;
  // The machine's registry has a 32-bit and a 64-bit view (64-bit Windows, whichever kind of
  // program asks).
  virtual bool TwoViews() { return Wow64(); }
};

// The system's registry (advapi32).
Registry& HostRegistry();

}  // namespace tallimo
