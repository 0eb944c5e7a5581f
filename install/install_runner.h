#pragma once
// The commands Install and Install & Close, over seams so that every step is testable.
#include <functional>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/program_selection.h"
#include "install/drive_token.h"
#include "install/install_queue.h"
#include "install/random_source.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/prompter.h"
#include "platform/shell.h"

namespace tallimo {

inline constexpr const char* kNoProcedureMessage =
    "There is no Installation procedure defined for this program!";

// How an Install command ended (a batch file that cannot be created throws TallimoError).
enum class TInstallResult {
  irNoSelection,  // the user was warned
  irNoEntry,      // the selected text names no entry: silent
  irNoProcedure,  // the entry has no install lines: the error box was shown
  irCancelled,    // the Drive dialog was left without a choice: nothing written or launched
  irUnreadable,   // a line cannot go into a batch file: the error box was shown, nothing ran
  irLaunched,     // the batch file, or every line, went to the shell
};

struct InstallSeams {
  Environment& environment;
  Shell& shell;
  FileSystem& files;
  Prompter& prompter;
  RandomSource& random;
  Locale& locale;  // the command prompt's code page
};

class InstallRunner {
 public:
  // `installScript` is the program-wide list of the last command's prepared lines; `programs`
  // the catalogue's entries. Both are owned by the main window and outlive the runner.
  InstallRunner(InstallSeams seams, ProgramSelection& selection, const TProgramList& programs,
                StringList& installScript, DriveChooser chooseDrive,
                std::function<void()> closeMainWindow);

  // Install: prepare the selected entry's lines, then run them through a batch file or one by
  // one through the shell.
  TInstallResult Install();

  // Install & Close: Install, then close the main window (through its close question) unless
  // nothing was selected, the drive choice was abandoned or a line cannot go into a batch file. An
  // error thrown by Install leaves the window open.
  TInstallResult InstallAndClose();

 private:
  InstallSeams seams_;
  ProgramSelection& selection_;
  const TProgramList& programs_;
  StringList& installScript_;
  DriveChooser chooseDrive_;
  std::function<void()> closeMainWindow_;
};

}  // namespace tallimo
