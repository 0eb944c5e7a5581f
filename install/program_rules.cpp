#include "install/program_rules.h"

#include <algorithm>
#include <unordered_map>

#include "catalogue/ini_document.h"
#include "catalogue/program_groups.h"
#include "platform/locale.h"

namespace tallimo {

namespace {

constexpr std::string_view kVersionNames[] = {"XP", "Vista", "7", "8", "8.1", "10", "11"};
constexpr std::string_view kArchNames[] = {"x86", "x64", "arm64"};

int VersionIndex(std::string_view name) {
  name = TrimmedIniBlanks(name);
  for (size_t i = 0; i < std::size(kVersionNames); ++i)
    if (CompareFolded(name, kVersionNames[i]) == 0) return static_cast<int>(i);
  return -1;
}

std::string RangeText(const WindowsRange& range) {
  const std::string first(kVersionNames[range.first]);
  if (range.last < 0) return "Windows " + first + " or later";
  if (range.last == range.first) return "Windows " + first;
  return "Windows " + first + " to " + std::string(kVersionNames[range.last]);
}

std::string ArchText(const std::vector<TArch>& archs) {
  std::string text;
  for (TArch arch : archs) {
    if (!text.empty()) text += " or ";
    text += kArchNames[static_cast<size_t>(arch)];
  }
  return text + " Windows";
}

// What the entry's own Windows and Arch keys ask that this computer lacks; a value that does
// not read asks nothing (the author's check reports it).
std::string OwnNeeds(const TTallimoProg& entry, const SystemInfo& system) {
  std::string needs;
  if (std::optional<WindowsRange> range = ParseWindowsRange(entry.Windows)) {
    const int here = WindowsVersionIndex(system);
    if (here < range->first || (range->last >= 0 && here > range->last)) needs = RangeText(*range);
  }
  if (std::optional<std::vector<TArch>> archs = ParseArchList(entry.Arch)) {
    if (std::find(archs->begin(), archs->end(), system.arch) == archs->end()) {
      if (!needs.empty()) needs += " and ";
      needs += ArchText(*archs);
    }
  }
  return needs;
}

}  // namespace

std::optional<WindowsRange> ParseWindowsRange(std::string_view value) {
  value = TrimmedIniBlanks(value);
  if (value.empty()) return std::nullopt;
  WindowsRange range;
  const size_t dash = value.find('-');
  range.first = VersionIndex(value.substr(0, dash));
  if (dash != std::string_view::npos) {
    range.last = VersionIndex(value.substr(dash + 1));
    if (range.last < range.first) return std::nullopt;
  }
  if (range.first < 0) return std::nullopt;
  return range;
}

int WindowsVersionIndex(const SystemInfo& system) {
  const uint32_t version = system.major * 100 + system.minor;
  if (version >= 1000) return system.build >= 22000 ? 6 : 5;
  if (version >= 603) return 4;
  if (version >= 602) return 3;
  if (version >= 601) return 2;
  if (version >= 600) return 1;
  if (version >= 501) return 0;
  return -1;
}

std::optional<std::vector<TArch>> ParseArchList(std::string_view value) {
  std::vector<TArch> archs;
  for (const std::string& name : SplitPresets(value)) {
    size_t i = 0;
    while (i < std::size(kArchNames) && CompareFolded(name, kArchNames[i]) != 0) ++i;
    if (i == std::size(kArchNames)) return std::nullopt;
    archs.push_back(static_cast<TArch>(i));
  }
  if (archs.empty()) return std::nullopt;
  return archs;
}

ProgramRules::ProgramRules(const TProgramList& list, const SystemInfo& system) {
  programs_.resize(list.size());
  std::unordered_map<std::string, size_t> byName;  // folded name -> first entry
  for (size_t i = 0; i < list.size(); ++i) {
    programs_[i].entry = list[i].get();
    indexOf_.emplace(list[i].get(), i);
    byName.try_emplace(FoldText(list[i]->Name), i);
  }
  auto resolve = [&](const StringList& names, size_t self) {
    std::vector<size_t> found;
    for (const std::string& name : names) {
      auto it = byName.find(FoldText(name));
      if (it != byName.end() && it->second != self &&
          std::find(found.begin(), found.end(), it->second) == found.end())
        found.push_back(it->second);
    }
    return found;
  };
  for (size_t i = 0; i < list.size(); ++i) {
    programs_[i].prerequisites = resolve(list[i]->Requires, i);
    for (size_t other : resolve(list[i]->Excludes, i)) {
      programs_[i].exclusions.push_back(other);
      programs_[other].exclusions.push_back(i);
    }
  }
  for (Program& program : programs_) {
    std::sort(program.exclusions.begin(), program.exclusions.end());
    program.exclusions.erase(std::unique(program.exclusions.begin(), program.exclusions.end()),
                             program.exclusions.end());
  }
  FindComponents();
  for (size_t i = 0; i < programs_.size(); ++i) members_[programs_[i].component].push_back(i);
  // A program whose requirement is not for this computer is not either; its own conditions
  // are named first. In install order every requirement is settled before what needs it.
  std::vector<size_t> all(programs_.size());
  for (size_t i = 0; i < all.size(); ++i) all[i] = i;
  for (size_t i : InstallOrder(std::move(all))) {
    Program& program = programs_[i];
    program.needs = OwnNeeds(*program.entry, system);
    for (size_t r : program.prerequisites)
      if (program.needs.empty() && programs_[r].component != program.component &&
          !programs_[r].needs.empty())
        program.needs = programs_[r].entry->Name + ", which is not for this computer";
  }
}

// Tarjan's strongly connected components over the requirements, without recursion so that a
// chain of 10,000 requirements cannot run out of stack.
void ProgramRules::FindComponents() {
  const size_t n = programs_.size(), none = static_cast<size_t>(-1);
  std::vector<size_t> index(n, none), low(n, 0), stack;
  std::vector<char> onStack(n, 0);
  size_t next = 0, components = 0;
  struct Frame {
    size_t node, edge;
  };
  for (size_t start = 0; start < n; ++start) {
    if (index[start] != none) continue;
    std::vector<Frame> frames{{start, 0}};
    index[start] = low[start] = next++;
    stack.push_back(start);
    onStack[start] = 1;
    while (!frames.empty()) {
      Frame& frame = frames.back();
      const std::vector<size_t>& edges = programs_[frame.node].prerequisites;
      if (frame.edge < edges.size()) {
        const size_t to = edges[frame.edge++];
        if (index[to] == none) {
          index[to] = low[to] = next++;
          stack.push_back(to);
          onStack[to] = 1;
          frames.push_back({to, 0});
        } else if (onStack[to]) {
          low[frame.node] = std::min(low[frame.node], index[to]);
        }
        continue;
      }
      const size_t node = frame.node;
      frames.pop_back();
      if (!frames.empty()) low[frames.back().node] = std::min(low[frames.back().node], low[node]);
      if (low[node] != index[node]) continue;
      for (size_t member = none; member != node;) {
        member = stack.back();
        stack.pop_back();
        onStack[member] = 0;
        programs_[member].component = components;
      }
      ++components;
      members_.emplace_back();
    }
  }
}

size_t ProgramRules::IndexOf(const TTallimoProg* entry) const {
  auto it = indexOf_.find(entry);
  return it == indexOf_.end() ? programs_.size() : it->second;
}

bool ProgramRules::Excluded(size_t a, size_t b) const {
  const std::vector<size_t>& list = programs_[a].exclusions;
  return std::binary_search(list.begin(), list.end(), b);
}

std::vector<size_t> ProgramRules::AllRequirements(size_t i,
                                                  const std::function<bool(size_t)>& skip) const {
  // Mostly nothing to add: then nothing of the size of the catalogue is made.
  const std::vector<size_t>& direct = programs_[i].prerequisites;
  if (std::all_of(direct.begin(), direct.end(), [&](size_t r) { return skip && skip(r); }))
    return {};
  std::vector<char> seen(programs_.size(), 0);
  std::vector<size_t> found, pending{i};
  seen[i] = 1;
  while (!pending.empty()) {
    const size_t at = pending.back();
    pending.pop_back();
    for (size_t r : programs_[at].prerequisites) {
      if (seen[r] || (skip && skip(r))) continue;
      seen[r] = 1;
      found.push_back(r);
      pending.push_back(r);
    }
  }
  return InstallOrder(std::move(found));
}

std::vector<size_t> ProgramRules::InstallOrder(std::vector<size_t> programs) const {
  std::vector<char> wanted(programs_.size(), 0);
  for (size_t i : programs) wanted[i] = 1;
  std::vector<char> placed(members_.size(), 0);
  std::vector<size_t> order;
  order.reserve(programs.size());
  // Depth first over the cycles (single programs mostly) from each program in catalogue order:
  // the requirements of a cycle's programs are placed before the cycle, whose programs follow
  // in catalogue order.
  struct Frame {
    size_t component, member, edge;
  };
  std::sort(programs.begin(), programs.end());
  for (size_t start : programs) {
    if (!wanted[start] || placed[programs_[start].component]) continue;
    std::vector<Frame> frames{{programs_[start].component, 0, 0}};
    placed[programs_[start].component] = 1;
    while (!frames.empty()) {
      Frame& frame = frames.back();
      const std::vector<size_t>& members = members_[frame.component];
      if (frame.member < members.size()) {
        const std::vector<size_t>& needs = programs_[members[frame.member]].prerequisites;
        if (frame.edge == needs.size()) {
          ++frame.member;
          frame.edge = 0;
          continue;
        }
        const size_t r = needs[frame.edge++];
        const size_t component = programs_[r].component;
        if (wanted[r] && !placed[component]) {
          placed[component] = 1;
          frames.push_back({component, 0, 0});
        }
        continue;
      }
      for (size_t m : members)
        if (wanted[m]) order.push_back(m);
      frames.pop_back();
    }
  }
  return order;
}

std::string ProgramRules::NamesOf(const std::vector<size_t>& indices) const {
  std::string text;
  for (size_t i : indices) {
    if (!text.empty()) text += ", ";
    text += programs_[i].entry->Name;
  }
  return text;
}

std::string ProgramRules::NotForThisComputerLine(size_t i) const {
  if (Applicable(i)) return {};
  return "Not for this computer: it needs " + programs_[i].needs + ".";
}

std::string ProgramRules::InstallsFirstLine(size_t i) const {
  const std::vector<size_t> all = AllRequirements(i);
  if (all.empty()) return {};
  return "Installs first: " + NamesOf(all) + ".";
}

std::string ProgramRules::ExclusionsLine(size_t i) const {
  if (programs_[i].exclusions.empty()) return {};
  return "Cannot be installed together with: " + NamesOf(programs_[i].exclusions) + ".";
}

std::vector<std::vector<size_t>> ProgramRules::Cycles() const {
  std::vector<std::vector<size_t>> cycles;
  std::vector<char> seen(members_.size(), 0);
  for (const Program& program : programs_)
    if (!seen[program.component] && members_[program.component].size() > 1) {
      seen[program.component] = 1;
      cycles.push_back(members_[program.component]);
    }
  return cycles;
}

namespace {

// Unmarks `i` and, after it, every marked program that needs it, directly or not.
void DropWithDependents(const ProgramRules& rules, size_t i,
                        const std::function<bool(size_t)>& isMarked, std::vector<char>& dropped,
                        MarkChange& change) {
  std::vector<size_t> pending{i};
  while (!pending.empty()) {
    const size_t at = pending.back();
    pending.pop_back();
    if (dropped[at]) continue;
    dropped[at] = 1;
    if (isMarked(at)) change.unmarked.push_back(at);
    for (size_t other = 0; other < rules.Size(); ++other) {
      if (dropped[other] || !isMarked(other)) continue;
      const std::vector<size_t>& needs = rules.Prerequisites(other);
      if (std::find(needs.begin(), needs.end(), at) != needs.end()) pending.push_back(other);
    }
  }
}

}  // namespace

MarkChange MarkProgram(const ProgramRules& rules, size_t i,
                       const std::function<bool(size_t)>& isMarked,
                       const std::function<bool(size_t)>& installed) {
  MarkChange change;
  if (!rules.Applicable(i)) {
    change.refused = true;
    return change;
  }
  std::vector<size_t> bring =
      rules.Prerequisites(i).empty() ? std::vector<size_t>{} : rules.AllRequirements(i, installed);
  bring.push_back(i);
  const bool excludes = std::any_of(bring.begin(), bring.end(),
                                    [&](size_t b) { return !rules.Exclusions(b).empty(); });
  std::vector<char> dropped;
  if (excludes) {
    dropped.assign(rules.Size(), 0);
    std::vector<size_t> brought = bring;
    std::sort(brought.begin(), brought.end());
    for (size_t b : bring)
      for (size_t other : rules.Exclusions(b))
        if (!std::binary_search(brought.begin(), brought.end(), other))
          DropWithDependents(rules, other, isMarked, dropped, change);
  }
  for (size_t b : bring)
    if (!isMarked(b) || (excludes && dropped[b])) change.marked.push_back(b);
  return change;
}

MarkChange UnmarkProgram(const ProgramRules& rules, size_t i,
                         const std::function<bool(size_t)>& isMarked) {
  MarkChange change;
  std::vector<char> dropped(rules.Size(), 0);
  DropWithDependents(rules, i, isMarked, dropped, change);
  return change;
}

std::vector<size_t> SelectPrograms(const ProgramRules& rules, std::vector<size_t> programs,
                                   const std::function<bool(size_t)>& installed) {
  std::sort(programs.begin(), programs.end());
  std::vector<char> kept(rules.Size(), 0);
  std::vector<size_t> selected;
  auto excludedByKept = [&](size_t i) {
    for (size_t other : rules.Exclusions(i))
      if (kept[other]) return true;
    return false;
  };
  for (size_t i : programs) {
    if (kept[i] || !rules.Applicable(i) || excludedByKept(i)) continue;
    std::vector<size_t> bring = rules.AllRequirements(i, installed);
    if (std::any_of(bring.begin(), bring.end(), excludedByKept)) continue;
    bring.push_back(i);
    for (size_t b : bring)
      if (!kept[b]) {
        kept[b] = 1;
        selected.push_back(b);
      }
  }
  std::sort(selected.begin(), selected.end());
  return selected;
}

}  // namespace tallimo
