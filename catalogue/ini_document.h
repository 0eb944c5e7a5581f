#pragma once
// The catalogue file's INI syntax as a parse tree with line numbers. The reader and the
// checker of tallimo-cat both work on this tree, so there is one parser only.
//
// Syntax: lines end at CR LF, LF or CR. Blanks (space, tab) around a line are ignored.
// Empty lines and lines starting with ';' are skipped. "[name]" starts a section (the name
// runs to the last "]"). Other lines are "key=value"; the value is the text after the first
// "=", without blanks at either end, then up to a zero byte, then without one enclosing pair of
// matching double or single quotation marks. Lines without "=", section lines without "]" and
// keys before the first section are ignored (and listed as such, for the checker).
// Names match ignoring letter case; where a section or key name repeats, the first wins.
//
// The tree holds views into the bytes it was parsed from: they must outlive it.
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tallimo {

// Blanks as the reader trims them from names and values.
inline bool IsIniBlank(char c) {
  return c == ' ' || c == '\t';
}
// `s` without those blanks at either end.
inline std::string_view TrimmedIniBlanks(std::string_view s) {
  while (!s.empty() && IsIniBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsIniBlank(s.back())) s.remove_suffix(1);
  return s;
}

// ASCII case folding, as section and key names are compared.
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

struct IniNameHash {
  size_t operator()(std::string_view s) const noexcept;
};
struct IniNameEqual {
  bool operator()(std::string_view a, std::string_view b) const noexcept {
    return EqualsIgnoreAsciiCase(a, b);
  }
};
using IniNameIndex = std::unordered_map<std::string_view, size_t, IniNameHash, IniNameEqual>;

class IniDocument;
// Parses a whole catalogue file (any bytes) into its tree.
IniDocument ParseIni(std::string_view bytes);

struct IniKey {
  std::string_view name;
  std::string_view value;  // trimmed, one pair of enclosing quotes removed
  size_t line = 0;         // 1-based
};

class IniSection {
 public:
  std::string_view name;
  size_t line = 0;
  std::span<const IniKey> keys;  // in file order, duplicates included

  // The first key of that name, or nullptr.
  const IniKey* Find(std::string_view keyName) const;
  // True when this key is the one that Find returns for its name.
  bool IsFirstOfName(const IniKey& key) const;

 private:
  friend class IniDocument;
  friend IniDocument ParseIni(std::string_view bytes);
  size_t firstKey_ = 0;
  bool first_ = false;                   // the first section of its name
  std::unique_ptr<IniNameIndex> index_;  // only for large sections
};

enum class TIniLineFault { lfNoEquals, lfNoClosingBracket, lfKeyOutsideSection };

struct IniIgnoredLine {
  size_t line = 0;
  TIniLineFault fault = TIniLineFault::lfNoEquals;
};

// The whole file; ParseIni builds it.
class IniDocument {
 public:
  IniDocument() = default;
  IniDocument(IniDocument&&) = default;  // the sections' key spans move along
  IniDocument& operator=(IniDocument&&) = default;
  IniDocument(const IniDocument&) = delete;
  IniDocument& operator=(const IniDocument&) = delete;

  std::vector<IniSection> sections;  // in file order, duplicates included
  std::vector<IniIgnoredLine> ignored;
  std::vector<size_t> valuesCutAtZero;  // lines whose value held a zero byte (read up to it)

  // The first section of that name, or nullptr.
  const IniSection* FindSection(std::string_view sectionName) const;
  // The same, quicker when the section wanted comes right after `previous` (a section of
  // this document, or nullptr).
  const IniSection* FindSection(std::string_view sectionName, const IniSection* previous) const;
  bool IsFirstOfName(const IniSection& section) const;

 private:
  friend IniDocument ParseIni(std::string_view bytes);
  std::vector<IniKey> keys_;  // every section's keys, one section after the other
  IniNameIndex index_;
};

// Line `lineNo` (1-based, numbered as the parser numbers them) of a file, without blanks at
// either end; empty past the end.
std::string_view IniLineText(std::string_view bytes, size_t lineNo);

// True when a value must be written inside double quotes to read back unchanged.
bool IniValueNeedsQuotes(std::string_view value);

}  // namespace tallimo
