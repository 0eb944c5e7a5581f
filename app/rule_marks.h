#pragma once
// The marks under the catalogue's rules: a program comes with what it requires (less what is
// installed), pushes out what it cannot be installed together with, and cannot be marked where
// it is not for this computer; unmarking a requirement unmarks what needs it.
#include <vector>

#include "app/program_list.h"
#include "install/program_rules.h"

namespace tallimo {

class RuleMarks {
 public:
  RuleMarks(ProgramMarks& marks, const ProgramRules& rules, const ProgramMarks& installed)
      : marks_(marks), rules_(rules), installed_(installed) {}

  bool IsMarked(const TTallimoProg* entry) const { return marks_.IsMarked(entry); }
  bool IsInstalled(const TTallimoProg* entry) const { return installed_.IsMarked(entry); }
  // Whether it can be marked here at all.
  bool Markable(const TTallimoProg* entry) const;
  // Marks or unmarks one program with what the rules bring; false (nothing changes) when it
  // cannot be marked.
  bool Toggle(const TTallimoProg* entry);
  void Mark(const TTallimoProg* entry);
  void Unmark(const TTallimoProg* entry);
  // Mark All, a category, the defaults or a preset: `entries` as one selection, which keeps of
  // two that exclude each other the first in catalogue order, and leaves out what is not for
  // this computer.
  void MarkAll(const std::vector<const TTallimoProg*>& entries);
  void Clear() { marks_.Clear(); }

 private:
  void Apply(const MarkChange& change);
  ProgramMarks& marks_;
  const ProgramRules& rules_;
  const ProgramMarks& installed_;
};

}  // namespace tallimo
