#include "catalogue/ini_document.h"

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
  auto it = index_.find(keyName);
  return it == index_.end() ? nullptr : &keys[it->second];
}

bool IniSection::IsFirstOfName(const IniKey& key) const {
  return Find(key.name) == &key;
}

const IniSection* IniDocument::FindSection(std::string_view sectionName) const {
  auto it = index_.find(sectionName);
  return it == index_.end() ? nullptr : &sections[it->second];
}

bool IniDocument::IsFirstOfName(const IniSection& section) const {
  return FindSection(section.name) == &section;
}

std::string_view IniValueOf(std::string_view rawValue) {
  std::string_view v = Trim(rawValue);
  if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return v;
}

bool IniValueNeedsQuotes(std::string_view value) {
  if (value.empty()) return false;
  if (IsIniBlank(value.front()) || IsIniBlank(value.back())) return true;
  return value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
}

IniDocument ParseIni(std::string_view bytes) {
  IniDocument doc;
  size_t pos = 0;
  size_t lineNo = 0;
  IniSection* current = nullptr;
  while (pos < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = Trim(bytes.substr(pos, end - pos));
    ++lineNo;
    // One line break: CR LF, LF or CR.
    pos = end;
    if (pos < bytes.size()) {
      if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n')
        pos += 2;
      else
        pos += 1;
    }

    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      size_t close = line.rfind(']');
      if (close == std::string_view::npos) {
        doc.ignored.push_back({lineNo, IniLineFault::lfNoClosingBracket});
        continue;
      }
      IniSection section;
      section.name = Trim(line.substr(1, close - 1));
      section.line = lineNo;
      doc.sections.push_back(std::move(section));
      current = &doc.sections.back();
      doc.index_.try_emplace(current->name, doc.sections.size() - 1);
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      doc.ignored.push_back({lineNo, IniLineFault::lfNoEquals});
      continue;
    }
    if (!current) {
      doc.ignored.push_back({lineNo, IniLineFault::lfKeyOutsideSection});
      continue;
    }
    IniKey key;
    key.name = Trim(line.substr(0, eq));
    key.rawValue = line.substr(eq + 1);
    key.value = IniValueOf(key.rawValue);
    key.line = lineNo;
    current->keys.push_back(key);
    current->index_.try_emplace(key.name, current->keys.size() - 1);
  }
  return doc;
}

}  // namespace tallimo
