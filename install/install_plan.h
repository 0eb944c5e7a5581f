#pragma once
// The planner: the one place that turns a selection into the rows of an install queue. Every
// front end (the main window's marks, the single Install, the unattended run, the elevated
// copy) picks entries and gives its options; the planner leaves out what has no install lines,
// checks the batch files' lines against the command prompt's code page, asks about or skips
// what detection found installed, and replaces the drive token, asking for the drive once.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "install/drive_token.h"
#include "install/queue_rows.h"
#include "install/program_rules.h"
#include "platform/text_codec.h"

namespace tallimo {

// What becomes of the picked programs that detection found installed.
enum class TInstalledRule {
  irRun,   // installed again (the elevated copy, /reinstall, a Yes to the question)
  irAsk,   // one question for all of them; No skips them
  irSkip,  // skipped, "skipped (already installed)"
};

struct PlanOptions {
  TInstalledRule installed = TInstalledRule::irRun;
  // The command prompt's code page: a batch program with a line it cannot read refuses the
  // whole plan (nothing runs). None: only that row fails, when it runs.
  const CodePage* refuseUnreadable = nullptr;
  // The catalogue's rules: the picked programs bring their requirements (less what is
  // installed) and run after them; what is not for this computer, and what a program before it
  // excludes, is decided before anything runs. None: the rows as picked.
  const ProgramRules* rules = nullptr;
  // Two named programs that exclude each other refuse the plan (an unattended run's names);
  // otherwise the later one is skipped.
  bool refuseExclusions = false;
};

struct PlanRequest {
  const TProgramList& programs;
  // The picked entries by their place in `programs`, in the order they run.
  std::vector<size_t> picked;
  PlanOptions options;
  // Detection's verdict; none: nothing is installed.
  std::function<bool(const TTallimoProg&)> isInstalled;
  // irAsk: true installs them again.
  std::function<bool(const std::vector<const TTallimoProg*>&)> confirmReinstall;
  // Asked at most once, for the first line to run that holds the token.
  DriveChooser chooseDrive;
  // Told the left-out names before any question is asked (the main window's box); none: not
  // shown.
  std::function<void(const StringList&)> showLeftOut;
  // Whether a picked program was named for itself (not through "*" or a preset): one not for
  // this computer then fails rather than being skipped. None: every one was.
  std::function<bool(size_t)> named = nullptr;
};

struct InstallPlan {
  std::vector<QueuedProgram> rows;           // numbered as the catalogue's Program<n>
  std::vector<const TTallimoProg*> entries;  // each row's entry
  StringList leftOut;                        // picked, but without install lines
  // The code page's refusal (refuseUnreadable): nothing runs.
  std::string refusal;
  // The drive question was left without a letter: nothing runs. `needsDrive` names the first
  // program that needed it.
  bool noDrive = false;
  std::string needsDrive;
  std::optional<char> drive;  // the letter given, when one was asked for
  // Two named programs exclude each other: nothing runs.
  std::string error;
  // Lines for the queue's log: the requirements the rules added.
  StringList notes;
};

InstallPlan PlanInstall(const PlanRequest& request);

// The picked entries of `programs` that `isPicked` says, in catalogue order.
std::vector<size_t> PickedInOrder(const TProgramList& programs,
                                  const std::function<bool(const TTallimoProg&)>& isPicked);

}  // namespace tallimo
