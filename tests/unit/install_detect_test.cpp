// Detection of installed programs: the Detect key's three forms, variables, the places a
// 32-bit program on 64-bit Windows also looks, and answers over a fake registry and files.
#include <gtest/gtest.h>

#include <cctype>

#include "catalogue/catalogue_file.h"
#include "fakes/fake_disc_files.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"
#include "install/detect.h"
#include "platform/probe_files.h"

namespace tallimo {
namespace {

using testing::FakeEnvironment;
using testing::FakeFileSystem;
using testing::FakeRegistry;
constexpr auto HKLM = TRegistryRoot::rrLocalMachine;
constexpr auto HKCU = TRegistryRoot::rrCurrentUser;

TEST(DetectRules, EachValueReadsAsItsForm) {
  struct Case {
    const char* value;
    TDetectForm form;
    TRegistryRoot root;
    const char* text;  // for dfInvalid: a part of the reason
  } cases[] = {
      {"", TDetectForm::dfNone, HKLM, ""},
      {"   ", TDetectForm::dfNone, HKLM, ""},
      {"%ProgramFiles%\\Editor\\editor.exe", TDetectForm::dfPath, HKLM,
       "%ProgramFiles%\\Editor\\editor.exe"},
      {"  C:\\Tools\\ ", TDetectForm::dfPath, HKLM, "C:\\Tools\\"},
      {"\\\\server\\share\\x", TDetectForm::dfPath, HKLM, "\\\\server\\share\\x"},
      {"HKLM\\Software\\Maker\\Editor", TDetectForm::dfKey, HKLM, "Software\\Maker\\Editor"},
      {"hkey_local_machine\\Software\\X\\", TDetectForm::dfKey, HKLM, "Software\\X"},
      {"HKCU\\Software\\Y", TDetectForm::dfKey, HKCU, "Software\\Y"},
      {"HKEY_CURRENT_USER\\Software\\Y", TDetectForm::dfKey, HKCU, "Software\\Y"},
      {"uninstall:Editor 2", TDetectForm::dfUninstall, HKLM, "Editor 2"},
      {"UNINSTALL: Paint", TDetectForm::dfUninstall, HKLM, "Paint"},
      {"uninstall:", TDetectForm::dfInvalid, HKLM, "start of a DisplayName"},
      {"HKLM", TDetectForm::dfInvalid, HKLM, "needs a path below HKLM"},
      {"HKCR\\.txt", TDetectForm::dfInvalid, HKLM, "under HKCR: only HKLM and HKCU"},
      {"HKEY_USERS\\S-1-5-18\\X", TDetectForm::dfInvalid, HKLM, "under HKEY_USERS"},
      {"editor.exe", TDetectForm::dfInvalid, HKLM, "none of a full path"},
      {"Program Files\\Editor", TDetectForm::dfInvalid, HKLM, "none of a full path"},
      {"100%", TDetectForm::dfInvalid, HKLM, "none of a full path"},
      // A device always "exists": never a sign of an installed program.
      {"C:\\nul", TDetectForm::dfInvalid, HKLM, "the device NUL"},
      {"C:\\Tools\\Con.txt", TDetectForm::dfInvalid, HKLM, "the device CON"},
      {"%windir%\\com1", TDetectForm::dfInvalid, HKLM, "the device COM1"},
      {"C:\\lpt9 ", TDetectForm::dfInvalid, HKLM, "the device LPT9"},
      {"\\\\.\\PhysicalDrive0", TDetectForm::dfInvalid, HKLM, "the device"},
      {"C:\\com10\\console.exe", TDetectForm::dfPath, HKLM, "C:\\com10\\console.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const DetectRule rule = ParseDetect(c.value);
    EXPECT_EQ(rule.form, c.form);
    if (c.form == TDetectForm::dfInvalid) {
      EXPECT_NE(rule.text.find(c.text), std::string::npos) << rule.text;
      continue;
    }
    EXPECT_EQ(rule.text, c.text);
    if (c.form == TDetectForm::dfKey) {
      EXPECT_EQ(rule.root, c.root);
    }
  }
  // Ten thousand characters are one more path, read without harm.
  EXPECT_EQ(ParseDetect("C:\\" + std::string(10000, 'a')).form, TDetectForm::dfPath);
}

TEST(DetectRules, VariablesExpandWhenSetAndStayWhenNot) {
  FakeEnvironment env;
  env.values = {{"ProgramFiles", "C:\\Program Files"}, {"X", "x"}};
  const std::pair<const char*, const char*> cases[] = {
      {"%ProgramFiles%\\Editor", "C:\\Program Files\\Editor"},
      {"%Missing%\\a", "%Missing%\\a"},
      {"%Missing%X%\\a", "%Missingx\\a"},  // the closing sign of a missing one may open the next
      {"%%X%", "%x"},
      {"a%X", "a%X"},
      {"%X%%X%", "xx"},
  };
  for (const auto& [text, expanded] : cases)
    EXPECT_EQ(ExpandVariables(text, env), expanded) << text;
  bool unclosed = false;
  EXPECT_EQ(VariableNames("%A%\\%B%\\c", unclosed), (std::vector<std::string>{"A", "B"}));
  EXPECT_FALSE(unclosed);
  EXPECT_EQ(VariableNames("%A%\\%B", unclosed), (std::vector<std::string>{"A"}));
  EXPECT_TRUE(unclosed);
}

TEST(DetectRules, A32BitProgramOn64BitWindowsAlsoLooksInTheNativeFolders) {
  FakeEnvironment env;
  env.values = {{"ProgramFiles", "C:\\Program Files (x86)"},
                {"ProgramW6432", "C:\\Program Files"},
                {"CommonProgramFiles", "C:\\Program Files (x86)\\Common Files"},
                {"CommonProgramW6432", "C:\\Program Files\\Common Files"},
                {"SystemRoot", "C:\\Windows"}};
  using Paths = std::vector<std::string>;
  EXPECT_EQ(PathCandidates("C:\\Program Files (x86)\\Ed\\ed.exe", env, true),
            (Paths{"C:\\Program Files (x86)\\Ed\\ed.exe", "C:\\Program Files\\Ed\\ed.exe"}));
  EXPECT_EQ(
      PathCandidates("c:\\windows\\system32\\drivers\\x.sys", env, true),
      (Paths{"c:\\windows\\system32\\drivers\\x.sys", "C:\\Windows\\Sysnative\\drivers\\x.sys"}));
  // Both Program Files folders of the common files match: the 64-bit one is added once.
  EXPECT_EQ(PathCandidates("C:\\Program Files (x86)\\Common Files\\m", env, true).size(), 3u);
  EXPECT_EQ(PathCandidates("C:\\Program Files (x86)x\\a", env, true).size(), 1u);
  EXPECT_EQ(PathCandidates("C:\\Program Files (x86)\\Ed", env, false).size(), 1u);
  env.values["ProgramW6432"] = "C:\\Program Files (x86)";  // the same folder: nothing to add
  EXPECT_EQ(PathCandidates("C:\\Program Files (x86)\\Ed", env, true).size(), 1u);
}

class DetectorTest : public ::testing::Test {
 protected:
  bool Installed(const std::string& value) {
    return Detector({files, registry, env}).IsInstalled(value);
  }
  FakeFileSystem files;
  FakeRegistry registry;
  FakeEnvironment env;
};

TEST_F(DetectorTest, PathsKeysAndUninstallEntries) {
  env.values = {{"ProgramFiles", "C:\\Program Files"}, {"SystemRoot", "C:\\Windows"}};
  files.files["C:\\Program Files\\Editor\\editor.exe"] = "";
  files.folders.insert("C:\\Program Files\\Paint");
  registry.AddKey(HKLM, "Software\\Maker\\Editor");
  registry.AddKey(HKCU, "Software\\Mine\\Tool");
  registry.SetValue(HKLM, std::string(kUninstallKey) + "\\{1234}", "DisplayName", "Editor 2.1");
  registry.SetValue(HKCU, std::string(kUninstallKey) + "\\Viewer", "DisplayName", "Viewer Pro");
  registry.AddKey(HKLM, std::string(kUninstallKey) + "\\NoName");
  registry.SetValue(HKLM, std::string(kUninstallKey) + "\\Gr", "DisplayName", "Ωδή Player");
  const std::pair<const char*, bool> cases[] = {
      {"%ProgramFiles%\\Editor\\editor.exe", true},
      {"%PROGRAMFILES%\\Paint", false},  // the fake's variables keep their case
      {"%ProgramFiles%\\Paint", true},
      {"%ProgramFiles%\\Paint\\", false},  // the fake file system knows no trailing "\"
      {"%ProgramFiles%\\Missing", false},
      {"%Unset%\\Editor\\editor.exe", false},
      {"HKLM\\Software\\Maker\\Editor", true},
      {"HKLM\\software\\maker", true},
      {"HKCU\\Software\\Maker\\Editor", false},
      {"HKCU\\Software\\Mine\\Tool", true},
      {"uninstall:editor", true},
      {"uninstall:Editor 2.1", true},
      {"uninstall:Editor 2.10", false},
      {"uninstall:ditor", false},
      {"uninstall:viewer", true},
      {"uninstall:NoName", false},
      {"uninstall:ωΔΉ", true},  // Unicode case
      {"HKCR\\.txt", false},
      {"editor.exe", false},
      {"", false},
  };
  for (const auto& [value, installed] : cases) EXPECT_EQ(Installed(value), installed) << value;
}

TEST_F(DetectorTest, On64BitWindowsBothViewsAndBothProgramFilesCount) {
  registry.wow64 = true;
  env.values = {{"ProgramFiles", "C:\\Program Files (x86)"},
                {"ProgramW6432", "C:\\Program Files"},
                {"SystemRoot", "C:\\Windows"}};
  files.files["C:\\Program Files\\Native\\n.exe"] = "";
  files.files["C:\\Windows\\Sysnative\\drv.sys"] = "";
  registry.AddKey(HKLM, "Software\\Native64", TRegistryView::rv64);
  registry.AddKey(HKLM, "Software\\Old32", TRegistryView::rv32);
  registry.SetValue(HKLM, std::string(kUninstallKey) + "\\A", "DisplayName", "Sixty-four",
                    TRegistryView::rv64);
  registry.SetValue(HKLM, std::string(kUninstallKey) + "\\B", "DisplayName", "Thirty-two",
                    TRegistryView::rv32);
  registry.SetValue(HKCU, std::string(kUninstallKey) + "\\C", "DisplayName", "Per user",
                    TRegistryView::rvDefault);
  const std::pair<const char*, bool> cases[] = {
      {"%ProgramFiles%\\Native\\n.exe", true},
      {"%SystemRoot%\\System32\\drv.sys", true},
      {"HKLM\\Software\\Native64", true},
      {"HKLM\\Software\\Old32", true},
      {"HKLM\\Software\\Neither", false},
      {"uninstall:sixty", true},
      {"uninstall:thirty", true},
      {"uninstall:per user", true},
  };
  for (const auto& [value, installed] : cases) EXPECT_EQ(Installed(value), installed) << value;
}

TEST_F(DetectorTest, TheUninstallKeysAreReadOnceForAWholeCatalogue) {
  registry.SetValue(HKLM, std::string(kUninstallKey) + "\\A", "DisplayName", "Alpha");
  TProgramList list;
  for (const char* detect : {"uninstall:alpha", "uninstall:beta", "", "uninstall:al", "HKCR\\x"}) {
    list.push_back(std::make_unique<TTallimoProg>());
    list.back()->Name = detect;
    list.back()->Detect = detect;
  }
  std::vector<const TTallimoProg*> installed = DetectInstalled(list, {files, registry, env});
  EXPECT_EQ(installed, (std::vector<const TTallimoProg*>{list[0].get(), list[3].get()}));
  // Subkeys of HKLM and HKCU once, the one DisplayName once.
  EXPECT_EQ(registry.reads, 3);
}

// Probes over a share that never answers: each question to it costs the probe's whole limit.
class SilentShareFiles : public FakeFileSystem {
 public:
  TFileKind KindOf(const std::string& path) override {
    std::string lower = path;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.rfind("\\\\dead\\", 0) != 0 && lower.rfind("x:", 0) != 0)
      return FakeFileSystem::KindOf(path);
    waitedMilliseconds += kProbeLimitMilliseconds;
    return TFileKind::fkNoAnswer;
  }
  unsigned waitedMilliseconds = 0;
};

TEST(DetectShares, AServerThatDoesNotAnswerIsGivenUpForEveryLaterPath) {
  SilentShareFiles probes;
  probes.files["\\\\live\\apps\\ed.exe"] = "";
  probes.files["C:\\nul"] = "";  // a device: the system says it exists
  FakeRegistry registry;
  FakeEnvironment env;
  env.values = {{"DEVICE", "C:\\nul"}};
  GivingUpFiles files(probes);
  TProgramList list;
  for (int i = 0; i < 1000; ++i) {
    list.push_back(std::make_unique<TTallimoProg>());
    list.back()->Detect = i % 2 ? "\\\\DEAD\\apps\\p" + std::to_string(i) + ".exe"
                                : "\\\\dead\\other\\p" + std::to_string(i);
  }
  for (const char* detect : {"\\\\live\\apps\\ed.exe", "X:\\a", "x:\\b", "%DEVICE%"}) {
    list.push_back(std::make_unique<TTallimoProg>());
    list.back()->Detect = detect;
  }
  const auto installed = DetectInstalled(list, {files, registry, env});
  EXPECT_EQ(installed, (std::vector<const TTallimoProg*>{list[1000].get()}));
  // One limit for the dead server and one for the silent drive, whatever the count of paths.
  EXPECT_EQ(probes.waitedMilliseconds, 2 * kProbeLimitMilliseconds);
  // The memory outlives one detection: the next one asks neither again.
  DetectInstalled(list, {files, registry, env});
  EXPECT_EQ(probes.waitedMilliseconds, 2 * kProbeLimitMilliseconds);
  EXPECT_EQ(PathServer("\\\\Srv\\s\\x"), "\\\\srv");
  EXPECT_EQ(PathServer("//srv/s"), "\\\\srv");
  EXPECT_EQ(PathServer("d:\\x"), "d:");
  EXPECT_EQ(PathServer("relative"), "");
}

TEST(DetectKey, ReadAndWrittenAfterSuccessCodes) {
  Catalogue cat;
  ReadCatalogueText(
      "[Program1]\r\nName=Editor\r\nDetect=HKLM\\Software\\Maker\r\nSuccessCodes=1\r\n"
      "Install1=setup.exe\r\n[Program2]\r\nName=Plain\r\nInstall1=x\r\n",
      cat);
  ASSERT_EQ(cat.ProgramList.size(), 2u);
  EXPECT_EQ(cat.ProgramList[0]->Detect, "HKLM\\Software\\Maker");
  EXPECT_EQ(cat.ProgramList[1]->Detect, "");
  const std::string text = WriteCatalogueText(cat);
  EXPECT_NE(text.find("SuccessCodes=1\r\nDetect=HKLM\\Software\\Maker\r\nInstall1=setup.exe"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("Detect=", text.find("[Program2]")), std::string::npos);
}

}  // namespace
}  // namespace tallimo

#include <sstream>

#include "fakes/fake_locale.h"
#include "fakes/fixed_clock.h"
#include "tallimo_cat/cat_tool.h"

namespace tallimo {
namespace {

// tallimo-cat check: values that are never matched, and paths that will not be found.
TEST(DetectKey, CheckFindsValuesThatAreNeverMatched) {
  testing::FakeFileSystem files;
  testing::FakeLocale locale;
  testing::FixedClock clock;
  files.folders.insert("disc");
  std::string text;
  const char* values[] = {"%ProgramFiles%\\Editor\\editor.exe",  // line 3: clean
                          "C:\\Program Files\\Paint",            // 7: a drive letter
                          "%MadeUp%\\x.exe",                     // 11: not Windows's own
                          "HKCR\\.paint",                        // 15: another hive
                          "uninstall:",                          // 19: nothing to match
                          "paint.exe",                           // 23: no form at all
                          "HKCU\\Software\\Paint",               // 27: clean
                          "C:\\nul"};                            // 31: a device
  for (size_t i = 0; i < std::size(values); ++i)
    text += "[Program" + std::to_string(i + 1) + "]\nName=P" + std::to_string(i + 1) +
            "\nDetect=" + values[i] + "\nInstall1=x\n";
  text += "[Program9]\nName=Long\nDetect=C:\\" + std::string(10000, 'a') + "\nInstall1=x\n";
  files.files["disc/c.ini"] = text;
  std::ostringstream out, err;
  testing::FakeDiscFiles disc(files);
  EXPECT_EQ(RunCatTool({"check", "disc/c.ini"}, out, err, files, locale, clock, disc,
                       HostInstallerDatabase()),
            1);
  const std::pair<int, const char*> expected[] = {
      {7, "warning: Detect path \"C:\\Program Files\\Paint\" names a drive letter"},
      {11, "warning: Detect path \"%MadeUp%\\x.exe\" uses %MadeUp%, which Windows does not set"},
      {15, "error: Detect value \"HKCR\\.paint\" is never matched: the key is under HKCR"},
      {19, "error: Detect value \"uninstall:\" is never matched"},
      {23, "error: Detect value \"paint.exe\" is never matched"},
      {31, "error: Detect value \"C:\\nul\" is never matched: it names the device NUL"},
      {35, "warning: value of Detect is 10003 characters long"},
      {35, "warning: Detect path \"C:\\aaaa"},
  };
  std::istringstream lines(out.str());
  std::vector<std::string> found;
  for (std::string line; std::getline(lines, line);)
    if (line.starts_with("disc/c.ini:")) found.push_back(line);
  ASSERT_EQ(found.size(), std::size(expected)) << out.str();
  for (size_t i = 0; i < std::size(expected); ++i)
    EXPECT_TRUE(found[i].starts_with("disc/c.ini:" + std::to_string(expected[i].first) + ": " +
                                     expected[i].second))
        << found[i];
}

}  // namespace
}  // namespace tallimo
