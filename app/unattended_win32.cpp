#include "app/unattended_win32.h"

#include <windows.h>

#include "app/unattended.h"
#include "catalogue/catalogue_file.h"
#include "install/detect.h"
#include "install/install_progress.h"
#include "platform/error.h"
#include "platform/message_window_win32.h"
#include "platform/wide.h"

namespace tallimo {

namespace {

// The catalogue's full path: a relative one is on the current directory's drive, which %D:
// then takes.
std::string FullPath(const std::string& path) {
  const std::wstring wide = Widen(path);
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD got = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (got == 0 || got >= size) return path;
  full.resize(got);
  return Narrow(full);
}

// Nothing runs: the message goes to the log, the console and (without /quiet) a box with the
// usage.
int UsageError(const UnattendedOptions& options, UnattendedSeams& seams,
               const std::string& message) {
  const std::string line = LogTimeStamp(seams.clock.Now()) + "Usage error: " + message;
  QueueLog log = OpenQueueLog(QueueSeamsOf(seams), options.logFile);
  if (log.file) log.file->Append(line + "\r\n");
  seams.console.WriteLine(line);
  if (!options.quiet)
    seams.prompter.MessageDlg(message + "\r\r" + UnattendedUsage(), TMsgDlgType::mtError);
  return kExitUsage;
}

}  // namespace

int RunUnattended(const UnattendedOptions& options, UnattendedSeams seams) {
  // The programs started from here inherit it: a crashing installer, or one that finds no disc,
  // fails instead of waiting for a person with a box.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  if (options.usage) {
    seams.console.WriteLine(UnattendedUsage());
    if (!options.quiet) seams.prompter.MessageDlg(UnattendedUsage(), TMsgDlgType::mtInformation);
    return kExitInstalled;
  }
  if (!options.error.empty()) return UsageError(options, seams, options.error);
  // A deployment script's record: a log that cannot be written stops the run before it starts.
  if (!options.logFile.empty()) {
    const QueueLog log = OpenQueueLog(QueueSeamsOf(seams), options.logFile);
    if (!log.file)
      return UsageError(options, seams,
                        "The log file " + options.logFile + " cannot be written: " + log.why);
  }

  Catalogue cat;
  cat.IniFileName = options.catalogue.empty() ? DefaultIniFileName(seams.programPath)
                                              : FullPath(options.catalogue);
  if (seams.files.KindOf(cat.IniFileName) == TFileKind::fkMissing)
    return UsageError(options, seams, "The catalogue " + cat.IniFileName + " does not exist");
  try {
    LoadCatalogue(cat, seams.files, seams.locale);
  } catch (const TallimoError& e) {
    return UsageError(options, seams, e.what());
  }
  std::vector<const TTallimoProg*> installed;
  if (!options.reinstall)
    installed =
        DetectInstalled(cat.ProgramList, {seams.probeFiles, seams.registry, seams.environment});
  UnattendedPlan plan =
      PlanUnattended(options, cat, cat.IniFileName, seams.locale, installed, seams.system);
  if (!plan.error.empty()) return UsageError(options, seams, plan.error);

  StringList preamble;
  preamble.insert(preamble.end(), plan.notes.begin(), plan.notes.end());
  auto prepare = [&](InstallQueue& queue) {
    queue.LogTitle = "Unattended install";
    queue.LogFileGiven = options.logFile;
    queue.HideConsoles = options.quiet;
    queue.Preamble = preamble;
    queue.OnLogLine = [&seams](const std::string& line) { seams.console.WriteLine(line); };
    queue.OnLogFailed = [&seams, &queue] {
      seams.console.WriteLine("The log file " + queue.LogPath() +
                              " could not be written: the rest of the run is not in it");
    };
    // The question that would follow is not asked: its default answer, logged.
    queue.Epilogue = [&queue] {
      return queue.RestartNeeded()
                 ? StringList{"Restart question not asked in an unattended run: answered No"}
                 : StringList{};
    };
  };
  std::vector<QueueRow> rows;
  // No hand-over to an elevated copy: its prompt would wait for a person.
  if (options.quiet) {
    InstallQueue queue(QueueSeamsOf(seams), std::move(plan.programs), cat.IniFileName);
    prepare(queue);
    queue.Begin();
    // The process seam reports the ends through this thread's messages.
    PumpMessagesUntil([&queue] { return queue.Ended(); }, INFINITE);
    rows = queue.Rows();
  } else {
    TFTallimoQueue progress({QueueSeamsOf(seams), seams.shell, seams.prompter, seams.restarter},
                            std::move(plan.programs), cat.IniFileName);
    progress.Unattended = true;
    prepare(progress.Queue());
    progress.Execute();
    rows = progress.Queue().Rows();
  }
  return UnattendedExitCode(rows, !plan.leftOut.empty());
}

}  // namespace tallimo
