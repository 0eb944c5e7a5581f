#include "install/elevated_queue.h"

#include <algorithm>
#include <iterator>

namespace tallimo {

namespace {

constexpr std::string_view kHandOverHeader = "tallimo-queue 1";

// Backslash, CR and LF escaped: the text fits on one line.
std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

// Decimal digits only, within 32 bits.
std::optional<uint32_t> Number(std::string_view text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<uint32_t>(value);
}

// Splits "key rest" at the first blank; the key alone when there is none.
std::pair<std::string_view, std::string_view> Key(std::string_view line) {
  const size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return {line, {}};
  return {line.substr(0, blank), line.substr(blank + 1)};
}

constexpr std::pair<TQueueState, std::string_view> kStateNames[] = {
    {TQueueState::qsWaiting, "waiting"},
    {TQueueState::qsRunning, "running"},
    {TQueueState::qsInstalled, "installed"},
    {TQueueState::qsRestartNeeded, "restart-needed"},
    {TQueueState::qsRestartStarted, "restart-started"},
    {TQueueState::qsFailed, "failed"},
    {TQueueState::qsCannotStart, "cannot-start"},
    {TQueueState::qsStopped, "stopped"},
    {TQueueState::qsRestartInProgress, "restart-in-progress"},
    {TQueueState::qsNotWaitedFor, "not-waited-for"},
    {TQueueState::qsRightsRefused, "rights-refused"},
    {TQueueState::qsAlreadyInstalled, "already-installed"},
};

}  // namespace

std::string HandOverText(const HandOver& handOver) {
  std::string text = std::string(kHandOverHeader) + "\n";
  text += "catalogue " + Escape(handOver.cataloguePath) + "\n";
  for (const QueuedProgram& program : handOver.programs) {
    text += "program " + Escape(program.name) + "\n";
    text += std::string("batch ") + (program.batch ? "1" : "0") + "\n";
    if (program.skip) text += "skip\n";
    for (uint32_t code : program.successCodes) text += "success " + std::to_string(code) + "\n";
    for (const std::string& line : program.lines) text += "line " + Escape(line) + "\n";
  }
  return text + "end\n";
}

std::optional<HandOver> ParseHandOver(std::string_view text) {
  std::string buffer(text);
  std::vector<std::string> lines = TakeCompleteLines(buffer);
  if (!buffer.empty() || lines.size() < 2 || lines.front() != kHandOverHeader ||
      lines.back() != "end")
    return std::nullopt;
  HandOver handOver;
  for (size_t i = 1; i + 1 < lines.size(); ++i) {
    auto [key, rest] = Key(lines[i]);
    std::optional<std::string> value = Unescape(rest);
    if (!value) return std::nullopt;
    if (key == "catalogue" && i == 1) {
      handOver.cataloguePath = *value;
      continue;
    }
    if (key == "program") {
      handOver.programs.push_back({*value, false, {}, {}});
      continue;
    }
    if (handOver.programs.empty()) return std::nullopt;
    QueuedProgram& program = handOver.programs.back();
    if (key == "batch" && (rest == "0" || rest == "1")) {
      program.batch = rest == "1";
    } else if (key == "success") {
      std::optional<uint32_t> code = Number(rest);
      if (!code) return std::nullopt;
      program.successCodes.push_back(*code);
    } else if (key == "skip" && rest.empty()) {
      program.skip = true;
    } else if (key == "line") {
      program.lines.push_back(*value);
    } else {
      return std::nullopt;
    }
  }
  if (handOver.programs.empty()) return std::nullopt;
  return handOver;
}

std::string EventLine(const WorkerEvent& event) {
  switch (event.kind) {
    case TWorkerEventKind::weRow: {
      std::string_view state;
      for (const auto& [s, name] : kStateNames)
        if (s == event.result.state) state = name;
      return "row " + std::to_string(event.row) + " " + std::string(state) + " " +
             std::to_string(event.result.exitCode) + " " + Escape(event.result.message);
    }
    case TWorkerEventKind::weCommand:
      return "command " + Escape(event.text);
    case TWorkerEventKind::weLog:
      return "log " + Escape(event.text);
    case TWorkerEventKind::weEnd:
    case TWorkerEventKind::weLost:
      break;
  }
  return "end";
}

std::optional<WorkerEvent> ParseEventLine(std::string_view line) {
  auto [key, rest] = Key(line);
  WorkerEvent event;
  if (key == "end" && line == "end") return event;
  if (key == "command" || key == "log") {
    std::optional<std::string> text = Unescape(rest);
    if (!text) return std::nullopt;
    event.kind = key == "log" ? TWorkerEventKind::weLog : TWorkerEventKind::weCommand;
    event.text = std::move(*text);
    return event;
  }
  if (key != "row") return std::nullopt;
  // row <index> <state> <exit code> <message>
  auto [index, afterIndex] = Key(rest);
  auto [stateName, afterState] = Key(afterIndex);
  auto [code, message] = Key(afterState);
  const auto state = stateName;  // clang 14 does not let a lambda capture a structured binding
  std::optional<uint32_t> row = Number(index);
  std::optional<uint32_t> exitCode = Number(code);
  std::optional<std::string> text = Unescape(message);
  if (!row || !exitCode || !text || afterState.empty()) return std::nullopt;
  const auto* found = std::find_if(std::begin(kStateNames), std::end(kStateNames),
                                   [&](const auto& entry) { return entry.second == state; });
  if (found == std::end(kStateNames)) return std::nullopt;
  event.kind = TWorkerEventKind::weRow;
  event.row = *row;
  event.result = {found->first, *exitCode, std::move(*text)};
  return event;
}

std::string ControlLine(const WorkerControl& control) {
  if (control.kind == TWorkerControlKind::wcStop) return "stop";
  return "stop-waiting " + std::to_string(control.row);
}

std::optional<WorkerControl> ParseControlLine(std::string_view line) {
  if (line == "stop") return WorkerControl{};
  auto [key, rest] = Key(line);
  std::optional<uint32_t> row = Number(rest);
  if (key != "stop-waiting" || !row) return std::nullopt;
  return WorkerControl{TWorkerControlKind::wcStopWaiting, *row};
}

std::vector<std::string> TakeCompleteLines(std::string& buffer) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = buffer.find('\n', start)) != std::string::npos; start = end + 1) {
    size_t length = end - start;
    if (length && buffer[end - 1] == '\r') --length;
    lines.push_back(buffer.substr(start, length));
  }
  buffer.erase(0, start);
  return lines;
}

}  // namespace tallimo
