#include "catalogue/cat_tool.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>
#include <unordered_map>

#include "catalogue/catalogue_file.h"
#include "catalogue/catalogue_reading.h"
#include "catalogue/ini_document.h"
#include "catalogue/unread_lines.h"
#include "platform/error.h"

namespace tallimo {

namespace {

const char kUsage[] =
    "usage: tallimo-cat dump [--json] FILE\n"
    "       tallimo-cat check FILE [--disc-root DIR]\n"
    "       tallimo-cat rewrite [--force] FILE\n";

// Longest value that every reader of the format takes whole.
constexpr size_t kPortableValueLength = 1023;

int Usage(std::ostream& err, const std::string& problem) {
  if (!problem.empty()) err << "tallimo-cat: " << problem << "\n";
  err << kUsage;
  return 2;
}

// The catalogue file as text, or a message and false when nothing stands there or it cannot be
// read (a folder, a pipe or a device, too little memory).
bool Exists(FileSystem& files, const std::string& path, std::ostream& err) {
  if (files.KindOf(path) != FileKind::fkMissing) return true;
  err << "tallimo-cat: " << path << ": no such catalogue file\n";
  return false;
}

bool ReadCatalogue(FileSystem& files, Locale& locale, const std::string& path, CatalogueText& file,
                   std::ostream& err) {
  if (!Exists(files, path, err)) return false;
  try {
    file = ReadCatalogueFile(path, files, locale);
  } catch (const TallimoError& e) {
    err << "tallimo-cat: " << e.what() << "\n";
    return false;
  }
  return true;
}

int NotEnoughMemory(std::ostream& err, const std::string& path) {
  err << "tallimo-cat: Not enough memory to read " << path << "\n";
  return 2;
}

// Text for a terminal: control bytes (other than tab) and DEL as \xNN, so that a catalogue
// cannot retitle or clear the terminal it is shown on.
std::string Printable(std::string_view text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c < 0x20 && c != '\t') || c == 0x7F) {
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += ch;
    }
  }
  return out;
}

char Fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string FoldAscii(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = Fold(c);
  return r;
}

bool StartsWithIgnoreCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsIgnoreAsciiCase(s.substr(0, prefix.size()), prefix);
}

bool IsDriveLetter(std::string_view s) {
  return s.size() >= 2 && s[1] == ':' &&
         ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
}

// ---- dump ----

void DumpList(std::ostream& out, const char* label, const StringList& items) {
  for (const auto& item : items) out << "    " << label << Printable(item) << "\n";
}

void DumpText(std::ostream& out, const std::string& file, const Catalogue& cat) {
  out << "Catalogue:  " << Printable(file) << "\n";
  out << "Caption:    " << Printable(cat.ConfigCaption) << "\n";
  out << "Created by: " << Printable(cat.CreatedBy) << "\n";
  out << "Written:    " << Printable(cat.WriteDate) << "\n";
  for (const auto& note : cat.NoteLines) out << "Note:       " << Printable(note) << "\n";
  out << "Programs:   " << cat.ProgramList.size() << "\n";
  for (size_t i = 0; i < cat.ProgramList.size(); ++i) {
    const TTallimoProg& e = *cat.ProgramList[i];
    out << "\n[" << (i + 1) << "] " << Printable(e.Name) << "\n";
    out << "    NFO:     " << Printable(e.NfoPath) << "\n";
    out << "    Batch:   " << (e.Batch ? "yes (run as a batch file)" : "no (line by line)") << "\n";
    DumpList(out, "Serial:  ", e.SerialLines);
    DumpList(out, "Install: ", e.InstallLines);
    DumpList(out, "Info:    ", e.InfoLines);
    DumpList(out, "Specs:   ", e.SpecsLines);
  }
}

void JsonList(std::string& out, const StringList& items) {
  out += '[';
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out += ',';
    out += JsonString(items[i]);
  }
  out += ']';
}

// ---- check ----

enum class Severity { svError, svWarning };

struct Finding {
  size_t line;
  Severity severity;
  std::string text;
};

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
  Checker(FileSystem& files, std::string discRoot) : files_(files), root_(std::move(discRoot)) {}

  void Run(const CatalogueText& file, const IniDocument& doc, const Catalogue& cat) {
    if (file.utf16)
      Warn(1,
           "the file is UTF-16 (\"Unicode\"): Tallimo reads it in the ANSI code page and "
           "writes it back as ANSI");
    for (size_t line : file.unconvertibleLines)
      Warn(line, "characters that the ANSI code page lacks are read as \"?\"");
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
  }

  std::vector<Finding>& Findings() { return findings_; }

 private:
  void Error(size_t line, std::string text) {
    findings_.push_back({line, Severity::svError, std::move(text)});
  }
  void Warn(size_t line, std::string text) {
    findings_.push_back({line, Severity::svWarning, std::move(text)});
  }

  void CheckLengths(const IniSection& section) {
    for (const auto& key : section.keys)
      if (section.IsFirstOfName(key) && key.value.size() > kPortableValueLength)
        Warn(key.line, "value of " + std::string(key.name) + " is " +
                           std::to_string(key.value.size()) +
                           " characters long; other readers of the format cut it at " +
                           std::to_string(kPortableValueLength));
  }

  void CheckEntry(const IniSection& section, const TTallimoProg& entry) {
    const IniKey* nameKey = section.Find("Name");
    size_t line = nameKey->line;

    auto [it, fresh] = names_.try_emplace(FoldAscii(entry.Name), line);
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

    for (size_t k = 0; k < entry.InstallLines.size(); ++k) {
      const IniKey* key = section.Find(NumberedName("Install", k + 1));
      std::string_view text = entry.InstallLines[k];
      while (!text.empty() && IsIniBlank(text.front())) text.remove_prefix(1);
      while (!text.empty() && IsIniBlank(text.back())) text.remove_suffix(1);
      if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
      else if (text.find_first_of(" \t") != std::string_view::npos)
        continue;  // a command with arguments, not just a path
      bool rooted = text.starts_with('\\') || StartsWithIgnoreCase(text, "%D:\\");
      if (rooted || IsDriveLetter(text)) CheckPath(key->line, "install path", text, false);
    }
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
      auto it = listing.find(FoldAscii(p));
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
      for (std::filesystem::directory_iterator d(folder, ec), end; !ec && d != end; d.increment(ec))
        it->second.try_emplace(FoldAscii(d->path().filename().string()), d->path().string());
    }
    return it->second;
  }

  FileSystem& files_;
  std::string root_;
  std::vector<Finding> findings_;
  std::map<std::string, size_t> names_;  // folded name -> line of the first
  std::unordered_map<std::string, std::unordered_map<std::string, std::string>> listings_;
};

std::string FolderOf(const std::string& path) {
  size_t sep = path.find_last_of("/\\");
  if (sep == std::string::npos) return ".";
  return sep == 0 ? path.substr(0, 1) : path.substr(0, sep);
}

int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            FileSystem& files, Locale& locale) {
  bool json = false;
  std::string file;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--json")
      json = true;
    else if (!args[i].empty() && args[i][0] == '-' && args[i] != "-")
      return Usage(err, "unknown option " + args[i]);
    else if (file.empty())
      file = args[i];
    else
      return Usage(err, "dump takes one FILE");
  }
  if (file.empty()) return Usage(err, "dump needs a FILE");
  CatalogueText text;
  if (!ReadCatalogue(files, locale, file, text, err)) return 2;
  Catalogue cat;
  try {
    ReadCatalogueText(text.text, cat);
  } catch (const std::bad_alloc&) {
    return NotEnoughMemory(err, file);
  }
  if (json)
    out << CatalogueJson(cat) << "\n";
  else
    DumpText(out, file, cat);
  return 0;
}

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             FileSystem& files, Locale& locale) {
  std::string file, root;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--disc-root") {
      if (i + 1 == args.size()) return Usage(err, "--disc-root needs a DIR");
      root = args[++i];
    } else if (!args[i].empty() && args[i][0] == '-') {
      return Usage(err, "unknown option " + args[i]);
    } else if (file.empty()) {
      file = args[i];
    } else {
      return Usage(err, "check takes one FILE");
    }
  }
  if (file.empty()) return Usage(err, "check needs a FILE");
  if (root.empty()) root = FolderOf(file);
  if (!files.DirectoryExists(root)) {
    err << "tallimo-cat: " << root << ": no such disc root folder\n";
    return 2;
  }
  CatalogueText text;
  if (!ReadCatalogue(files, locale, file, text, err)) return 2;
  IniDocument doc;
  Catalogue cat;
  try {
    doc = ParseIni(text.text);
    ReadCatalogueDocument(doc, cat);
  } catch (const std::bad_alloc&) {
    return NotEnoughMemory(err, file);
  }
  Checker checker(files, root);
  checker.Run(text, doc, cat);
  auto& findings = checker.Findings();
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  size_t errors = 0;
  for (const auto& f : findings) {
    errors += f.severity == Severity::svError;
    out << Printable(file) << ":" << f.line << ": "
        << (f.severity == Severity::svError ? "error: " : "warning: ") << Printable(f.text) << "\n";
  }
  // The summary goes to the error stream, so that the findings alone are the output.
  auto count = [](size_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
  };
  err << file << ": " << count(cat.ProgramList.size(), "program") << ", " << count(errors, "error")
      << ", " << count(findings.size() - errors, "warning") << "\n";
  return errors ? 1 : 0;
}

int RunRewrite(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               FileSystem& files, Locale& locale, Clock& clock) {
  bool force = false;
  std::string file;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--force")
      force = true;
    else if (!args[i].empty() && args[i][0] == '-')
      return Usage(err, "unknown option " + args[i]);
    else if (file.empty())
      file = args[i];
    else
      return Usage(err, "rewrite takes one FILE");
  }
  if (file.empty()) return Usage(err, "rewrite takes one FILE");
  CatalogueText text;
  if (!ReadCatalogue(files, locale, file, text, err)) return 2;
  Catalogue cat;
  cat.IniFileName = file;
  try {
    // Lines that the catalogue does not hold would be lost by the rewrite: only on request.
    if (!force) {
      if (auto unread = FindUnreadLines(text.text)) {
        err << "tallimo-cat: " << Printable(UnreadLinesText(file, *unread)) << "\n"
            << "tallimo-cat: rewriting drops them; give --force to rewrite all the same\n";
        return 1;
      }
    }
    ReadCatalogueText(text.text, cat);
  } catch (const std::bad_alloc&) {
    return NotEnoughMemory(err, file);
  }
  try {
    SaveCatalogue(cat, files, locale, clock);
  } catch (const TallimoError& e) {
    err << "tallimo-cat: " << e.what() << "\n";
    return 1;
  }
  out << "Wrote " << cat.IniFileName << " (" << cat.ProgramList.size()
      << " programs); the previous file is " << BackupFileName(cat.IniFileName) << "\n";
  return 0;
}

}  // namespace

std::string JsonString(std::string_view text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || c >= 0x7F) {
      out += "\\u00";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += ch;
    }
  }
  out += '"';
  return out;
}

std::string CatalogueJson(const Catalogue& cat) {
  std::string out = "{\"caption\":" + JsonString(cat.ConfigCaption);
  out += ",\"createdBy\":" + JsonString(cat.CreatedBy);
  out += ",\"notes\":";
  JsonList(out, cat.NoteLines);
  out += ",\"writeDate\":" + JsonString(cat.WriteDate);
  out += ",\"programs\":[";
  for (size_t i = 0; i < cat.ProgramList.size(); ++i) {
    const TTallimoProg& e = *cat.ProgramList[i];
    if (i) out += ',';
    out += "{\"name\":" + JsonString(e.Name);
    out += ",\"nfo\":" + JsonString(e.NfoPath);
    out += e.Batch ? ",\"batch\":true" : ",\"batch\":false";
    out += ",\"serial\":";
    JsonList(out, e.SerialLines);
    out += ",\"install\":";
    JsonList(out, e.InstallLines);
    out += ",\"info\":";
    JsonList(out, e.InfoLines);
    out += ",\"specs\":";
    JsonList(out, e.SpecsLines);
    out += '}';
  }
  out += "]}";
  return out;
}

int RunCatTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               FileSystem& files, Locale& locale, Clock& clock) {
  if (args.empty()) return Usage(err, "");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage;
    return 0;
  }
  int code;
  if (command == "dump")
    code = RunDump(args, out, err, files, locale);
  else if (command == "check")
    code = RunCheck(args, out, err, files, locale);
  else if (command == "rewrite")
    code = RunRewrite(args, out, err, files, locale, clock);
  else
    return Usage(err, "unknown command " + command);
  // Output that did not reach its file (a full disk) is a failure, not a result.
  if (!out.flush()) {
    err << "tallimo-cat: cannot write the output\n";
    return 1;
  }
  return code;
}

}  // namespace tallimo
