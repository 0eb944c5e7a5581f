#include "catalogue/ini_document.h"

#include <algorithm>

namespace tallimo {

namespace {

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsIniBlank(s[b])) ++b;
  while (e > b && IsIniBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

}  // namespace

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

size_t IniNameHash::operator()(std::string_view s) const noexcept {
  // FNV-1a over the folded bytes.
  size_t h = 14695981039346656037ull & static_cast<size_t>(-1);
  for (char c : s) {
    h ^= static_cast<unsigned char>(FoldAscii(c));
    h *= static_cast<size_t>(1099511628211ull);
  }
  return h;
}

const IniKey* IniSection::Find(std::string_view keyName) const {
  if (!index_) {
    for (const IniKey& key : keys)
      if (EqualsIgnoreAsciiCase(key.name, keyName)) return &key;
    return nullptr;
  }
  auto it = index_->find(keyName);
  return it == index_->end() ? nullptr : &keys[it->second];
}

bool IniSection::IsFirstOfName(const IniKey& key) const {
  return Find(key.name) == &key;
}

const IniSection* IniDocument::FindSection(std::string_view sectionName) const {
  auto it = index_.find(sectionName);
  return it == index_.end() ? nullptr : &sections[it->second];
}

const IniSection* IniDocument::FindSection(std::string_view sectionName,
                                           const IniSection* previous) const {
  // Sections usually follow in the order they are looked up: try the next one first.
  if (previous && previous + 1 < sections.data() + sections.size()) {
    const IniSection* next = previous + 1;
    if (next->first_ && EqualsIgnoreAsciiCase(next->name, sectionName)) return next;
  }
  return FindSection(sectionName);
}

bool IniDocument::IsFirstOfName(const IniSection& section) const {
  return section.first_;
}

namespace {

std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

bool IniValueNeedsQuotes(std::string_view value) {
  if (value.empty()) return false;
  if (IsIniBlank(value.front()) || IsIniBlank(value.back())) return true;
  return value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
}

namespace {

// Calls visit(line, lineNo) for every line of the file, trimmed; lines end at CR LF, LF or CR.
template <typename Visit>
void ForEachLine(std::string_view bytes, Visit visit) {
  size_t pos = 0;
  // A file saved as UTF-8 may begin with a byte-order mark; it is not part of the first line.
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;
  size_t lineNo = 0;
  while (pos < bytes.size()) {
    size_t end = pos;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    const std::string_view line = Trim(bytes.substr(pos, end - pos));
    ++lineNo;
    pos = end;
    if (pos < bytes.size()) {
      if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n')
        pos += 2;
      else
        pos += 1;
    }
    visit(line, lineNo);
  }
}

}  // namespace

std::string_view IniLineText(std::string_view bytes, size_t lineNo) {
  std::string_view found;
  ForEachLine(bytes, [&](std::string_view line, size_t n) {
    if (n == lineNo) found = line;
  });
  return found;
}

IniDocument ParseIni(std::string_view bytes) {
  IniDocument doc;
  // The sections and keys are counted first, so that the lists take exactly the room they need:
  // room that grows by doubling, or is guessed from the bytes, can be many times the file's size
  // for a file of nothing but "[" or "=" lines.
  size_t sections = 0, keys = 0, ignored = 0;
  ForEachLine(bytes, [&](std::string_view line, size_t) {
    if (line.empty() || line.front() == ';') return;
    const bool counted = line.front() == '['
                             ? line.find(']') != std::string_view::npos && ++sections
                             : sections > 0 && line.find('=') != std::string_view::npos && ++keys;
    ignored += !counted;
  });
  doc.sections.reserve(sections);
  doc.keys_.reserve(keys);
  doc.ignored.reserve(ignored);

  IniSection* current = nullptr;
  ForEachLine(bytes, [&](std::string_view line, size_t lineNo) {
    if (line.empty() || line.front() == ';') return;
    if (line.front() == '[') {
      size_t close = line.rfind(']');
      if (close == std::string_view::npos) {
        doc.ignored.push_back({lineNo, TIniLineFault::lfNoClosingBracket});
        return;
      }
      IniSection section;
      section.name = Trim(line.substr(1, close - 1));
      section.line = lineNo;
      section.firstKey_ = doc.keys_.size();
      doc.sections.push_back(std::move(section));
      current = &doc.sections.back();
      return;
    }
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      doc.ignored.push_back({lineNo, TIniLineFault::lfNoEquals});
      return;
    }
    if (!current) {
      doc.ignored.push_back({lineNo, TIniLineFault::lfKeyOutsideSection});
      return;
    }
    IniKey key;
    key.name = Trim(line.substr(0, eq));
    // A value ends at a zero byte, as the system's profile functions end it: after the blanks
    // are trimmed and before the quotes are looked at.
    std::string_view value = Trim(line.substr(eq + 1));
    if (size_t zero = value.find('\0'); zero != std::string_view::npos) {
      value = value.substr(0, zero);
      doc.valuesCutAtZero.push_back(lineNo);
    }
    key.value = Unquote(value);
    key.line = lineNo;
    doc.keys_.push_back(key);
  });

  // Small sections (an entry has a dozen keys) are searched in order; large ones get an index.
  constexpr size_t kIndexedFrom = 16;
  doc.index_.reserve(doc.sections.size());
  for (size_t i = 0; i < doc.sections.size(); ++i) {
    IniSection& section = doc.sections[i];
    size_t end = i + 1 < doc.sections.size() ? doc.sections[i + 1].firstKey_ : doc.keys_.size();
    section.keys =
        std::span<const IniKey>(doc.keys_).subspan(section.firstKey_, end - section.firstKey_);
    section.first_ = doc.index_.try_emplace(section.name, i).second;
    if (section.keys.size() < kIndexedFrom) continue;
    section.index_ = std::make_unique<IniNameIndex>();
    section.index_->reserve(section.keys.size());
    for (size_t k = 0; k < section.keys.size(); ++k)
      section.index_->try_emplace(section.keys[k].name, k);
  }
  return doc;
}

}  // namespace tallimo
