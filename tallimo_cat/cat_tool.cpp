#include "tallimo_cat/cat_tool.h"

#include "catalogue/catalogue_file.h"
#include "catalogue/catalogue_reading.h"
#include "catalogue/ini_document.h"
#include "catalogue/program_groups.h"
#include "catalogue/success_codes.h"
#include "catalogue/unread_lines.h"
#include "install/disc_paths.h"
#include "platform/error.h"
#include "platform/text_codec.h"
#include "tallimo_cat/catalogue_check.h"
#include "tallimo_cat/catalogue_json.h"
#include "tallimo_cat/disc_check.h"
#include "tallimo_cat/disc_scan.h"

namespace tallimo {

namespace {

const char kUsage[] =
    "usage: tallimo-cat dump [--json] FILE\n"
    "       tallimo-cat check FILE [--disc-root DIR]\n"
    "       tallimo-cat rewrite [--force] FILE\n"
    "       tallimo-cat scan DISC [CATALOGUE]\n"
    "       tallimo-cat autorun DISC\n";

int Usage(std::ostream& err, const std::string& problem) {
  if (!problem.empty()) err << "tallimo-cat: " << problem << "\n";
  err << kUsage;
  return 2;
}

// The catalogue file as text, or a message and false when nothing stands there or it cannot be
// read (a folder, a pipe or a device, too little memory).
bool Exists(FileSystem& files, const std::string& path, std::ostream& err) {
  if (files.KindOf(path) != TFileKind::fkMissing) return true;
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

std::string Printable(std::string_view text) {
  return PrintableText(text);
}

void DumpList(std::ostream& out, const char* label, const StringList& items) {
  for (const auto& item : items) out << "    " << label << Printable(item) << "\n";
}

void DumpText(std::ostream& out, const std::string& file, const Catalogue& cat) {
  out << "Catalogue:  " << Printable(file) << "\n";
  out << "Encoding:   " << EncodingName(cat.Encoding) << "\n";
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
    if (!e.SuccessCodes.empty())
      out << "    Success: 0," << SuccessCodesText(e.SuccessCodes) << "\n";
    if (!e.Detect.empty()) out << "    Detect:  " << Printable(e.Detect) << "\n";
    if (!e.Category.empty()) out << "    Category: " << Printable(e.Category) << "\n";
    if (e.Default) out << "    Default: marked at start\n";
    if (!e.Presets.empty()) out << "    Presets: " << Printable(PresetsText(e.Presets)) << "\n";
    DumpList(out, "Serial:  ", e.SerialLines);
    DumpList(out, "Install: ", e.InstallLines);
    DumpList(out, "Info:    ", e.InfoLines);
    DumpList(out, "Specs:   ", e.SpecsLines);
  }
}

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
  cat.Encoding = text.encoding;
  if (json)
    out << CatalogueJson(cat) << "\n";
  else
    DumpText(out, file, cat);
  return 0;
}

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             FileSystem& files, Locale& locale, DiscFiles& disc) {
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
  const std::vector<Finding> findings = CheckCatalogue(text, doc, cat, files, locale, root);
  size_t errors = 0;
  for (const auto& f : findings) {
    errors += f.severity == TSeverity::svError;
    out << Printable(file) << ":" << f.line << ": "
        << (f.severity == TSeverity::svError ? "error: " : "warning: ") << Printable(f.text)
        << "\n";
  }
  const std::vector<DiscFinding> discFindings = CheckDisc(root, files, disc);
  for (const auto& f : discFindings) {
    errors += f.severity == TSeverity::svError;
    out << Printable(f.path) << ": " << (f.severity == TSeverity::svError ? "error: " : "warning: ")
        << Printable(f.text) << "\n";
  }
  // The summary goes to the error stream, so that the findings alone are the output.
  auto count = [](size_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
  };
  err << file << ": " << EncodingName(text.encoding) << ", "
      << count(cat.ProgramList.size(), "program") << ", " << count(errors, "error") << ", "
      << count(findings.size() + discFindings.size() - errors, "warning") << "\n";
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
    cat.Encoding = text.encoding;  // written back as it was read
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

int RunScanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   FileSystem& files, Locale& locale, Clock& clock, DiscFiles& disc,
                   InstallerDatabase& database) {
  if (args.size() < 2 || args.size() > 3) return Usage(err, "scan takes a DISC and a CATALOGUE");
  const std::string& root = args[1];
  if (!files.DirectoryExists(root)) {
    err << "tallimo-cat: " << root << ": no such disc root folder\n";
    return 2;
  }
  const std::string catalogue = args.size() == 3 ? args[2] : JoinPath(root, "TALLIMO.INI");
  return RunScan(root, catalogue, out, err, files, locale, clock, disc, database);
}

// The caption of the disc's catalogue (TALLIMO.INI), else the disc folder's name.
int RunAutorun(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               FileSystem& files, Locale& locale, DiscFiles& disc) {
  if (args.size() != 2) return Usage(err, "autorun takes one DISC");
  const std::string& root = args[1];
  if (!files.DirectoryExists(root)) {
    err << "tallimo-cat: " << root << ": no such disc root folder\n";
    return 2;
  }
  std::vector<FolderItem> items;
  std::string why;
  if (!disc.List(root, items, why)) {
    err << "tallimo-cat: " << root << ": " << why << "\n";
    return 2;
  }
  for (const FolderItem& item : items)
    if (FoldedDiscPath(item.name) == "autorun.inf") {
      err << "tallimo-cat: " << JoinPath(root, item.name)
          << " is there already; it is left as it is\n";
      return 0;
    }
  std::string caption = DiscFolderName(root);
  const std::string ini = JoinPath(root, "TALLIMO.INI");
  if (files.FileExists(ini)) {
    CatalogueText text;
    if (!ReadCatalogue(files, locale, ini, text, err)) return 2;
    Catalogue cat;
    ReadCatalogueText(text.text, cat);
    if (!cat.ConfigCaption.empty()) caption = cat.ConfigCaption;
  }
  const std::string utf8 = AutorunText(caption);
  // ANSI where every character fits, else UTF-16 with its mark, which Windows reads too.
  std::string bytes;
  if (!EncodeCatalogue(utf8, TCatalogueEncoding::ceAnsi, locale.AnsiCodePage(), bytes))
    EncodeCatalogue(utf8, TCatalogueEncoding::ceUtf16LittleEndian, locale.AnsiCodePage(), bytes);
  const std::string path = JoinPath(root, "autorun.inf");
  if (files.WriteNewFile(path, bytes) != TWriteResult::wrOk) {
    err << "tallimo-cat: Unable to write to " << path << "\n";
    return 1;
  }
  out << "Wrote " << path << "\n";
  return 0;
}

}  // namespace

std::string PrintableText(std::string_view text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t at = pos;
    const char32_t c = NextCodePoint(text, pos);
    if ((c < 0x20 && c != '\t') || c == 0x7F) {
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else if (c >= 0x80 && c <= 0x9F) {
      out += "\\u00";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out.append(text.substr(at, pos - at));
    }
  }
  return out;
}

int RunCatTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               FileSystem& files, Locale& locale, Clock& clock, DiscFiles& disc,
               InstallerDatabase& database) {
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
    code = RunCheck(args, out, err, files, locale, disc);
  else if (command == "rewrite")
    code = RunRewrite(args, out, err, files, locale, clock);
  else if (command == "scan")
    code = RunScanCommand(args, out, err, files, locale, clock, disc, database);
  else if (command == "autorun")
    code = RunAutorun(args, out, err, files, locale, disc);
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
