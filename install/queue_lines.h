#pragma once
// The pieces of the queue's text files (the elevated copy's events, the resume record): texts
// escaped onto one line, decimal numbers, "key rest" lines, and the rows' states by name.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "install/queue_rows.h"

namespace tallimo {

// Backslash, CR and LF escaped: the text fits on one line.
std::string EscapeLine(std::string_view text);
std::optional<std::string> UnescapeLine(std::string_view text);

// Decimal digits only, within 32 bits.
std::optional<uint32_t> DecimalNumber(std::string_view text);

// Splits "key rest" at the first blank; the key alone when there is none.
std::pair<std::string_view, std::string_view> LineKey(std::string_view line);

// A row's state as one word ("restart-needed") and back.
std::string_view StateName(TQueueState state);
std::optional<TQueueState> StateOfName(std::string_view name);

// "<state> <exit code> <message>" and back.
std::string RowResultText(const QueueRow& row);
std::optional<QueueRow> ParseRowResult(std::string_view text);

// Takes the complete lines (ended by LF, a CR before it dropped) off the front of `buffer`;
// an unfinished last line stays there for the next read.
std::vector<std::string> TakeCompleteLines(std::string& buffer);

}  // namespace tallimo
