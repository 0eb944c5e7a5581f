// tallimo-cat: dump, check and rewrite, with exit codes.
#include "tallimo_cat/cat_tool.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/catalogue_file.h"
#include "fakes/fake_disc_files.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_locale.h"
#include "fakes/fixed_clock.h"
#include "fakes/utf16_file.h"
#include "tallimo_cat/catalogue_json.h"

namespace tallimo {
namespace {

using testing::FakeDiscFiles;
using testing::FakeFileSystem;
using testing::FakeLocale;
using testing::FixedClock;

struct Result {
  int code;
  std::string out, err;
  std::vector<std::string> lines;  // out, line by line
};

class CatTool : public ::testing::Test {
 protected:
  Result Run(std::vector<std::string> args, FileSystem* fs = nullptr) {
    std::ostringstream out, err;
    Result r;
    FakeDiscFiles fakeDisc(files);
    DiscFiles& disc = fs ? HostDiscFiles() : fakeDisc;
    r.code =
        RunCatTool(args, out, err, fs ? *fs : files, locale, clock, disc, HostInstallerDatabase());
    r.out = out.str();
    r.err = err.str();
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);) r.lines.push_back(line);
    return r;
  }
  FakeFileSystem files;
  FakeLocale locale;
  FixedClock clock;
};

TEST_F(CatTool, UsageErrorsAndUnreadableFilesExitTwo) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"frobnicate", "x.ini"},
           {"dump"},
           {"dump", "a.ini", "b.ini"},
           {"dump", "--xml", "a.ini"},
           {"check"},
           {"check", "a.ini", "--disc-root"},
           {"rewrite"},
           {"rewrite", "a.ini", "b.ini"},
       }) {
    Result r = Run(args);
    EXPECT_EQ(r.code, 2) << (args.empty() ? "" : args[0]);
    EXPECT_NE(r.err.find("usage: tallimo-cat"), std::string::npos);
  }
  files.folders.insert(".");
  for (const char* command : {"dump", "check", "rewrite"}) {
    Result r = Run({command, "missing.ini"});
    EXPECT_EQ(r.code, 2) << command;
    EXPECT_NE(r.err.find("missing.ini: no such catalogue file"), std::string::npos) << command;
  }
  EXPECT_EQ(Run({"--help"}).code, 0);
}

TEST_F(CatTool, DumpJsonIsOneAsciiObjectInCatalogueOrder) {
  files.files["d.ini"] =
      "[General]\nCaption=Caf\xE9 \"Disc\"\nCreatedBy=a\\b\nNote1=tab\there\nNote2=\x7F\n"
      "WriteDate=w\n"
      "[Program1]\nName=Zeta\nNFO=\\Z.NFO\nBatch=1\nSuccessCodes=1, "
      "-1\nSerial1=s\nInstall1=i1\nInstall2=i2\n"
      "Info1=f\nSpecs1=p\n"
      "[Program2]\nName=Alpha\n";
  Result r = Run({"dump", "--json", "d.ini"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(
      r.out,
      "{\"encoding\":\"ANSI\",\"caption\":\"Caf\\u00E9 \\\"Disc\\\"\",\"createdBy\":\"a\\\\b\","
      "\"notes\":[\"tab\\u0009here\",\"\\u007F\"],\"writeDate\":\"w\",\"programs\":["
      "{\"name\":\"Zeta\",\"nfo\":\"\\\\Z.NFO\",\"batch\":true,\"successCodes\":[1,"
      "4294967295],\"detect\":\"\",\"restart\":0,\"category\":\"\",\"default\":false,\"presets\":[]"
      ","
      "\"requires\":[],\"excludes\":[],\"windows\":\"\",\"arch\":[],\"serial\":[\"s\"],"
      "\"install\":[\"i1\",\"i2\"],\"info\":[\"f\"],\"specs\":[\"p\"]},"
      "{\"name\":\"Alpha\",\"nfo\":\"\",\"batch\":false,\"successCodes\":[],\"detect\":\"\","
      "\"restart\":0,\"category\":\"\",\"default\":false,\"presets\":[],\"requires\":[],"
      "\"excludes\":[],"
      "\"windows\":\"\",\"arch\":[],\"serial\":[],\"install\":[],\"info\":[],\"specs\":[]}]}\n");
  for (char c : r.out) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << int(c);

  Result text = Run({"dump", "d.ini"});
  EXPECT_EQ(text.code, 0);
  EXPECT_NE(text.out.find("[1] Zeta"), std::string::npos);
  EXPECT_NE(text.out.find("[2] Alpha"), std::string::npos);
  EXPECT_NE(text.out.find("Install: i2"), std::string::npos);
}

// Every character beyond printable ASCII as \uXXXX of its code point, two escapes above U+FFFF.
TEST_F(CatTool, JsonStringEscapesEveryCharacterOutsidePrintableAscii) {
  struct Case {
    std::string text, json;
  };
  const Case cases[] = {
      {"plain ~ text", "\"plain ~ text\""},
      {"\"a\\b\"", "\"\\\"a\\\\b\\\"\""},
      {std::string("\0\x01\x1F\x7F", 4), "\"\\u0000\\u0001\\u001F\\u007F\""},
      {"Caf\u00E9", "\"Caf\\u00E9\""},
      {"\u20AC5", "\"\\u20AC5\""},
      {"\u0080", "\"\\u0080\""},
      {"\u039A\u0438\u65E5", "\"\\u039A\\u0438\\u65E5\""},
      {"\U0001F600!", "\"\\uD83D\\uDE00!\""},
      {"\xE9t\xE9", "\"\\uFFFDt\\uFFFD\""},  // not UTF-8: never raw bytes
  };
  for (const Case& c : cases) {
    const std::string json = JsonString(c.text);
    EXPECT_EQ(json, c.json);
    for (char ch : json) EXPECT_TRUE(ch >= 0x20 && ch < 0x7F) << c.json;
  }
}

// A Windows-1252 file's "\x80" is the euro sign.
TEST_F(CatTool, DumpJsonGivesTheCodePointOfAnAnsiCharacter) {
  files.files["e.ini"] = "[General]\nCaption=\x80 5\n";
  EXPECT_EQ(Run({"dump", "--json", "e.ini"})
                .out.rfind("{\"encoding\":\"ANSI\",\"caption\":\"\\u20AC 5\"", 0),
            0u);
  files.files["u.ini"] = "\xEF\xBB\xBF[General]\nCaption=\xE2\x82\xAC 5\n";
  EXPECT_EQ(
      Run({"dump", "--json", "u.ini"})
          .out.rfind("{\"encoding\":\"UTF-8 with byte-order mark\",\"caption\":\"\\u20AC 5\"", 0),
      0u);
  Result text = Run({"dump", "u.ini"});
  EXPECT_NE(text.out.find("Encoding:   UTF-8 with byte-order mark\nCaption:    \u20AC 5\n"),
            std::string::npos)
      << text.out;
}

// Findings as (line, kind) plus a text that the finding must contain.
struct Expected {
  int line;
  const char* kind;
  const char* text;
};

TEST_F(CatTool, CheckFindsWhatTheMenuWouldLoseOrRefuse) {
  files.folders.insert("disc");
  files.files["disc/EDITOR/EDITOR.NFO"] = "nfo";
  files.files["disc/EDITOR/SETUP.EXE"] = "exe";
  files.files["disc/c.ini"] =
      "[General]\n"                        // 1
      "Caption=Check\n"                    // 2
      "Note1=a\n"                          // 3
      "Note3=after a gap\n"                // 4
      "Colour=red\n"                       // 5
      "[Program1]\n"                       // 6
      "Name=Editor\n"                      // 7
      "NFO=\\EDITOR\\EDITOR.NFO\n"         // 8
      "Batch=yes\n"                        // 9
      "Install1=%D:\\EDITOR\\SETUP.EXE\n"  // 10
      "Install2=\\EDITOR\\MISSING.EXE\n"   // 11
      "Install3=copy a b\n"                // 12
      "Install5=after a gap\n"             // 13
      "Instal1=typo\n"                     // 14
      "Name=second name\n"                 // 15
      "[Program2]\n"                       // 16
      "Name=EDITOR\n"                      // 17
      "NFO=C:\\EDITOR\\EDITOR.NFO\n"       // 18
      "Install1=E:\\SETUP.EXE\n"           // 19
      "Install2=x /i \"C:\\A B\\X\"\n"     // 20
      "Install3=\"\\\\s\\k\\t.exe\"\n"     // 21
      "Info1=" +
      std::string(1100, 'x') +
      "\n"                     // 22
      "[Program3]\n"           // 23
      "Name=Nothing to run\n"  // 24
      "NFO=\\NONE.NFO\n"       // 25
      "[Program4]\n"           // 26
      "Info1=no name\n"        // 27
      "[Program5]\n"           // 28
      "Name=Hidden\n"          // 29
      "Install1=x\n"           // 30
      "[Extras]\n"             // 31
      "junk line\n"            // 32
      "[program1]\n"           // 33
      "Name=dup\n";            // 34
  Result r = Run({"check", "disc/c.ini"});
  EXPECT_EQ(r.code, 1);
  const Expected expected[] = {
      {4, "error", "Note3 is never read"},
      {5, "warning", "unknown key Colour"},
      {9, "warning", "Batch=yes reads as off"},
      {11, "warning", "\\EDITOR\\MISSING.EXE does not exist under disc"},
      {13, "error", "Install5 is never read"},
      {14, "warning", "unknown key Instal1"},
      {15, "error", "duplicate key Name"},
      {17, "warning", "equals the one on line 7 ignoring case"},
      {18, "warning", "C:\\EDITOR\\EDITOR.NFO names a drive letter"},
      {19, "warning", "E:\\SETUP.EXE names a drive letter"},
      {20, "warning", "C:\\A B\\X is a full path outside the disc"},
      {21, "warning", "\\\\s\\k\\t.exe is a full path outside the disc"},
      {22, "warning", "1100 characters long"},
      {24, "error", "\"Nothing to run\" has no install lines"},
      {25, "warning", "NFO file \\NONE.NFO does not exist"},
      {26, "error", "[Program4] has no Name key"},
      {28, "error", "[Program5] is never read"},
      {31, "warning", "unknown section [Extras]"},
      {32, "warning", "line without \"=\""},
      {33, "error", "duplicate section [program1]"},
  };
  ASSERT_EQ(r.lines.size(), std::size(expected)) << r.out;
  for (size_t i = 0; i < std::size(expected); ++i) {
    const Expected& e = expected[i];
    std::string prefix = "disc/c.ini:" + std::to_string(e.line) + ": " + e.kind + ": ";
    EXPECT_EQ(r.lines[i].rfind(prefix, 0), 0u) << r.lines[i] << "\nwanted " << prefix;
    EXPECT_NE(r.lines[i].find(e.text), std::string::npos) << r.lines[i];
  }
}

TEST_F(CatTool, CheckWarnsAboutCaseOnlySpellingsDefaultValuesAndEmptyPresetNames) {
  files.folders.insert(".");
  files.files["g.ini"] =
      "[Program1]\nName=A\nInstall1=a\nCategory=Office\nPresets=Home;Office PC\n"       // 1-5
      "[Program2]\nName=B\nInstall1=b\nCategory=OFFICE\nDefault=yes\nPresets=home;;\n"  // 6-11
      "[Program3]\nName=C\nInstall1=c\nCategory=Office\nDefault=1\nPresets=Office PC\n";
  Result r = Run({"check", "g.ini"});
  EXPECT_EQ(r.code, 0);
  const Expected expected[] = {
      {9, "warning", "category \"OFFICE\" differs from \"Office\" on line 4 only in letter case"},
      {10, "warning", "Default=yes reads as off"},
      {11, "warning", "preset \"home\" differs from \"Home\" on line 5"},
      {11, "warning", "Presets=home;; holds an empty preset name"},
  };
  ASSERT_EQ(r.lines.size(), std::size(expected)) << r.out;
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(r.lines[i].rfind("g.ini:" + std::to_string(expected[i].line) + ": warning: ", 0), 0u)
        << r.lines[i];
    EXPECT_NE(r.lines[i].find(expected[i].text), std::string::npos) << r.lines[i];
  }
  Result dump = Run({"dump", "--json", "g.ini"});
  EXPECT_NE(dump.out.find("\"category\":\"OFFICE\",\"default\":false,\"presets\":[\"home\"]"),
            std::string::npos)
      << dump.out;
}

TEST_F(CatTool, CheckFindsRequirementsExclusionsAndConditionsThatDoNotHold) {
  files.folders.insert(".");
  files.files["r.ini"] =
      "[Program1]\nName=App\nInstall1=a\nRequires=Lib;;Runtime;Ghost\nExcludes=Rival\n"  // 1-5
      "[Program2]\nName=Lib\nInstall1=b\nRequires=lib\nWindows=10-7\n"                   // 6-10
      "[Program3]\nName=Rival\nInstall1=c\nRequires=app\nArch=x64;mips\n"                // 11-15
      "[Program4]\nName=Runtime\nInstall1=d\nWindows=8.1-11\nArch=X64\n"                 // 16-20
      "[Program5]\nName=Ping\nInstall1=e\nRequires=Pong\nExcludes=Nobody\n"              // 21-25
      "[Program6]\nName=Pong\nInstall1=f\nRequires=Ping\nRestart=3\n"                    // 26-30
      "[Program7]\nName=Update\nInstall1=g\nRestart=1\n";                                // 31-34
  Result r = Run({"check", "r.ini"});
  EXPECT_EQ(r.code, 1);
  const Expected expected[] = {
      {4, "warning", "Requires=Lib;;Runtime;Ghost holds an empty name"},
      {4, "error", "Requires of \"App\" names \"Ghost\", which is no program"},
      {4, "warning", "\"App\" requires \"Lib\", which comes after it"},
      {4, "warning", "\"App\" requires \"Runtime\", which comes after it"},
      {9, "error", "\"Lib\" requires itself"},
      {10, "error", "Windows=10-7 does not read"},
      {14, "error", "\"Rival\" requires \"App\", which it cannot be installed together with"},
      {15, "error", "Arch=x64;mips does not read"},
      {24, "warning", "\"Ping\" requires \"Pong\", which comes after it"},
      {24, "error", "the requirements of \"Ping\", \"Pong\" form a cycle"},
      {25, "error", "Excludes of \"Ping\" names \"Nobody\", which is no program"},
      {30, "error", "Restart=3 does not read: write 0"},
  };
  ASSERT_EQ(r.lines.size(), std::size(expected)) << r.out;
  for (size_t i = 0; i < std::size(expected); ++i) {
    const Expected& e = expected[i];
    EXPECT_EQ(r.lines[i].rfind("r.ini:" + std::to_string(e.line) + ": " + e.kind + ": ", 0), 0u)
        << r.lines[i];
    EXPECT_NE(r.lines[i].find(e.text), std::string::npos) << r.lines[i];
  }
  Result dump = Run({"dump", "--json", "r.ini"});
  EXPECT_NE(dump.out.find("\"requires\":[\"Lib\",\"Runtime\",\"Ghost\"],\"excludes\":[\"Rival\"],"
                          "\"windows\":\"\",\"arch\":[]"),
            std::string::npos)
      << dump.out;
  EXPECT_NE(dump.out.find("\"windows\":\"8.1-11\",\"arch\":[\"X64\"]"), std::string::npos);
  EXPECT_NE(dump.out.find("\"detect\":\"\",\"restart\":1,\"category\""), std::string::npos);
}

TEST_F(CatTool, CheckPassesACleanCatalogueAndWarningsDoNotFail) {
  files.folders.insert("root");
  files.folders.insert("root/X");  // where A.NFO lies, and what "cd \\X" names
  files.files["root/X/A.NFO"] = "nfo";
  files.files["c.ini"] =
      "[General]\nCaption=C\n[Program1]\nName=A\nNFO=X\\A.NFO\nBatch=1\nInstall1=%D:\n"
      "Install2=cd \\X\nInstall3=SETUP.EXE\n";
  Result clean = Run({"check", "c.ini", "--disc-root", "root"});
  EXPECT_EQ(clean.code, 0);
  EXPECT_EQ(clean.out, "");
  EXPECT_EQ(clean.err, "c.ini: ANSI, 1 program, 0 errors, 0 warnings\n");

  files.files["c.ini"] += "Batch=on\n";  // a duplicate key: error
  EXPECT_EQ(Run({"check", "c.ini", "--disc-root", "root"}).code, 1);
  files.files["c.ini"] = "[General]\nCaption=C\nFoo=bar\n";
  Result warned = Run({"check", "c.ini", "--disc-root", "root"});
  EXPECT_EQ(warned.code, 0);
  EXPECT_EQ(warned.lines.size(), 1u);

  EXPECT_EQ(Run({"check", "c.ini", "--disc-root", "nowhere"}).code, 2);
}

// What check says about bytes the menu reads otherwise than they stand: a lone surrogate and
// an odd byte count in UTF-16, a zero byte in a value. Control characters of the catalogue reach
// the terminal as \xNN or \u00NN, in dump and check alike.
TEST_F(CatTool, CheckFindsBrokenTextAndNoOutputControlsTheTerminal) {
  files.folders.insert(".");
  files.files["u.ini"] = testing::Utf16File(u"[General]\r\nCaption=\u4E2D\r\n");
  Result clean = Run({"check", "u.ini"});
  EXPECT_EQ(clean.code, 0);
  EXPECT_EQ(clean.out, "");
  EXPECT_EQ(clean.err, "u.ini: UTF-16 little-endian, 0 programs, 0 errors, 0 warnings\n");

  const std::u16string broken =
      u"[General]\r\nCaption=a\xD800"
      u"b\r\nCreatedBy=x" +
      std::u16string(1, u'\0') + u"y\r\nNote1=\xDC00";
  files.files["u.ini"] = testing::Utf16File(broken, true) + "\x01";
  Result converted = Run({"check", "u.ini"});
  EXPECT_EQ(converted.code, 1);
  ASSERT_EQ(converted.lines.size(), 4u) << converted.out;
  EXPECT_EQ(converted.lines[0],
            "u.ini:2: warning: half of a UTF-16 surrogate pair is read as U+FFFD");
  EXPECT_EQ(converted.lines[1],
            "u.ini:3: warning: the value holds a zero byte: only the text before it is read");
  EXPECT_EQ(converted.lines[2],
            "u.ini:4: error: the UTF-16 file ends in half a character (an odd number of bytes): "
            "the last byte is not read");
  EXPECT_EQ(converted.lines[3],
            "u.ini:4: warning: half of a UTF-16 surrogate pair is read as U+FFFD");

  const char zero[] = "[General]\nCaption=\x1B]0;X\x07\x1B[2J\t\x7F\xE9\n[Program1]\nName=Na\0me\n";
  files.files["z.ini"] = std::string(zero, sizeof zero - 1);
  Result checked = Run({"check", "z.ini"});
  EXPECT_EQ(checked.code, 1);  // no install lines
  ASSERT_EQ(checked.lines.size(), 2u) << checked.out;
  EXPECT_EQ(checked.lines[0],
            "z.ini:4: warning: the value holds a zero byte: only the text before it is read");
  EXPECT_EQ(checked.lines[1],
            "z.ini:4: error: program \"Na\" has no install lines: the menu refuses to install it");
  files.files["z.ini"] += "Install1=\x1B[2J\n";
  Result dumped = Run({"dump", "z.ini"});
  EXPECT_EQ(dumped.code, 0);
  EXPECT_NE(dumped.out.find("Caption:    \\x1B]0;X\\x07\\x1B[2J\t\\x7F\u00E9\n"), std::string::npos)
      << dumped.out;
  EXPECT_NE(dumped.out.find("Install: \\x1B[2J\n"), std::string::npos) << dumped.out;
  EXPECT_EQ(dumped.out.find('\x1B'), std::string::npos);
}

// Output that cannot be written (a full disk) fails the command, whatever it found.
TEST_F(CatTool, OutputThatCannotBeWrittenExitsOne) {
  struct Full : std::streambuf {
    int_type overflow(int_type) override { return traits_type::eof(); }
  } full;
  files.files["d.ini"] = "[General]\nCaption=C\n[Program1]\nName=A\nInstall1=i\n";
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"dump", "d.ini"},
                                             {"dump", "--json", "d.ini"},
                                             {"check", "d.ini", "--disc-root", "."}}) {
    files.folders.insert(".");
    files.files["d.ini"] += "Foo=bar\n";  // check has a warning to print
    std::ostream out(&full);
    std::ostringstream err;
    FakeDiscFiles disc(files);
    EXPECT_EQ(RunCatTool(args, out, err, files, locale, clock, disc, HostInstallerDatabase()), 1)
        << args[1];
    EXPECT_NE(err.str().find("tallimo-cat: cannot write the output"), std::string::npos);
  }
}

// Only regular files are read, without waiting on a pipe or reading a device for ever.
TEST_F(CatTool, FoldersPipesAndDevicesAreRefusedAtOnce) {
  const std::string folder = ::testing::TempDir() + "tallimo-cat-special";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::vector<std::pair<std::string, std::string>> cases = {
      {folder, folder + " is a folder, not a catalogue file"}};
#ifndef _WIN32
  const std::string fifo = folder + "/pipe.ini";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  cases.push_back({fifo, fifo + " is not a regular file"});
  cases.push_back({"/dev/zero", "/dev/zero is not a regular file"});
#endif
  for (const auto& [path, message] : cases) {
    for (const char* command : {"dump", "check", "rewrite"}) {
      Result r = Run({command, path}, &HostFileSystem());
      EXPECT_EQ(r.code, 2) << command << " " << path;
      EXPECT_EQ(r.err, "tallimo-cat: " + message + "\n") << command;
    }
  }

  struct Starved : FakeFileSystem {
    bool ReadWholeFile(const std::string&, std::string&) override { throw std::bad_alloc(); }
  } starved;
  starved.files["big.ini"] = "";
  Result r = Run({"dump", "big.ini"}, &starved);
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "tallimo-cat: Not enough memory to read big.ini\n");
  std::filesystem::remove_all(folder);
}

// Names on the disc are found ignoring letter case, each folder listed once for all entries.
TEST_F(CatTool, CheckFindsDiscFilesIgnoringCase) {
  const std::string root = ::testing::TempDir() + "tallimo-cat-case";
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root + "/SetupDir/Sub");
  std::ofstream(root + "/SetupDir/Sub/Setup.EXE") << "";
  std::ofstream(root + "/c.ini")
      << "[General]\n[Program1]\nName=A\nInstall1=\\SETUPDIR\\sub\\setup.exe\n"
         "[Program2]\nName=B\nInstall1=%D:\\setupdir\\SUB\\SETUP.EXE\n"
         "[Program3]\nName=C\nNFO=\\setupdir\\sub\\none.nfo\nInstall1=\\SetupDir\\Sub\n"
         "[Program4]\nName=D\nInstall1=\\setupdir\\none.exe\n";
  Result r = Run({"check", root + "/c.ini"}, &HostFileSystem());
  EXPECT_EQ(r.code, 0) << r.err;
  ASSERT_EQ(r.lines.size(), 2u) << r.out;
  EXPECT_NE(r.lines[0].find(":10: warning: NFO file \\setupdir\\sub\\none.nfo does not exist"),
            std::string::npos)
      << r.lines[0];
  EXPECT_NE(r.lines[1].find(":14: warning: install path \\setupdir\\none.exe does not exist"),
            std::string::npos)
      << r.lines[1];
  std::filesystem::remove_all(root);
}

// Paths and names in any script: the file and the disc's files are found, names equal ignoring
// Greek or Cyrillic case are duplicates, and a rewrite keeps the file's encoding.
TEST_F(CatTool, UnicodeNamesAndPaths) {
  const std::string root =
      ::testing::TempDir() + "tallimo-cat-\u0395\u03BB\u03BB\u03AC\u03B4\u03B1";
  std::filesystem::remove_all(std::filesystem::u8path(root));
  std::filesystem::create_directories(std::filesystem::u8path(root + "/\u041F\u0440\u043E\u0433"));
  std::ofstream(std::filesystem::u8path(root + "/\u041F\u0440\u043E\u0433/\u00C9t\u00E9.exe"))
      << "";
  const std::string ini = root + "/\u03BA\u03B1\u03C4\u03AC\u03BB\u03BF\u03B3\u03BF\u03C2.ini";
  const std::string text =
      "[General]\r\n[Program1]\r\nName=\u0391\u03A1\u03A7\u0395\u0399\u039F\r\n"
      "Install1=\\\u043F\u0440\u043E\u0433\\\u00E9T\u00C9.EXE\r\n"
      "[Program2]\r\nName=\u03B1\u03C1\u03C7\u03B5\u03B9\u03BF\r\nInstall1=x\r\n";
  std::ofstream(std::filesystem::u8path(ini), std::ios::binary) << text;
  Result r = Run({"check", ini}, &HostFileSystem());
  EXPECT_EQ(r.code, 0) << r.err;
  ASSERT_EQ(r.lines.size(), 1u) << r.out;
  EXPECT_NE(r.lines[0].find(":6: warning: program name \"\u03B1\u03C1\u03C7\u03B5\u03B9\u03BF\" "
                            "equals the one on line 3 ignoring case"),
            std::string::npos)
      << r.lines[0];
  EXPECT_NE(r.err.find(": UTF-8, 2 programs"), std::string::npos) << r.err;

  EXPECT_EQ(Run({"rewrite", ini}, &HostFileSystem()).code, 0);
  std::string written;
  ASSERT_TRUE(HostFileSystem().ReadWholeFile(ini, written));
  EXPECT_EQ(written.find("\xEF\xBB\xBF"), std::string::npos);  // no mark: as it was read
  EXPECT_NE(written.find("Name=\u0391\u03A1\u03A7\u0395\u0399\u039F\r\n"), std::string::npos);
  std::filesystem::remove_all(std::filesystem::u8path(root));
}

TEST_F(CatTool, RewriteSavesInPlaceWithBackup) {
  files.files["d.ini"] = "[general]\ncaption = x \n[Program1]\nname=A\ninstall1=i\n";
  Result r = Run({"rewrite", "d.ini"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(files.files["d.old"], "[general]\ncaption = x \n[Program1]\nname=A\ninstall1=i\n");
  EXPECT_EQ(files.files["d.ini"],
            "[General]\r\nCaption=x\r\nCreatedBy=\r\nWriteDate=Mon, 7 Dec 2026, 3:06 pm\r\n"
            "[Program1]\r\nName=A\r\nNFO=\r\nBatch=0\r\nInstall1=i\r\n");

  files.files.erase("d.old");
  files.folders.insert("d.old");
  std::string before = files.files["d.ini"];
  Result failed = Run({"rewrite", "d.ini"});
  EXPECT_EQ(failed.code, 1);
  EXPECT_NE(failed.err.find("Unable to write to d.ini"), std::string::npos);
  EXPECT_EQ(files.files["d.ini"], before);
}

// A file with lines that the catalogue does not hold is rewritten only with --force.
TEST_F(CatTool, RewriteRefusesToDropUnreadLinesUnlessForced) {
  const std::string typo = "[General]\nCaption=x\n[Program1]\nNmae=A\nInstall1=i\n";
  files.files["d.ini"] = typo;
  Result refused = Run({"rewrite", "d.ini"});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.err.substr(0, refused.err.find('\n')),
            "tallimo-cat: d.ini holds 3 lines that Tallimo does not read, the first at line 3: "
            "[Program1].");
  EXPECT_EQ(files.files["d.ini"], typo);
  EXPECT_EQ(Run({"rewrite", "--force", "d.ini"}).code, 0);
  EXPECT_EQ(files.files["d.old"], typo);
  EXPECT_EQ(Run({"rewrite", "d.ini"}).code, 0);  // nothing left that is not read
}

TEST_F(CatTool, TheDemoDiscChecksCleanly) {
  const std::string ini = std::string(TALLIMO_SOURCE_DIR) + "/examples/demo-disc/TALLIMO.INI";
  Result check = Run({"check", ini}, &HostFileSystem());
  EXPECT_EQ(check.code, 0) << check.out << check.err;
  EXPECT_EQ(check.out, "");

  Catalogue cat;
  cat.IniFileName = ini;
  LoadCatalogue(cat, HostFileSystem(), HostLocale());
  ASSERT_EQ(cat.ProgramList.size(), 6u);
  int batch = 0, withDrive = 0;
  for (const auto& e : cat.ProgramList) {
    EXPECT_FALSE(e->InstallLines.empty()) << e->Name;
    batch += e->Batch;
    for (const auto& line : e->InstallLines) withDrive += line.find("%D:") != std::string::npos;
  }
  EXPECT_GT(batch, 0);
  EXPECT_LT(batch, 6);
  EXPECT_GT(withDrive, 0);
}

}  // namespace
}  // namespace tallimo
