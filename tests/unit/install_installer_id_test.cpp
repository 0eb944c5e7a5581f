// Identifying installers. NSIS and the package are real, built by makensis and wixl; Inno Setup,
// InstallShield and WiX bundles have no compiler on this machine, so small program files carry
// each one's documented signature instead: Inno's setup data text, InstallShield's name in the
// version resource (with or without a compound file inside), a .wixburn section.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "fakes/fake_disc_files.h"
#include "fakes/pe_file.h"
#include "install/installer_id.h"

namespace tallimo {
namespace {

using testing::PeFile;
using testing::StringByteSource;

std::string Installer(const char* name) {
  std::ifstream in(std::string(TALLIMO_TEST_INSTALLERS) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const std::string kCompound = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
const std::map<std::string, std::string> kTool = {
    {"ProductName", "Disc Tool"}, {"ProductVersion", "3.1"}, {"CompanyName", "Tool Makers"}};
const std::map<std::string, std::string> kShield = {{"ProductName", "Shielded App"},
                                                    {"ProductVersion", "4.0"},
                                                    {"CompanyName", "App Makers"},
                                                    {"FileDescription", "InstallShield (R) Setup"}};

struct Case {
  const char* what;
  std::string file;  // name
  std::string bytes;
  bool identified;
  TInstallerType type;
  std::string name, version, company, leftOut;
};

TEST(IdentifyInstaller, EachTypeByItsEvidenceAndDamagedFiles) {
  const std::string nsis = Installer("setup.exe"), msi = Installer("viewer.msi");
  ASSERT_FALSE(nsis.empty()) << "makensis's setup";
  ASSERT_FALSE(msi.empty()) << "wixl's package";
  const Case cases[] = {
      {"makensis", "setup.exe", nsis, true, TInstallerType::itNsis, "Tallimo Test Editor", "1.2.3",
       "Tallimo Test Makers", ""},
      {"wixl", "viewer.msi", msi, true, TInstallerType::itMsi, "Tallimo Test Viewer", "2.5.0",
       "Tallimo Test Makers", ""},
      {"Inno", "is.exe", PeFile{{".text"}, kTool, "Inno Setup Setup Data (6.2.0) (u)"}.Bytes(),
       true, TInstallerType::itInno, "Disc Tool", "3.1", "Tool Makers", ""},
      {"IS msi", "s.exe", PeFile{{".text"}, kShield, "xx" + kCompound}.Bytes(), true,
       TInstallerType::itInstallShieldMsi, "Shielded App", "4.0", "App Makers", ""},
      {"IS script", "s.exe", PeFile{{".text"}, kShield, ""}.Bytes(), true,
       TInstallerType::itInstallShieldScript, "Shielded App", "4.0", "App Makers", ""},
      {"Burn", "b.exe", PeFile{{".text", ".wixburn"}, kTool, ""}.Bytes(), true,
       TInstallerType::itBurn, "Disc Tool", "3.1", "Tool Makers", ""},
      {"plain", "t.exe", PeFile{{".text"}, kTool, kCompound}.Bytes(), true, TInstallerType::itOther,
       "Disc Tool", "3.1", "Tool Makers", ""},
      {"no version", "Tool.Setup.EXE", PeFile{}.Bytes(), true, TInstallerType::itOther,
       "Tool.Setup", "", "", ""},
      {"description", "t.exe", PeFile{{".text"}, {{"FileDescription", "Describer"}}, ""}.Bytes(),
       true, TInstallerType::itOther, "Describer", "", "", ""},
      {"damaged headers", "d.exe", "MZ" + std::string(100, '\xFF'), true, TInstallerType::itOther,
       "d", "", "", ""},
      {"no program", "n.exe", "#!/bin/sh\n", false, {}, "", "", "", "not a Windows program"},
      {"empty", "e.exe", "", false, {}, "", "", "", "not a Windows program"},
      {"update", "KB1.msu", "MSCF" + std::string(60, '\0'), true, TInstallerType::itMsu, "KB1", "",
       "", ""},
      {"no update", "KB2.msu", "PK\3\4", false, {}, "", "", "", "not an update package"},
      {"no database", "x.msi", "MZ\0\0", false, {}, "", "", "", "not an installer database"},
      {"broken database",
       "y.msi",
       kCompound + std::string(600, '\0'),
       false,
       {},
       "",
       "",
       "",
       "not an installer database: "},
  };
  for (const Case& c : cases) {
    // The packages are read by their path: write each one where the host can open it.
    const std::string path = ::testing::TempDir() + "id-" + c.file;
    std::ofstream(path, std::ios::binary) << c.bytes;
    StringByteSource source(c.bytes);
    const Identification id = IdentifyInstaller(path, c.file, source, HostInstallerDatabase());
    ASSERT_EQ(id.identified, c.identified) << c.what << ": " << id.leftOutWhy;
    if (!c.identified) {
      EXPECT_EQ(id.leftOutWhy.substr(0, c.leftOut.size()), c.leftOut) << c.what;
      continue;
    }
    EXPECT_EQ(id.info.type, c.type) << c.what;
    EXPECT_EQ(id.info.name, c.name) << c.what;
    EXPECT_EQ(id.info.version, c.version) << c.what;
    EXPECT_EQ(id.info.company, c.company) << c.what;
    if (c.type == TInstallerType::itMsi) {
      EXPECT_EQ(id.info.productCode, "{6F1A3C2E-5B7D-4E8F-9A10-2B3C4D5E6F70}");
    }
  }
}

TEST(IdentifyInstaller, ASignatureBeyond64MegabytesIsNotRead) {
  class Sparse : public ByteSource {
   public:
    uint64_t Size() const override { return (64ull << 20) + 4096; }
    bool ReadAt(uint64_t offset, size_t count, std::string& bytes) override {
      // The file: a program's headers, zeros, and the NSIS signature at 64 MB.
      const std::string head = PeFile{}.Bytes();
      const std::string sig(
          "\xEF\xBE\xAD\xDE"
          "NullsoftInst",
          16);
      bytes.assign(count, '\0');
      auto place = [&](const std::string& part, uint64_t at) {
        for (size_t i = 0; i < part.size(); ++i)
          if (at + i >= offset && at + i < offset + count) bytes[at + i - offset] = part[i];
      };
      place(head, 0);
      place(sig, 64ull << 20);
      highest = std::max(highest, offset + count - 1);
      return true;
    }
    uint64_t highest = 0;
  } file;
  EXPECT_EQ(IdentifyInstaller("big.exe", "big.exe", file, HostInstallerDatabase()).info.type,
            TInstallerType::itOther);
  EXPECT_LT(file.highest, 64ull << 20);
}

TEST(InstallerEntry, SilentLinesDetectionAndCleanNames) {
  struct {
    TInstallerType type;
    bool nameFromFile;
    std::string install, detect;
    size_t infoLines;
  } const rows[] = {
      {TInstallerType::itMsi, false, "msiexec /i \"\\D\\X.MSI\" /qn /norestart",
       "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{6F1A3C2E-5B7D-4E8F-9A10-"
       "2B3C4D5E6F70}",
       2},
      {TInstallerType::itNsis, false, "\"\\D\\X.MSI\" /S", "uninstall:N", 2},
      {TInstallerType::itNsis, true, "\"\\D\\X.MSI\" /S", "", 2},
      {TInstallerType::itInno, false,
       "\"\\D\\X.MSI\" /VERYSILENT /SUPPRESSMSGBOXES /NORESTART /SP- /ALLUSERS", "uninstall:N", 2},
      {TInstallerType::itInstallShieldMsi, false, "\"\\D\\X.MSI\" /s /v\"/qn /norestart\"",
       "uninstall:N", 2},
      {TInstallerType::itInstallShieldScript, false, "\"\\D\\X.MSI\"", "uninstall:N", 3},
      {TInstallerType::itBurn, false, "\"\\D\\X.MSI\" /quiet /norestart", "uninstall:N", 2},
      {TInstallerType::itMsu, true, "wusa \"\\D\\X.MSI\" /quiet /norestart", "", 2},
      {TInstallerType::itOther, false, "\"\\D\\X.MSI\"", "", 3},
  };
  for (const auto& row : rows) {
    InstallerInfo info{row.type, "N",  row.nameFromFile,
                       "1.0",    "Co", "{6F1A3C2E-5B7D-4E8F-9A10-2B3C4D5E6F70}"};
    const TTallimoProg e = InstallerEntry(info, "\\D\\X.MSI");
    EXPECT_EQ(e.InstallLines, StringList{row.install});
    EXPECT_EQ(e.Detect, row.detect) << row.install;
    ASSERT_EQ(e.InfoLines.size(), row.infoLines) << row.install;
    EXPECT_EQ(e.InfoLines[0], "Version 1.0");
    EXPECT_EQ(e.InfoLines[1], "Co");
    EXPECT_EQ(e.SuccessCodes.empty(), row.type != TInstallerType::itMsu);
    // An update restarts before the next program when it ends with 3010.
    EXPECT_EQ(e.Restart == TRestartRule::rrWhenNeeded, row.type == TInstallerType::itMsu);
  }
  EXPECT_EQ(CleanInstallerText("  A\tB\x1b[2J\xC2\x85"
                               "C  "),
            "AB[2JC");
  EXPECT_EQ(CleanInstallerText(std::string(300, 'x')).size(), kInstallerTextLimit);
}

}  // namespace
}  // namespace tallimo
