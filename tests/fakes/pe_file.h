#pragma once
// Small Windows program files for the identification tests: the headers, the sections named,
// a version resource with the strings given, and bytes appended after the image (where setups
// keep their data). They run nothing; they only carry what identification looks at.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/text_codec.h"

namespace tallimo::testing {

struct PeFile {
  std::vector<std::string> sections = {".text"};
  std::map<std::string, std::string> version;  // version strings; none: no version resource
  std::string appended;                        // the overlay after the image

  std::string Bytes() const {
    const bool rsrc = !version.empty();
    std::vector<std::string> names = sections;
    if (rsrc) names.push_back(".rsrc");
    std::string out(0x400, '\0');
    out[0] = 'M', out[1] = 'Z';
    Put32(out, 0x3C, 0x40);
    out.replace(0x40, 4, std::string("PE\0\0", 4));
    Put16(out, 0x44, 0x14C);
    Put16(out, 0x46, static_cast<uint32_t>(names.size()));
    Put16(out, 0x54, 224);  // the optional header's size
    const size_t opt = 0x58;
    Put16(out, opt, 0x10B);
    Put32(out, opt + 92, 16);
    std::string resources = rsrc ? Resources(0x1000 + 0x1000 * (names.size() - 1)) : "";
    for (size_t i = 0; i < names.size(); ++i) {
      const size_t at = opt + 224 + i * 40;
      out.replace(at, names[i].size(), names[i]);
      const uint32_t va = static_cast<uint32_t>(0x1000 * (i + 1));
      const bool isRsrc = rsrc && i + 1 == names.size();
      const uint32_t size = isRsrc ? static_cast<uint32_t>(resources.size()) : 0x200;
      Put32(out, at + 8, size);
      Put32(out, at + 12, va);
      Put32(out, at + 16, size);
      Put32(out, at + 20, static_cast<uint32_t>(0x400 + 0x200 * i));
      if (isRsrc) {
        Put32(out, opt + 96 + 16, va);
        Put32(out, opt + 96 + 20, size);
      }
    }
    for (size_t i = 0; i < names.size(); ++i) {
      const bool isRsrc = rsrc && i + 1 == names.size();
      out.resize(0x400 + 0x200 * i, '\0');
      out += isRsrc ? resources : std::string(0x200, '\0');
    }
    return out + appended;
  }

 private:
  static void Put16(std::string& s, size_t at, uint32_t v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>(v >> 8 & 0xFF);
  }
  static void Put32(std::string& s, size_t at, uint32_t v) {
    Put16(s, at, v & 0xFFFF);
    Put16(s, at + 2, v >> 16);
  }
  static std::string Utf16(const std::string& utf8) {
    std::string out;
    for (char16_t c : Utf16FromUtf8(utf8))
      out += static_cast<char>(c & 0xFF), out += static_cast<char>(c >> 8);
    return out + std::string(2, '\0');
  }
  static void Pad(std::string& s) { s.resize((s.size() + 3) & ~size_t{3}, '\0'); }
  // A version block: length, value length, type, key, value, children.
  static std::string Block(const std::string& key, const std::string& value, uint32_t valueLength,
                           uint32_t type, const std::string& children) {
    std::string b(6, '\0');
    b += Utf16(key);
    Pad(b);
    b += value;
    Pad(b);
    b += children;
    Put16(b, 0, static_cast<uint32_t>(b.size()));
    Put16(b, 2, valueLength);
    Put16(b, 4, type);
    return b;
  }
  std::string VersionInfo() const {
    std::string strings;
    for (const auto& [key, value] : version) {
      strings += Block(key, Utf16(value), static_cast<uint32_t>(Utf16Length(value) + 1), 1, "");
      Pad(strings);
    }
    const std::string table = Block("040904b0", "", 0, 1, strings);
    std::string fixed(52, '\0');
    Put32(fixed, 0, 0xFEEF04BD);
    return Block("VS_VERSION_INFO", fixed, 52, 0, Block("StringFileInfo", "", 0, 1, table));
  }
  // Type 16, name 1, language 1033: three directories, a data entry, the version info.
  std::string Resources(uint32_t rva) const {
    std::string r(16 * 3 + 8 * 3 + 16, '\0');
    auto dir = [&](size_t at, uint32_t id, uint32_t target) {
      Put16(r, at + 14, 1);
      Put32(r, at + 16, id);
      Put32(r, at + 20, target);
    };
    dir(0, 16, 0x80000000u | 24);
    dir(24, 1, 0x80000000u | 48);
    dir(48, 1033, 72);
    const std::string info = VersionInfo();
    Put32(r, 72, rva + static_cast<uint32_t>(r.size()));
    Put32(r, 76, static_cast<uint32_t>(info.size()));
    return r + info;
  }
};

}  // namespace tallimo::testing
