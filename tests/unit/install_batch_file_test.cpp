// The batch file: its bytes, its folder, its name, and creation that never replaces a file.
#include <gtest/gtest.h>

#include "fakes/event_log.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/scripted_random.h"
#include "install/batch_file.h"
#include "platform/error.h"

namespace tallimo {
namespace {

using testing::EventLog;
using testing::FakeEnvironment;
using testing::FakeFileSystem;
using testing::ScriptedRandom;

// The lines in the OEM code page (437 here), each ended by CR LF; plain ASCII as it is. A line
// with a character that 437 lacks gives no bytes at all: no "?" and no look-alike ("l" for "ł").
TEST(BatchFile, BytesAreEachLineInTheOemCodePageAndCrLf) {
  struct Case {
    StringList lines;
    bool ok;
    std::string bytes;
    size_t badLine;
  };
  const Case cases[] = {
      {{"a", "b"}, true, "a\r\nb\r\n", 0},
      {{""}, true, "\r\n", 0},
      {{}, true, "", 0},
      {{"copy %D:\\Caf\u00E9\\*.*"}, true, "copy %D:\\Caf\x82\\*.*\r\n", 0},
      {{"echo \u00C7\u00FC \u2591 \u00A0\u00DF"}, true, "echo \x80\x81 \xB0 \xFF\xE1\r\n", 0},
      {{"cd \\", "copy \u0142\u00F3d\u017A x"}, false, "", 2},
      {{"echo \u20AC"}, false, "", 1},  // in Windows-1252, not in 437
      {{"ok", "\U0001F600"}, false, "", 2},
  };
  for (const Case& c : cases) {
    std::string bytes;
    size_t badLine = 0;
    EXPECT_EQ(BatchFileBytes(c.lines, CodePage437(), bytes, &badLine), c.ok) << c.lines.size();
    if (c.ok) {
      EXPECT_EQ(bytes, c.bytes);
    }
    EXPECT_EQ(badLine, c.badLine);
  }
}

TEST(BatchFile, RefusalNamesTheProgramAndTheLine) {
  TTallimoProg entry;
  entry.Name = "\u0141\u00F3d\u017A Tools";
  entry.InstallLines = {"%D:", "cd \\\u0141\u00D3D\u0179", "SETUP.EXE"};
  EXPECT_EQ(BatchFileRefusal(entry, CodePage437()), "");  // run line by line: any character
  entry.Batch = true;
  EXPECT_EQ(BatchFileRefusal(entry, CodePage437()),
            "\u0141\u00F3d\u017A Tools cannot be installed through a batch file: line 2 holds "
            "characters that the command prompt cannot read.");
  entry.InstallLines[1] = "cd \\CAF\u00C9";
  EXPECT_EQ(BatchFileRefusal(entry, CodePage437()), "");
}

TEST(BatchFile, DirectoryFromTemp) {
  EventLog log;
  FakeFileSystem files(log);
  files.folders = {"C:\\WINDOWS\\TEMP", "C:\\TMP\\"};
  EXPECT_EQ(BatchDirectory("C:\\WINDOWS\\TEMP", files), "C:\\WINDOWS\\TEMP\\");
  EXPECT_EQ(BatchDirectory("C:\\TMP\\", files), "C:\\TMP\\\\");  // a second backslash
  EXPECT_EQ(BatchDirectory("C:\\MISSING", files), "C:\\");
  EXPECT_EQ(BatchDirectory("", files), "C:\\");
}

TEST(BatchFile, NameIsTlmAndFourLowerCaseLetters) {
  ScriptedRandom random;
  random.next = {16, 7, 25, 10};
  EXPECT_EQ(BatchFileName(random), "TLM-qhzk.bat");
  random.next = {0, 0, 0, 0};
  EXPECT_EQ(BatchFileName(random), "TLM-aaaa.bat");

  // The real generator stays within a .. z.
  TimeSeededRandom real;
  real.Reseed();
  for (int i = 0; i < 200; ++i) {
    std::string name = BatchFileName(real);
    ASSERT_EQ(name.size(), 12u);
    for (int k = 4; k < 8; ++k) ASSERT_TRUE(name[k] >= 'a' && name[k] <= 'z') << name;
  }
}

TEST(BatchFile, WritesIntoTempOrIntoTheRootOfC) {
  EventLog log;
  FakeFileSystem files(log);
  FakeEnvironment environment;
  ScriptedRandom random;
  files.folders = {"D:\\LONG"};

  random.Queue("abcd");
  EXPECT_EQ(WriteBatchFile({"x"}, CodePage437(), environment, files, random),
            "C:\\TLM-abcd.bat");  // unset

  environment.values["TEMP"] = "";
  random.Queue("bcde");
  EXPECT_EQ(WriteBatchFile({"x"}, CodePage437(), environment, files, random), "C:\\TLM-bcde.bat");

  environment.values["TEMP"] = "D:\\GONE";
  random.Queue("cdef");
  EXPECT_EQ(WriteBatchFile({"x"}, CodePage437(), environment, files, random), "C:\\TLM-cdef.bat");

  // A long value is used as it is.
  std::string longTemp = "D:\\LONG" + std::string(400, 'x');
  files.folders.insert(longTemp);
  environment.values["TEMP"] = longTemp;
  random.Queue("defg");
  EXPECT_EQ(WriteBatchFile({"a", "b"}, CodePage437(), environment, files, random),
            longTemp + "\\TLM-defg.bat");
  EXPECT_EQ(files.files[longTemp + "\\TLM-defg.bat"], "a\r\nb\r\n");
  EXPECT_EQ(random.reseeds, 4);
}

TEST(BatchFile, ATakenNameIsNeverReplaced) {
  EventLog log;
  FakeFileSystem files(log);
  FakeEnvironment environment;
  ScriptedRandom random;
  files.files["C:\\TLM-aaaa.bat"] = "keep me";
  files.files["C:\\TLM-bbbb.bat"] = "and me";
  random.Queue("aaaabbbbcccc");
  EXPECT_EQ(WriteBatchFile({"new"}, CodePage437(), environment, files, random), "C:\\TLM-cccc.bat");
  EXPECT_EQ(files.files["C:\\TLM-aaaa.bat"], "keep me");
  EXPECT_EQ(files.files["C:\\TLM-bbbb.bat"], "and me");
  EXPECT_EQ(files.files["C:\\TLM-cccc.bat"], "new\r\n");
  EXPECT_EQ(random.reseeds, 1);  // new letters come from the same sequence
}

TEST(BatchFile, ALineTheCommandPromptCannotReadWritesNothing) {
  EventLog log;
  FakeFileSystem files(log);
  FakeEnvironment environment;
  ScriptedRandom random;
  try {
    WriteBatchFile({"cd \\", "copy \u0142 x"}, CodePage437(), environment, files, random);
    FAIL() << "no error";
  } catch (const TallimoError& error) {
    EXPECT_STREQ(error.what(), "line 2 holds characters that the command prompt cannot read");
  }
  EXPECT_TRUE(files.files.empty());
}

TEST(BatchFile, GivesUpAfterBoundedAttempts) {
  EventLog log;
  FakeFileSystem files(log);
  FakeEnvironment environment;
  ScriptedRandom random;  // always draws "aaaa"
  files.files["C:\\TLM-aaaa.bat"] = "";
  try {
    WriteBatchFile({"x"}, CodePage437(), environment, files, random);
    FAIL() << "no error";
  } catch (const TallimoError& error) {
    EXPECT_STREQ(error.what(), "Cannot create file C:\\TLM-aaaa.bat");
  }
  EXPECT_EQ(files.writeAttempts, kBatchNameAttempts);
}

TEST(BatchFile, AFailedCreationIsReportedWithItsPath) {
  EventLog log;
  FakeFileSystem files(log);
  FakeEnvironment environment;
  ScriptedRandom random;
  files.failAt = 1;  // the first write fails
  files.folders = {"T:"};
  environment.values["TEMP"] = "T:";
  random.Queue("wxyz");
  try {
    WriteBatchFile({"x"}, CodePage437(), environment, files, random);
    FAIL() << "no error";
  } catch (const TallimoError& error) {
    EXPECT_STREQ(error.what(), "Cannot create file T:\\TLM-wxyz.bat");
  }
  EXPECT_EQ(files.writeAttempts, 1);
}

}  // namespace
}  // namespace tallimo
