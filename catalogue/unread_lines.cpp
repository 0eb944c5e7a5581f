#include "catalogue/unread_lines.h"

#include <algorithm>
#include <initializer_list>

#include "catalogue/catalogue_file.h"
#include "catalogue/catalogue_reading.h"
#include "catalogue/success_codes.h"

namespace tallimo {

namespace {

bool StartsWithIgnoreCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsIgnoreAsciiCase(s.substr(0, prefix.size()), prefix);
}

// The number after `stem` in `name` ("Install12" -> 12), with its text; false when `name` is
// not stem + decimal digits.
bool SplitNumbered(std::string_view name, std::string_view stem, std::string_view& digits) {
  if (name.size() <= stem.size() || !StartsWithIgnoreCase(name, stem)) return false;
  digits = name.substr(stem.size());
  return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The number of a numbered name when it is one the reader can reach (no leading zero), else 0.
size_t NumberOf(std::string_view digits) {
  if (digits.empty() || digits[0] == '0' || digits.size() > 9) return 0;
  size_t n = 0;
  for (char c : digits) n = n * 10 + static_cast<size_t>(c - '0');
  return n;
}

struct ListSpec {
  const char* stem;
  size_t count;  // items read
};

class UnreadFinder {
 public:
  explicit UnreadFinder(std::vector<UnreadPart>& parts) : parts_(parts) {}

  void Run(const IniDocument& doc, const Catalogue& cat) {
    for (const auto& ignored : doc.ignored) {
      switch (ignored.fault) {
        case TIniLineFault::lfNoEquals:
          Line(ignored.line, false, "line without \"=\" is not read");
          break;
        case TIniLineFault::lfNoClosingBracket:
          Line(ignored.line, false, "section line without \"]\" is not read");
          break;
        case TIniLineFault::lfKeyOutsideSection:
          Line(ignored.line, false, "key before the first section is not read");
          break;
      }
    }

    const size_t programs = cat.ProgramList.size();
    const IniSection* hiding = doc.FindSection(NumberedName("Program", programs + 1));
    if (hiding)
      Section(*hiding, true,
              "section [" + std::string(hiding->name) +
                  "] has no Name key: the program list ends here, and this section and every "
                  "later one are never read");

    for (const auto& section : doc.sections) {
      if (!doc.IsFirstOfName(section)) {
        Section(section, true,
                "duplicate section [" + std::string(section.name) +
                    "] is never read (the first one, on line " +
                    std::to_string(doc.FindSection(section.name)->line) +
                    ", is); it is lost at the next save");
        continue;
      }
      std::string_view digits;
      if (EqualsIgnoreAsciiCase(section.name, "General")) {
        Keys(section, {"Caption", "CreatedBy", "WriteDate"}, {{"Note", cat.NoteLines.size()}});
      } else if (SplitNumbered(section.name, "Program", digits)) {
        size_t n = NumberOf(digits);
        if (n >= 1 && n <= programs) {
          const TTallimoProg& entry = *cat.ProgramList[n - 1];
          SuccessCodes(section);
          Restart(section);
          Keys(section,
               {"Name", "NFO", "Batch", "SuccessCodes", "Detect", "Restart", "Category", "Default",
                "Presets", "Requires", "Excludes", "Windows", "Arch"},
               {{"Serial", entry.SerialLines.size()},
                {"Install", entry.InstallLines.size()},
                {"Info", entry.InfoLines.size()},
                {"Specs", entry.SpecsLines.size()}});
        } else if (&section != hiding) {
          Section(section, true,
                  "section [" + std::string(section.name) +
                      "] is never read (the program list ends after Program" +
                      std::to_string(programs) + "); it is lost at the next save");
        }
      } else {
        Section(section, false,
                "unknown section [" + std::string(section.name) +
                    "] is not read; it is lost at the next save");
      }
    }
  }

 private:
  // The parts of a SuccessCodes value that are not numbers are dropped by the reader.
  void SuccessCodes(const IniSection& section) {
    const IniKey* key = section.Find("SuccessCodes");
    if (!key) return;
    std::vector<std::string> rejected;
    ParseSuccessCodes(key->value, &rejected);
    for (const std::string& part : rejected)
      Line(key->line, true,
           "SuccessCodes part \"" + part +
               "\" is not a number and is never read; it is lost at the next save");
  }

  // A Restart value that is no rule reads as 0, which is not written.
  void Restart(const IniSection& section) {
    const IniKey* key = section.Find("Restart");
    if (key && !key->value.empty() && key->value != "0" &&
        ReadRestartValue(key->value) == TRestartRule::rrAtEnd)
      Line(key->line, true,
           "Restart=" + std::string(key->value) +
               " does not read: write 0 (when the queue ends), 1 (before the next program, when "
               "needed) or 2 (always, before the next program); it is lost at the next save");
  }

  void Line(size_t line, bool error, std::string text) {
    parts_.push_back({line, 1, error, std::move(text)});
  }
  // A section that is not read: its header line and every key line in it.
  void Section(const IniSection& section, bool error, std::string text) {
    parts_.push_back({section.line, 1 + section.keys.size(), error, std::move(text)});
  }

  void Keys(const IniSection& section, std::initializer_list<const char*> fixed,
            std::initializer_list<ListSpec> lists) {
    for (const auto& key : section.keys) {
      std::string name(key.name);
      if (!section.IsFirstOfName(key)) {
        Line(key.line, true,
             "duplicate key " + name + " is never read (the one on line " +
                 std::to_string(section.Find(key.name)->line) +
                 " is); it is lost at the next save");
        continue;
      }
      bool known = std::any_of(fixed.begin(), fixed.end(),
                               [&](const char* f) { return EqualsIgnoreAsciiCase(key.name, f); });
      if (known) continue;
      for (const ListSpec& list : lists) {
        std::string_view digits;
        if (!SplitNumbered(key.name, list.stem, digits)) continue;
        known = true;
        size_t n = NumberOf(digits);
        if (n == 0 || n > list.count) {
          std::string stops = list.count
                                  ? "stop at " + std::string(list.stem) + std::to_string(list.count)
                                  : "start at " + std::string(list.stem) + "1, which is absent";
          Line(key.line, true,
               "key " + name + " is never read (the " + list.stem + " lines " + stops +
                   "); it is lost at the next save");
        }
        break;
      }
      if (!known)
        Line(key.line, false, "unknown key " + name + " is not read; it is lost at the next save");
    }
  }

  std::vector<UnreadPart>& parts_;
};

}  // namespace

std::vector<UnreadPart> FindUnreadParts(const IniDocument& doc, const Catalogue& cat) {
  std::vector<UnreadPart> parts;
  UnreadFinder(parts).Run(doc, cat);
  return parts;
}

std::optional<UnreadLines> FindUnreadLines(std::string_view text) {
  const IniDocument doc = ParseIni(text);
  Catalogue cat;
  ReadCatalogueDocument(doc, cat);
  std::vector<UnreadPart> parts = FindUnreadParts(doc, cat);
  if (parts.empty()) return std::nullopt;
  UnreadLines unread;
  unread.firstLine = parts.front().line;
  for (const UnreadPart& part : parts) {
    unread.count += part.lines;
    unread.firstLine = std::min(unread.firstLine, part.line);
  }
  unread.firstText = std::string(IniLineText(text, unread.firstLine));
  return unread;
}

std::string UnreadLinesText(const std::string& file, const UnreadLines& unread) {
  constexpr size_t kShownLength = 60;
  return file + " holds " + std::to_string(unread.count) +
         " lines that Tallimo does not read, the first at line " +
         std::to_string(unread.firstLine) + ": " + unread.firstText.substr(0, kShownLength) + ".";
}

}  // namespace tallimo
