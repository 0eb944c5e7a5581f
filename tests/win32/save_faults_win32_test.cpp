// Saving the catalogue through the Windows file system seam when the disk says no: every
// failure reports "Unable to write to <file>" and leaves catalogue and backup byte for byte.
//
// Faults that Win32 alone cannot make under Wine (a locked folder or file, a full disk) are
// made on the Linux host: chattr +i and a small tmpfs, which need root. Without them those
// tests are skipped. TALLIMO_TEST_FULLDISK may name (as a Windows path) an empty folder on a
// small file system, about 64 KB, to use instead of mounting one.
#include <gtest/gtest.h>

#include <cstdlib>

#include "catalogue/catalogue_file.h"
#include "fakes/sample_catalogue.h"
#include "platform/error.h"
#include "platform/handle_win32.h"
#include "win32_test_files.h"

namespace tallimo {
namespace {

using Contents = std::map<std::string, std::string>;

class SaveFaultsWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = wintest::MakeTempFolder("save");
    ASSERT_FALSE(folder.empty());
    ini = folder + "\\DISC.INI";
    backup = folder + "\\DISC.old";
  }
  void TearDown() override {
    for (const auto& path : locked) wintest::RunUnixCommand("chattr -i '" + path + "'");
    if (!mounted.empty()) wintest::RunUnixCommand("umount '" + mounted + "'");
    wintest::RemoveTree(folder);
  }

  Catalogue Sample() { return testing::SampleCatalogue(ini); }

  void Save(Catalogue& cat) { SaveCatalogue(cat, HostFileSystem(), HostLocale(), HostClock()); }

  void ExpectSaveFailsLosingNothing(Catalogue& cat) { ExpectSaveFailsLosingNothing(cat, folder); }
  void ExpectSaveFailsLosingNothing(Catalogue& cat, const std::string& where) {
    const Contents before = wintest::FolderContents(where);
    const std::string writeDate = cat.WriteDate;
    try {
      Save(cat);
      ADD_FAILURE() << "the save did not fail";
    } catch (const TallimoError& e) {
      EXPECT_EQ(std::string(e.what()), "Unable to write to " + ini);
    }
    EXPECT_EQ(wintest::FolderContents(where), before);
    EXPECT_TRUE(cat.Modified);
    EXPECT_EQ(cat.WriteDate, writeDate);
  }

  // Makes a file or folder immutable on the host (chattr +i), undone at the end.
  bool Lock(const std::string& windowsPath) {
    const std::string path = wintest::UnixPath(windowsPath);
    if (path.empty() || !wintest::RunUnixCommand("chattr +i '" + path + "'")) return false;
    locked.push_back(path);
    return true;
  }

  std::string folder, ini, backup;
  std::vector<std::string> locked;
  std::string mounted;
};

TEST_F(SaveFaultsWin32, ASaveKeepsOneBackupAndWritesTheWholeFile) {
  ASSERT_TRUE(wintest::WriteBytes(backup, "older"));
  ASSERT_TRUE(wintest::WriteBytes(ini, "[General]\r\nCaption=Before\r\n"));
  Catalogue cat = Sample();
  Save(cat);
  Contents after = wintest::FolderContents(folder);
  EXPECT_EQ(after.size(), 2u);
  EXPECT_EQ(after["DISC.old"], "[General]\r\nCaption=Before\r\n");
  EXPECT_EQ(after["DISC.INI"], WriteCatalogueText(cat));
  EXPECT_FALSE(cat.Modified);
}

TEST_F(SaveFaultsWin32, ABackupNameTakenByAFolder) {
  ASSERT_TRUE(wintest::WriteBytes(ini, "current"));
  ASSERT_TRUE(CreateDirectoryA(backup.c_str(), nullptr));
  ASSERT_TRUE(wintest::WriteBytes(backup + "\\inside", "kept"));
  Catalogue cat = Sample();
  ExpectSaveFailsLosingNothing(cat);
  EXPECT_EQ(wintest::ReadBytes(backup + "\\inside"), "kept");
}

TEST_F(SaveFaultsWin32, ACatalogueHeldOpenWithoutSharing) {
  // Another program has the catalogue open and lets nobody rename or delete it.
  ASSERT_TRUE(wintest::WriteBytes(ini, "current"));
  ASSERT_TRUE(wintest::WriteBytes(backup, "older"));
  const OwnedHandle held(CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);
  Catalogue cat = Sample();
  ExpectSaveFailsLosingNothing(cat);
}

TEST_F(SaveFaultsWin32, ABackupHeldOpenWithoutSharing) {
  ASSERT_TRUE(wintest::WriteBytes(ini, "current"));
  ASSERT_TRUE(wintest::WriteBytes(backup, "older"));
  const OwnedHandle held(CreateFileA(backup.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);
  Catalogue cat = Sample();
  ExpectSaveFailsLosingNothing(cat);
}

// The read-only attribute guards a file's bytes, not its name: Windows (and Wine) let the
// file be renamed within its folder. So a save succeeds and the read-only file becomes the
// backup, unchanged and still read-only; the next save drops it like any older backup.
TEST_F(SaveFaultsWin32, AReadOnlyCatalogueBecomesTheBackup) {
  ASSERT_TRUE(wintest::WriteBytes(ini, "current"));
  ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY));
  Catalogue cat = Sample();
  Save(cat);
  const std::string first = WriteCatalogueText(cat);
  Contents after = wintest::FolderContents(folder);
  EXPECT_EQ(after, (Contents{{"DISC.INI", first}, {"DISC.old", "current"}}));
  EXPECT_TRUE(GetFileAttributesA(backup.c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_READONLY);

  cat.ConfigCaption = "Second";
  Save(cat);
  EXPECT_EQ(wintest::FolderContents(folder),
            (Contents{{"DISC.INI", WriteCatalogueText(cat)}, {"DISC.old", first}}));
}

// A pipe or a device at the catalogue's name is refused without waiting on it; the pipe is
// made on the host, where Wine shows it as a file without attributes.
TEST(FilesWin32, TellsFilesFoldersAndPipesApartWithoutWaiting) {
  const std::string folder = wintest::MakeTempFolder("kinds");
  const std::string file = folder + "\\DISC.INI", pipe = folder + "\\PIPE.INI";
  ASSERT_TRUE(wintest::WriteBytes(file, "[General]\r\nCaption=C\r\n"));
  FileSystem& files = HostFileSystem();
  EXPECT_EQ(files.KindOf(file), TFileKind::fkFile);
  EXPECT_EQ(files.KindOf(folder), TFileKind::fkFolder);
  EXPECT_EQ(files.KindOf(folder + "\\NONE.INI"), TFileKind::fkMissing);
  EXPECT_EQ(files.KindOf("Z:\\dev\\zero"), TFileKind::fkOther);
  EXPECT_TRUE(wintest::RunUnixCommand("mkfifo '" + wintest::UnixPath(folder) + "/PIPE.INI'"));
  EXPECT_EQ(files.KindOf(pipe), TFileKind::fkOther);
  std::string bytes;
  EXPECT_FALSE(files.ReadWholeFile(pipe, bytes));  // returns at once: nothing waits on it
  wintest::RemoveTree(folder);
}

TEST(FilesWin32, RemovesReadOnlyFilesButNoFolders) {
  const std::string folder = wintest::MakeTempFolder("files");
  const std::string file = folder + "\\locked.txt", sub = folder + "\\sub";
  ASSERT_TRUE(wintest::WriteBytes(file, "x"));
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
  FileSystem& files = HostFileSystem();
  EXPECT_TRUE(files.FileExists(file));
  EXPECT_FALSE(files.FileExists(sub));
  EXPECT_TRUE(files.DirectoryExists(sub));
  EXPECT_FALSE(files.DirectoryExists(file));
  EXPECT_FALSE(files.RemoveFile(sub));
  EXPECT_TRUE(files.DirectoryExists(sub));
  EXPECT_TRUE(files.RemoveFile(file));
  EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(files.RemoveFile(file));
  wintest::RemoveTree(folder);
}

TEST_F(SaveFaultsWin32, AnImmutableCatalogue) {
  ASSERT_TRUE(wintest::WriteBytes(ini, "current"));
  ASSERT_TRUE(wintest::WriteBytes(backup, "older"));
  if (!Lock(ini)) GTEST_SKIP() << "chattr +i on the host is not available";
  Catalogue cat = Sample();
  ExpectSaveFailsLosingNothing(cat);
}

TEST_F(SaveFaultsWin32, AnImmutableBackup) {
  ASSERT_TRUE(wintest::WriteBytes(ini, "current"));
  ASSERT_TRUE(wintest::WriteBytes(backup, "older"));
  if (!Lock(backup)) GTEST_SKIP() << "chattr +i on the host is not available";
  Catalogue cat = Sample();
  ExpectSaveFailsLosingNothing(cat);
}

TEST_F(SaveFaultsWin32, ALockedFolder) {
  ASSERT_TRUE(wintest::WriteBytes(ini, "current"));
  ASSERT_TRUE(wintest::WriteBytes(backup, "older"));
  if (!Lock(folder)) GTEST_SKIP() << "chattr +i on the host is not available";
  Catalogue cat = Sample();
  ExpectSaveFailsLosingNothing(cat);
}

TEST_F(SaveFaultsWin32, AFullDisk) {
  const char* given = std::getenv("TALLIMO_TEST_FULLDISK");
  std::string disk;
  if (given && *given) {
    disk = given;
  } else {
    disk = folder + "\\small";
    const std::string host = wintest::UnixPath(folder);
    const std::string path = host + "/small";
    if (host.empty() || !CreateDirectoryA(disk.c_str(), nullptr) ||
        !wintest::RunUnixCommand("mount -t tmpfs -o size=64k tallimo-test '" + path + "'"))
      GTEST_SKIP() << "no small file system: set TALLIMO_TEST_FULLDISK or run as root";
    mounted = path;
  }
  ASSERT_TRUE(wintest::FolderContents(disk).empty()) << disk << " is not empty";
  ini = disk + "\\DISC.INI";
  backup = disk + "\\DISC.old";
  ASSERT_TRUE(wintest::WriteBytes(ini, "[General]\r\nCaption=Before\r\n"));
  ASSERT_TRUE(wintest::WriteBytes(backup, "older"));
  Catalogue cat = Sample();
  cat.ProgramList[0]->InfoLines.assign(4000, std::string(60, 'x'));  // about 250 KB
  ExpectSaveFailsLosingNothing(cat, disk);
  DeleteFileA(ini.c_str());
  DeleteFileA(backup.c_str());
}

}  // namespace
}  // namespace tallimo
