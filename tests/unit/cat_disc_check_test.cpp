// tallimo-cat check on the disc itself (ISO 9660 with Joliet names, autorun.inf), the paths of
// install lines with arguments, and tallimo-cat autorun.
#include <gtest/gtest.h>

#include <sstream>

#include "fakes/fake_disc_files.h"
#include "fakes/fake_locale.h"
#include "fakes/fixed_clock.h"
#include "tallimo_cat/cat_tool.h"
#include "tallimo_cat/disc_check.h"

namespace tallimo {
namespace {

class DiscCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    files.folders.insert("d");
    files.files["d/TALLIMO.EXE"] = "MZ";
  }
  // The findings as check prints them.
  std::vector<std::string> Findings() {
    std::vector<std::string> lines;
    for (const DiscFinding& f : CheckDisc("d", files, disc))
      lines.push_back(f.path + (f.severity == TSeverity::svError ? ": error: " : ": warning: ") +
                      f.text);
    return lines;
  }
  testing::FakeFileSystem files;
  testing::FakeDiscFiles disc{files};
};

TEST_F(DiscCheck, NamesThatJolietCannotHold) {
  const std::string deep = "d/1/2/3/4/5/6/7/8/9";
  for (size_t n = 3; n <= deep.size(); n += 2) files.folders.insert(deep.substr(0, n));
  files.files[deep + "/x.txt"] = "";  // not reached
  files.files["d/" + std::string(64, 'a')] = "";
  files.files["d/" + std::string(65, 'b')] = "";
  files.files["d/Setup.exe"] = files.files["d/setup.EXE"] = "";
  files.files["d/a;1"] = "";
  const std::string folder50 = "d/" + std::string(50, 'f');
  std::string longPath = folder50;
  for (int i = 0; i < 4; ++i)
    files.folders.insert(longPath), longPath += "/" + std::string(50, 'g');
  files.files[longPath] = "";
  const std::vector<std::string> lines = Findings();
  const std::string shown = "\\" + std::string(50, 'f') + "\\" + std::string(50, 'g') + "\\" +
                            std::string(50, 'g') + "\\" + std::string(50, 'g') + "\\" +
                            std::string(50, 'g');
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "\\1\\2\\3\\4\\5\\6\\7\\8\\9: error: the folder is 9 folders deep; ISO "
                       "9660 holds 8",
                       "\\a;1: warning: the name holds \";\", which Joliet does not allow",
                       "\\" + std::string(65, 'b') +
                           ": error: the name is 65 characters long; Joliet holds 64",
                       shown + ": warning: the path is 255 characters long: programs that take "
                               "at most 260 may fail with it on the disc's drive",
                       "\\setup.EXE: error: differs from \"Setup.exe\" only in letter case: "
                       "Windows cannot hold both in one folder",
                   }));
}

TEST_F(DiscCheck, AutorunInf) {
  files.files["d/logo.ico"] = "";
  const struct {
    std::string inf;
    std::vector<std::string> findings;
  } rows[] = {
      {"[autorun]\r\nopen=TALLIMO.EXE\r\nicon=TALLIMO.EXE,0\r\n", {}},
      {"[AutoRun]\r\nopen=tallimo.exe disc.ini\r\nicon=logo.ico\r\n", {}},
      {"open=TALLIMO.EXE\r\n",
       {"\\Autorun.inf: error: there is no [autorun] section: Windows ignores the file"}},
      {"[autorun]\r\nopen=\\MENU\\START.EXE\r\nicon=none.ico,0\r\n",
       {"\\Autorun.inf: error: open=\\MENU\\START.EXE names a file that the disc lacks",
        "\\Autorun.inf: warning: open=\\MENU\\START.EXE does not start Tallimo",
        "\\Autorun.inf: error: icon=none.ico,0 names a file that the disc lacks"}},
      {"[autorun]\r\nlabel=X\r\n",
       {"\\Autorun.inf: warning: there is no open= line: the disc does not start Tallimo"}},
  };
  for (const auto& row : rows) {
    files.files["d/Autorun.inf"] = row.inf;
    EXPECT_EQ(Findings(), row.findings) << row.inf;
  }
}

TEST_F(DiscCheck, InstallLinePartsUnderTheRootAndTheAutorunWriter) {
  files.folders.insert("d/A");
  files.files["d/A/x.msi"] = "";
  files.files["d/TALLIMO.INI"] =
      "[General]\r\nCaption=A Kit Whose Caption Is Longer Than Thirty-Two\r\n"
      "[Program1]\r\nName=P\r\nInstall1=msiexec /i \"\\A\\x.msi\" /qn\r\n"
      "Install2=\"%D:\\A\\gone.exe\" /S \\A\r\nInstall3=cd \\B\r\n";
  testing::FakeLocale locale;
  testing::FixedClock clock;
  auto run = [&](std::vector<std::string> args, std::string& out) {
    std::ostringstream o, e;
    const int code = RunCatTool(args, o, e, files, locale, clock, disc, HostInstallerDatabase());
    out = o.str();
    return code;
  };
  std::string out;
  EXPECT_EQ(run({"check", "d/TALLIMO.INI"}, out), 0);
  EXPECT_EQ(out,
            "d/TALLIMO.INI:6: warning: install path \\A\\gone.exe does not exist under d\n"
            "d/TALLIMO.INI:7: warning: install path \\B does not exist under d\n");

  EXPECT_EQ(run({"autorun", "d"}, out), 0);
  EXPECT_EQ(files.files["d/autorun.inf"],
            "[autorun]\r\nopen=TALLIMO.EXE\r\nicon=TALLIMO.EXE,0\r\n"
            "label=A Kit Whose Caption Is Longer Th\r\n"
            "action=Install programs from A Kit Whose Caption Is Longer Than Thirty-Two\r\n");
  EXPECT_EQ(run({"check", "d/TALLIMO.INI"}, out), 0) << out;  // the file written passes
  files.files["d/autorun.inf"] = "mine";
  EXPECT_EQ(run({"autorun", "d"}, out), 0);
  EXPECT_EQ(files.files["d/autorun.inf"], "mine");
}

}  // namespace
}  // namespace tallimo
