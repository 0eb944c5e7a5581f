#include "tallimo_cat/catalogue_check.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>
#include <unordered_map>

#include "catalogue/catalogue_reading.h"
#include "catalogue/program_groups.h"
#include "catalogue/unread_lines.h"
#include "install/detect.h"
#include "install/disc_paths.h"
#include "install/program_rules.h"
#include "platform/locale.h"

namespace tallimo {

namespace {

// Longest value that every reader of the format takes whole.
constexpr size_t kPortableValueLength = 1023;

char Fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string FoldAscii(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = Fold(c);
  return r;
}

// A file name with its letters folded (Unicode case), to find files ignoring case.
std::string FoldName(std::string_view name) {
  std::string folded;
  folded.reserve(name.size());
  for (size_t pos = 0; pos < name.size();) AppendUtf8(folded, FoldCase(NextCodePoint(name, pos)));
  return folded;
}

// Paths are UTF-8 inside the program, on every system.
std::filesystem::path PathFromUtf8(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}
std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool StartsWithIgnoreCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsIgnoreAsciiCase(s.substr(0, prefix.size()), prefix);
}

// The number of the file's last line, as the parser counts lines.
size_t LastLine(std::string_view text) {
  size_t lines = 1;
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
      ++lines;
  return lines;
}

bool IsDriveLetter(std::string_view s) {
  return s.size() >= 2 && s[1] == ':' &&
         ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
}

std::string Quoted(std::string_view s) {
  std::string q;
  q.reserve(s.size() + 2);
  q += '"';
  q.append(s);
  q += '"';
  return q;
}

class Checker {
 public:
  Checker(FileSystem& files, Locale& locale, std::string discRoot)
      : files_(files), root_(std::move(discRoot)), names_(NameOrder{locale}) {}

  void Run(const CatalogueText& file, const IniDocument& doc, const Catalogue& cat) {
    if (file.oddLength)
      Error(LastLine(file.text),
            "the UTF-16 file ends in half a character (an odd number of bytes): the last byte "
            "is not read");
    for (size_t line : file.replacedLines)
      Warn(line, file.encoding == TCatalogueEncoding::ceUtf8Mark
                     ? "bytes that are not UTF-8 are read as U+FFFD"
                     : "half of a UTF-16 surrogate pair is read as U+FFFD");
    for (size_t line : doc.valuesCutAtZero)
      Warn(line, "the value holds a zero byte: only the text before it is read");
    for (UnreadPart& part : FindUnreadParts(doc, cat)) {
      if (part.error)
        Error(part.line, std::move(part.text));
      else
        Warn(part.line, std::move(part.text));
    }
    // The sections that are read: values that other readers cut, and each entry's own checks.
    if (const IniSection* general = doc.FindSection("General")) CheckLengths(*general);
    for (size_t n = 1; n <= cat.ProgramList.size(); ++n) {
      const IniSection& section = *doc.FindSection(NumberedName("Program", n));
      CheckLengths(section);
      CheckEntry(section, *cat.ProgramList[n - 1]);
    }
    CheckRules(doc, cat);
  }

  std::vector<Finding>& Findings() { return findings_; }

 private:
  void Error(size_t line, std::string text) {
    findings_.push_back({line, TSeverity::svError, std::move(text)});
  }
  void Warn(size_t line, std::string text) {
    findings_.push_back({line, TSeverity::svWarning, std::move(text)});
  }

  void CheckLengths(const IniSection& section) {
    for (const auto& key : section.keys)
      if (section.IsFirstOfName(key) && key.value.size() > kPortableValueLength &&
          Utf16Length(key.value) > kPortableValueLength)
        Warn(key.line, "value of " + std::string(key.name) + " is " +
                           std::to_string(Utf16Length(key.value)) +
                           " characters long; other readers of the format cut it at " +
                           std::to_string(kPortableValueLength));
  }

  void CheckEntry(const IniSection& section, const TTallimoProg& entry) {
    const IniKey* nameKey = section.Find("Name");
    size_t line = nameKey->line;

    auto [it, fresh] = names_.try_emplace(entry.Name, line);
    if (!fresh)
      Warn(line, "program name " + Quoted(entry.Name) + " equals the one on line " +
                     std::to_string(it->second) +
                     " ignoring case: only the first is reachable from the list");

    if (entry.InstallLines.empty())
      Error(line, "program " + Quoted(entry.Name) +
                      " has no install lines: the menu refuses to install it");

    if (const IniKey* batch = section.Find("Batch")) {
      static const char* const meantOn[] = {"true", "yes", "on", "y", "t", "enabled"};
      std::string v = FoldAscii(batch->value);
      if (std::find(std::begin(meantOn), std::end(meantOn), v) != std::end(meantOn))
        Warn(batch->line, "Batch=" + std::string(batch->value) +
                              " reads as off; write Batch=1 to run the install lines as a "
                              "batch file, or Batch=0");
    }

    if (const IniKey* nfo = section.Find("NFO"); nfo && !entry.NfoPath.empty())
      CheckPath(nfo->line, "NFO file", entry.NfoPath, true);

    if (const IniKey* detect = section.Find("Detect")) CheckDetect(detect->line, entry.Detect);

    if (const IniKey* category = section.Find("Category"); category && !entry.Category.empty())
      CheckSpelling(categories_, "category", entry.Category, category->line);
    if (const IniKey* mark = section.Find("Default");
        mark && mark->value != "0" && mark->value != "1")
      Warn(mark->line, "Default=" + std::string(mark->value) + " reads as " +
                           (entry.Default ? "on" : "off") + "; write Default=1 or Default=0");
    if (const IniKey* presets = section.Find("Presets")) {
      for (const std::string& preset : entry.Presets)
        CheckSpelling(presets_, "preset", preset, presets->line);
      std::string_view value = presets->value;
      bool empty = !value.empty() && SplitPresets(value).size() != PresetParts(value);
      if (empty)
        Warn(presets->line,
             "Presets=" + std::string(value) + " holds an empty preset name, which is not read");
    }

    for (size_t k = 0; k < entry.InstallLines.size(); ++k) {
      const IniKey* key = section.Find(NumberedName("Install", k + 1));
      std::string_view text = entry.InstallLines[k];
      while (!text.empty() && IsIniBlank(text.front())) text.remove_prefix(1);
      while (!text.empty() && IsIniBlank(text.back())) text.remove_suffix(1);
      if (text.size() >= 2 && text.front() == '"' && text.back() == '"' &&
          text.find('"', 1) == text.size() - 1) {
        text = text.substr(1, text.size() - 2);
      } else if (text.find_first_of(" \t") != std::string_view::npos) {
        // A command with arguments: the parts that name paths from the disc's root. A line
        // that names an existing path whole is started whole.
        std::string_view whole = text;
        if (StartsWithIgnoreCase(whole, "%D:")) whole.remove_prefix(3);
        if (whole.starts_with('\\') && ExistsUnderRoot(whole.substr(1))) continue;
        for (const std::string& path : RootedPaths(text))
          CheckPath(key->line, "install path", path, false);
        for (const std::string& path : FullPaths(text)) WarnOutside(key->line, path);
        continue;
      }
      bool rooted = text.starts_with('\\') || StartsWithIgnoreCase(text, "%D:\\");
      if (text.starts_with("\\\\"))
        WarnOutside(key->line, text);
      else if (rooted || IsDriveLetter(text))
        CheckPath(key->line, "install path", text, false);
    }
  }

  // Requires and Excludes name programs of the catalogue; the requirements form no cycle;
  // Windows and Arch read.
  void CheckRules(const IniDocument& doc, const Catalogue& cat) {
    const ProgramRules rules(cat.ProgramList, SystemInfo{});
    std::unordered_map<std::string, size_t> byName;
    for (size_t i = 0; i < cat.ProgramList.size(); ++i)
      byName.try_emplace(FoldText(cat.ProgramList[i]->Name), i);
    auto lineOf = [&](size_t i, const char* key) {
      const IniSection& section = *doc.FindSection(NumberedName("Program", i + 1));
      const IniKey* found = section.Find(key);
      return found ? found->line : section.Find("Name")->line;
    };
    for (size_t i = 0; i < cat.ProgramList.size(); ++i) {
      const TTallimoProg& entry = *cat.ProgramList[i];
      const std::string name = Quoted(entry.Name);
      for (const auto& [key, names] :
           {std::pair<const char*, const StringList*>{"Requires", &entry.Requires},
            {"Excludes", &entry.Excludes}}) {
        const size_t line = lineOf(i, key);
        if (const IniKey* found = doc.FindSection(NumberedName("Program", i + 1))->Find(key);
            found && SplitPresets(found->value).size() != PresetParts(found->value))
          Warn(line, std::string(key) + "=" + std::string(found->value) +
                         " holds an empty name, which is not read");
        for (const std::string& other : *names) {
          auto it = byName.find(FoldText(other));
          if (it == byName.end())
            Error(line, std::string(key) + " of " + name + " names " + Quoted(other) +
                            ", which is no program of the catalogue");
          else if (it->second == i && names == &entry.Requires)
            Error(line, name + " requires itself");
          else if (it->second == i)
            Error(line, name + " excludes itself");
        }
      }
      for (size_t r : rules.Prerequisites(i)) {
        if (rules.Excluded(i, r))
          Error(lineOf(i, "Requires"), name + " requires " + Quoted(rules.Entry(r).Name) +
                                           ", which it cannot be installed together with");
        else if (r > i)
          Warn(lineOf(i, "Requires"),
               name + " requires " + Quoted(rules.Entry(r).Name) +
                   ", which comes after it in the catalogue: it installs first all the same");
      }
      if (!entry.Windows.empty() && !ParseWindowsRange(entry.Windows))
        Error(lineOf(i, "Windows"),
              "Windows=" + entry.Windows +
                  " does not read: write a version (XP, Vista, 7, 8, 8.1, 10, 11) or two with "
                  "\"-\" between them");
      if (!entry.Arch.empty() && !ParseArchList(entry.Arch))
        Error(lineOf(i, "Arch"),
              "Arch=" + entry.Arch + " does not read: write x86, x64 or arm64, separated by \";\"");
    }
    for (const std::vector<size_t>& cycle : rules.Cycles()) {
      std::string names;
      for (size_t i : cycle) names += (names.empty() ? "" : ", ") + Quoted(rules.Entry(i).Name);
      Error(lineOf(cycle.front(), "Requires"),
            "the requirements of " + names + " form a cycle: they install in catalogue order");
    }
  }

  // A file that a full path names (a file dropped on the menu from outside the disc's folder).
  void WarnOutside(size_t line, std::string_view path) {
    Warn(line, "install path " + std::string(path) +
                   " is a full path outside the disc: it is found only on a computer that has "
                   "it; copy the file onto the disc and name it from the disc's root");
  }

  // One category or preset in two spellings that differ only in letter case: one group,
  // named as first met.
  void CheckSpelling(std::unordered_map<std::string, std::pair<std::string, size_t>>& met,
                     const char* what, const std::string& name, size_t line) {
    const auto [it, fresh] = met.try_emplace(FoldName(name), name, line);
    if (!fresh && it->second.first != name)
      Warn(line, std::string(what) + " " + Quoted(name) + " differs from " +
                     Quoted(it->second.first) + " on line " + std::to_string(it->second.second) +
                     " only in letter case: both are " + Quoted(it->second.first));
  }

  // The names of a Presets value between its ";", empty ones counted.
  static size_t PresetParts(std::string_view value) {
    return static_cast<size_t>(std::count(value.begin(), value.end(), ';')) + 1;
  }

  // A Detect value: one of its three forms; a path's drive letter and variables that Windows
  // does not set itself are flagged.
  void CheckDetect(size_t line, const std::string& value) {
    const DetectRule rule = ParseDetect(value);
    std::string shown = value.size() > 80 ? value.substr(0, 77) + "..." : value;
    if (rule.form == TDetectForm::dfInvalid) {
      Error(line, "Detect value " + Quoted(shown) + " is never matched: " + rule.text);
      return;
    }
    if (rule.form != TDetectForm::dfPath) return;
    if (IsDriveLetter(rule.text)) {
      Warn(line, "Detect path " + Quoted(shown) +
                     " names a drive letter: Windows is not on the same drive on every machine; "
                     "use a variable such as %ProgramFiles% or %SystemRoot%");
    }
    bool unclosed = false;
    for (const std::string& name : VariableNames(rule.text, unclosed)) {
      static const char* const known[] = {"ProgramFiles",
                                          "ProgramFiles(x86)",
                                          "ProgramW6432",
                                          "CommonProgramFiles",
                                          "CommonProgramFiles(x86)",
                                          "CommonProgramW6432",
                                          "SystemRoot",
                                          "windir",
                                          "SystemDrive",
                                          "ProgramData",
                                          "ALLUSERSPROFILE",
                                          "APPDATA",
                                          "LOCALAPPDATA",
                                          "USERPROFILE",
                                          "PUBLIC",
                                          "HOMEDRIVE",
                                          "HOMEPATH",
                                          "TEMP",
                                          "TMP"};
      const bool isKnown = std::any_of(std::begin(known), std::end(known),
                                       [&](const char* k) { return EqualsFolded(name, k); });
      if (!isKnown)
        Warn(line, "Detect path " + Quoted(shown) + " uses %" + name +
                       "%, which Windows does not set: where it is missing the program counts "
                       "as not installed");
    }
    if (unclosed)
      Warn(line, "Detect path " + Quoted(shown) +
                     " has a % without its partner: the text after it is taken as it stands");
  }

  // An NFO path or an install path: drive letters are flagged, paths from the disc root must
  // exist under it. Relative NFO paths are taken from the root too (the menu starts there).
  void CheckPath(size_t line, const char* what, std::string_view path, bool relativeToo) {
    const std::string shown(path);
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
      path = path.substr(1, path.size() - 2);
    if (StartsWithIgnoreCase(path, "%D:")) {
      path.remove_prefix(3);
    } else if (IsDriveLetter(path)) {
      Warn(line, std::string(what) + " " + shown +
                     " names a drive letter: the disc's drive differs from machine to machine; "
                     "use %D: or a path from the disc's root");
      return;
    } else if (!path.starts_with('\\') && !relativeToo) {
      return;
    }
    while (!path.empty() && (path.front() == '\\' || path.front() == '/')) path.remove_prefix(1);
    if (path.empty()) return;  // the root itself
    if (!ExistsUnderRoot(path))
      Warn(line, std::string(what) + " " + shown + " does not exist under " + root_);
  }

  bool ExistsUnderRoot(std::string_view relative) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : relative) {
      if (c == '\\' || c == '/') {
        if (!part.empty()) parts.push_back(part);
        part.clear();
      } else {
        part += c;
      }
    }
    if (!part.empty()) parts.push_back(part);
    std::string exact = root_;
    for (const auto& p : parts) exact += "/" + p;
    if (files_.FileExists(exact) || files_.DirectoryExists(exact)) return true;

    // Disc file names do not depend on letter case; find each part ignoring it. Each folder
    // is listed once, so that a check of many entries stays linear.
    std::string at = root_;
    for (const auto& p : parts) {
      const auto& listing = Listing(at);
      auto it = listing.find(FoldName(p));
      if (it == listing.end()) return false;
      at = it->second;
    }
    return files_.FileExists(at) || files_.DirectoryExists(at);
  }

  // A folder's entries by their folded names (the first of names equal ignoring case).
  const std::unordered_map<std::string, std::string>& Listing(const std::string& folder) {
    auto [it, fresh] = listings_.try_emplace(folder);
    if (fresh) {
      std::error_code ec;
      for (std::filesystem::directory_iterator d(PathFromUtf8(folder), ec), end; !ec && d != end;
           d.increment(ec))
        it->second.try_emplace(FoldName(Utf8FromPath(d->path().filename())),
                               Utf8FromPath(d->path()));
    }
    return it->second;
  }

  FileSystem& files_;
  std::string root_;
  std::vector<Finding> findings_;
  // Names as the list merges them: equal ignoring case in the user's locale.
  struct NameOrder {
    Locale& locale;
    bool operator()(const std::string& a, const std::string& b) const {
      return locale.CompareIgnoreCase(a, b) < 0;
    }
  };
  std::map<std::string, size_t, NameOrder> names_;  // name -> line of the first
  // Folded name -> first spelling and its line.
  std::unordered_map<std::string, std::pair<std::string, size_t>> categories_, presets_;
  std::unordered_map<std::string, std::unordered_map<std::string, std::string>> listings_;
};

}  // namespace

std::vector<Finding> CheckCatalogue(const CatalogueText& file, const IniDocument& doc,
                                    const Catalogue& cat, FileSystem& files, Locale& locale,
                                    const std::string& discRoot) {
  Checker checker(files, locale, discRoot);
  checker.Run(file, doc, cat);
  std::vector<Finding> findings = std::move(checker.Findings());
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return findings;
}

}  // namespace tallimo
