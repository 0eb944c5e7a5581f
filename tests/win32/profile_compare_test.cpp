// Our catalogue reader against the platform's profile functions on the same files: the
// reference loader below reads a catalogue with the profile functions alone, one
// GetPrivateProfileStringW call per key, probing each numbered key with a sentinel default.
// Both must give the same catalogue, except that ours takes a value equal to the sentinel as
// an ordinary value and cuts nothing at 1,023 characters. (Wine's profile functions read
// LF-only and CR-only files like CRLF ones, skip ";" lines, and let the first of a repeated
// section or key win, as ours does.) The files are the fuzzer's seed catalogues and a few
// made here from them or from code. Both give UTF-8 text: the profile functions read an ANSI file
// in the system's ANSI code page, and a file with a UTF-8 or UTF-16 byte-order mark in that
// encoding. A UTF-8 file without a mark they read as ANSI (ours reads it as UTF-8): such files
// are compared with their mark added.
//
// The profile functions cache files by name and age, so every file is written once under a
// fresh name, all of them before the first read, and never rewritten.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <vector>

#include "catalogue/catalogue_encoding.h"
#include "catalogue/catalogue_file.h"
#include "fakes/utf16_file.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/wide.h"
#include "win32_test_files.h"

namespace tallimo {
namespace {

// The sentinel's three bytes 0xFF 0x63 0x7B, read in Windows-1252.
const char kSentinel[] = "\u00FFc{";

// ---- the reference loader ----

class ProfileReader {
 public:
  explicit ProfileReader(std::string file) : file_(std::move(file)) {}

  std::string Read(const std::string& section, const std::string& key, const char* fallback) {
    wchar_t buffer[1024];  // 1,023 characters and the terminator
    DWORD n = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                       Widen(fallback).c_str(), buffer, 1024, Widen(file_).c_str());
    return Narrow(buffer, static_cast<int>(n));
  }
  bool Present(const std::string& section, const std::string& key) {
    return Read(section, key, kSentinel) != kSentinel;
  }
  StringList ReadList(const std::string& section, const std::string& stem) {
    StringList items;
    for (unsigned k = 1; k <= 65535; ++k) {
      const std::string key = stem + std::to_string(k);
      if (!Present(section, key)) break;
      items.push_back(Read(section, key, ""));
    }
    return items;
  }

 private:
  std::string file_;
};

Catalogue ProfileLoad(const std::string& file) {
  ProfileReader ini(file);
  Catalogue cat;
  cat.ConfigCaption = ini.Read("General", "Caption", "");
  cat.CreatedBy = ini.Read("General", "CreatedBy", "");
  cat.WriteDate = ini.Read("General", "WriteDate", "");
  cat.NoteLines = ini.ReadList("General", "Note");
  for (unsigned n = 1; n <= 65535; ++n) {
    const std::string section = "Program" + std::to_string(n);
    if (!ini.Present(section, "Name")) break;
    auto entry = std::make_unique<TTallimoProg>();
    entry->Name = ini.Read(section, "Name", "No Name");
    entry->NfoPath = ini.Read(section, "NFO", "");
    entry->Batch = ReadBatchValue(ini.Read(section, "Batch", ""));
    entry->SerialLines = ini.ReadList(section, "Serial");
    entry->InstallLines = ini.ReadList(section, "Install");
    entry->InfoLines = ini.ReadList(section, "Info");
    entry->SpecsLines = ini.ReadList(section, "Specs");
    cat.ProgramList.push_back(std::move(entry));
  }
  return cat;
}

Catalogue OurLoad(const std::string& file) {
  Catalogue cat;
  cat.IniFileName = file;
  LoadCatalogue(cat, HostFileSystem(), HostLocale());
  return cat;
}

// ---- comparing catalogues ----

std::string Shown(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void ShowList(std::string& out, const char* what, const StringList& items) {
  out += std::string(" ") + what + "[";
  for (const auto& item : items) out += Shown(item) + ",";
  out += "]";
}

// The catalogue as text, one line a part, so that a mismatch shows where it lies.
std::string Describe(const Catalogue& cat) {
  std::string out = "caption " + Shown(cat.ConfigCaption) + "\ncreatedBy " + Shown(cat.CreatedBy) +
                    "\nwriteDate " + Shown(cat.WriteDate) + "\n";
  ShowList(out, "notes", cat.NoteLines);
  out += "\n";
  for (const auto& e : cat.ProgramList) {
    out +=
        "entry " + Shown(e->Name) + " nfo " + Shown(e->NfoPath) + (e->Batch ? " batch" : " lines");
    ShowList(out, "serial", e->SerialLines);
    ShowList(out, "install", e->InstallLines);
    ShowList(out, "info", e->InfoLines);
    ShowList(out, "specs", e->SpecsLines);
    out += "\n";
  }
  return out;
}

// ---- the corpus ----

struct CorpusFile {
  std::string name;
  std::string bytes;
  std::string path;  // where it was written
};

// The fuzzer's seed catalogues (tests/fuzz/corpus), by file name without its extension.
const char kSeedFolder[] = "tests/fuzz/corpus";
std::string Seed(const std::string& fileName) {
  return wintest::ReadBytes(wintest::SourcePath(std::string(kSeedFolder) + "/" + fileName));
}

std::string WithEndings(const std::string& crlfText, const std::string& ending) {
  std::string out;
  for (size_t i = 0; i < crlfText.size(); ++i) {
    if (crlfText.compare(i, 2, "\r\n") == 0) {
      out += ending;
      ++i;
    } else {
      out += crlfText[i];
    }
  }
  return out;
}

// Files on which both readers must agree exactly: every seed but the sentinel's (on which they
// differ by design), and catalogues made here.
std::vector<CorpusFile> AgreeingCorpus() {
  std::vector<CorpusFile> c;
  for (const auto& entry : std::filesystem::directory_iterator(wintest::SourcePath(kSeedFolder))) {
    const std::string file = entry.path().filename().string();
    if (file == "sentinel.ini") continue;
    std::string bytes = Seed(file);
    if (DecodeCatalogue(bytes, Windows1252()).encoding == TCatalogueEncoding::ceUtf8)
      bytes.insert(0, "\xEF\xBB\xBF");
    c.push_back({entry.path().stem().string(), bytes, ""});
  }
  std::sort(c.begin(), c.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  const std::string worked = Seed("worked_example.ini");
  c.push_back({"worked_lf", WithEndings(worked, "\n"), ""});
  c.push_back({"worked_cr", WithEndings(worked, "\r"), ""});
  c.push_back({"worked_no_final_break", worked.substr(0, worked.size() - 2), ""});
  // Characters of the code page and beyond it.
  const std::u16string unicode =
      u"[General]\r\nCaption=Caf\u00E9 \u20AC5\r\nCreatedBy=\u4E2D\u6587\r\n"
      u"[Program1]\r\nName=\u00C9t\u00E9 \u4E2D\r\nInstall1=SETUP.EXE\r\n";
  c.push_back({"utf16_little_endian", testing::Utf16File(unicode, false), ""});
  c.push_back({"utf16_big_endian", testing::Utf16File(unicode, true), ""});
  // Bytes of every value but 0 (the profile functions stop at a zero byte), short lines.
  std::string noise;
  unsigned seed = 12345;
  for (int i = 0; i < 4000; ++i) {
    seed = seed * 1103515245u + 12345u;
    char b = static_cast<char>(1 + (seed >> 16) % 255);
    noise += b;
    if (i % 37 == 36) noise += "\r\n";
  }
  c.push_back({"not_ini_noise", noise, ""});
  // A larger catalogue: 40 entries of about twelve keys.
  std::string large = "[General]\r\nCaption=Large\r\nCreatedBy=Generator\r\n";
  for (int k = 1; k <= 5; ++k)
    large += "Note" + std::to_string(k) + "=note " + std::to_string(k) + "\r\n";
  for (int n = 1; n <= 40; ++n) {
    const std::string s = std::to_string(n);
    large += "[Program" + s + "]\r\nName=Program " + s + "\r\nNFO=\\P" + s + "\\README.NFO\r\n" +
             "Batch=" + std::to_string(n % 2) + "\r\nSerial1=KEY-" + s + "\r\n" +
             "Install1=%D:\r\nInstall2=cd \\P" + s + "\r\nInstall3=SETUP.EXE\r\n" +
             "Info1=About program " + s + "\r\nInfo2=More about it\r\n" + "Specs1=Needs " + s +
             " MB\r\nSpecs2=Any Windows\r\n";
  }
  c.push_back({"large", large, ""});
  // The demo disc's catalogue, as shipped.
  c.push_back(
      {"demo_disc", wintest::ReadBytes(wintest::SourcePath("examples/demo-disc/TALLIMO.INI")), ""});
  return c;
}

// Values that only survive a save because the writer quotes them.
Catalogue TrickyCatalogue() {
  Catalogue cat;
  cat.ConfigCaption = "  blanks at both ends  ";
  cat.CreatedBy = "\"quoted\"";
  cat.WriteDate = "Mon, 7 Dec 2026, 3:06 pm";
  cat.NoteLines = {"'single'",
                   "\"a\"b\"",
                   "\"",
                   "'",
                   "\"mismatched'",
                   "",
                   " ",
                   "\ttab",
                   "\"\"",
                   "\u00E9t\u00E9 \u20AC\u00FE",
                   "ends with a quote\"",
                   "' spaced in quotes '"};
  auto e = std::make_unique<TTallimoProg>();
  e->Name = " Leading blank";
  e->NfoPath = "\\A B\\NFO FILE.NFO ";
  e->Batch = true;
  e->SerialLines = {"", "KEY ", "\"KEY\""};
  e->InstallLines = {"%D:", "  cd \\SETUP", "\"%D:\\Program Files\\setup.exe\""};
  e->InfoLines = {"", ""};
  e->SpecsLines = {"'", "''"};
  cat.ProgramList.push_back(std::move(e));
  auto empty = std::make_unique<TTallimoProg>();
  cat.ProgramList.push_back(std::move(empty));
  return cat;
}

class ProfileCompare : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = wintest::MakeTempFolder("profile");
    ASSERT_FALSE(folder_.empty());
    agreeing_ = AgreeingCorpus();
    int k = 0;
    for (auto& f : agreeing_) {
      f.path = folder_ + "\\" + std::to_string(++k) + "-" + f.name + ".ini";
      ASSERT_TRUE(wintest::WriteBytes(f.path, f.bytes)) << f.path;
    }
    sentinelFile_ = Write("sentinel", Seed("sentinel.ini"));
    longFile_ = Write("long", LongText());
    std::string ansi;  // as SaveCatalogue writes an ANSI catalogue
    ASSERT_TRUE(EncodeCatalogue(WriteCatalogueText(TrickyCatalogue()), TCatalogueEncoding::ceAnsi,
                                HostLocale().AnsiCodePage(), ansi));
    writtenFile_ = Write("written_by_us", ansi);
    otherBlanksFile_ = Write("other_blanks",
                             "[General]\r\nCaption=\va\v\r\nCreatedBy=\fb\f\r\n"
                             "Note1=\xA0nbsp\xA0\r\n");
    bomFile_ = Write("utf8_bom",
                     "\xEF\xBB\xBF[General]\r\nCaption=\xC3\xA9t\xC3\xA9\r\n"
                     "[Program1]\r\nName=P\r\n");
    noMarkFile_ = Write("utf8_no_mark", "[General]\r\nCaption=\xC3\xA9t\xC3\xA9\r\n");
  }
  static void TearDownTestSuite() { wintest::RemoveTree(folder_); }

  static std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = folder_ + "\\" + name + ".ini";
    EXPECT_TRUE(wintest::WriteBytes(path, bytes)) << path;
    return path;
  }

  static std::string Letters(size_t n, char first) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += static_cast<char>(first + i % 26);
    return s;
  }
  static std::string LongText() {
    return "[General]\r\nCaption=" + Letters(2000, 'a') + "\r\nNote1=" + Letters(1023, 'A') +
           "\r\nNote2=" + Letters(1024, 'A') + "\r\nNote3=   " + Letters(1500, 'a') + "   \r\n" +
           "[Program1]\r\nName=" + Letters(1200, 'a') + "\r\nInfo1=\"" + Letters(1100, 'a') +
           "\"\r\nSpecs1=" + Letters(5000, 'A') + "\r\n";
  }

  static inline std::string folder_;
  static inline std::vector<CorpusFile> agreeing_;
  static inline std::string sentinelFile_, longFile_;
  static inline std::string otherBlanksFile_, bomFile_, noMarkFile_, writtenFile_;
};

TEST_F(ProfileCompare, OurReaderGivesTheSameCatalogueAsTheProfileFunctions) {
  for (const auto& f : agreeing_) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(Describe(OurLoad(f.path)), Describe(ProfileLoad(f.path)));
  }
}

TEST_F(ProfileCompare, WhatWeWriteTheProfileFunctionsReadBackUnchanged) {
  EXPECT_EQ(Describe(ProfileLoad(writtenFile_)), Describe(TrickyCatalogue()));
  EXPECT_EQ(Describe(OurLoad(writtenFile_)), Describe(TrickyCatalogue()));
}

TEST_F(ProfileCompare, TheCorpusReadsAsExpected) {
  // Guards the comparison itself: the corpus holds what it claims, for both readers.
  auto find = [&](const std::string& name) -> const CorpusFile& {
    for (const auto& f : agreeing_)
      if (f.name == name) return f;
    static CorpusFile none;
    ADD_FAILURE() << "no corpus file " << name;
    return none;
  };
  for (const char* name : {"worked_example", "worked_lf", "worked_cr", "worked_no_final_break"}) {
    SCOPED_TRACE(name);
    Catalogue cat = ProfileLoad(find(name).path);
    EXPECT_EQ(cat.ConfigCaption, "Utility Collection 3");
    EXPECT_EQ(cat.NoteLines,
              (StringList{"Insert the disc into any drive before you install.", ""}));
    ASSERT_EQ(cat.ProgramList.size(), 2u);
    EXPECT_TRUE(cat.ProgramList[0]->Batch);
    EXPECT_EQ(cat.ProgramList[0]->InstallLines, (StringList{"%D:", "cd \\EDITOR", "SETUP.EXE"}));
    EXPECT_EQ(cat.ProgramList[1]->InfoLines, (StringList{"Shows pictures in many formats."}));
  }
  Catalogue gaps = OurLoad(find("gaps").path);
  EXPECT_EQ(gaps.NoteLines, (StringList{"one"}));
  ASSERT_EQ(gaps.ProgramList.size(), 2u);
  EXPECT_EQ(gaps.ProgramList[0]->InstallLines, (StringList{"a"}));
  EXPECT_TRUE(gaps.ProgramList[0]->SerialLines.empty());
  EXPECT_TRUE(OurLoad(find("no_name").path).ProgramList.empty());
  Catalogue quotes = OurLoad(find("quotes").path);
  EXPECT_EQ(quotes.ConfigCaption, "double");
  EXPECT_EQ(quotes.NoteLines[6], " inner blanks ");
  Catalogue large = OurLoad(find("large").path);
  EXPECT_EQ(large.ProgramList.size(), 40u);
  EXPECT_GE(OurLoad(find("demo_disc").path).ProgramList.size(), 1u);
}

TEST_F(ProfileCompare, ASentinelValueIsAnOrdinaryValueOnlyForUs) {
  Catalogue reference = ProfileLoad(sentinelFile_);
  // The profile way: each sentinel value reads as an absent key and ends its run.
  EXPECT_EQ(reference.ConfigCaption, kSentinel);  // read without a probe
  EXPECT_EQ(reference.NoteLines, (StringList{"first"}));
  ASSERT_EQ(reference.ProgramList.size(), 1u);
  EXPECT_TRUE(reference.ProgramList[0]->SerialLines.empty());
  EXPECT_EQ(reference.ProgramList[0]->InstallLines, (StringList{"i1"}));

  // Ours: the same catalogue with exactly those values and what followed them.
  Catalogue expected = ProfileLoad(sentinelFile_);
  expected.NoteLines = {"first", kSentinel, "third"};
  expected.ProgramList[0]->SerialLines = {kSentinel, "s2"};
  auto second = std::make_unique<TTallimoProg>();
  second->Name = kSentinel;
  second->InstallLines = {"i2"};
  expected.ProgramList.push_back(std::move(second));
  auto third = std::make_unique<TTallimoProg>();
  third->Name = "Three";
  expected.ProgramList.push_back(std::move(third));
  EXPECT_EQ(Describe(OurLoad(sentinelFile_)), Describe(expected));
}

TEST_F(ProfileCompare, LongValuesAreCutOnlyByTheProfileFunctions) {
  Catalogue reference = ProfileLoad(longFile_);
  Catalogue ours = OurLoad(longFile_);
  // Ours keeps every value whole, blanks and quotes removed as usual.
  EXPECT_EQ(ours.ConfigCaption, Letters(2000, 'a'));
  ASSERT_EQ(ours.NoteLines.size(), 3u);
  EXPECT_EQ(ours.NoteLines[0], Letters(1023, 'A'));
  EXPECT_EQ(ours.NoteLines[1], Letters(1024, 'A'));
  EXPECT_EQ(ours.NoteLines[2], Letters(1500, 'a'));
  ASSERT_EQ(ours.ProgramList.size(), 1u);
  EXPECT_EQ(ours.ProgramList[0]->Name, Letters(1200, 'a'));
  EXPECT_EQ(ours.ProgramList[0]->InfoLines, (StringList{Letters(1100, 'a')}));
  EXPECT_EQ(ours.ProgramList[0]->SpecsLines, (StringList{Letters(5000, 'A')}));

  // The profile functions give the first 1,023 characters of the same values.
  Catalogue expected = OurLoad(longFile_);
  auto cut = [](std::string& s) {
    if (s.size() > 1023) s.resize(1023);
  };
  cut(expected.ConfigCaption);
  for (auto& note : expected.NoteLines) cut(note);
  cut(expected.ProgramList[0]->Name);
  for (auto& line : expected.ProgramList[0]->InfoLines) cut(line);
  for (auto& line : expected.ProgramList[0]->SpecsLines) cut(line);
  EXPECT_EQ(Describe(reference), Describe(expected));
}

// Where Wine's profile functions read otherwise than ours:
// - they also strip vertical tabs and form feeds around a value; we strip blanks and tabs only
//   (neither is what a catalogue written by us or by a text editor holds);
// - they read a UTF-8 file without a byte-order mark, as Notepad writes it, in the ANSI code
//   page; we read it as UTF-8. With its mark both read it as UTF-8.
TEST_F(ProfileCompare, WhereTheSyntaxDetailsDiffer) {
  Catalogue blanks = OurLoad(otherBlanksFile_);
  EXPECT_EQ(blanks.ConfigCaption, "\va\v");
  EXPECT_EQ(blanks.CreatedBy, "\fb\f");
  EXPECT_EQ(blanks.NoteLines, (StringList{"\u00A0nbsp\u00A0"}));  // the same for both
  Catalogue referenceBlanks = ProfileLoad(otherBlanksFile_);
  EXPECT_EQ(referenceBlanks.ConfigCaption, "a");
  EXPECT_EQ(referenceBlanks.CreatedBy, "b");
  EXPECT_EQ(referenceBlanks.NoteLines, blanks.NoteLines);

  Catalogue bom = OurLoad(bomFile_);
  EXPECT_EQ(bom.ConfigCaption, "\u00E9t\u00E9");
  ASSERT_EQ(bom.ProgramList.size(), 1u);
  EXPECT_EQ(Describe(ProfileLoad(bomFile_)), Describe(bom));
  Catalogue noMark = OurLoad(noMarkFile_);
  EXPECT_EQ(noMark.ConfigCaption, "\u00E9t\u00E9");
  EXPECT_EQ(ProfileLoad(noMarkFile_).ConfigCaption, "\u00C3\u00A9t\u00C3\u00A9");
}

}  // namespace
}  // namespace tallimo
