#pragma once
// The lines of a catalogue file whose content never reaches the catalogue: sections after a gap
// in the numbering or after a section without Name, keys after a gap, duplicates, unknown or
// misspelt keys, lines without "=". tallimo-cat check reports them, tallimo-cat rewrite and the
// menu's saves refuse to drop them unasked.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/ini_document.h"

namespace tallimo {

// One part of the file that is not read: a line, or a section with all its keys.
struct UnreadPart {
  size_t line = 0;     // 1-based, where it starts
  size_t lines = 1;    // how many lines of the file it covers
  bool error = false;  // check reports it as an error (a warning otherwise)
  std::string text;    // check's words for it
};

// The parts of `doc` that `cat` (read from `doc`) does not hold, in file order of their kinds.
std::vector<UnreadPart> FindUnreadParts(const IniDocument& doc, const Catalogue& cat);

// What a file's unread parts come to.
struct UnreadLines {
  size_t count = 0;       // lines not read
  size_t firstLine = 0;   // the first of them
  std::string firstText;  // that line, without blanks at either end
};

// The unread lines of a whole catalogue file's text, or nothing when every line is read.
std::optional<UnreadLines> FindUnreadLines(std::string_view text);

// "<file> holds <N> lines that Tallimo does not read, the first at line <L>: <line, cut to 60
// characters>."
std::string UnreadLinesText(const std::string& file, const UnreadLines& unread);

}  // namespace tallimo
