#include "tallimo_cat/disc_scan.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "catalogue/catalogue_file.h"
#include "catalogue/catalogue_reading.h"
#include "catalogue/ini_document.h"
#include "install/disc_paths.h"
#include "platform/error.h"
#include "platform/text_codec.h"
#include "tallimo_cat/cat_tool.h"

namespace tallimo {

namespace {

// Where line `afterLine` ends (past its line break) in the file's bytes, lines ending at CR LF,
// LF or CR as the parser reads them; `broken` tells whether that line has a break at all.
size_t LineEndOffset(const std::string& bytes, TCatalogueEncoding encoding, size_t afterLine,
                     bool& broken) {
  const bool utf16 = encoding == TCatalogueEncoding::ceUtf16LittleEndian ||
                     encoding == TCatalogueEncoding::ceUtf16BigEndian;
  const bool big = encoding == TCatalogueEncoding::ceUtf16BigEndian;
  const size_t step = utf16 ? 2 : 1;
  size_t at = utf16 ? 2 : (encoding == TCatalogueEncoding::ceUtf8Mark ? kUtf8Mark.size() : 0);
  auto unit = [&](size_t i) -> int {
    if (i + step > bytes.size()) return -1;
    if (!utf16) return static_cast<unsigned char>(bytes[i]);
    const int a = static_cast<unsigned char>(bytes[i]),
              b = static_cast<unsigned char>(bytes[i + 1]);
    return big ? a << 8 | b : b << 8 | a;
  };
  broken = true;
  for (size_t line = 0; line < afterLine; ++line) {
    int c;
    while ((c = unit(at)) != -1 && c != '\r' && c != '\n') at += step;
    if (c == -1) {
      broken = false;
      return bytes.size();
    }
    at += step;
    if (c == '\r' && unit(at) == '\n') at += step;
  }
  return at;
}

// The lines a file's text holds: its line breaks, and one more for a last line without one.
size_t LinesIn(std::string_view text) {
  size_t lines = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
      ++lines;
  if (!text.empty() && text.back() != '\n' && text.back() != '\r') ++lines;
  return lines;
}

}  // namespace

std::string DiscFolderName(const std::string& disc) {
  std::filesystem::path p(std::u8string(disc.begin(), disc.end()));
  p = std::filesystem::absolute(p).lexically_normal();
  if (!p.has_filename()) p = p.parent_path();
  const std::u8string name = p.filename().u8string();
  return std::string(name.begin(), name.end());
}

namespace {

std::string Described(const ScannedFile& f) {
  const InstallerInfo& info = f.id.info;
  std::string line = f.discPath + ": " + InstallerTypeName(info.type) + " \"" + info.name + "\"";
  if (!info.version.empty()) line += " " + info.version;
  return line;
}

}  // namespace

std::string InsertSections(const std::string& bytes, const CatalogueText& file, size_t afterLine,
                           const std::string& sections, const CodePage& ansi, bool& toUtf8) {
  toUtf8 = false;
  bool broken = true;
  const size_t at = LineEndOffset(bytes, file.encoding, afterLine, broken);
  const std::string text = (broken ? "" : "\r\n") + sections;
  std::string encoded;
  if (file.encoding == TCatalogueEncoding::ceAnsi && !ansi.FromUtf8(text, encoded)) {
    // The whole file becomes UTF-8: the same text, spliced where the bytes would have gone.
    toUtf8 = true;
    const std::string_view view = bytes;
    return std::string(kUtf8Mark) + ansi.ToUtf8(view.substr(0, at)) + text +
           ansi.ToUtf8(view.substr(at));
  }
  if (file.encoding != TCatalogueEncoding::ceAnsi) {
    EncodeCatalogue(text, file.encoding, ansi, encoded);
    if (file.encoding == TCatalogueEncoding::ceUtf8Mark) encoded.erase(0, kUtf8Mark.size());
    if (file.encoding == TCatalogueEncoding::ceUtf16LittleEndian ||
        file.encoding == TCatalogueEncoding::ceUtf16BigEndian)
      encoded.erase(0, 2);
  }
  std::string out = bytes;
  out.insert(at, encoded);
  return out;
}

int RunScan(const std::string& disc, const std::string& catalogue, std::ostream& out,
            std::ostream& err, FileSystem& files, Locale& locale, Clock& clock,
            DiscFiles& discFiles, InstallerDatabase& database) {
  std::vector<ScannedFile> found = ScanDisc(disc, discFiles, database);

  const bool exists = files.KindOf(catalogue) != TFileKind::fkMissing;
  std::string bytes;
  CatalogueText file;
  Catalogue cat;
  IniDocument doc;
  if (exists) {
    try {
      file = ReadCatalogueFile(catalogue, files, locale);  // the errors for a folder and others
      if (!files.ReadWholeFile(catalogue, bytes)) throw TallimoError("Unable to read " + catalogue);
    } catch (const TallimoError& e) {
      err << "tallimo-cat: " << e.what() << "\n";
      return 2;
    }
    doc = ParseIni(file.text);
    ReadCatalogueDocument(doc, cat);
  }
  std::set<std::string> named = NamedDiscPaths(cat.ProgramList);

  Catalogue added;
  for (const ScannedFile& f : found) {
    if (!f.id.identified) {
      out << PrintableText(f.discPath + ": left out (" + f.id.leftOutWhy + ")") << "\n";
      continue;
    }
    const bool already = !named.insert(FoldedDiscPath(f.discPath)).second;
    out << PrintableText(Described(f)) << (already ? ", already in the catalogue" : ", added")
        << "\n";
    if (!already)
      added.ProgramList.push_back(
          std::make_unique<TTallimoProg>(InstallerEntry(f.id.info, f.discPath)));
  }

  try {
    if (!exists) {
      added.IniFileName = catalogue;
      added.ConfigCaption = CleanInstallerText(DiscFolderName(disc));
      SaveCatalogue(added, files, locale, clock);
      err << catalogue << ": written, " << added.ProgramList.size() << " programs ("
          << EncodingName(added.Encoding) << ")\n";
      return 0;
    }
    if (added.ProgramList.empty()) {
      err << catalogue << ": nothing to add\n";
      return 0;
    }
    // The new sections, numbered on from the last program read, as the catalogue writes them.
    const size_t last = cat.ProgramList.size();
    std::string sections;
    for (size_t i = 0; i < added.ProgramList.size(); ++i) {
      Catalogue one;
      one.ProgramList.push_back(std::move(added.ProgramList[i]));
      const std::string whole = WriteCatalogueText(one);
      const size_t from = whole.find("\r\n[Program1]\r\n") + 2;
      sections += "[" + NumberedName("Program", last + i + 1) + "]" +
                  whole.substr(from + std::string_view("[Program1]").size());
      added.ProgramList[i] = std::move(one.ProgramList[0]);
    }
    // After the last section read; with none, at the end, but always before a section that
    // would take the first new number (one without a name, which ends the list).
    size_t afterLine = LinesIn(file.text);
    if (last > 0) {
      const IniSection& s = *doc.FindSection(NumberedName("Program", last));
      afterLine = s.keys.empty() ? s.line : s.keys.back().line;
    }
    if (const IniSection* next = doc.FindSection(NumberedName("Program", last + 1)))
      afterLine = std::min(afterLine, next->line - 1);
    bool toUtf8 = false;
    const std::string written =
        InsertSections(bytes, file, afterLine, sections, locale.AnsiCodePage(), toUtf8);
    // The file as it will be read back must hold the old entries and the new ones.
    Catalogue check;
    ReadCatalogueText(DecodeCatalogue(written, locale.AnsiCodePage()).text, check);
    if (check.ProgramList.size() != last + added.ProgramList.size()) {
      // A [Program<n>] section further down, unread so far, would be read from then on.
      err << "tallimo-cat: " << catalogue
          << ": with the new entries, program sections that are not read now would be read; "
             "nothing is written\n";
      return 1;
    }
    ReplaceCatalogueFile(catalogue, written, files);
    if (toUtf8)
      err << catalogue
          << ": a name does not fit the ANSI code page, so the whole file is now UTF-8 with "
             "byte-order mark\n";
    err << catalogue << ": " << added.ProgramList.size() << " programs added; the previous file is "
        << BackupFileName(catalogue) << "\n";
  } catch (const TallimoError& e) {
    err << "tallimo-cat: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace tallimo
