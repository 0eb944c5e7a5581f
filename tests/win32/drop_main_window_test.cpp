// Files dropped from Explorer on the main window's list, as a real WM_DROPFILES: the
// installers named in the question, the others left out with why, and on Yes the scan's
// entries added (from the disc's root inside the catalogue's folder, full paths outside it).
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <shlobj.h>

#include <string>
#include <vector>

#include "catalogue/catalogue_file.h"
#include "fakes/pe_file.h"
#include "platform/wide.h"
#include "win32/main_window_fixture.h"

namespace tallimo {
namespace {

constexpr const char* kPath = "C:\\Disc\\menu.ini";
constexpr const char* kCode = "{6F1A3C2E-5B7D-4E8F-9A10-2B3C4D5E6F70}";

class DropOnMainWindow : public MainWindowFixture<> {
 protected:
  // The drop as Explorer posts it: DROPFILES, then the wide paths, each ended, and one more end.
  void Drop(const std::vector<std::string>& paths) {
    std::wstring names;
    for (const std::string& p : paths) names += Widen(p) + L'\0';
    names += L'\0';
    const size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL data = GlobalAlloc(GHND, bytes);
    ASSERT_NE(data, nullptr);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(data));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(data);
    ASSERT_TRUE(
        PostMessageW(form->ListBox1.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(data), 0));
    ui::App().ProcessMessages();
  }
};

TEST_F(DropOnMainWindow, InstallersAreNamedAndAddedAsTheScanWritesThem) {
  files.files["c:\\disc\\Apps\\setup.exe"] =
      testing::PeFile{
          {".text"},
          {{"ProductName", "Editor"}, {"ProductVersion", "1.0"}, {"CompanyName", "Maker"}},
          std::string("\xEF\xBE\xAD\xDE"
                      "NullsoftInst",
                      16)}
          .Bytes();
  files.files["D:\\Downloads\\viewer.msi"] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  installerDatabase.packages["D:\\Downloads\\viewer.msi"] = {
      {"ProductName", "Viewer"}, {"ProductVersion", "2.0"}, {"ProductCode", kCode}};
  files.files["C:\\Disc\\KB1.msu"] = "MSCF";
  files.files["C:\\Disc\\readme.txt"] = "";
  files.files["C:\\DISC\\OLD\\TOOL.EXE"] = testing::PeFile{}.Bytes();
  ShowMainFormOn(kPath, "[Program1]\r\nName=Tool\r\nInstall1=\"\\old\\tool.exe\"\r\n");
  EXPECT_TRUE(GetWindowLongW(form->ListBox1.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

  const std::vector<std::string> dropped = {"c:\\disc\\Apps\\setup.exe",
                                            "D:\\Downloads\\viewer.msi", "C:\\Disc\\KB1.msu",
                                            "C:\\Disc\\readme.txt", "C:\\DISC\\OLD\\TOOL.EXE"};
  prompter.answers = {TModalResult::mrYes};
  Drop(dropped);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Confirm");
  EXPECT_EQ(prompter.boxes[0].text,
            "Add these programs to the catalogue?\rEditor (NSIS)\r"
            "Viewer (Windows Installer package)\rKB1 (Windows update package)\r\r"
            "\\readme.txt: left out (not a .msi, .msu or .exe file)\r"
            "\\OLD\\TOOL.EXE: left out (already in the catalogue)");
  EXPECT_TRUE(form->Cat.Modified);
  EXPECT_EQ(form->ListBox1.Rows(), (std::vector<std::string>{"Editor", "KB1", "Tool", "Viewer"}));

  // Read back as written.
  form->WriteINIFile1Click();
  Catalogue cat;
  ReadCatalogueText(files.files[kPath], cat);
  ASSERT_EQ(cat.ProgramList.size(), 4u);
  const TTallimoProg& editor = *cat.ProgramList[1];
  EXPECT_EQ(editor.InstallLines, StringList{"\"\\Apps\\setup.exe\" /S"});
  EXPECT_EQ(editor.Detect, "uninstall:Editor");
  EXPECT_EQ(editor.InfoLines, (StringList{"Version 1.0", "Maker"}));
  const TTallimoProg& viewer = *cat.ProgramList[2];
  EXPECT_EQ(viewer.InstallLines,
            StringList{"msiexec /i \"D:\\Downloads\\viewer.msi\" /qn /norestart"});
  EXPECT_EQ(viewer.Detect,
            std::string("HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + kCode);
  const TTallimoProg& update = *cat.ProgramList[3];
  EXPECT_EQ(update.InstallLines, StringList{"wusa \"\\KB1.msu\" /quiet /norestart"});
  EXPECT_EQ(update.SuccessCodes, std::vector<uint32_t>{2359302});

  // The same files again: nothing left to add, so no question.
  Drop(dropped);
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].icon, TMsgDlgType::mtInformation);
  EXPECT_EQ(prompter.boxes[1].text.find("None of these files can be added"), 0u);
  EXPECT_EQ(form->Cat.ProgramList.size(), 4u);
}

}  // namespace
}  // namespace tallimo
