#pragma once
// Telling whether a catalogue's program is installed on this computer, by its Detect key: a
// file or folder path (environment variables expanded), a registry key (HKLM\... or HKCU\...),
// or "uninstall:TEXT" (an entry of the Uninstall keys whose DisplayName starts with TEXT).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace tallimo {

enum class TDetectForm { dfNone, dfPath, dfKey, dfUninstall, dfInvalid };

struct DetectRule {
  TDetectForm form = TDetectForm::dfNone;
  TRegistryRoot root = TRegistryRoot::rrLocalMachine;  // dfKey
  // dfPath: the path as written; dfKey: the key below its root; dfUninstall: the start of the
  // DisplayName; dfInvalid: why the value is none of the forms.
  std::string text;
};

// The rule a Detect value states. Blanks around the value do not count; an empty value is
// dfNone.
DetectRule ParseDetect(std::string_view value);

// `text` with each %NAME% whose variable is set replaced by its value; the others stay.
std::string ExpandVariables(std::string_view text, Environment& environment);

// The device that a path names (NUL, CON, COM1, LPT1 ... as its last part, with or without an
// extension, or anything under \\.\), in upper case; empty for a path that names none. A
// device always "exists", so it never tells that a program is installed.
std::string DeviceName(std::string_view path);

// Equal ignoring the case of ASCII letters.
bool EqualsFolded(std::string_view a, std::string_view b);

// The names between per cent signs in `text`, in order; `unclosed` is set when a per cent sign
// has no partner.
std::vector<std::string> VariableNames(std::string_view text, bool& unclosed);

// Where an expanded path may be found: the path itself, and for a 32-bit program on 64-bit
// Windows the same place in the 64-bit Program Files (%ProgramW6432%, %CommonProgramW6432%)
// or system folder ("Sysnative").
std::vector<std::string> PathCandidates(const std::string& expanded, Environment& environment,
                                        bool wow64);

inline constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

struct DetectSeams {
  FileSystem& files;  // probes that never wait long nor show a box
  Registry& registry;
  Environment& environment;
};

// Answers for many entries in one pass: the Uninstall keys are read once, at the first
// "uninstall:" rule. A key or path that cannot be read counts as not installed.
class Detector {
 public:
  explicit Detector(DetectSeams seams) : seams_(seams) {}
  bool IsInstalled(const DetectRule& rule);
  bool IsInstalled(const std::string& detectValue) { return IsInstalled(ParseDetect(detectValue)); }

 private:
  bool PathExists(const std::string& path);
  bool KeyExists(TRegistryRoot root, const std::string& path);
  const std::vector<std::string>& DisplayNames();
  DetectSeams seams_;
  std::optional<std::vector<std::string>> displayNames_;  // folded
};

// The entries of `programs` that are installed, in catalogue order (entries without a Detect
// key never are).
std::vector<const TTallimoProg*> DetectInstalled(const TProgramList& programs, DetectSeams seams);

}  // namespace tallimo
