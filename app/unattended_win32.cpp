#include "app/unattended_win32.h"

#include <windows.h>

#include "app/unattended.h"
#include "catalogue/catalogue_file.h"
#include "install/detect.h"
#include "install/install_progress.h"
#include "install/resume_record.h"
#include "platform/error.h"
#include "platform/failure_report.h"
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
  // As every run's log, it ends with the exit code.
  const StringList lines =
      LogWithoutQueue(QueueSeamsOf(seams), options.logFile,
                      {"Usage error: " + message, "Exit code " + std::to_string(kExitUsage)});
  seams.console.WriteLine(lines.front());
  if (!options.quiet)
    seams.prompter.MessageDlg(message + "\r\r" + UnattendedUsage(), TMsgDlgType::mtError);
  return kExitUsage;
}

// What a windowless front end runs: a new unattended queue, or a queue resumed after a restart.
struct QueueRun {
  TResumeKind kind;
  UnattendedOptions options;
  std::string cataloguePath;
  std::vector<QueuedProgram> programs;
  StringList preamble;
  bool leftOut = false;
  // A resumed queue: its record (the store has adopted its place), and the rows done.
  std::unique_ptr<ResumeRecord> record = nullptr;
  size_t next = 0;
  std::vector<QueueRow> done = {};
};

// Runs the queue with its progress window (without /quiet) or without one, and gives the exit
// code. An unattended queue's log ends with "Exit code N"; with /restart it restarts before the
// next program where an entry asks for it and survives restarts.
int RunQueue(QueueRun run, UnattendedSeams& seams) {
  const bool unattended = run.kind == TResumeKind::rkUnattended;
  // The programs started from here inherit it: a crashing installer, or one that finds no disc,
  // fails instead of waiting for a person with a box (after a restart too).
  if (unattended)
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  auto prepare = [&](InstallQueue& queue) {
    queue.LogTitle = unattended ? "Unattended install" : "Queue";
    queue.LogFileGiven = run.record ? run.record->logPath : run.options.logFile;
    queue.HideConsoles = run.options.quiet;
    queue.Preamble = run.preamble;
    queue.RestartsAllowed = run.options.restart;
    queue.OnLogLine = [&seams](const std::string& line) { seams.console.WriteLine(line); };
    queue.OnLogFailed = [&seams, &queue] {
      seams.console.WriteLine("The log file " + queue.LogPath() +
                              " could not be written: the rest of the run is not in it");
    };
    queue.Epilogue = [&queue, &run, unattended] {
      StringList lines;
      // The question that would follow is not asked: its default answer, logged.
      if (unattended && queue.RestartNeeded())
        lines.push_back("Restart question not asked in an unattended run: answered No");
      // The caller of a resumed run is gone: the log says what it would have been told.
      if (unattended)
        lines.push_back("Exit code " +
                        std::to_string(UnattendedExitCode(queue.Rows(), run.leftOut)));
      return lines;
    };
    if (run.record) {
      queue.FirstLine = ResumedLine(run.record->restarts);
      queue.ResumeAt(run.next, std::move(run.done));
      queue.Record = std::move(run.record);
    } else if (run.options.restart && seams.resume && seams.hasher) {
      ResumeRecord record;
      record.kind = run.kind;
      record.cataloguePath = run.cataloguePath;
      record.drive = run.options.drive;
      record.quiet = run.options.quiet;
      record.reinstall = run.options.reinstall;
      record.restartAllowed = true;
      record.logGiven = run.options.logFile;
      PrepareRecord(queue, std::move(record),
                    {*seams.resume, seams.files, *seams.hasher, seams.locale.AnsiCodePage()});
    }
  };
  std::vector<QueueRow> rows;
  // No hand-over to an elevated copy: its prompt would wait for a person.
  if (run.options.quiet) {
    InstallQueue queue(QueueSeamsOf(seams), std::move(run.programs), run.cataloguePath);
    prepare(queue);
    // No one to show a box to: what no caller caught goes to the log and the console, and the
    // run fails there.
    WindowlessReport report(
        [&queue](const std::string& message) { queue.AddLogLine("Error: " + message); });
    queue.Begin();
    // The process seam reports the ends through this thread's messages.
    PumpMessagesUntil([&] { return queue.Ended() || report.Failed(); }, INFINITE);
    if (report.Failed()) {
      queue.AddLogLine("Exit code " + std::to_string(kExitFailed));
      return kExitFailed;
    }
    rows = queue.Rows();
  } else {
    TFTallimoQueue progress({QueueSeamsOf(seams), seams.shell, seams.prompter, seams.restarter},
                            std::move(run.programs), run.cataloguePath);
    progress.Unattended = unattended;
    prepare(progress.Queue());
    progress.Execute();
    rows = progress.Queue().Rows();
  }
  return UnattendedExitCode(rows, run.leftOut);
}

}  // namespace

int RunUnattended(const UnattendedOptions& options, UnattendedSeams seams) {
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

  QueueRun run{TResumeKind::rkUnattended, options,
               cat.IniFileName,           std::move(plan.programs),
               std::move(plan.notes),     !plan.leftOut.empty()};
  return RunQueue(std::move(run), seams);
}

namespace {

// The catalogue's bytes at `path` when they have `digest`.
bool SameCatalogue(const std::string& path, const std::string& digest, UnattendedSeams& seams,
                   std::string& bytes) {
  if (seams.files.KindOf(path) != TFileKind::fkFile || !seams.files.ReadWholeFile(path, bytes))
    return false;
  const std::optional<std::string> hash = seams.hasher->Sha256Hex(bytes);
  return hash && *hash == digest;
}

// Nothing runs from a record refused: why goes to its log (a new one when it names none).
int RefuseRecord(UnattendedSeams& seams, const std::string& logPath, const std::string& why) {
  const StringList lines =
      LogWithoutQueue(QueueSeamsOf(seams), logPath, {"Not resumed after the restart: " + why});
  seams.console.WriteLine(lines.front());
  return kExitFailed;
}

}  // namespace

int RunResumed(const std::string& recordPath, UnattendedSeams seams) {
  if (!seams.resume || !seams.hasher) return kExitFailed;
  ResumeStore& store = *seams.resume;
  std::string why, text;
  if (!store.Adopt(recordPath, why)) return RefuseRecord(seams, {}, why);
  // The queue ended meanwhile (a restart that did not end it): nothing is left to go on with.
  if (seams.files.KindOf(recordPath) == TFileKind::fkMissing) return kExitInstalled;
  std::optional<ResumeRecord> record;
  if (!store.Read(text))
    why = "the record cannot be read";
  else
    record = ParseRecord(text, why);
  if (record && record->user != store.User()) why = "the record was written by another user";
  if (!record || !why.empty()) {
    store.Remove();
    return RefuseRecord(seams, record ? record->logPath : std::string(), why);
  }
  ++record->restarts;
  // Finding the disc: where it was, else on the drive that has its volume now, else asked for
  // (a quiet run looks again every 10 seconds for 5 minutes).
  ResumedQueue resumed;
  std::string cataloguePath = record->cataloguePath;
  for (int attempt = 1;; ++attempt) {
    DiscSearch found;
    std::string bytes, movedBytes;
    found.atPath = seams.files.KindOf(record->cataloguePath) == TFileKind::fkFile;
    found.digestMatches = SameCatalogue(record->cataloguePath, record->digest, seams, bytes);
    if (!found.atPath && record->volumeSerial)
      found.movedTo = store.DriveWithSerial(record->volumeSerial);
    if (found.movedTo) {
      std::string moved = record->cataloguePath;
      moved[0] = *found.movedTo;
      found.movedDigestMatches = SameCatalogue(moved, record->digest, seams, movedBytes);
    }
    const ResumeDecision decision = DecideResume(*record, found);
    if (decision.step == TResumeStep::rsGoOn || decision.step == TResumeStep::rsMoved) {
      Detector detector({seams.probeFiles, seams.registry, seams.environment});
      resumed = ResumedPrograms(
          *record, decision.step == TResumeStep::rsMoved ? std::move(movedBytes) : std::move(bytes),
          decision.drive, seams.locale.AnsiCodePage(),
          [&detector](const TTallimoProg& entry) { return detector.IsInstalled(entry.Detect); });
      cataloguePath = record->cataloguePath = decision.cataloguePath;
      record->drive = decision.drive;
      break;
    }
    if (decision.step == TResumeStep::rsChanged) {
      resumed = UnreachedPrograms(*record, TQueueState::qsCatalogueChanged);
      break;
    }
    const bool again = record->quiet ? attempt < 30
                                     : seams.prompter.MessageDlgWithDefault(
                                           InsertDiscText(*record), TMsgDlgType::mtWarning,
                                           {TMsgDlgBtn::mbRetry, TMsgDlgBtn::mbCancel},
                                           TMsgDlgBtn::mbRetry) == TModalResult::mrRetry;
    if (!again) {
      resumed = UnreachedPrograms(*record, TQueueState::qsDiscNotFound);
      break;
    }
    if (record->quiet) Sleep(10 * 1000);
  }
  UnattendedOptions options;
  options.quiet = record->quiet;
  options.reinstall = record->reinstall;
  options.restart = record->restartAllowed;
  options.logFile = record->logGiven;
  options.drive = record->drive;
  const TResumeKind kind = record->kind;
  QueueRun run{kind,
               options,
               cataloguePath,
               std::move(resumed.programs),
               std::move(resumed.notes),
               false,
               std::make_unique<ResumeRecord>(std::move(*record)),
               resumed.next,
               std::move(resumed.done)};
  return RunQueue(std::move(run), seams);
}

}  // namespace tallimo
