#include "install/installer_id.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>
#include <vector>

#include "platform/text_codec.h"

namespace tallimo {

namespace {

constexpr size_t kChunk = 1u << 20;
constexpr uint32_t kVersionResourceLimit = 64u << 10;
constexpr uint32_t kResourceVersion = 16;  // RT_VERSION

// The signatures looked for in the file's first 64 MB.
constexpr std::string_view kNsisHeader{
    "\xEF\xBE\xAD\xDE"
    "NullsoftInst",
    16};
constexpr std::string_view kInnoSetupData = "Inno Setup Setup Data (";
constexpr std::string_view kInnoOffsetTable =
    "rDlPtS02\x87"
    "eVx";
constexpr std::string_view kCompoundFile = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

// Reads of the file's little-endian numbers at offsets, by pages kept for the next reads.
class Reader {
 public:
  explicit Reader(ByteSource& file) : file_(file) {}
  bool Failed() const { return failed_; }
  uint64_t Size() const { return file_.Size(); }

  std::optional<std::string> Bytes(uint64_t at, size_t count) {
    if (at > Size() || count > Size() - at) return std::nullopt;
    std::string out;
    if (!file_.ReadAt(at, count, out)) {
      failed_ = true;
      return std::nullopt;
    }
    if (out.size() != count) return std::nullopt;
    return out;
  }
  std::optional<uint32_t> U16(uint64_t at) { return Number(at, 2); }
  std::optional<uint32_t> U32(uint64_t at) { return Number(at, 4); }

 private:
  std::optional<uint32_t> Number(uint64_t at, size_t width) {
    const uint64_t page = at / 4096;
    if ((at + width - 1) / 4096 != page) {  // across pages: read directly
      auto b = Bytes(at, width);
      return b ? std::optional(Decode(*b, 0, width)) : std::nullopt;
    }
    auto it = pages_.find(page);
    if (it == pages_.end()) {
      std::string data;
      if (!file_.ReadAt(page * 4096, 4096, data)) {
        failed_ = true;
        return std::nullopt;
      }
      if (pages_.size() > 256) pages_.clear();
      it = pages_.emplace(page, std::move(data)).first;
    }
    const size_t off = static_cast<size_t>(at % 4096);
    if (off + width > it->second.size()) return std::nullopt;
    return Decode(it->second, off, width);
  }
  static uint32_t Decode(const std::string& b, size_t off, size_t width) {
    uint32_t v = 0;
    for (size_t i = width; i > 0; --i) v = v << 8 | static_cast<unsigned char>(b[off + i - 1]);
    return v;
  }
  ByteSource& file_;
  std::map<uint64_t, std::string> pages_;
  bool failed_ = false;
};

struct Section {
  std::string name;
  uint32_t virtualAddress = 0, virtualSize = 0, rawSize = 0, rawOffset = 0;
};

struct PeImage {
  std::vector<Section> sections;
  uint32_t resourceRva = 0;
  std::optional<uint64_t> FileOffset(uint32_t rva) const {
    for (const Section& s : sections) {
      const uint32_t extent = std::max(s.virtualSize, s.rawSize);
      if (rva >= s.virtualAddress && rva - s.virtualAddress < extent &&
          rva - s.virtualAddress < s.rawSize)
        return uint64_t{s.rawOffset} + (rva - s.virtualAddress);
    }
    return std::nullopt;
  }
};

// The headers of a Windows program; nullopt when they are damaged.
std::optional<PeImage> ReadPe(Reader& r) {
  auto lfanew = r.U32(0x3C);
  if (!lfanew) return std::nullopt;
  auto sig = r.Bytes(*lfanew, 4);
  if (!sig || *sig != std::string_view("PE\0\0", 4)) return std::nullopt;
  auto count = r.U16(*lfanew + 6), optSize = r.U16(*lfanew + 20), magic = r.U16(*lfanew + 24);
  if (!count || !optSize || !magic || *count > 96) return std::nullopt;
  PeImage pe;
  const uint64_t opt = uint64_t{*lfanew} + 24;
  const bool plus = *magic == 0x20B;
  if (!plus && *magic != 0x10B) return std::nullopt;
  const uint32_t dirCountAt = plus ? 108 : 92, dirsAt = plus ? 112 : 96;
  auto dirs = r.U32(opt + dirCountAt);
  if (dirs && *dirs > 2 && dirsAt + 3 * 8 <= *optSize)
    pe.resourceRva = r.U32(opt + dirsAt + 2 * 8).value_or(0);
  const uint64_t table = opt + *optSize;
  for (uint32_t i = 0; i < *count; ++i) {
    const uint64_t at = table + uint64_t{i} * 40;
    auto name = r.Bytes(at, 8);
    auto vsize = r.U32(at + 8), va = r.U32(at + 12), rsize = r.U32(at + 16), raw = r.U32(at + 20);
    if (!name || !vsize || !va || !rsize || !raw) return std::nullopt;
    pe.sections.push_back({name->substr(0, name->find('\0')), *va, *vsize, *rsize, *raw});
  }
  return pe;
}

// The first entry of a resource directory (with the id `id`, or any when nullopt); the offset
// of what it points to, from the resource section's start, and whether that is a directory.
std::optional<std::pair<uint32_t, bool>> ResourceEntry(Reader& r, uint64_t base, uint32_t dir,
                                                       std::optional<uint32_t> id) {
  auto named = r.U16(base + dir + 12), ids = r.U16(base + dir + 14);
  if (!named || !ids) return std::nullopt;
  const uint32_t total = *named + *ids;
  for (uint32_t i = 0; i < total && i < 4096; ++i) {
    const uint64_t at = base + dir + 16 + uint64_t{i} * 8;
    auto nameOrId = r.U32(at), target = r.U32(at + 4);
    if (!nameOrId || !target) return std::nullopt;
    if (id && (*nameOrId & 0x80000000u || *nameOrId != *id)) continue;
    return std::pair(*target & 0x7FFFFFFFu, (*target & 0x80000000u) != 0);
  }
  return std::nullopt;
}

// The version resource's bytes, when there is one.
std::optional<std::string> VersionResource(Reader& r, const PeImage& pe) {
  if (!pe.resourceRva) return std::nullopt;
  auto base = pe.FileOffset(pe.resourceRva);
  if (!base) return std::nullopt;
  auto type = ResourceEntry(r, *base, 0, kResourceVersion);
  if (!type || !type->second) return std::nullopt;
  auto name = ResourceEntry(r, *base, type->first, std::nullopt);
  if (!name || !name->second) return std::nullopt;
  auto lang = ResourceEntry(r, *base, name->first, std::nullopt);
  if (!lang || lang->second) return std::nullopt;
  auto rva = r.U32(*base + lang->first), size = r.U32(*base + lang->first + 4);
  if (!rva || !size || *size > kVersionResourceLimit) return std::nullopt;
  auto at = pe.FileOffset(*rva);
  if (!at) return std::nullopt;
  return r.Bytes(*at, *size);
}

// The version resource's strings (the first of each key) and its fixed product version.
struct VersionStrings {
  std::map<std::string, std::string> strings;
  std::string fixedVersion;
};

class VersionParser {
 public:
  explicit VersionParser(std::string_view data) : d_(data) {}

  VersionStrings Parse() {
    Block(0, d_.size(), 0);
    return std::move(out_);
  }

 private:
  uint32_t U16(size_t at) const {
    return static_cast<unsigned char>(d_[at]) | static_cast<unsigned char>(d_[at + 1]) << 8;
  }
  static size_t Align(size_t at) { return (at + 3) & ~size_t{3}; }

  // UTF-16 text from `at` up to a zero unit or `end`; `next` is past the zero.
  std::string Text(size_t at, size_t end, size_t& next) const {
    std::u16string units;
    while (at + 1 < end) {
      const char16_t c = static_cast<char16_t>(U16(at));
      at += 2;
      if (c == 0) break;
      units += c;
    }
    next = at;
    return Utf8FromUtf16(units);
  }

  // One block in [at, limit): its key, value and children.
  void Block(size_t at, size_t limit, int depth) {
    if (depth > 4 || at + 6 > limit) return;
    const size_t length = U16(at), valueLength = U16(at + 2), type = U16(at + 4);
    if (length < 6 || at + length > limit) return;
    const size_t end = at + length;
    size_t next = 0;
    const std::string key = Text(at + 6, end, next);
    size_t value = Align(next);
    size_t children = value;
    if (depth == 0) {
      // VS_FIXEDFILEINFO: its signature, then the product version at bytes 16 to 23.
      if (valueLength >= 52 && value + 52 <= end && U16(value) == 0x04BD &&
          U16(value + 2) == 0xFEEF) {
        const uint32_t ms = U16(value + 16) | U16(value + 18) << 16;
        const uint32_t ls = U16(value + 20) | U16(value + 22) << 16;
        if (ms || ls)
          out_.fixedVersion = std::to_string(ms >> 16) + "." + std::to_string(ms & 0xFFFF) + "." +
                              std::to_string(ls >> 16) + "." + std::to_string(ls & 0xFFFF);
      }
      children = Align(value + valueLength);
    } else if (depth == 3) {
      // A string: its value is text (its length in characters, when type says so).
      if (value < end) {
        size_t stop =
            type == 1 ? std::min(end, value + valueLength * 2) : std::min(end, value + valueLength);
        size_t unused = 0;
        out_.strings.try_emplace(key, Text(value, stop, unused));
      }
      return;
    }
    if (depth == 1 && key != "StringFileInfo") return;
    for (size_t c = children; c + 6 <= end;) {
      const size_t childLength = U16(c);
      if (childLength < 6) break;
      Block(c, end, depth + 1);
      c = Align(c + childLength);
    }
  }

  std::string_view d_;
  VersionStrings out_;
};

bool ContainsFolded(std::string_view text, std::string_view word) {
  auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::search(text.begin(), text.end(), word.begin(), word.end(),
                     [&](char a, char b) { return fold(a) == fold(b); }) != text.end();
}

bool IsGuidText(std::string_view s) {
  if (s.size() != 38 || s.front() != '{' || s.back() != '}') return false;
  for (size_t i = 1; i < 37; ++i) {
    const char c = s[i];
    const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? c != '-' : !std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string Stem(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  return std::string(dot == std::string_view::npos || dot == 0 ? fileName
                                                               : fileName.substr(0, dot));
}

std::string LowerExtension(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  std::string ext(dot == std::string_view::npos ? std::string_view() : fileName.substr(dot));
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return ext;
}

// What the first 64 MB hold.
struct Signatures {
  bool nsis = false, inno = false, compound = false;
};

bool ScanSignatures(Reader& r, Signatures& found) {
  const uint64_t limit = std::min(r.Size(), kIdentifyReadLimit);
  const std::array<std::string_view, 4> needles{kNsisHeader, kInnoSetupData, kInnoOffsetTable,
                                                kCompoundFile};
  constexpr size_t kOverlap = 32;
  std::string tail;
  for (uint64_t at = 0; at < limit; at += kChunk) {
    auto chunk = r.Bytes(at, static_cast<size_t>(std::min<uint64_t>(kChunk, limit - at)));
    if (!chunk) return false;
    const std::string window = tail + *chunk;
    for (size_t i = 0; i < needles.size(); ++i) {
      const auto& n = needles[i];
      // The file's own start is no database inside it.
      const size_t from = (i == 3 && at == 0) ? 1 : 0;
      if (window.find(n, from) == std::string::npos) continue;
      if (i == 0) found.nsis = true;
      if (i == 1 || i == 2) found.inno = true;
      if (i == 3) found.compound = true;
    }
    if (found.nsis || found.inno) return true;
    tail = window.substr(window.size() - std::min(window.size(), kOverlap));
  }
  return true;
}

Identification LeftOut(std::string why) {
  Identification id;
  id.leftOutWhy = std::move(why);
  return id;
}

Identification IdentifyPackage(const std::string& path, std::string_view fileName, Reader& r,
                               InstallerDatabase& database) {
  auto head = r.Bytes(0, kCompoundFile.size());
  if (r.Failed()) return LeftOut("cannot be read: read error");
  if (!head || *head != kCompoundFile) return LeftOut("not an installer database");
  std::map<std::string, std::string> props;
  std::string why;
  if (!database.ReadProperties(path, props, why))
    return LeftOut("not an installer database: " + why);
  Identification id;
  id.identified = true;
  InstallerInfo& info = id.info;
  info.type = TInstallerType::itMsi;
  info.name = CleanInstallerText(props["ProductName"]);
  info.version = CleanInstallerText(props["ProductVersion"]);
  info.company = CleanInstallerText(props["Manufacturer"]);
  if (IsGuidText(props["ProductCode"])) info.productCode = props["ProductCode"];
  if (info.name.empty()) {
    info.name = CleanInstallerText(Stem(fileName));
    info.nameFromFile = true;
  }
  return id;
}

Identification IdentifyProgram(std::string_view fileName, Reader& r) {
  auto mz = r.Bytes(0, 2);
  if (r.Failed()) return LeftOut("cannot be read: read error");
  if (!mz || *mz != "MZ") return LeftOut("not a Windows program");
  Identification id;
  id.identified = true;
  InstallerInfo& info = id.info;
  info.type = TInstallerType::itOther;
  const std::optional<PeImage> pe = ReadPe(r);
  VersionStrings version;
  if (pe) {
    if (auto data = VersionResource(r, *pe)) version = VersionParser(*data).Parse();
  }
  auto text = [&](const char* key) {
    auto it = version.strings.find(key);
    return it == version.strings.end() ? std::string() : CleanInstallerText(it->second);
  };
  info.name = text("ProductName");
  if (info.name.empty()) info.name = text("FileDescription");
  if (info.name.empty()) {
    info.name = CleanInstallerText(Stem(fileName));
    info.nameFromFile = true;
  }
  info.version = text("ProductVersion");
  if (info.version.empty()) info.version = version.fixedVersion;
  info.company = text("CompanyName");
  if (!pe) return id;  // damaged headers: a program all the same
  if (std::any_of(pe->sections.begin(), pe->sections.end(),
                  [](const Section& s) { return s.name == ".wixburn"; })) {
    info.type = TInstallerType::itBurn;
    return id;
  }
  bool installShield = false;
  for (const auto& [key, value] : version.strings)
    installShield =
        installShield || ContainsFolded(value, "InstallShield") || key.starts_with("ISInternal");
  Signatures found;
  if (!ScanSignatures(r, found)) return LeftOut("cannot be read: read error");
  if (found.nsis) {
    info.type = TInstallerType::itNsis;
  } else if (found.inno) {
    info.type = TInstallerType::itInno;
  } else if (installShield) {
    info.type =
        found.compound ? TInstallerType::itInstallShieldMsi : TInstallerType::itInstallShieldScript;
  }
  return id;
}

}  // namespace

const char* InstallerTypeName(TInstallerType type) {
  switch (type) {
    case TInstallerType::itMsi:
      return "Windows Installer package";
    case TInstallerType::itNsis:
      return "NSIS";
    case TInstallerType::itInno:
      return "Inno Setup";
    case TInstallerType::itInstallShieldMsi:
      return "InstallShield, MSI-based";
    case TInstallerType::itInstallShieldScript:
      return "InstallShield, script-based";
    case TInstallerType::itBurn:
      return "WiX bundle";
    case TInstallerType::itMsu:
      return "Windows update package";
    case TInstallerType::itOther:
      break;
  }
  return "unknown setup";
}

std::string CleanInstallerText(std::string_view text) {
  std::string out;
  size_t characters = 0;
  for (size_t pos = 0; pos < text.size() && characters < kInstallerTextLimit;) {
    const char32_t c = NextCodePoint(text, pos);
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F)) continue;
    AppendUtf8(out, c);  // bytes that are no UTF-8 become U+FFFD
    ++characters;
  }
  const size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

Identification IdentifyInstaller(const std::string& path, std::string_view fileName,
                                 ByteSource& file, InstallerDatabase& database) {
  Reader r(file);
  const std::string ext = LowerExtension(fileName);
  if (ext == ".msi") return IdentifyPackage(path, fileName, r, database);
  if (ext == ".msu") {
    auto head = r.Bytes(0, 4);
    if (r.Failed()) return LeftOut("cannot be read: read error");
    if (!head || *head != "MSCF") return LeftOut("not an update package");
    Identification id;
    id.identified = true;
    id.info.type = TInstallerType::itMsu;
    id.info.name = CleanInstallerText(Stem(fileName));
    id.info.nameFromFile = true;
    return id;
  }
  return IdentifyProgram(fileName, r);
}

TTallimoProg InstallerEntry(const InstallerInfo& info, const std::string& commandPath) {
  TTallimoProg e;
  e.Name = info.name;
  const std::string quoted = "\"" + commandPath + "\"";
  const bool named = !info.nameFromFile;
  bool silent = true;
  switch (info.type) {
    case TInstallerType::itMsi:
      e.InstallLines.push_back("msiexec /i " + quoted + " /qn /norestart");
      if (!info.productCode.empty())
        e.Detect =
            "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + info.productCode;
      break;
    case TInstallerType::itNsis:
      e.InstallLines.push_back(quoted + " /S");
      break;
    case TInstallerType::itInno:
      e.InstallLines.push_back(quoted + " /VERYSILENT /SUPPRESSMSGBOXES /NORESTART /SP- /ALLUSERS");
      break;
    case TInstallerType::itInstallShieldMsi:
      e.InstallLines.push_back(quoted + " /s /v\"/qn /norestart\"");
      break;
    case TInstallerType::itBurn:
      e.InstallLines.push_back(quoted + " /quiet /norestart");
      break;
    case TInstallerType::itMsu:
      e.InstallLines.push_back("wusa " + quoted + " /quiet /norestart");
      e.SuccessCodes.push_back(2359302);  // already installed
      // An update ends with 3010 when it needs a restart, and the next one may need it done.
      e.Restart = TRestartRule::rrWhenNeeded;
      break;
    case TInstallerType::itInstallShieldScript:
    case TInstallerType::itOther:
      e.InstallLines.push_back(quoted);
      silent = false;
      break;
  }
  // A setup's Uninstall entry is found by its product name; a name made from the file's own
  // name would match unrelated programs.
  const bool byUninstallName = info.type != TInstallerType::itMsi &&
                               info.type != TInstallerType::itMsu &&
                               info.type != TInstallerType::itOther;
  if (byUninstallName && named) e.Detect = "uninstall:" + info.name;
  e.InfoLines = {info.version.empty() ? std::string() : "Version " + info.version, info.company};
  if (!silent)
    e.InfoLines.push_back("This setup may ask questions: no silent switch is known for it.");
  while (!e.InfoLines.empty() && e.InfoLines.back().empty()) e.InfoLines.pop_back();
  return e;
}

}  // namespace tallimo
