#include "install/detect.h"

#include <algorithm>
#include <utility>

#include "platform/locale.h"

namespace tallimo {

namespace {

char Fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Display names and their starts compare in Unicode case (a name in any script).
std::string Folded(std::string_view s) {
  return FoldText(s);
}

bool StartsWithIgnoreCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Fold(s[i]) != Fold(prefix[i])) return false;
  return true;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// `path` begins with the folder `folder` (ignoring case): the rest after it, from its "\" on.
std::optional<std::string_view> Below(std::string_view path, std::string_view folder) {
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
    folder.remove_suffix(1);
  if (folder.empty() || !StartsWithIgnoreCase(path, folder)) return std::nullopt;
  std::string_view rest = path.substr(folder.size());
  if (!rest.empty() && rest.front() != '\\' && rest.front() != '/') return std::nullopt;
  return rest;
}

struct Root {
  const char* name;
  TRegistryRoot root;
};
constexpr Root kRoots[] = {{"HKLM", TRegistryRoot::rrLocalMachine},
                           {"HKEY_LOCAL_MACHINE", TRegistryRoot::rrLocalMachine},
                           {"HKCU", TRegistryRoot::rrCurrentUser},
                           {"HKEY_CURRENT_USER", TRegistryRoot::rrCurrentUser}};
constexpr const char* kOtherRoots[] = {"HKCR", "HKU", "HKCC", "HKEY_"};

constexpr std::string_view kUninstallPrefix = "uninstall:";

}  // namespace

DetectRule ParseDetect(std::string_view value) {
  while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
  while (!value.empty() && IsBlank(value.back())) value.remove_suffix(1);
  DetectRule rule;
  if (value.empty()) return rule;
  if (StartsWithIgnoreCase(value, kUninstallPrefix)) {
    std::string_view text = value.substr(kUninstallPrefix.size());
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    if (text.empty())
      return {TDetectForm::dfInvalid, {}, "uninstall: needs the start of a DisplayName after it"};
    return {TDetectForm::dfUninstall, {}, std::string(text)};
  }
  const size_t slash = value.find('\\');
  const std::string_view first = value.substr(0, slash);
  for (const Root& root : kRoots) {
    if (!EqualsFolded(first, root.name)) continue;
    std::string_view key = slash == std::string_view::npos ? "" : value.substr(slash + 1);
    while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
    if (key.empty())
      return {
          TDetectForm::dfInvalid, {}, "a registry key needs a path below " + std::string(first)};
    return {TDetectForm::dfKey, root.root, std::string(key)};
  }
  for (const char* other : kOtherRoots)
    if (StartsWithIgnoreCase(first, other) && first.size() >= 3)
      return {TDetectForm::dfInvalid,
              {},
              "the key is under " + std::string(first) + ": only HKLM and HKCU are read"};
  const bool drive = value.size() >= 3 && value[1] == ':' &&
                     (value[2] == '\\' || value[2] == '/') &&
                     ((value[0] >= 'A' && value[0] <= 'Z') || (value[0] >= 'a' && value[0] <= 'z'));
  const bool share = value.size() >= 3 && (value[0] == '\\' || value[0] == '/') &&
                     (value[1] == '\\' || value[1] == '/');
  const bool variable = value.front() == '%' && value.find('%', 1) != std::string_view::npos;
  if (const std::string device = DeviceName(value); !device.empty())
    return {TDetectForm::dfInvalid,
            {},
            "it names the device " + device + ", which is no program's file or folder"};
  if (drive || share || variable) return {TDetectForm::dfPath, {}, std::string(value)};
  return {TDetectForm::dfInvalid,
          {},
          "it is none of a full path (such as %ProgramFiles%\\Editor\\editor.exe), a registry "
          "key (HKLM\\... or HKCU\\...) and uninstall:TEXT"};
}

std::string DeviceName(std::string_view path) {
  if (path.size() >= 4 && (path[0] == '\\' || path[0] == '/') &&
      (path[1] == '\\' || path[1] == '/') && path[2] == '.' && (path[3] == '\\' || path[3] == '/'))
    return std::string(path);  // the device namespace
  const size_t slash = path.find_last_of("\\/:");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  name = name.substr(0, name.find('.'));
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  std::string upper;
  for (char c : name) upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  static constexpr const char* kDevices[] = {"CON",    "PRN",     "AUX",   "NUL",
                                             "CONIN$", "CONOUT$", "CLOCK$"};
  for (const char* device : kDevices)
    if (upper == device) return upper;
  const bool numbered = upper.size() == 4 &&
                        (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
                        upper[3] <= '9';
  return numbered ? upper : std::string();
}

bool EqualsFolded(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithIgnoreCase(a, b);
}

std::vector<std::string> VariableNames(std::string_view text, bool& unclosed) {
  std::vector<std::string> names;
  unclosed = false;
  for (size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%', at)) {
    const size_t end = text.find('%', at + 1);
    if (end == std::string_view::npos) {
      unclosed = true;
      break;
    }
    if (end > at + 1) names.emplace_back(text.substr(at + 1, end - at - 1));
    at = end + 1;
  }
  return names;
}

std::string ExpandVariables(std::string_view text, Environment& environment) {
  std::string out;
  out.reserve(text.size());
  size_t at = 0;
  while (at < text.size()) {
    const size_t open = text.find('%', at);
    const size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    out.append(text.substr(at, open - at));
    const std::string name(text.substr(open + 1, close - open - 1));
    const std::string value = name.empty() ? std::string() : environment.GetEnvVar(name);
    if (value.empty()) {
      // Left as it stands; its closing sign may open the next name.
      out.append(text.substr(open, close - open));
      at = close;
    } else {
      out += value;
      at = close + 1;
    }
  }
  out.append(text.substr(at));
  return out;
}

std::vector<std::string> PathCandidates(const std::string& expanded, Environment& environment,
                                        bool wow64) {
  std::vector<std::string> paths{expanded};
  if (!wow64) return paths;
  const std::pair<const char*, const char*> folders[] = {
      {"ProgramFiles", "ProgramW6432"}, {"CommonProgramFiles", "CommonProgramW6432"}};
  for (const auto& [seen, native] : folders) {
    const std::string nativeFolder = environment.GetEnvVar(native);
    if (nativeFolder.empty()) continue;
    const std::string seenFolder = environment.GetEnvVar(seen);
    if (Below(seenFolder, nativeFolder)) continue;  // the same folder
    if (auto rest = Below(expanded, seenFolder)) paths.push_back(nativeFolder + std::string(*rest));
  }
  const std::string windows = environment.GetEnvVar("SystemRoot");
  if (!windows.empty())
    if (auto rest = Below(expanded, windows + "\\System32"))
      paths.push_back(windows + "\\Sysnative" + std::string(*rest));
  return paths;
}

bool Detector::IsInstalled(const DetectRule& rule) {
  switch (rule.form) {
    case TDetectForm::dfPath: {
      const std::string expanded = ExpandVariables(rule.text, seams_.environment);
      for (const std::string& path :
           PathCandidates(expanded, seams_.environment, seams_.registry.Wow64()))
        if (PathExists(path)) return true;
      return false;
    }
    case TDetectForm::dfKey:
      return KeyExists(rule.root, rule.text);
    case TDetectForm::dfUninstall: {
      const std::string start = Folded(rule.text);
      const auto& names = DisplayNames();
      return std::any_of(names.begin(), names.end(),
                         [&](const std::string& name) { return name.starts_with(start); });
    }
    case TDetectForm::dfNone:
    case TDetectForm::dfInvalid:
      break;
  }
  return false;
}

bool Detector::PathExists(const std::string& path) {
  // A name with a per cent sign left is a variable this computer lacks: nothing to look for.
  if (path.find('%') != std::string::npos || !DeviceName(path).empty()) return false;
  // A share that did not answer tells nothing: not found.
  const TFileKind kind = seams_.files.KindOf(path);
  return kind == TFileKind::fkFile || kind == TFileKind::fkFolder || kind == TFileKind::fkOther;
}

bool Detector::KeyExists(TRegistryRoot root, const std::string& path) {
  if (!seams_.registry.TwoViews())
    return seams_.registry.KeyExists(root, path, TRegistryView::rvDefault);
  return seams_.registry.KeyExists(root, path, TRegistryView::rv64) ||
         seams_.registry.KeyExists(root, path, TRegistryView::rv32);
}

const std::vector<std::string>& Detector::DisplayNames() {
  if (displayNames_) return *displayNames_;
  displayNames_.emplace();
  struct Place {
    TRegistryRoot root;
    TRegistryView view;
  };
  static constexpr Place kTwoViews[] = {{TRegistryRoot::rrLocalMachine, TRegistryView::rv64},
                                        {TRegistryRoot::rrLocalMachine, TRegistryView::rv32},
                                        {TRegistryRoot::rrCurrentUser, TRegistryView::rvDefault}};
  static constexpr Place kOneView[] = {{TRegistryRoot::rrLocalMachine, TRegistryView::rvDefault},
                                       {TRegistryRoot::rrCurrentUser, TRegistryView::rvDefault}};
  const bool two = seams_.registry.TwoViews();
  for (const Place *place = two ? kTwoViews : kOneView,
                   *end = two ? std::end(kTwoViews) : std::end(kOneView);
       place != end; ++place) {
    const auto [root, view] = *place;
    for (const std::string& sub : seams_.registry.SubKeyNames(root, kUninstallKey, view)) {
      std::string name = seams_.registry.StringValue(root, std::string(kUninstallKey) + "\\" + sub,
                                                     "DisplayName", view);
      if (!name.empty()) displayNames_->push_back(Folded(name));
    }
  }
  return *displayNames_;
}

std::vector<const TTallimoProg*> DetectInstalled(const TProgramList& programs, DetectSeams seams) {
  std::vector<const TTallimoProg*> installed;
  Detector detector(seams);
  for (const auto& entry : programs)
    if (!entry->Detect.empty() && detector.IsInstalled(entry->Detect))
      installed.push_back(entry.get());
  return installed;
}

}  // namespace tallimo
