#include "install/elevated_queue.h"

#include <algorithm>
#include <iterator>

#include "catalogue/catalogue_encoding.h"
#include "catalogue/catalogue_file.h"
#include "install/install_plan.h"
#include "install/program_rules.h"
#include "install/queue_lines.h"

namespace tallimo {

bool IsChannelName(std::string_view name) {
  if (name.empty() || name.size() > 64) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
  });
}

std::string ElevatedQueueParameters(const HandOver& handOver) {
  std::string text = std::string(kElevatedQueueOption) + " \"" + handOver.cataloguePath + "\" " +
                     handOver.digest + " " +
                     (handOver.drive ? std::string(1, *handOver.drive) : std::string("-")) + " " +
                     handOver.channel + (handOver.restarts ? " /restart" : "");
  for (size_t number : handOver.numbers) text += " " + std::to_string(number);
  return text;
}

std::optional<ElevatedArguments> ParseElevatedQueue(const std::vector<std::string>& arguments) {
  if (arguments.empty() || arguments[0] != kElevatedQueueOption) return std::nullopt;
  ElevatedArguments parsed;
  HandOver& handOver = parsed.handOver;
  auto fail = [&parsed](std::string message) {
    if (parsed.error.empty()) parsed.error = "bad argument: " + std::move(message);
  };
  if (arguments.size() < 6) {
    fail("the hand-over needs a catalogue, a digest, a drive, a channel and program numbers");
  }
  // The channel first: without it nothing can be reported.
  if (arguments.size() > 4 && IsChannelName(arguments[4])) handOver.channel = arguments[4];
  if (arguments.size() > 4 && handOver.channel.empty()) fail("channel " + arguments[4]);
  if (arguments.size() > 1) handOver.cataloguePath = arguments[1];
  if (arguments.size() > 1 && handOver.cataloguePath.empty()) fail("no catalogue");
  if (arguments.size() > 2) {
    const std::string& digest = arguments[2];
    const bool hex =
        digest.size() == 64 && std::all_of(digest.begin(), digest.end(), [](char c) {
          return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        });
    if (!hex) fail("digest " + digest);
    for (char c : digest) handOver.digest += static_cast<char>(c >= 'A' && c <= 'F' ? c | 0x20 : c);
  }
  if (arguments.size() > 3) {
    const std::string& drive = arguments[3];
    const char c = drive.size() == 1 ? drive[0] : '\0';
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
      handOver.drive = static_cast<char>(c | 0x20);
    else if (drive != "-")
      fail("drive " + drive);
  }
  size_t first = 5;
  if (arguments.size() > first && arguments[first] == "/restart") {
    handOver.restarts = true;
    if (++first == arguments.size()) fail("no program numbers");
  }
  for (size_t i = first; i < arguments.size(); ++i) {
    std::optional<uint32_t> number = DecimalNumber(arguments[i]);
    if (!number || *number == 0) {
      fail("program number " + arguments[i]);
      continue;
    }
    handOver.numbers.push_back(*number);
  }
  return parsed;
}

ElevatedRows RowsOfCatalogue(std::string bytes, const std::vector<size_t>& numbers,
                             std::optional<char> drive, const CodePage& ansi) {
  ElevatedRows rows;
  Catalogue cat;
  ReadCatalogueText(DecodeCatalogue(std::move(bytes), ansi).text, cat);
  std::vector<size_t> picked;
  for (size_t number : numbers) {
    if (number == 0 || number > cat.ProgramList.size()) {
      rows.refusal = "the catalogue has no program " + std::to_string(number);
      return rows;
    }
    picked.push_back(number - 1);
  }
  // Decided by the menu's planner already: no questions, no detection, lines in their order;
  // a line the command prompt cannot read fails its row.
  InstallPlan plan = PlanInstall({cat.ProgramList,
                                  std::move(picked),
                                  {TInstalledRule::irRun, nullptr},
                                  nullptr,
                                  nullptr,
                                  [drive] { return drive; },
                                  nullptr});
  if (!plan.leftOut.empty())
    rows.refusal = plan.leftOut.front() + " has no installation procedure";
  else if (plan.noDrive)
    rows.refusal = plan.needsDrive + " needs a drive for %D:";
  else
    rows.programs = std::move(plan.rows);
  // A row waits for those of its requirements that were handed over with it (the menu held back
  // what needed a row that did not install there).
  const ProgramRules rules(cat.ProgramList, SystemInfo{});
  for (size_t j = 0; j < rows.programs.size(); ++j)
    for (size_t r : rules.Prerequisites(rows.programs[j].number - 1))
      for (size_t k = 0; k < j; ++k)
        if (rows.programs[k].number == r + 1) rows.programs[j].needs.push_back(k);
  return rows;
}

namespace {

// The catalogue's bytes and their digest, or why there are none.
std::string ReadAndHash(const std::string& path, FileSystem& files, Hasher& hasher,
                        std::string& bytes, std::string& digest) {
  if (files.KindOf(path) != TFileKind::fkFile || !files.ReadWholeFile(path, bytes))
    return "Unable to read " + path;
  std::optional<std::string> hash = hasher.Sha256Hex(bytes);
  if (!hash) return "Unable to hash " + path;
  digest = std::move(*hash);
  return {};
}

bool SameRow(const QueuedProgram& a, const QueuedProgram& b) {
  return a.name == b.name && a.batch == b.batch && a.lines == b.lines &&
         a.successCodes == b.successCodes;
}

}  // namespace

ElevatedRows PlanElevatedCopy(const ElevatedArguments& arguments, FileSystem& files, Hasher& hasher,
                              const CodePage& ansi) {
  if (!arguments.error.empty()) return {{}, arguments.error};
  const HandOver& handOver = arguments.handOver;
  std::string bytes, digest;
  if (std::string error = ReadAndHash(handOver.cataloguePath, files, hasher, bytes, digest);
      !error.empty())
    return {{}, error};
  if (digest != handOver.digest) return {{}, kCatalogueChangedMessage};
  return RowsOfCatalogue(std::move(bytes), handOver.numbers, handOver.drive, ansi);
}

std::string SealHandOver(HandOver& handOver, FileSystem& files, Hasher& hasher,
                         const CodePage& ansi) {
  std::string bytes;
  if (std::string error =
          ReadAndHash(handOver.cataloguePath, files, hasher, bytes, handOver.digest);
      !error.empty())
    return error;
  const ElevatedRows rows =
      RowsOfCatalogue(std::move(bytes), handOver.numbers, handOver.drive, ansi);
  if (!rows.refusal.empty() || rows.programs.size() != handOver.programs.size() ||
      !std::equal(rows.programs.begin(), rows.programs.end(), handOver.programs.begin(), SameRow))
    return kCatalogueChangedMessage;
  return {};
}

std::string EventLine(const WorkerEvent& event) {
  switch (event.kind) {
    case TWorkerEventKind::weRow:
      return "row " + std::to_string(event.row) + " " + RowResultText(event.result);
    case TWorkerEventKind::weCommand:
      return "command " + EscapeLine(event.text);
    case TWorkerEventKind::weLog:
      return "log " + EscapeLine(event.text);
    case TWorkerEventKind::weRefused:
      return "refused " + EscapeLine(event.text);
    case TWorkerEventKind::weEnd:
    case TWorkerEventKind::weLost:
      break;
  }
  return "end";
}

std::optional<WorkerEvent> ParseEventLine(std::string_view line) {
  auto [key, rest] = LineKey(line);
  WorkerEvent event;
  if (key == "end" && line == "end") return event;
  if (key == "command" || key == "log" || key == "refused") {
    std::optional<std::string> text = UnescapeLine(rest);
    if (!text) return std::nullopt;
    event.kind = key == "log"       ? TWorkerEventKind::weLog
                 : key == "refused" ? TWorkerEventKind::weRefused
                                    : TWorkerEventKind::weCommand;
    event.text = std::move(*text);
    return event;
  }
  if (key != "row") return std::nullopt;
  // row <index> <state> <exit code> <message>
  auto [index, result] = LineKey(rest);
  std::optional<uint32_t> row = DecimalNumber(index);
  std::optional<QueueRow> parsed = ParseRowResult(result);
  if (!row || !parsed) return std::nullopt;
  event.kind = TWorkerEventKind::weRow;
  event.row = *row;
  event.result = std::move(*parsed);
  return event;
}

std::string ControlLine(const WorkerControl& control) {
  if (control.kind == TWorkerControlKind::wcStop) return "stop";
  if (control.kind == TWorkerControlKind::wcReadToEnd) return "read-to-end";
  return "stop-waiting " + std::to_string(control.row);
}

std::optional<WorkerControl> ParseControlLine(std::string_view line) {
  if (line == "stop") return WorkerControl{};
  if (line == "read-to-end") return WorkerControl{TWorkerControlKind::wcReadToEnd, 0};
  auto [key, rest] = LineKey(line);
  std::optional<uint32_t> row = DecimalNumber(rest);
  if (key != "stop-waiting" || !row) return std::nullopt;
  return WorkerControl{TWorkerControlKind::wcStopWaiting, *row};
}

}  // namespace tallimo
