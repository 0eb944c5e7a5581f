#include "catalogue/catalogue_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "catalogue/catalogue_reading.h"
#include "catalogue/date_text.h"
#include "catalogue/ini_document.h"
#include "catalogue/program_groups.h"
#include "catalogue/success_codes.h"
#include "platform/error.h"

namespace tallimo {

std::string NumberedName(std::string_view stem, size_t number) {
  std::string name(stem);
  name += std::to_string(number);
  return name;
}

namespace {

std::string ValueOr(const IniSection* section, std::string_view key, std::string_view fallback) {
  const IniKey* k = section ? section->Find(key) : nullptr;
  return std::string(k ? k->value : fallback);
}

// Items stem1, stem2, ... up to the first absent number.
void ReadNumbered(const IniSection* section, std::string_view stem, StringList& list) {
  list.clear();
  if (!section) return;
  std::string name(stem);
  for (size_t k = 1;; ++k) {
    name.resize(stem.size());
    name += std::to_string(k);
    const IniKey* key = section->Find(name);
    if (!key) break;
    list.emplace_back(key->value);
  }
}

}  // namespace

void ReadCatalogueDocument(const IniDocument& doc, Catalogue& cat) {
  cat.ProgramList.clear();
  cat.CurrentEntry = nullptr;
  const IniSection* general = doc.FindSection("General");
  cat.ConfigCaption = ValueOr(general, "Caption", "");
  cat.CreatedBy = ValueOr(general, "CreatedBy", "");
  cat.WriteDate = ValueOr(general, "WriteDate", "");
  ReadNumbered(general, "Note", cat.NoteLines);

  std::string sectionName = "Program";
  const IniSection* section = nullptr;
  for (size_t n = 1;; ++n) {
    sectionName.resize(7);
    sectionName += std::to_string(n);
    section = doc.FindSection(sectionName, section);
    const IniKey* name = section ? section->Find("Name") : nullptr;
    if (!name) break;
    auto entry = std::make_unique<TTallimoProg>();
    cat.CurrentEntry = entry.get();
    entry->Name = std::string(name->value);
    entry->NfoPath = ValueOr(section, "NFO", "");
    entry->Batch = ReadBatchValue(ValueOr(section, "Batch", ""));
    entry->SuccessCodes = ParseSuccessCodes(ValueOr(section, "SuccessCodes", ""));
    entry->Detect = ValueOr(section, "Detect", "");
    entry->Restart = ReadRestartValue(ValueOr(section, "Restart", ""));
    entry->Category = ValueOr(section, "Category", "");
    entry->Default = ReadBatchValue(ValueOr(section, "Default", ""));
    entry->Presets = SplitPresets(ValueOr(section, "Presets", ""));
    entry->Requires = SplitPresets(ValueOr(section, "Requires", ""));
    entry->Excludes = SplitPresets(ValueOr(section, "Excludes", ""));
    entry->Windows = ValueOr(section, "Windows", "");
    entry->Arch = ValueOr(section, "Arch", "");
    ReadNumbered(section, "Serial", entry->SerialLines);
    ReadNumbered(section, "Install", entry->InstallLines);
    ReadNumbered(section, "Info", entry->InfoLines);
    ReadNumbered(section, "Specs", entry->SpecsLines);
    cat.ProgramList.push_back(std::move(entry));
  }
}

void ReadCatalogueText(std::string_view bytes, Catalogue& cat) {
  ReadCatalogueDocument(ParseIni(bytes), cat);
}

namespace {

class IniWriter {
 public:
  explicit IniWriter(std::string& out) : out_(out) {}
  void Section(std::string_view name) {
    out_ += '[';
    out_ += name;
    out_ += "]\r\n";
  }
  void Key(std::string_view name, std::string_view value) {
    // A value is one line: a line break in it would end the key and could start another, so
    // it is written as a blank.
    std::string oneLine;
    if (value.find_first_of("\r\n") != std::string_view::npos) {
      oneLine.assign(value);
      std::replace_if(
          oneLine.begin(), oneLine.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
      value = oneLine;
    }
    out_ += name;
    out_ += '=';
    if (IniValueNeedsQuotes(value)) {
      out_ += '"';
      out_ += value;
      out_ += '"';
    } else {
      out_ += value;
    }
    out_ += "\r\n";
  }
  void Numbered(std::string_view stem, const StringList& items) {
    std::string name(stem);
    for (size_t j = 0; j < items.size(); ++j) {
      name.resize(stem.size());
      name += std::to_string(j + 1);
      Key(name, items[j]);
    }
  }

 private:
  std::string& out_;
};

}  // namespace

namespace {

std::string WriteText(const Catalogue& cat, std::string_view writeDate) {
  std::string out;
  size_t estimate = 128 + cat.ConfigCaption.size() + cat.CreatedBy.size();
  for (const auto& n : cat.NoteLines) estimate += n.size() + 12;
  for (const auto& e : cat.ProgramList) {
    estimate += 64 + e->Name.size() + e->NfoPath.size() + e->Detect.size() + e->Category.size();
    estimate += e->Windows.size() + e->Arch.size();
    for (const StringList* names : {&e->Presets, &e->Requires, &e->Excludes})
      for (const auto& name : *names) estimate += name.size() + 1;
    for (const StringList* l : {&e->SerialLines, &e->InstallLines, &e->InfoLines, &e->SpecsLines})
      for (const auto& item : *l) estimate += item.size() + 16;
  }
  out.reserve(estimate);

  IniWriter w(out);
  w.Section("General");
  w.Key("Caption", cat.ConfigCaption);
  w.Key("CreatedBy", cat.CreatedBy);
  w.Numbered("Note", cat.NoteLines);
  w.Key("WriteDate", writeDate);
  for (size_t i = 0; i < cat.ProgramList.size(); ++i) {
    const TTallimoProg& e = *cat.ProgramList[i];
    w.Section(NumberedName("Program", i + 1));
    w.Key("Name", e.Name);
    w.Key("NFO", e.NfoPath);
    w.Key("Batch", e.Batch ? "1" : "0");
    if (!e.SuccessCodes.empty()) w.Key("SuccessCodes", SuccessCodesText(e.SuccessCodes));
    if (!e.Detect.empty()) w.Key("Detect", e.Detect);
    if (e.Restart != TRestartRule::rrAtEnd)
      w.Key("Restart", std::to_string(static_cast<int>(e.Restart)));
    if (!e.Category.empty()) w.Key("Category", e.Category);
    if (e.Default) w.Key("Default", "1");
    if (!e.Presets.empty()) w.Key("Presets", PresetsText(e.Presets));
    if (!e.Requires.empty()) w.Key("Requires", PresetsText(e.Requires));
    if (!e.Excludes.empty()) w.Key("Excludes", PresetsText(e.Excludes));
    if (!e.Windows.empty()) w.Key("Windows", e.Windows);
    if (!e.Arch.empty()) w.Key("Arch", e.Arch);
    w.Numbered("Serial", e.SerialLines);
    w.Numbered("Install", e.InstallLines);
    w.Numbered("Info", e.InfoLines);
    w.Numbered("Specs", e.SpecsLines);
  }
  return out;
}

}  // namespace

std::string WriteCatalogueText(const Catalogue& cat) {
  return WriteText(cat, cat.WriteDate);
}

bool ReadBatchValue(const std::string& text) {
  std::string s = text;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s.replace(0, 2, "$");
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  if (i == s.size()) return false;
  if (s[i] == '$') {
    ++i;
    if (i == s.size()) return false;
    uint64_t v = 0;
    for (; i < s.size(); ++i) {
      char c = s[i];
      int d;
      if (c >= '0' && c <= '9')
        d = c - '0';
      else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
      else
        return false;
      v = v * 16 + static_cast<uint64_t>(d);
      if (v > 0xFFFFFFFFull) return false;  // does not fit 32 bits
    }
    return v != 0;
  }
  bool negative = false;
  if (s[i] == '+' || s[i] == '-') {
    negative = s[i] == '-';
    ++i;
  }
  if (i == s.size()) return false;
  uint64_t v = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
    if (v > (negative ? 2147483648ull : 2147483647ull)) return false;  // out of range
  }
  return v != 0;
}

TRestartRule ReadRestartValue(std::string_view text) {
  if (text == "1") return TRestartRule::rrWhenNeeded;
  if (text == "2") return TRestartRule::rrAlways;
  return TRestartRule::rrAtEnd;
}

namespace {

// Windows takes "/" as a folder separator too, so every system treats it as one.
bool IsFolderSeparator(char c) {
  return c == '\\' || c == ':' || c == '/';
}

}  // namespace

std::string BackupFileName(const std::string& iniFileName) {
  size_t nameStart = 0;
  for (size_t i = iniFileName.size(); i > 0; --i)
    if (IsFolderSeparator(iniFileName[i - 1])) {
      nameStart = i;
      break;
    }
  size_t dot = iniFileName.rfind('.');
  if (dot != std::string::npos && dot >= nameStart) return iniFileName.substr(0, dot) + ".old";
  return iniFileName + ".old";
}

namespace {

TallimoError NotEnoughMemory(const std::string& path) {
  return TallimoError("Not enough memory to read " + path);
}

}  // namespace

CatalogueText ReadCatalogueFile(const std::string& path, FileSystem& files, Locale& locale) {
  switch (files.KindOf(path)) {
    case TFileKind::fkFolder:
      throw TallimoError(path + " is a folder, not a catalogue file");
    case TFileKind::fkOther:
      throw TallimoError(path + " is not a regular file");
    default:
      break;
  }
  try {
    std::string bytes;
    if (!files.ReadWholeFile(path, bytes)) throw TallimoError("Unable to read " + path);
    return DecodeCatalogue(std::move(bytes), locale.AnsiCodePage());
  } catch (const std::bad_alloc&) {
    throw NotEnoughMemory(path);
  }
}

void LoadCatalogue(Catalogue& cat, FileSystem& files, Locale& locale) {
  if (files.KindOf(cat.IniFileName) == TFileKind::fkMissing) return;
  Catalogue read;
  try {
    const CatalogueText file = ReadCatalogueFile(cat.IniFileName, files, locale);
    ReadCatalogueText(file.text, read);
    read.Encoding = file.encoding;
  } catch (const std::bad_alloc&) {
    throw NotEnoughMemory(cat.IniFileName);
  }
  // Only a catalogue read whole replaces the one in memory.
  cat.ConfigCaption = std::move(read.ConfigCaption);
  cat.CreatedBy = std::move(read.CreatedBy);
  cat.WriteDate = std::move(read.WriteDate);
  cat.NoteLines = std::move(read.NoteLines);
  cat.ProgramList = std::move(read.ProgramList);
  cat.CurrentEntry = read.CurrentEntry;
  cat.Encoding = read.Encoding;
}

namespace {

// A name beside `base` that no file or folder has yet.
std::string FreeName(FileSystem& files, const std::string& base) {
  for (int k = 0; k < 1000; ++k) {
    std::string name = base + (k ? std::to_string(k) : std::string());
    if (!files.FileExists(name) && !files.DirectoryExists(name)) return name;
  }
  return {};
}

}  // namespace

namespace {

// The character at `badAt` of the catalogue's text as written, and the key and program that
// hold it: the key's line starts the line, the section's line is the last "[" line before.
UnstorableCharacter UnstorableAt(const Catalogue& cat, std::string_view written, size_t badAt) {
  UnstorableCharacter found;
  found.character = CharacterAt(written, badAt);
  const size_t lineStart = written.rfind('\n', badAt) + 1;  // npos + 1 is 0
  found.place = std::string(written.substr(lineStart, written.find('=', lineStart) - lineStart));
  size_t section = lineStart;
  while (section > 0 && written[section] != '[') section = written.rfind('\n', section - 2) + 1;
  const std::string_view header = written.substr(section);
  if (header.starts_with("[Program")) {
    const size_t n = std::strtoul(header.data() + 8, nullptr, 10);
    if (n >= 1 && n <= cat.ProgramList.size())
      found.place += " of \"" + cat.ProgramList[n - 1]->Name + "\"";
  }
  return found;
}

}  // namespace

// The new file is written complete under a free temporary name, then an older backup is moved
// aside, the catalogue becomes the backup and the new file takes the catalogue's name. Any
// failure undoes the moves done so far, so catalogue and backup stay as they were.
void ReplaceCatalogueFile(const std::string& ini, std::string_view text, FileSystem& files) {
  auto fail = [&ini]() { return TallimoError("Unable to write to " + ini); };

  std::string temp;
  for (int attempt = 0;; ++attempt) {
    temp = FreeName(files, ini + ".new");
    if (temp.empty() || attempt == 10) throw fail();
    TWriteResult r = files.WriteNewFile(temp, text);
    if (r == TWriteResult::wrOk) break;
    if (r == TWriteResult::wrFailed) {
      // The name was free a moment ago, so whatever stands there now is our broken write.
      if (files.FileExists(temp)) files.RemoveFile(temp);
      throw fail();
    }
  }

  const std::string backup = BackupFileName(ini);
  if (!files.FileExists(ini)) {
    if (!files.MoveFile(temp, ini)) {
      files.RemoveFile(temp);
      throw fail();
    }
  } else if (EqualsIgnoreAsciiCase(backup, ini)) {
    // A catalogue named like its own backup (DISC.old) cannot keep one: the old file waits
    // under a spare name until the new one is in place.
    const std::string spare = FreeName(files, ini + ".prev");
    if (spare.empty() || !files.MoveFile(ini, spare)) {
      files.RemoveFile(temp);
      throw fail();
    }
    if (!files.MoveFile(temp, ini)) {
      files.MoveFile(spare, ini);
      files.RemoveFile(temp);
      throw fail();
    }
    files.RemoveFile(spare);
  } else {
    // An older backup waits under a spare name until the new catalogue is in place.
    std::string spare;
    if (files.FileExists(backup)) {
      spare = FreeName(files, backup + ".prev");
      if (spare.empty() || !files.MoveFile(backup, spare)) {
        files.RemoveFile(temp);
        throw fail();
      }
    }
    auto restoreSpare = [&] {
      if (!spare.empty()) files.MoveFile(spare, backup);
    };
    if (!files.MoveFile(ini, backup)) {
      restoreSpare();
      files.RemoveFile(temp);
      throw fail();
    }
    if (!files.MoveFile(temp, ini)) {
      files.MoveFile(backup, ini);
      restoreSpare();
      files.RemoveFile(temp);
      throw fail();
    }
    if (!spare.empty()) files.RemoveFile(spare);
  }
}

// The save: the catalogue's text in its encoding, put in place by ReplaceCatalogueFile.
void SaveCatalogue(Catalogue& cat, FileSystem& files, Locale& locale, Clock& clock) {
  const std::string ini = cat.IniFileName;
  const std::string writeDate = DateTimeText(clock.Now(), locale);
  const std::string utf8 = WriteText(cat, writeDate);
  const TCatalogueEncoding encoding = EncodingToWrite(cat.Encoding, utf8, locale.AnsiCodePage());
  std::string text;
  size_t badAt = 0;
  if (!EncodeCatalogue(utf8, encoding, locale.AnsiCodePage(), text, &badAt))
    throw TallimoError(UnstorableCharacterText(ini, UnstorableAt(cat, utf8, badAt)));
  ReplaceCatalogueFile(ini, text, files);
  cat.WriteDate = writeDate;
  cat.Encoding = encoding;
  cat.Modified = false;
}

std::optional<UnstorableCharacter> FindUnstorableCharacter(const Catalogue& cat,
                                                           const CodePage& ansi) {
  const std::string utf8 = WriteText(cat, cat.WriteDate);
  std::string bytes;
  size_t badAt = 0;
  if (ansi.FromUtf8(utf8, bytes, &badAt)) return std::nullopt;
  return UnstorableAt(cat, utf8, badAt);
}

std::string UnstorableCharacterText(const std::string& file, const UnstorableCharacter& found) {
  return file + " holds characters that the ANSI code page cannot store, such as \"" +
         found.character + "\" in " + found.place + ".";
}

}  // namespace tallimo
