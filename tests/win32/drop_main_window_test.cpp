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
      testing::PeFile{{".text"}, {{"ProductName", "Editor"}}, "\xEF\xBE\xAD\xDENullsoftInst"}
          .Bytes();
  files.files["D:\\Downloads\\viewer.msi"] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  installerDatabase.packages["D:\\Downloads\\viewer.msi"] = {{"ProductName", "Viewer"},
                                                             {"ProductCode", kCode}};
  files.files["C:\\Disc\\readme.txt"] = "";
  files.files["C:\\DISC\\OLD\\TOOL.EXE"] = testing::PeFile{}.Bytes();
  ShowMainFormOn(kPath, "[Program1]\r\nName=Tool\r\nInstall1=\"\\old\\tool.exe\"\r\n");
  EXPECT_TRUE(GetWindowLongW(form->ListBox1.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

  const std::vector<std::string> dropped = {"c:\\disc\\Apps\\setup.exe",
                                            "D:\\Downloads\\viewer.msi", "C:\\Disc\\readme.txt",
                                            "C:\\DISC\\OLD\\TOOL.EXE"};
  prompter.answers = {TModalResult::mrYes};
  Drop(dropped);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].title, "Confirm");
  EXPECT_EQ(prompter.boxes[0].text,
            "Add these programs to the catalogue?\rEditor (NSIS)\r"
            "Viewer (Windows Installer package)\r\r"
            "\\readme.txt: left out (not a .msi, .msu or .exe file)\r"
            "\\OLD\\TOOL.EXE: left out (already in the catalogue)");
  EXPECT_TRUE(form->Cat.Modified);
  EXPECT_EQ(form->ListBox1.Rows(), (std::vector<std::string>{"Editor", "Tool", "Viewer"}));

  // Read back as written: from the disc's root inside its folder, the full path outside it.
  form->WriteINIFile1Click();
  Catalogue cat;
  ReadCatalogueText(files.files[kPath], cat);
  ASSERT_EQ(cat.ProgramList.size(), 3u);
  EXPECT_EQ(cat.ProgramList[1]->InstallLines, StringList{"\"\\Apps\\setup.exe\" /S"});
  EXPECT_EQ(cat.ProgramList[1]->Detect, "uninstall:Editor");
  EXPECT_EQ(cat.ProgramList[2]->InstallLines,
            StringList{"msiexec /i \"D:\\Downloads\\viewer.msi\" /qn /norestart"});

  // The same files again, the full path too: nothing left to add, so no question.
  Drop(dropped);
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].icon, TMsgDlgType::mtInformation);
  EXPECT_EQ(form->Cat.ProgramList.size(), 3u);
}

}  // namespace
}  // namespace tallimo
