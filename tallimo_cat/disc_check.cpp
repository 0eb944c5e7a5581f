#include "tallimo_cat/disc_check.h"

#include <algorithm>
#include <map>

#include "catalogue/ini_document.h"
#include "install/disc_paths.h"
#include "install/install_line.h"
#include "install/installer_id.h"
#include "platform/text_codec.h"

namespace tallimo {

namespace {

class DiscChecker {
 public:
  DiscChecker(const std::string& root, FileSystem& files, DiscFiles& disc)
      : root_(root), files_(files), disc_(disc) {}

  void Names(const std::string& path, const std::string& discPath, int depth) {
    std::vector<FolderItem> items;
    std::string why;
    if (!disc_.List(path, items, why)) {
      Warn(discPath.empty() ? "\\" : discPath, "the folder cannot be read: " + why);
      return;
    }
    std::sort(items.begin(), items.end(),
              [](const FolderItem& a, const FolderItem& b) { return a.name < b.name; });
    std::map<std::string, std::string> folded;  // folded name -> the name first seen
    for (const FolderItem& item : items) {
      const std::string itemDisc = discPath + "\\" + item.name;
      if (depth == 0) top_.emplace(FoldedDiscPath(item.name), item);
      auto [it, fresh] = folded.try_emplace(FoldedDiscPath(item.name), item.name);
      if (!fresh)
        Error(itemDisc, "differs from \"" + it->second +
                            "\" only in letter case: Windows cannot hold both in one folder");
      if (const size_t n = Utf16Length(item.name); n > kJolietNameLength)
        Error(itemDisc, "the name is " + std::to_string(n) + " characters long; Joliet holds " +
                            std::to_string(kJolietNameLength));
      for (char c : std::string_view("*/:;?\\"))
        if (item.name.find(c) != std::string::npos)
          Warn(itemDisc, std::string("the name holds \"") + c + "\", which Joliet does not allow");
      if (const size_t n = Utf16Length(itemDisc); n > kDiscPathWarnLength)
        Warn(itemDisc, "the path is " + std::to_string(n) +
                           " characters long: programs that take at most 260 may fail with "
                           "it on the disc's drive");
      if (!item.folder || item.link) continue;
      if (depth + 1 > kIsoFolderDepth) {
        Error(itemDisc, "the folder is " + std::to_string(depth + 1) +
                            " folders deep; ISO 9660 holds " + std::to_string(kIsoFolderDepth));
        continue;
      }
      Names(JoinPath(path, item.name), itemDisc, depth + 1);
    }
  }

  void Autorun() {
    auto inf = top_.find("autorun.inf");
    if (inf == top_.end() || inf->second.folder) return;
    const std::string at = "\\" + inf->second.name;
    std::string bytes;
    if (!files_.ReadWholeFile(JoinPath(root_, inf->second.name), bytes)) {
      Error(at, "the file cannot be read");
      return;
    }
    const IniDocument doc = ParseIni(bytes);
    const IniSection* section = doc.FindSection("autorun");
    if (!section) {
      Error(at, "there is no [autorun] section: Windows ignores the file");
      return;
    }
    const IniKey* open = section->Find("open");
    if (!open || open->value.empty()) {
      Warn(at, "there is no open= line: the disc does not start Tallimo");
    } else {
      const std::string program = SplitCommandLine(open->value).program;
      if (!Exists(program))
        Error(at, "open=" + std::string(open->value) + " names a file that the disc lacks");
      const size_t slash = program.find_last_of("\\/");
      const std::string name = program.substr(slash == std::string::npos ? 0 : slash + 1);
      if (FoldedDiscPath(name) != "tallimo.exe")
        Warn(at, "open=" + std::string(open->value) + " does not start Tallimo");
    }
    if (const IniKey* icon = section->Find("icon")) {
      const std::string_view value = icon->value;
      const std::string file(value.substr(0, value.rfind(',')));
      if (!Exists(file))
        Error(at, "icon=" + std::string(value) + " names a file that the disc lacks");
    }
  }

  std::vector<DiscFinding>& Findings() { return findings_; }

 private:
  // A file named from the disc's root (with or without a leading "\"), found ignoring case.
  bool Exists(std::string_view relative) {
    std::string at = root_;
    std::string part;
    std::vector<std::string> parts;
    for (char c : relative) {
      if (c == '\\' || c == '/') {
        if (!part.empty()) parts.push_back(part);
        part.clear();
      } else {
        part += c;
      }
    }
    if (!part.empty()) parts.push_back(part);
    if (parts.empty()) return false;
    for (size_t i = 0; i < parts.size(); ++i) {
      std::vector<FolderItem> items;
      std::string why;
      if (!disc_.List(at, items, why)) return false;
      auto it = std::find_if(items.begin(), items.end(), [&](const FolderItem& item) {
        return FoldedDiscPath(item.name) == FoldedDiscPath(parts[i]);
      });
      if (it == items.end() || (i + 1 < parts.size() && !it->folder)) return false;
      at = JoinPath(at, it->name);
    }
    return true;
  }

  void Error(const std::string& path, std::string text) {
    findings_.push_back({path, TSeverity::svError, std::move(text)});
  }
  void Warn(const std::string& path, std::string text) {
    findings_.push_back({path, TSeverity::svWarning, std::move(text)});
  }

  std::string root_;
  FileSystem& files_;
  DiscFiles& disc_;
  std::map<std::string, FolderItem> top_;  // the root's items by folded name
  std::vector<DiscFinding> findings_;
};

}  // namespace

std::vector<DiscFinding> CheckDisc(const std::string& root, FileSystem& files, DiscFiles& disc) {
  DiscChecker checker(root, files, disc);
  checker.Names(root, "", 0);
  checker.Autorun();
  return std::move(checker.Findings());
}

std::string AutorunText(const std::string& caption) {
  const std::string clean = CleanInstallerText(caption);
  std::string label;
  size_t characters = 0;
  for (size_t pos = 0; pos < clean.size() && characters < kAutorunLabelLength; ++characters) {
    const size_t at = pos;
    NextCodePoint(clean, pos);
    label.append(clean, at, pos - at);
  }
  return "[autorun]\r\nopen=TALLIMO.EXE\r\nicon=TALLIMO.EXE,0\r\nlabel=" + label +
         "\r\naction=Install programs from " + clean + "\r\n";
}

}  // namespace tallimo
