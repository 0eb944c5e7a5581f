#include "install/queue_lines.h"

namespace tallimo {

std::string EscapeLine(std::string_view text) {
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

std::optional<std::string> UnescapeLine(std::string_view text) {
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

std::optional<uint32_t> DecimalNumber(std::string_view text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<uint32_t>(value);
}

std::pair<std::string_view, std::string_view> LineKey(std::string_view line) {
  const size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return {line, {}};
  return {line.substr(0, blank), line.substr(blank + 1)};
}

namespace {

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
    {TQueueState::qsRefused, "refused"},
    {TQueueState::qsNotSaved, "not-saved"},
    {TQueueState::qsNotForComputer, "not-for-computer"},
    {TQueueState::qsSkippedNotForComputer, "skipped-not-for-computer"},
    {TQueueState::qsExcluded, "excluded"},
    {TQueueState::qsNeeds, "needs"},
    {TQueueState::qsNoProcedure, "no-procedure"},
    {TQueueState::qsInstalledRestarted, "installed-restarted"},
    {TQueueState::qsInterrupted, "interrupted"},
    {TQueueState::qsDiscNotFound, "disc-not-found"},
    {TQueueState::qsCatalogueChanged, "catalogue-changed"},
    {TQueueState::qsTooManyRestarts, "too-many-restarts"},
};

}  // namespace

std::string_view StateName(TQueueState state) {
  for (const auto& [s, name] : kStateNames)
    if (s == state) return name;
  return {};
}

std::optional<TQueueState> StateOfName(std::string_view name) {
  for (const auto& [s, n] : kStateNames)
    if (n == name) return s;
  return std::nullopt;
}

std::string RowResultText(const QueueRow& row) {
  return std::string(StateName(row.state)) + " " + std::to_string(row.exitCode) + " " +
         EscapeLine(row.message);
}

std::optional<QueueRow> ParseRowResult(std::string_view text) {
  auto [stateName, afterState] = LineKey(text);
  auto [code, message] = LineKey(afterState);
  std::optional<TQueueState> state = StateOfName(stateName);
  std::optional<uint32_t> exitCode = DecimalNumber(code);
  std::optional<std::string> unescaped = UnescapeLine(message);
  if (!state || !exitCode || !unescaped || afterState.empty()) return std::nullopt;
  return QueueRow{*state, *exitCode, std::move(*unescaped)};
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
