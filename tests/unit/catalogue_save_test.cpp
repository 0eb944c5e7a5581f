// Loading and saving through the file system seam: backup naming, the atomic save and its
// failures (nothing lost, Modified kept), on a fake file system and on real folders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>
#include <string>

#include "catalogue/catalogue_file.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_locale.h"
#include "fakes/fixed_clock.h"
#include "fakes/sample_catalogue.h"
#include "fakes/utf16_file.h"
#include "platform/error.h"

namespace tallimo {
namespace {

namespace fs = std::filesystem;
using testing::FakeFileSystem;
using testing::FakeLocale;
using testing::FixedClock;

TEST(CatalogueBackupName, ReplacesTheExtensionOfTheFileName) {
  struct Case {
    const char *ini, *backup;
  };
  const Case cases[] = {
      {"D:\\MENU\\DISC.INI", "D:\\MENU\\DISC.old"},
      {"D:\\MENU\\DISC", "D:\\MENU\\DISC.old"},
      {"D:\\MENU.CD\\DISC", "D:\\MENU.CD\\DISC.old"},
      {"D:DISC.INI", "D:DISC.old"},
      {"D:.\\DISC", "D:.\\DISC.old"},
      {"DISC.TAR.INI", "DISC.TAR.old"},
      {"DISC.", "DISC.old"},
      {"DISC.old", "DISC.old"},
      {"", ".old"},
      {"C:/disc.d/menu", "C:/disc.d/menu.old"},
      {"C:/disc.d\\menu.ini", "C:/disc.d\\menu.old"},
      {"C:\\disc.d/menu", "C:\\disc.d/menu.old"},
      {"/srv/menu.d/disc.ini", "/srv/menu.d/disc.old"},
  };
  for (const Case& c : cases) EXPECT_EQ(BackupFileName(c.ini), c.backup) << c.ini;
}

Catalogue Sample(const std::string& name) {
  return testing::SampleCatalogue(name);
}

class CatalogueSaveFake : public ::testing::Test {
 protected:
  const std::string ini = "D:\\MENU\\DISC.INI";
  const std::string backup = "D:\\MENU\\DISC.old";
  FakeFileSystem files;
  FakeLocale locale;
  FixedClock clock;
};

TEST_F(CatalogueSaveFake, TheFirstSaveCreatesTheFileWithoutBackup) {
  Catalogue cat = Sample(ini);
  SaveCatalogue(cat, files, locale, clock);
  ASSERT_EQ(files.files.size(), 1u);
  EXPECT_EQ(files.files[ini], WriteCatalogueText(cat));
  EXPECT_EQ(cat.WriteDate, "Mon, 7 Dec 2026, 3:06 pm");
  EXPECT_FALSE(cat.Modified);
  EXPECT_NE(files.files[ini].find("WriteDate=Mon, 7 Dec 2026, 3:06 pm\r\n"), std::string::npos);
}

TEST_F(CatalogueSaveFake, ThePreviousFileBecomesTheBackupAndAnOlderOneGoes) {
  files.files[ini] = "current";
  files.files[backup] = "older";
  Catalogue cat = Sample(ini);
  SaveCatalogue(cat, files, locale, clock);
  EXPECT_EQ(files.files.size(), 2u);  // no temporary or spare file is left
  EXPECT_EQ(files.files[backup], "current");
  EXPECT_EQ(files.files[ini], WriteCatalogueText(cat));
}

TEST_F(CatalogueSaveFake, ACatalogueNamedLikeItsBackupIsReplacedWithoutOne) {
  files.files["D:\\DISC.old"] = "current";
  Catalogue cat = Sample("D:\\DISC.old");
  SaveCatalogue(cat, files, locale, clock);
  EXPECT_EQ(files.files.size(), 1u);
  EXPECT_EQ(files.files["D:\\DISC.old"], WriteCatalogueText(cat));
}

TEST_F(CatalogueSaveFake, TemporaryNamesInUseAreSkipped) {
  files.files[ini] = "current";
  files.files[ini + ".new"] = "someone else's";
  files.folders.insert(ini + ".new1");
  Catalogue cat = Sample(ini);
  SaveCatalogue(cat, files, locale, clock);
  EXPECT_EQ(files.files[ini + ".new"], "someone else's");
  EXPECT_EQ(files.files[backup], "current");
  EXPECT_EQ(files.files.size(), 3u);
}

// Every change the save makes fails in turn: the save either fails with the error and the
// files exactly as before, or completes with the new file and the backup in place.
TEST_F(CatalogueSaveFake, AFailureAtAnyStepLosesNothing) {
  struct Start {
    const char* what;
    std::map<std::string, std::string> files;
  };
  const Start starts[] = {
      {"no file yet", {}},
      {"file only", {{ini, "current"}}},
      {"file and backup", {{ini, "current"}, {backup, "older"}}},
      {"self-named", {{"D:\\MENU\\DISC.old", "current"}}},
  };
  for (const Start& start : starts) {
    for (bool leavesPart : {false, true}) {
      int failures = 0;
      for (int step = 1;; ++step) {
        SCOPED_TRACE(std::string(start.what) + ", step " + std::to_string(step));
        FakeFileSystem f;
        f.files = start.files;
        f.failAt = step;
        f.writeLeavesPart = leavesPart;
        const std::string name =
            std::string(start.what) == "self-named" ? "D:\\MENU\\DISC.old" : ini;
        Catalogue cat = Sample(name);
        try {
          SaveCatalogue(cat, f, locale, clock);
        } catch (const TallimoError& e) {
          ++failures;
          EXPECT_EQ(std::string(e.what()), "Unable to write to " + name);
          EXPECT_EQ(f.files, start.files);  // byte for byte, nothing left over
          EXPECT_TRUE(cat.Modified);
          EXPECT_EQ(cat.WriteDate, "Sun, 1 Jan 2023, 9:00 am");
          continue;
        }
        // The step fell after the save's last change (or on a clean-up): the save is done.
        EXPECT_FALSE(cat.Modified);
        EXPECT_EQ(f.files[name], WriteCatalogueText(cat));
        if (start.files.count(ini) && name == ini) {
          EXPECT_EQ(f.files[backup], "current");
        }
        if (f.changes < step) break;  // nothing failed: every step has been tried
      }
      EXPECT_GE(failures, 1) << start.what;
    }
  }
}

TEST_F(CatalogueSaveFake, ABackupNameTakenByAFolderFailsTheSave) {
  files.files[ini] = "current";
  files.folders.insert(backup);
  Catalogue cat = Sample(ini);
  EXPECT_THROW(SaveCatalogue(cat, files, locale, clock), TallimoError);
  EXPECT_EQ(files.files.size(), 1u);
  EXPECT_EQ(files.files[ini], "current");
  EXPECT_TRUE(cat.Modified);
}

TEST_F(CatalogueSaveFake, LoadReadsTheFileAndIgnoresAMissingOne) {
  Catalogue cat = Sample(ini);
  LoadCatalogue(cat, files, locale);  // no file: nothing changes
  EXPECT_EQ(cat.ConfigCaption, "New caption");
  EXPECT_EQ(cat.ProgramList.size(), 1u);

  files.files[ini] = "[General]\r\nCaption=From disk\r\n";
  LoadCatalogue(cat, files, locale);
  EXPECT_EQ(cat.ConfigCaption, "From disk");
  EXPECT_TRUE(cat.ProgramList.empty());
  EXPECT_TRUE(cat.Modified);  // loading leaves Modified alone
}

// A catalogue saved as "Unicode" reads as UTF-8 text, every character kept, and is written back
// as it was read: UTF-16 in its byte order.
TEST_F(CatalogueSaveFake, AUtf16FileReadsWholeAndIsWrittenBackAsUtf16) {
  const std::u16string text =
      u"[General]\r\nCaption=Caf\u00E9 \u20AC5\r\n[Program1]\nName=\u4E2D\u6587 Tools\r"
      u"Install1=SETUP.EXE\r\nInfo1=\U0001F600 ok";
  for (bool bigEndian : {false, true}) {
    files.files[ini] = testing::Utf16File(text, bigEndian);
    CatalogueText file = ReadCatalogueFile(ini, files, locale);
    EXPECT_EQ(file.encoding, bigEndian ? TCatalogueEncoding::ceUtf16BigEndian
                                       : TCatalogueEncoding::ceUtf16LittleEndian);
    EXPECT_EQ(file.text,
              "[General]\r\nCaption=Caf\u00E9 \u20AC5\r\n[Program1]\nName=\u4E2D\u6587 Tools\r"
              "Install1=SETUP.EXE\r\nInfo1=\U0001F600 ok");
    EXPECT_TRUE(file.replacedLines.empty());

    Catalogue cat = Sample(ini);
    LoadCatalogue(cat, files, locale);
    EXPECT_EQ(cat.ConfigCaption, "Caf\u00E9 \u20AC5");
    ASSERT_EQ(cat.ProgramList.size(), 1u);
    EXPECT_EQ(cat.ProgramList[0]->Name, "\u4E2D\u6587 Tools");
    EXPECT_EQ(cat.ProgramList[0]->InstallLines, StringList{"SETUP.EXE"});
    SaveCatalogue(cat, files, locale, clock);
    std::string expected;
    ASSERT_TRUE(
        EncodeCatalogue(WriteCatalogueText(cat), file.encoding, locale.AnsiCodePage(), expected));
    EXPECT_EQ(files.files[ini], expected);
    EXPECT_TRUE(files.files[ini].starts_with(bigEndian ? "\xFE\xFF" : "\xFF\xFE"));
  }
  files.files[ini] = "[General]\r\nCaption=\xFF\xFE is no mark here\r\n";
  EXPECT_EQ(ReadCatalogueFile(ini, files, locale).encoding, TCatalogueEncoding::ceAnsi);
}

// What stands at the catalogue's name cannot be read: the load fails with the user's message
// and the catalogue in memory stays whole.
TEST_F(CatalogueSaveFake, WhatCannotBeReadFailsTheLoadAndChangesNothing) {
  struct Special : FakeFileSystem {
    TFileKind kind = TFileKind::fkFile;
    bool throws = false;
    TFileKind KindOf(const std::string&) override { return kind; }
    bool ReadWholeFile(const std::string& path, std::string& bytes) override {
      if (throws) throw std::bad_alloc();
      return FakeFileSystem::ReadWholeFile(path, bytes);
    }
  };
  struct Case {
    TFileKind kind;
    bool throws;
    std::string message;
  };
  const Case cases[] = {
      {TFileKind::fkFolder, false, ini + " is a folder, not a catalogue file"},
      {TFileKind::fkOther, false, ini + " is not a regular file"},
      {TFileKind::fkFile, false, "Unable to read " + ini},  // no bytes to be had
      {TFileKind::fkFile, true, "Not enough memory to read " + ini},
  };
  for (const Case& c : cases) {
    Special special;
    special.kind = c.kind;
    special.throws = c.throws;
    Catalogue cat = Sample(ini);
    try {
      LoadCatalogue(cat, special, locale);
      ADD_FAILURE() << "the load did not fail: " << c.message;
    } catch (const TallimoError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(cat.ConfigCaption, "New caption");
    EXPECT_EQ(cat.ProgramList.size(), 1u);
  }
}

// ---- real folders ----

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

class CatalogueSaveReal : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("tallimo-save-" + std::to_string(std::rand()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    ini = dir / "DISC.INI";
    backup = dir / "DISC.old";
  }
  void TearDown() override {
#ifndef _WIN32
    for (const auto& p : immutable) Run("chattr -i '" + p.string() + "' 2>/dev/null");
    if (mounted) Run("umount '" + dir.string() + "'");
#endif
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  static bool Run(const std::string& command) {
    return std::system(command.c_str()) == 0;
  }

  // The folder's files and their bytes.
  std::map<std::string, std::string> Contents() {
    std::map<std::string, std::string> m;
    for (const auto& e : fs::directory_iterator(dir))
      m[e.path().filename().string()] = e.is_regular_file() ? ReadFile(e.path()) : "<folder>";
    return m;
  }

  void ExpectSaveFailsLosingNothing(Catalogue& cat) {
    auto before = Contents();
    try {
      SaveCatalogue(cat, HostFileSystem(), locale, clock);
      ADD_FAILURE() << "the save did not fail";
    } catch (const TallimoError& e) {
      EXPECT_EQ(std::string(e.what()), "Unable to write to " + cat.IniFileName);
    }
    EXPECT_EQ(Contents(), before);
    EXPECT_TRUE(cat.Modified);
  }

  fs::path dir, ini, backup;
  std::vector<fs::path> immutable;
  bool mounted = false;
  FakeLocale locale;
  FixedClock clock;
};

TEST_F(CatalogueSaveReal, SaveAndLoadThroughTheHostFileSystem) {
  WriteFile(backup, "older");
  WriteFile(ini, "[General]\nCaption=Before\n");
  Catalogue cat = Sample(ini.string());
  SaveCatalogue(cat, HostFileSystem(), locale, clock);
  auto after = Contents();
  EXPECT_EQ(after.size(), 2u);
  EXPECT_EQ(after["DISC.old"], "[General]\nCaption=Before\n");
  EXPECT_EQ(after["DISC.INI"], WriteCatalogueText(cat));

  Catalogue back;
  back.IniFileName = ini.string();
  LoadCatalogue(back, HostFileSystem(), HostLocale());
  EXPECT_EQ(back.ConfigCaption, "New caption");
  ASSERT_EQ(back.ProgramList.size(), 1u);
  EXPECT_EQ(back.ProgramList[0]->InstallLines, (StringList{"%D:\\SETUP.EXE"}));
}

TEST_F(CatalogueSaveReal, ABackupNameTakenByAFolder) {
  WriteFile(ini, "current");
  fs::create_directory(backup);
  WriteFile(backup / "inside", "x");
  Catalogue cat = Sample(ini.string());
  ExpectSaveFailsLosingNothing(cat);
  EXPECT_EQ(ReadFile(backup / "inside"), "x");
}

TEST_F(CatalogueSaveReal, ACatalogueNameTakenByAFolder) {
  fs::create_directory(ini);
  Catalogue cat = Sample(ini.string());
  ExpectSaveFailsLosingNothing(cat);
}

#ifndef _WIN32
TEST_F(CatalogueSaveReal, AFullDisk) {
  if (!Run("mount -t tmpfs -o size=64k tallimo-test '" + dir.string() + "' 2>/dev/null"))
    GTEST_SKIP() << "cannot mount a small tmpfs here";
  mounted = true;
  WriteFile(ini, "[General]\r\nCaption=Before\r\n");
  WriteFile(backup, "older");
  Catalogue cat = Sample(ini.string());
  cat.ProgramList[0]->InfoLines.assign(4000, std::string(60, 'x'));  // about 270 KB
  ExpectSaveFailsLosingNothing(cat);
}

TEST_F(CatalogueSaveReal, ALockedFolder) {
  WriteFile(ini, "current");
  WriteFile(backup, "older");
  if (!Run("chattr +i '" + dir.string() + "' 2>/dev/null"))
    GTEST_SKIP() << "chattr +i is not supported here";
  immutable.push_back(dir);
  Catalogue cat = Sample(ini.string());
  ExpectSaveFailsLosingNothing(cat);
}

TEST_F(CatalogueSaveReal, AReadOnlyCatalogue) {
  WriteFile(ini, "current");
  if (!Run("chattr +i '" + ini.string() + "' 2>/dev/null"))
    GTEST_SKIP() << "chattr +i is not supported here";
  immutable.push_back(ini);
  Catalogue cat = Sample(ini.string());
  ExpectSaveFailsLosingNothing(cat);
}

TEST_F(CatalogueSaveReal, AnUnwritableBackup) {
  WriteFile(ini, "current");
  WriteFile(backup, "older");
  if (!Run("chattr +i '" + backup.string() + "' 2>/dev/null"))
    GTEST_SKIP() << "chattr +i is not supported here";
  immutable.push_back(backup);
  Catalogue cat = Sample(ini.string());
  ExpectSaveFailsLosingNothing(cat);
}

TEST(CatalogueHostFiles, MoveNeverReplacesAndNewFilesAreExclusive) {
  fs::path dir = fs::temp_directory_path() / ("tallimo-files-" + std::to_string(std::rand()));
  fs::create_directories(dir);
  FileSystem& files = HostFileSystem();
  const std::string a = (dir / "a").string(), b = (dir / "b").string();
  EXPECT_EQ(files.WriteNewFile(a, "one"), TWriteResult::wrOk);
  EXPECT_EQ(files.WriteNewFile(a, "two"), TWriteResult::wrExists);
  EXPECT_EQ(files.WriteNewFile((dir / "no" / "c").string(), "x"), TWriteResult::wrFailed);
  EXPECT_EQ(files.WriteNewFile(b, "bee"), TWriteResult::wrOk);
  EXPECT_FALSE(files.MoveFile(a, b));
  EXPECT_EQ(ReadFile(b), "bee");
  EXPECT_TRUE(files.RemoveFile(b));
  EXPECT_TRUE(files.MoveFile(a, b));
  EXPECT_FALSE(files.FileExists(a));
  std::string bytes;
  EXPECT_TRUE(files.ReadWholeFile(b, bytes));
  EXPECT_EQ(bytes, "one");
  EXPECT_FALSE(files.FileExists(dir.string()));
  EXPECT_TRUE(files.DirectoryExists(dir.string()));
  EXPECT_FALSE(files.ReadWholeFile(dir.string(), bytes));
  EXPECT_FALSE(files.RemoveFile(dir.string()));
  fs::remove_all(dir);
}
#endif

}  // namespace
}  // namespace tallimo
