#include "install/resume_record.h"

#include "catalogue/catalogue_encoding.h"
#include "catalogue/catalogue_file.h"
#include "install/elevated_queue.h"
#include "install/install_plan.h"
#include "install/program_rules.h"
#include "install/queue_lines.h"

namespace tallimo {

namespace {

constexpr std::string_view kFirstLine = "Tallimo resume record 1";
constexpr const char* kOtherVersion = "the record is from another version of Tallimo";
constexpr const char* kUnreadable = "the record cannot be read";

constexpr std::pair<TResumeKind, std::string_view> kKindNames[] = {
    {TResumeKind::rkMenu, "menu"},
    {TResumeKind::rkUnattended, "unattended"},
    {TResumeKind::rkElevated, "elevated"},
};

std::string HexNumber(uint32_t value) {
  std::string text(8, '0');
  for (size_t i = 8; i-- > 0; value >>= 4) text[i] = "0123456789abcdef"[value & 15];
  return text;
}

std::optional<uint32_t> ParseHex(std::string_view text) {
  if (text.size() != 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<uint32_t>(digit);
  }
  return value;
}

}  // namespace

std::string RecordText(const ResumeRecord& record) {
  std::string text = std::string(kFirstLine) + "\n";
  auto line = [&text](std::string_view key, const std::string& value) {
    text.append(key).append(" ").append(value).append("\n");
  };
  for (const auto& [kind, name] : kKindNames)
    if (kind == record.kind) line("kind", std::string(name));
  line("user", EscapeLine(record.user));
  line("catalogue", EscapeLine(record.cataloguePath));
  line("digest", record.digest);
  line("volume", HexNumber(record.volumeSerial) + " " + EscapeLine(record.volumeLabel));
  line("drive", record.drive ? std::string(1, static_cast<char>(*record.drive | 0x20)) : "-");
  line("log", EscapeLine(record.logPath));
  line("given-log", EscapeLine(record.logGiven));
  line("options", std::string(record.quiet ? "quiet" : "-") + " " +
                      (record.reinstall ? "reinstall" : "-") + " " +
                      (record.restartAllowed ? "restart" : "-"));
  line("restarts", std::to_string(record.restarts));
  line("next", std::to_string(record.next));
  line("running", record.running ? std::to_string(*record.running) : "-");
  for (const ResumeRecord::Row& row : record.rows) {
    line("row", std::to_string(row.number) + " " + RowResultText(row.result));
    line("name", EscapeLine(row.name));
  }
  return text + "end\n";
}

std::optional<ResumeRecord> ParseRecord(std::string_view text, std::string& why) {
  const size_t first = text.find('\n');
  if (text.substr(0, first) != kFirstLine) {
    why = text.substr(0, 15) == kFirstLine.substr(0, 15) ? kOtherVersion : kUnreadable;
    return std::nullopt;
  }
  why = kUnreadable;
  ResumeRecord record;
  bool ended = false, kindSeen = false;
  std::string rest(text.substr(first + 1));
  for (const std::string& line : TakeCompleteLines(rest)) {
    if (ended) return std::nullopt;  // nothing after the end
    // Plain names, not a structured binding: clang 14 cannot capture one.
    const std::pair<std::string_view, std::string_view> parts = LineKey(line);
    const std::string_view key = parts.first, value = parts.second;
    bool ok = true;
    if (key == "end" && value.empty()) {
      ended = true;
    } else if (key == "kind") {
      ok = false;
      for (const auto& [kind, name] : kKindNames)
        if (name == value) ok = kindSeen = true, record.kind = kind;
    } else if (key == "name") {
      std::optional<std::string> unescaped = UnescapeLine(value);
      ok = unescaped && !record.rows.empty();
      if (ok) record.rows.back().name = std::move(*unescaped);
    } else if (key == "user" || key == "catalogue" || key == "log" || key == "given-log") {
      std::optional<std::string> unescaped = UnescapeLine(value);
      ok = unescaped.has_value();
      if (ok)
        (key == "user"        ? record.user
         : key == "catalogue" ? record.cataloguePath
         : key == "log"       ? record.logPath
                              : record.logGiven) = std::move(*unescaped);
    } else if (key == "digest") {
      record.digest = std::string(value);
      ok = value.size() == 64;
    } else if (key == "volume") {
      auto [serial, label] = LineKey(value);
      std::optional<uint32_t> number = ParseHex(serial);
      std::optional<std::string> unescaped = UnescapeLine(label);
      ok = number && unescaped;
      if (ok) record.volumeSerial = *number, record.volumeLabel = std::move(*unescaped);
    } else if (key == "drive") {
      ok = value == "-" || (value.size() == 1 && value[0] >= 'a' && value[0] <= 'z');
      if (ok && value != "-") record.drive = value[0];
    } else if (key == "options") {
      record.quiet = value.find("quiet") != std::string_view::npos;
      record.reinstall = value.find("reinstall") != std::string_view::npos;
      record.restartAllowed = value.find("restart") != std::string_view::npos;
    } else if (key == "restarts" || key == "next") {
      std::optional<uint32_t> number = DecimalNumber(value);
      ok = number.has_value();
      if (ok && key == "next") record.next = *number;
      if (ok && key == "restarts") record.restarts = static_cast<int>(*number);
    } else if (key == "running") {
      std::optional<uint32_t> number = DecimalNumber(value);
      ok = value == "-" || number.has_value();
      if (number) record.running = *number;
    } else if (key == "row") {
      auto [number, result] = LineKey(value);
      std::optional<uint32_t> n = DecimalNumber(number);
      std::optional<QueueRow> row = ParseRowResult(result);
      ok = n && *n > 0 && row;
      if (ok) record.rows.push_back({*n, {}, std::move(*row)});
    } else {
      ok = false;
    }
    if (!ok) return std::nullopt;
  }
  if (!ended || !kindSeen || record.digest.empty() || record.cataloguePath.empty() ||
      record.next > record.rows.size() ||
      (record.running && *record.running >= record.rows.size()) || record.restarts < 0)
    return std::nullopt;
  why.clear();
  return record;
}

ResumeDecision DecideResume(const ResumeRecord& record, const DiscSearch& found) {
  ResumeDecision decision{TResumeStep::rsGoOn, record.cataloguePath, record.drive};
  if (found.atPath) {
    if (!found.digestMatches) decision.step = TResumeStep::rsChanged;
    return decision;
  }
  if (!found.movedTo || record.cataloguePath.size() < 2 || record.cataloguePath[1] != ':') {
    decision.step = TResumeStep::rsInsertDisc;
    return decision;
  }
  const char was = static_cast<char>(record.cataloguePath[0] | 0x20);
  decision.step = found.movedDigestMatches ? TResumeStep::rsMoved : TResumeStep::rsChanged;
  decision.cataloguePath[0] = static_cast<char>(*found.movedTo & ~0x20);
  if (record.drive && (*record.drive | 0x20) == was)
    decision.drive = static_cast<char>(*found.movedTo | 0x20);
  return decision;
}

std::string InsertDiscText(const ResumeRecord& record) {
  return "Insert the disc \"" +
         (record.volumeLabel.empty() ? record.cataloguePath : record.volumeLabel) +
         "\" to go on installing.";
}

std::vector<QueueRow> ResumedRows(const ResumeRecord& record, bool interruptedInstalled) {
  std::vector<QueueRow> rows;
  for (size_t i = 0; i < record.rows.size(); ++i) {
    QueueRow row = record.rows[i].result;
    if (record.running && i == *record.running)
      row = interruptedInstalled ? QueueRow{TQueueState::qsInstalled, 0, {}}
                                 : QueueRow{TQueueState::qsInterrupted, 0, {}};
    else if (i < record.next && (row.state == TQueueState::qsRestartNeeded ||
                                 row.state == TQueueState::qsRestartStarted))
      row.state = TQueueState::qsInstalledRestarted;
    rows.push_back(std::move(row));
  }
  return rows;
}

size_t ResumedNext(const ResumeRecord& record) {
  return record.running ? *record.running + 1 : record.next;
}

std::string ResumedLine(int restarts) {
  return "Resumed after a restart (" + std::to_string(restarts) + " of at most " +
         std::to_string(kMaxRestarts) + ")";
}

namespace {

// The rows before `next` as done, and the verdict on the row a restart cut off for the log.
ResumedQueue Finished(ResumedQueue resumed, const ResumeRecord& record,
                      std::vector<QueueRow> rows) {
  if (record.running)
    resumed.notes.push_back(resumed.programs[*record.running].name + ": " +
                            StateText(rows[*record.running]));
  rows.resize(resumed.next);
  resumed.done = std::move(rows);
  return resumed;
}

// The catalogue on disk must still give the rows that will run: their digest is the record's.
std::string Seal(const InstallQueue& queue, ResumeRecord& record, RecordSeams seams) {
  HandOver seal{record.cataloguePath, {}, record.drive, {}, {}, {}};
  for (const QueuedProgram& program : queue.Programs()) {
    if (program.skip || program.decided) continue;
    if (!program.number) return "a program is not in the catalogue file";
    seal.numbers.push_back(program.number);
    seal.programs.push_back(program);
  }
  std::string refusal = SealHandOver(seal, seams.files, seams.hasher, seams.ansi);
  if (refusal == kCatalogueChangedMessage) refusal = "the catalogue has changes that are not saved";
  record.digest = seal.digest;
  return refusal;
}

}  // namespace

void PrepareRecord(InstallQueue& queue, ResumeRecord fixed, RecordSeams seams) {
  auto record = std::make_unique<ResumeRecord>(std::move(fixed));
  std::string why = Seal(queue, *record, seams);
  if (why.empty()) {
    if (std::optional<VolumeId> volume = seams.store.VolumeOf(record->cataloguePath)) {
      record->volumeSerial = volume->serial;
      record->volumeLabel = volume->label;
    }
    record->user = seams.store.User();
    if (seams.store.Create(why)) queue.Record = std::move(record);
  }
  queue.ResumeRefusal = why;
}

void ResealRecord(InstallQueue& queue, RecordSeams seams) {
  if (!queue.Record) return;
  if (std::string why = Seal(queue, *queue.Record, seams); !why.empty()) queue.EndRecording(why);
}

ResumedQueue ResumedPrograms(const ResumeRecord& record, std::string bytes,
                             std::optional<char> drive, const CodePage& ansi,
                             const std::function<bool(const TTallimoProg&)>& isInstalled) {
  Catalogue cat;
  ReadCatalogueText(DecodeCatalogue(std::move(bytes), ansi).text, cat);
  const TProgramList& list = cat.ProgramList;
  for (const ResumeRecord::Row& row : record.rows)
    if (row.number > list.size()) return UnreachedPrograms(record, TQueueState::qsCatalogueChanged);
  const bool interruptedInstalled =
      record.running && isInstalled(*list[record.rows[*record.running].number - 1]);
  ResumedQueue resumed;
  resumed.next = ResumedNext(record);
  std::vector<QueueRow> rows = ResumedRows(record, interruptedInstalled);
  std::vector<size_t> again;  // the rows not done, planned again
  for (size_t i = resumed.next; i < rows.size(); ++i)
    if (rows[i].state == TQueueState::qsWaiting) again.push_back(record.rows[i].number - 1);
  const InstallPlan plan = PlanInstall({list,
                                        again,
                                        {TInstalledRule::irRun, nullptr},
                                        nullptr,
                                        nullptr,
                                        [drive] { return drive; },
                                        nullptr});
  if (!plan.leftOut.empty() || plan.noDrive || plan.rows.size() != again.size())
    return UnreachedPrograms(record, TQueueState::qsCatalogueChanged);
  const ProgramRules rules(list, SystemInfo{});
  size_t planned = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    const size_t index = record.rows[i].number - 1;
    QueuedProgram program;
    if (i >= resumed.next && rows[i].state == TQueueState::qsWaiting) {
      program = plan.rows[planned++];
      if (record.restarts + 1 > kMaxRestarts)
        program.decided = QueueRow{TQueueState::qsTooManyRestarts, 0, {}};
    } else {
      program.name = list[index]->Name;
      program.number = index + 1;
      if (i >= resumed.next) program.decided = rows[i];
    }
    for (size_t r : rules.Prerequisites(index))
      for (size_t k = 0; k < rows.size(); ++k)
        if (k != i && record.rows[k].number == r + 1) program.needs.push_back(k);
    resumed.programs.push_back(std::move(program));
  }
  return Finished(std::move(resumed), record, std::move(rows));
}

ResumedQueue UnreachedPrograms(const ResumeRecord& record, TQueueState rest) {
  ResumedQueue resumed;
  resumed.next = ResumedNext(record);
  std::vector<QueueRow> rows = ResumedRows(record, false);
  for (size_t i = 0; i < rows.size(); ++i) {
    QueuedProgram program;
    program.name = record.rows[i].name;
    program.number = record.rows[i].number;
    if (i >= resumed.next)
      program.decided = rows[i].state == TQueueState::qsWaiting ? QueueRow{rest, 0, {}} : rows[i];
    resumed.programs.push_back(std::move(program));
  }
  return Finished(std::move(resumed), record, std::move(rows));
}

}  // namespace tallimo
