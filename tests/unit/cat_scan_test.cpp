// tallimo-cat scan over a disc in memory: what is identified, skipped and left out, a new
// catalogue, and the add-only rule on an existing one (every byte kept, in its encoding).
#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/catalogue_file.h"
#include "fakes/fake_disc_files.h"
#include "fakes/fake_installer_database.h"
#include "fakes/fake_locale.h"
#include "fakes/fixed_clock.h"
#include "fakes/pe_file.h"
#include "fakes/utf16_file.h"
#include "tallimo_cat/disc_scan.h"

namespace tallimo {
namespace {

using testing::PeFile;
using FakeDatabase = testing::FakeInstallerDatabase;

std::string Nsis(const std::string& name) {
  return PeFile{{".text"},
                {{"ProductName", name}, {"ProductVersion", "1.0"}},
                std::string("\xEF\xBE\xAD\xDE"
                            "NullsoftInst",
                            16)}
      .Bytes();
}

class Scan : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* f :
         {"disc", "disc/A", "disc/B", "disc/C", "disc/1", "disc/1/2", "disc/1/2/3", "disc/1/2/3/4",
          "disc/1/2/3/4/5", "disc/1/2/3/4/5/6", "disc/1/2/3/4/5/6/7"})
      files.folders.insert(f);
    files.files["disc/A/app.msi"] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    database.packages["disc/A/app.msi"] = {
        {"ProductName", "Viewer"},
        {"ProductVersion", "2.0"},
        {"ProductCode", "{6F1A3C2E-5B7D-4E8F-9A10-2B3C4D5E6F70}"}};
    files.files["disc/B/setup.exe"] = Nsis("Editor");
    files.files["disc/B/helper.exe"] = PeFile{}.Bytes();
    files.files["disc/C/notes.exe"] = "text";
    files.files["disc/TALLIMO.EXE"] = PeFile{}.Bytes();
    files.files["disc/readme.txt"] = "";
    files.files["disc/1/2/3/4/5/6/deep.exe"] = PeFile{}.Bytes();
    files.files["disc/1/2/3/4/5/6/7/deeper.exe"] = PeFile{}.Bytes();
  }
  int Run(const std::string& catalogue = "disc/TALLIMO.INI") {
    std::ostringstream o, e;
    const int code = RunScan("disc", catalogue, o, e, files, locale, clock, disc, database);
    out = o.str();
    err = e.str();
    return code;
  }
  testing::FakeFileSystem files;
  testing::FakeDiscFiles disc{files};
  FakeDatabase database;
  testing::FakeLocale locale;
  testing::FixedClock clock;
  std::string out, err;
};

TEST_F(Scan, ANewCatalogueHoldsEveryInstallerInPathOrder) {
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(out,
            "\\1\\2\\3\\4\\5\\6\\deep.exe: unknown setup \"deep\", added\n"
            "\\A\\app.msi: Windows Installer package \"Viewer\" 2.0, added\n"
            "\\B\\helper.exe: left out (a helper beside the setup \\B\\setup.exe)\n"
            "\\B\\setup.exe: NSIS \"Editor\" 1.0, added\n"
            "\\C\\notes.exe: left out (not a Windows program)\n");
  Catalogue cat;
  cat.IniFileName = "disc/TALLIMO.INI";
  LoadCatalogue(cat, files, locale);
  EXPECT_EQ(cat.Encoding, TCatalogueEncoding::ceAnsi);
  EXPECT_EQ(cat.ConfigCaption, "disc");
  ASSERT_EQ(cat.ProgramList.size(), 3u);
  EXPECT_EQ(cat.ProgramList[1]->InstallLines[0], "msiexec /i \"\\A\\app.msi\" /qn /norestart");
  EXPECT_EQ(cat.ProgramList[2]->Detect, "uninstall:Editor");
  EXPECT_FALSE(files.FileExists("disc/TALLIMO.old"));
}

TEST_F(Scan, AnExistingCatalogueGetsOnlyNewEntriesAndKeepsEveryByte) {
  const std::string head =
      "; made by hand\r\n[General]\r\nCaption=Kit\r\nWriteDate=Mon, 7 Dec 2026, 3:06 pm\r\n"
      "[Program1]\r\nName=Viewer\r\nInstall1=msiexec /i \"%D:\\A\\APP.MSI\" /qn\r\nFoo=kept\r\n";
  const std::string tail = "\r\n[Extra]\r\nKey=caf\xE9\r\n";
  files.files["disc/TALLIMO.INI"] = head + tail;
  EXPECT_EQ(Run(), 0);
  EXPECT_NE(out.find("\\A\\app.msi: Windows Installer package \"Viewer\" 2.0, already in the "
                     "catalogue\n"),
            std::string::npos);
  const std::string now = files.files["disc/TALLIMO.INI"];
  ASSERT_EQ(now.substr(0, head.size()), head);
  ASSERT_EQ(now.substr(now.size() - tail.size()), tail);
  const std::string added = now.substr(head.size(), now.size() - head.size() - tail.size());
  EXPECT_EQ(added.substr(0, 30), "[Program2]\r\nName=deep\r\nNFO=\r\nB");
  EXPECT_NE(added.find("[Program3]\r\nName=Editor\r\n"), std::string::npos);
  EXPECT_EQ(files.files["disc/TALLIMO.old"], head + tail);

  // Nothing more to add: file and backup stay as they are.
  files.files["disc/TALLIMO.old"] = "older";
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(files.files["disc/TALLIMO.INI"], now);
  EXPECT_EQ(files.files["disc/TALLIMO.old"], "older");
  EXPECT_NE(out.find("\\B\\setup.exe: NSIS \"Editor\" 1.0, already in the catalogue"),
            std::string::npos);
}

TEST_F(Scan, EncodingsAndWhereTheNewSectionsGo) {
  files.files.erase("disc/1/2/3/4/5/6/deep.exe");
  files.files.erase("disc/A/app.msi");
  struct {
    const char* what;
    std::string before;
    size_t programs;    // read back afterwards
    std::string start;  // the file's first bytes afterwards
    int code = 0;
  } const rows[] = {
      {"UTF-16", testing::Utf16File(u"[General]\r\nCaption=K\r\n"), 1, "\xFF\xFE[\0G\0"},
      {"no Program1 name", "[Program1]\r\nInstall1=x\r\n", 1, "[Program1]\r\nName=Editor"},
      // Program2 would be read from then on: nothing is written.
      {"a section after the end", "[Program1]\r\nInstall1=x\r\n[Program2]\r\nName=B\r\n", 0,
       "[Program1]\r\nInstall1=x\r\n[Program2]\r\nName=B\r\n", 1},
      {"no line break at the end", "[Program1]\r\nName=A", 2, "[Program1]\r\nName=A\r\n[Pro"},
      {"ANSI that cannot hold the name", "[General]\r\nCaption=Caf\xE9\r\n", 1,
       "\xEF\xBB\xBF[General]\r\nCaption=Caf\xC3\xA9\r\n[Program1]\r\nName=\xE4\xB8\xAD"},
  };
  for (const auto& row : rows) {
    files.files["disc/B/setup.exe"] =
        Nsis(row.what == rows[4].what ? "\xE4\xB8\xAD Editor" : "Editor");
    files.files["disc/TALLIMO.INI"] = row.before;
    files.files.erase("disc/TALLIMO.old");
    EXPECT_EQ(Run(), row.code) << row.what << err;
    const std::string now = files.files["disc/TALLIMO.INI"];
    EXPECT_EQ(now.substr(0, row.start.size()), row.start) << row.what;
    Catalogue cat;
    cat.IniFileName = "disc/TALLIMO.INI";
    LoadCatalogue(cat, files, locale);
    EXPECT_EQ(cat.ProgramList.size(), row.programs) << row.what;
    EXPECT_EQ(files.files["disc/TALLIMO.old"], row.code ? "" : row.before) << row.what;
  }
  EXPECT_NE(err.find("the whole file is now UTF-8 with byte-order mark"), std::string::npos);
}

}  // namespace
}  // namespace tallimo
