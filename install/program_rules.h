#pragma once
// The rules between a catalogue's programs and for the computer: what a program needs installed
// first (Requires), what it cannot be installed together with (Excludes, which holds both ways),
// and which Windows it is for (Windows, Arch). Detection says whether a program is installed;
// these say whether it may be, and in what order.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/system_info.h"

namespace tallimo {

// The Windows versions a Windows value names, by their place in XP, Vista, 7, 8, 8.1, 10, 11.
struct WindowsRange {
  int first = 0;
  int last = -1;  // -1: that version or later
};
// "7" (that version or later) or "XP-8.1"; nullopt when the value does not read.
std::optional<WindowsRange> ParseWindowsRange(std::string_view value);
// The computer's place in that order (11 is 10 with build 22000 or later); -1 before XP.
int WindowsVersionIndex(const SystemInfo& system);
// "x86;x64"; nullopt when a name does not read or none is given.
std::optional<std::vector<TArch>> ParseArchList(std::string_view value);

// The rules of one catalogue, over its entries by their index in catalogue order. Names are
// matched as the list matches them: ignoring case, of equal names the first entry.
class ProgramRules {
 public:
  ProgramRules() = default;
  ProgramRules(const TProgramList& list, const SystemInfo& system);

  size_t Size() const { return programs_.size(); }
  // The entry's index; Size() for one that is not in the list.
  size_t IndexOf(const TTallimoProg* entry) const;
  const TTallimoProg& Entry(size_t i) const { return *programs_[i].entry; }

  // Its requirements as they are named (those naming no program left out).
  const std::vector<size_t>& Prerequisites(size_t i) const { return programs_[i].prerequisites; }
  // The programs it excludes and those that exclude it, in catalogue order.
  const std::vector<size_t>& Exclusions(size_t i) const { return programs_[i].exclusions; }
  bool Excluded(size_t a, size_t b) const;

  // False when its Windows or Arch do not hold here, or a requirement's rules do not.
  bool Applicable(size_t i) const { return programs_[i].needs.empty(); }
  // What it needs that this computer lacks: "Windows 7 or later", "x64 or arm64 Windows",
  // both joined by " and ", or "<Name>, which is not for this computer"; empty when it holds.
  const std::string& Needs(size_t i) const { return programs_[i].needs; }

  // Every requirement, and theirs, in the order they install; `skip` leaves one out (an
  // installed one) together with what only it brings.
  std::vector<size_t> AllRequirements(size_t i,
                                      const std::function<bool(size_t)>& skip = nullptr) const;
  // The programs in install order: catalogue order, but a requirement just before the first
  // program that needs it (its own requirements before it). Programs that require each other
  // in a cycle keep catalogue order among themselves.
  std::vector<size_t> InstallOrder(std::vector<size_t> programs) const;

  // The Information pane's lines, each empty when it does not apply.
  std::string NotForThisComputerLine(size_t i) const;  // "Not for this computer: it needs ..."
  std::string InstallsFirstLine(size_t i) const;       // "Installs first: A, B."
  std::string ExclusionsLine(size_t i) const;          // "Cannot be installed together with: A, B."

  // The programs of every cycle of requirements, each cycle in catalogue order.
  std::vector<std::vector<size_t>> Cycles() const;

 private:
  struct Program {
    const TTallimoProg* entry = nullptr;
    std::vector<size_t> prerequisites;
    std::vector<size_t> exclusions;
    std::string needs;
    size_t component = 0;  // programs of one cycle share it
  };
  void FindComponents();
  std::string NamesOf(const std::vector<size_t>& indices) const;
  std::vector<Program> programs_;
  std::vector<std::vector<size_t>> members_;  // each cycle's programs, in catalogue order
  std::unordered_map<const TTallimoProg*, size_t> indexOf_;
};

// What marking or unmarking a program changes: the programs it brings and those it drops.
struct MarkChange {
  std::vector<size_t> marked;
  std::vector<size_t> unmarked;
  bool refused = false;  // not for this computer: nothing changes
};
// Marking `i`: it and its requirements (not those `installed`), less what they exclude, which
// is unmarked together with the marked programs that need it.
MarkChange MarkProgram(const ProgramRules& rules, size_t i,
                       const std::function<bool(size_t)>& isMarked,
                       const std::function<bool(size_t)>& installed);
// Unmarking `i`: it and every marked program that needs it.
MarkChange UnmarkProgram(const ProgramRules& rules, size_t i,
                         const std::function<bool(size_t)>& isMarked);
// Mark All, a category or a preset: of `programs` those for this computer with their
// requirements (not those `installed`); of two that exclude each other, the first in catalogue
// order. Ascending indices.
std::vector<size_t> SelectPrograms(const ProgramRules& rules, std::vector<size_t> programs,
                                   const std::function<bool(size_t)>& installed);

}  // namespace tallimo
