#pragma once
// Identifying an installer from its file, without running it: its type by the evidence that
// tells it (a package's database, a signature, a section, the version resource), its name, version
// and company, and the catalogue entry that installs it silently and tells whether it is installed.
// A file is read within bounds: at most its first 64 MB, plus the version resource wherever it
// lies.
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "platform/disc_files.h"
#include "platform/installer_database.h"

namespace tallimo {

enum class TInstallerType {
  itMsi,                  // a Windows Installer package
  itNsis,                 // NSIS
  itInno,                 // Inno Setup
  itInstallShieldMsi,     // InstallShield with an installer database inside
  itInstallShieldScript,  // InstallShield without one (silent only with an answer file)
  itBurn,                 // a WiX bundle
  itMsu,                  // a Windows update package
  itOther,                // any other program: no silent switch is known
};

inline constexpr uint64_t kIdentifyReadLimit = 64ull << 20;
inline constexpr size_t kInstallerTextLimit = 200;  // characters of a name, version or company

struct InstallerInfo {
  TInstallerType type = TInstallerType::itOther;
  std::string name;           // never empty: the file's name without its extension at worst
  bool nameFromFile = false;  // no name in the installer itself
  std::string version;
  std::string company;
  std::string productCode;  // a package's ProductCode, only when it is a well-formed {GUID}
};

struct Identification {
  bool identified = false;
  std::string leftOutWhy;  // when not identified: "not a Windows program", ...
  InstallerInfo info;
};

// "Windows Installer package", "NSIS", ..., "unknown setup".
const char* InstallerTypeName(TInstallerType type);

// The file at `path` (named `fileName`), read through `file`; a package's properties through
// `database`.
Identification IdentifyInstaller(const std::string& path, std::string_view fileName,
                                 ByteSource& file, InstallerDatabase& database);

// Text from an installer as the catalogue takes it: control characters dropped, blanks at
// either end removed, at most kInstallerTextLimit characters.
std::string CleanInstallerText(std::string_view text);

// The entry for an identified installer whose file `commandPath` names (from the disc's root,
// "\DIR\SETUP.EXE", or a full path).
TTallimoProg InstallerEntry(const InstallerInfo& info, const std::string& commandPath);

}  // namespace tallimo
