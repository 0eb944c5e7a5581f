// A disc made from a folder of installers: tallimo-cat scan on drive S: holding a real NSIS
// setup, a real package and a plain program writes the catalogue; Tallimo.exe then installs
// every program unattended from it (both real installers install), and a second run skips both
// as installed, through the Detect lines that the scan wrote.
// Usage: tallimo_disc_scan_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

const wchar_t kEditorKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TallimoTestEditor";
const wchar_t kViewerKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{6F1A3C2E-5B7D-4E8F-9A10-"
    L"2B3C4D5E6F70}";

// The installers are 32-bit programs: their keys are in the machine's 32-bit view, which a test
// built for 64 bits names.
bool KeyExists(const wchar_t* key) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | KEY_WOW64_32KEY, &h) != ERROR_SUCCESS)
    return false;
  RegCloseKey(h);
  return true;
}

void DeleteKey(const wchar_t* key) {
  const std::wstring path = key;
  const size_t slash = path.rfind(L'\\');
  HKEY parent = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.substr(0, slash).c_str(), 0,
                    KEY_WRITE | KEY_WOW64_32KEY, &parent) != ERROR_SUCCESS)
    return;
  RegDeleteKeyW(parent, path.substr(slash + 1).c_str());
  RegCloseKey(parent);
}

std::string ReadAll(const std::string& path) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

// Runs a program to its end (at most two minutes); its exit code, or -1.
long RunToEnd(const std::string& exe, const std::string& arguments) {
  RunningProgram program(arguments, "S:\\", exe);
  DWORD code = 0;
  if (!program.Started() || !program.Ended(120000, code)) return -1;
  return static_cast<long>(code);
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(DiscScan, ScannedFolderInstallsUnattendedAndIsDetectedAfterwards) {
  ASSERT_TRUE(Exists("S:\\")) << "drive S: (tests/e2e/scan_disc_drive.sh)";
  // A clean machine: the two products not installed.
  RunToEnd("C:\\windows\\system32\\msiexec.exe", "/x {6F1A3C2E-5B7D-4E8F-9A10-2B3C4D5E6F70} /qn");
  DeleteKey(kEditorKey);
  ASSERT_FALSE(KeyExists(kViewerKey));
  ASSERT_FALSE(KeyExists(kEditorKey));

  const std::string installers = WindowsPath(TALLIMO_TEST_INSTALLERS);
  for (const char* folder : {"S:\\NSIS", "S:\\MSI", "S:\\TOOL"})
    ASSERT_TRUE(CreateDirectoryA(folder, nullptr)) << folder;
  ASSERT_TRUE(CopyFileA((installers + "\\setup.exe").c_str(), "S:\\NSIS\\setup.exe", TRUE));
  ASSERT_TRUE(CopyFileA((installers + "\\viewer.msi").c_str(), "S:\\MSI\\viewer.msi", TRUE));
  ASSERT_TRUE(CopyFileA(WindowsPath(TALLIMO_TEST_INSTALLER).c_str(), "S:\\TOOL\\tool.exe", TRUE));

  // 1. The scan, its output redirected by the command prompt.
  const std::string cmdline = "/s /c \"\"" + WindowsPath(TALLIMO_CAT_EXE) + "\" scan S:\\ > \"" +
                              installers + "\\scan-output.txt\"\"";
  ASSERT_EQ(RunToEnd("C:\\windows\\system32\\cmd.exe", cmdline), 0);
  const std::string output = ReadAll(installers + "\\scan-output.txt");
  std::printf("tallimo-cat scan S:\\\n%s", output.c_str());
  EXPECT_EQ(output,
            "\\MSI\\viewer.msi: Windows Installer package \"Tallimo Test Viewer\" 2.5.0, added\n"
            "\\NSIS\\setup.exe: NSIS \"Tallimo Test Editor\" 1.2.3, added\n"
            "\\TOOL\\tool.exe: unknown setup \"tool\", added\n");
  const std::string ini = ReadAll("S:\\TALLIMO.INI");
  EXPECT_TRUE(Contains(ini, "Detect=uninstall:Tallimo Test Editor\r\n")) << ini;

  // 2. Everything, unattended: both real installers install.
  const std::string log = installers + "\\scan-install.log";
  DeleteFileA(log.c_str());
  const std::string install = "S:\\TALLIMO.INI /install * /quiet /log \"" + log + "\"";
  RunToEnd(TallimoExe(), install);
  const std::string first = ReadAll(log);
  std::printf("first run:\n%s", first.c_str());
  EXPECT_TRUE(Contains(first, "Tallimo Test Viewer: installed")) << first;
  EXPECT_TRUE(Contains(first, "Tallimo Test Editor: installed")) << first;
  EXPECT_TRUE(KeyExists(kViewerKey));
  EXPECT_TRUE(KeyExists(kEditorKey));

  // 3. Again: both are skipped as installed.
  DeleteFileA(log.c_str());
  RunToEnd(TallimoExe(), install);
  const std::string second = ReadAll(log);
  std::printf("second run:\n%s", second.c_str());
  EXPECT_TRUE(Contains(second, "Tallimo Test Viewer: skipped (already installed)")) << second;
  EXPECT_TRUE(Contains(second, "Tallimo Test Editor: skipped (already installed)")) << second;
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_disc_scan_e2e");
}
