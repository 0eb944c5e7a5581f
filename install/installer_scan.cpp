#include "install/installer_scan.h"

#include <algorithm>

#include "install/disc_paths.h"

namespace tallimo {

namespace {

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return r;
}

// Why a file is not looked at, by its name; nullptr for the .msi, .msu and .exe files.
const char* NotCandidate(const std::string& name) {
  const std::string lower = Lower(name);
  if (lower == "tallimo.exe" || lower == "tallimo-cat.exe") return "Tallimo's own program";
  if (lower.ends_with(".msi") || lower.ends_with(".msu") || lower.ends_with(".exe")) return nullptr;
  return "not a .msi, .msu or .exe file";
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

class Walker {
 public:
  Walker(DiscFiles& discFiles, InstallerDatabase& database)
      : disc_(discFiles), database_(database) {}

  void Folder(const std::string& path, const std::string& discPath, int depth) {
    std::vector<FolderItem> items;
    std::string why;
    if (!disc_.List(path, items, why)) {
      found_.push_back({discPath + "\\", path, {false, "cannot be read: " + why, {}}});
      return;
    }
    // Path order: names compared ignoring case, so that the order is the same on every system.
    std::sort(items.begin(), items.end(), [](const FolderItem& a, const FolderItem& b) {
      const std::string la = FoldedDiscPath(a.name), lb = FoldedDiscPath(b.name);
      return la != lb ? la < lb : a.name < b.name;
    });
    const size_t first = found_.size();
    for (const FolderItem& item : items) {
      const std::string itemPath = JoinPath(path, item.name);
      const std::string itemDisc = discPath + "\\" + item.name;
      if (item.folder && !item.link) {
        if (depth < kScanDepth) Folder(itemPath, itemDisc, depth + 1);
        continue;
      }
      if (item.folder || NotCandidate(item.name)) continue;
      if (item.link)
        found_.push_back(
            {itemDisc, itemPath, {false, "a link: the disc's files are read where they are", {}}});
      else
        File(itemPath, itemDisc, item.name);
    }
    LeaveOutHelpers(first, discPath);
  }

  void File(const std::string& path, const std::string& discPath, const std::string& name) {
    ScannedFile file{discPath, path, {}};
    std::string why;
    if (auto source = disc_.Open(path, why))
      file.id = IdentifyInstaller(path, name, *source, database_);
    else
      file.id.leftOutWhy = "cannot be read: " + why;
    found_.push_back(std::move(file));
  }

  std::vector<ScannedFile>& Found() { return found_; }

 private:
  // The programs beside a recognised setup in this folder (not in its subfolders) are its helpers.
  void LeaveOutHelpers(size_t first, const std::string& discPath) {
    auto inFolder = [&](const ScannedFile& f) {
      return f.discPath.size() > discPath.size() + 1 &&
             f.discPath.find('\\', discPath.size() + 1) == std::string::npos;
    };
    const ScannedFile* setup = nullptr;
    for (size_t i = first; i < found_.size() && !setup; ++i)
      if (inFolder(found_[i]) && found_[i].id.identified &&
          found_[i].id.info.type != TInstallerType::itOther)
        setup = &found_[i];
    if (!setup) return;
    const std::string setupPath = setup->discPath;
    for (size_t i = first; i < found_.size(); ++i) {
      ScannedFile& f = found_[i];
      if (inFolder(f) && f.id.identified && f.id.info.type == TInstallerType::itOther) {
        f.id.identified = false;
        f.id.leftOutWhy = "a helper beside the setup " + setupPath;
      }
    }
  }

  DiscFiles& disc_;
  InstallerDatabase& database_;
  std::vector<ScannedFile> found_;
};

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
  return path;
}

// What an install line names for `path`: the path from the disc's root when it lies in the
// disc's folder ("" for the folder itself), else the full path.
std::string CommandPath(const std::string& path, std::string folder) {
  folder = WithoutTrailingSeparators(std::move(folder));
  const std::string full = WithoutTrailingSeparators(path);
  if (!folder.empty() && full.size() >= folder.size() &&
      FoldedDiscPath(full.substr(0, folder.size())) == FoldedDiscPath(folder)) {
    if (full.size() == folder.size()) return {};
    if (IsSeparator(full[folder.size()]) || IsSeparator(folder.back())) {
      std::string rest = full.substr(folder.size() - (IsSeparator(folder.back()) ? 1 : 0));
      std::replace(rest.begin(), rest.end(), '/', '\\');
      return rest;
    }
  }
  return full;
}

}  // namespace

std::vector<ScannedFile> ScanDisc(const std::string& disc, DiscFiles& discFiles,
                                  InstallerDatabase& database) {
  Walker walker(discFiles, database);
  walker.Folder(disc, "", 0);
  return std::move(walker.Found());
}

std::set<std::string> NamedDiscPaths(const TProgramList& list) {
  std::set<std::string> named;
  for (const auto& entry : list)
    for (const std::string& line : entry->InstallLines) {
      for (const std::string& path : RootedPaths(line)) named.insert(FoldedDiscPath(path));
      for (const std::string& path : FullPaths(line)) named.insert(FoldedDiscPath(path));
    }
  return named;
}

std::vector<ScannedFile> IdentifyDropped(const std::vector<std::string>& paths,
                                         const std::string& discFolder, const TProgramList& list,
                                         FileSystem& files, DiscFiles& discFiles,
                                         InstallerDatabase& database) {
  Walker walker(discFiles, database);
  for (const std::string& path : paths) {
    const std::string command = CommandPath(path, discFolder);
    if (files.KindOf(path) == TFileKind::fkFolder) {
      walker.Folder(path, command, 0);
      continue;
    }
    const size_t slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (const char* why = NotCandidate(name))
      walker.Found().push_back({command, path, {false, why, {}}});
    else
      walker.File(path, command, name);
  }
  std::vector<ScannedFile> found = std::move(walker.Found());
  std::set<std::string> named = NamedDiscPaths(list);
  for (ScannedFile& f : found)
    if (f.id.identified && !named.insert(FoldedDiscPath(f.discPath)).second) {
      f.id.identified = false;
      f.id.leftOutWhy = "already in the catalogue";
    }
  return found;
}

}  // namespace tallimo
