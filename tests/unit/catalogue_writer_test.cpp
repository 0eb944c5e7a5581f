// Writing the catalogue file: order and form of the keys, and values that survive a save.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "catalogue/catalogue_file.h"

namespace tallimo {
namespace {

std::unique_ptr<TTallimoProg> Entry(std::string name) {
  auto e = std::make_unique<TTallimoProg>();
  e->Name = std::move(name);
  return e;
}

// Everything a catalogue holds, compared field by field.
void ExpectSameCatalogue(const Catalogue& a, const Catalogue& b) {
  EXPECT_EQ(a.ConfigCaption, b.ConfigCaption);
  EXPECT_EQ(a.CreatedBy, b.CreatedBy);
  EXPECT_EQ(a.WriteDate, b.WriteDate);
  EXPECT_EQ(a.NoteLines, b.NoteLines);
  ASSERT_EQ(a.ProgramList.size(), b.ProgramList.size());
  for (size_t i = 0; i < a.ProgramList.size(); ++i) {
    const TTallimoProg &x = *a.ProgramList[i], &y = *b.ProgramList[i];
    EXPECT_EQ(x.Name, y.Name);
    EXPECT_EQ(x.NfoPath, y.NfoPath);
    EXPECT_EQ(x.Batch, y.Batch);
    EXPECT_EQ(x.SerialLines, y.SerialLines);
    EXPECT_EQ(x.InstallLines, y.InstallLines);
    EXPECT_EQ(x.InfoLines, y.InfoLines);
    EXPECT_EQ(x.SpecsLines, y.SpecsLines);
  }
}

Catalogue RoundTrip(const Catalogue& cat) {
  Catalogue back;
  ReadCatalogueText(WriteCatalogueText(cat), back);
  return back;
}

TEST(CatalogueWriter, WritesSectionsAndKeysInTheirOrderWithCrLf) {
  Catalogue cat;
  cat.ConfigCaption = "Utility Collection 3";
  cat.CreatedBy = "Disc Team";
  cat.NoteLines = {"Insert the disc.", ""};
  cat.WriteDate = "Mon, 7 Dec 2026, 3:06 pm";
  auto a = Entry("Text Editor");
  a->NfoPath = "\\EDITOR\\EDITOR.NFO";
  a->Batch = true;
  a->SerialLines = {"S"};
  a->InstallLines = {"%D:", "SETUP.EXE"};
  a->InfoLines = {"I"};
  a->SpecsLines = {"P1", "P2"};
  cat.ProgramList.push_back(std::move(a));
  cat.ProgramList.push_back(Entry("Picture Viewer"));
  EXPECT_EQ(WriteCatalogueText(cat),
            "[General]\r\n"
            "Caption=Utility Collection 3\r\n"
            "CreatedBy=Disc Team\r\n"
            "Note1=Insert the disc.\r\n"
            "Note2=\r\n"
            "WriteDate=Mon, 7 Dec 2026, 3:06 pm\r\n"
            "[Program1]\r\n"
            "Name=Text Editor\r\n"
            "NFO=\\EDITOR\\EDITOR.NFO\r\n"
            "Batch=1\r\n"
            "Serial1=S\r\n"
            "Install1=%D:\r\n"
            "Install2=SETUP.EXE\r\n"
            "Info1=I\r\n"
            "Specs1=P1\r\n"
            "Specs2=P2\r\n"
            "[Program2]\r\n"
            "Name=Picture Viewer\r\n"
            "NFO=\r\n"
            "Batch=0\r\n");
}

TEST(CatalogueWriter, TheSelectionKeysFollowDetectInTheirOrderAndComeBack) {
  Catalogue cat;
  ReadCatalogueText(
      "[Program1]\nName=A\nArch=x64; arm64\nPresets= Office PC ;Home;;\nDefault=$1\n"
      "Windows=7\nExcludes=C\nRequires= B ;;R\n"
      "Category=Office\nRestart=2\nDetect=uninstall:A\nInstall1=a.exe\n"
      "[Program2]\nName=B\nCategory=\nDefault=0\nPresets=\nRestart=01\n",
      cat);
  const TTallimoProg& a = *cat.ProgramList[0];
  EXPECT_EQ(a.Category, "Office");
  EXPECT_TRUE(a.Default);
  EXPECT_EQ(a.Presets, (StringList{"Office PC", "Home"}));
  EXPECT_EQ(a.Requires, (StringList{"B", "R"}));
  const std::string text = WriteCatalogueText(cat);
  EXPECT_NE(text.find("Name=A\r\nNFO=\r\nBatch=0\r\nDetect=uninstall:A\r\nRestart=2\r\n"
                      "Category=Office\r\n"
                      "Default=1\r\nPresets=Office PC;Home\r\nRequires=B;R\r\nExcludes=C\r\n"
                      "Windows=7\r\nArch=x64; arm64\r\nInstall1=a.exe\r\n"),
            std::string::npos)
      << text;
  // Keys that are not set are not written.
  EXPECT_NE(text.find("Name=B\r\nNFO=\r\nBatch=0\r\n"), std::string::npos);
  EXPECT_EQ(text.find("Category=\r"), std::string::npos);
  EXPECT_TRUE(text.ends_with("Name=B\r\nNFO=\r\nBatch=0\r\n")) << "Restart=01 is no rule";
  Catalogue back;
  ReadCatalogueText(text, back);
  EXPECT_EQ(WriteCatalogueText(back), text);
}

TEST(CatalogueWriter, AnEmptyCatalogueIsTheGeneralSectionOnly) {
  Catalogue cat;
  EXPECT_EQ(WriteCatalogueText(cat), "[General]\r\nCaption=\r\nCreatedBy=\r\nWriteDate=\r\n");
}

TEST(CatalogueWriter, EntriesAreRenumberedInListOrder) {
  // Read Program1..3, move the first to the end (as an edit does), write: numbered from 1.
  Catalogue cat;
  ReadCatalogueText("[Program1]\nName=A\n[Program2]\nName=B\n[Program3]\nName=C\n", cat);
  std::rotate(cat.ProgramList.begin(), cat.ProgramList.begin() + 1, cat.ProgramList.end());
  std::string text = WriteCatalogueText(cat);
  EXPECT_NE(text.find("[Program1]\r\nName=B\r\n"), std::string::npos);
  EXPECT_NE(text.find("[Program3]\r\nName=A\r\n"), std::string::npos);
  EXPECT_EQ(text.find("[Program4]"), std::string::npos);
}

TEST(CatalogueWriter, ValuesWithEdgeBlanksOrEnclosingQuotesAreQuoted) {
  struct Case {
    std::string value, written;
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"", ""},
      {" leading", "\" leading\""},
      {"trailing\t", "\"trailing\t\""},
      {"  ", "\"  \""},
      {"\"quoted\"", "\"\"quoted\"\""},
      {"'single'", "\"'single'\""},
      {"\"half", "\"half"},
      {"'mixed\"", "'mixed\""},
      {"\"", "\""},
      {"in \"the\" middle", "in \"the\" middle"},
  };
  for (const Case& c : cases) {
    Catalogue cat;
    cat.ConfigCaption = c.value;
    std::string text = WriteCatalogueText(cat);
    EXPECT_NE(text.find("Caption=" + c.written + "\r\n"), std::string::npos) << c.value;
    EXPECT_EQ(RoundTrip(cat).ConfigCaption, c.value) << '[' << c.value << ']';
  }
}

TEST(CatalogueWriter, EveryValueSurvivesASaveAndALoad) {
  const std::string sentinel = "\xFF\x63\x7B";
  Catalogue cat;
  cat.ConfigCaption = "  Caption with blanks  ";
  cat.CreatedBy = "'Quoted author'";
  cat.NoteLines = {"", " ", sentinel, std::string(5000, 'n'), "\"", "=", "[NotASection]", ";x"};
  cat.WriteDate = "Mon, 7 Dec 2026, 3:06 pm";
  auto e = Entry(" Indented name");
  e->NfoPath = "\"\\PATH WITH\\BLANKS.NFO\"";
  e->Batch = true;
  e->SerialLines = {"", ""};
  e->InstallLines = {"%D:", "  cd \\X", "\"C:\\Program Files\\x.exe\""};
  e->InfoLines = {" An info line that begins with a blank"};
  e->SpecsLines = {"caf\xE9 \x80\x9F"};
  cat.ProgramList.push_back(std::move(e));
  cat.ProgramList.push_back(Entry(""));
  cat.ProgramList.push_back(Entry(sentinel));
  ExpectSameCatalogue(cat, RoundTrip(cat));
}

TEST(CatalogueWriter, ALineBreakInAValueCannotStartAnotherKey) {
  Catalogue cat;
  cat.ConfigCaption = "one\r\n[Program1]\r\nName=injected";
  cat.CreatedBy = "ends with a break\n";
  Catalogue back = RoundTrip(cat);
  EXPECT_TRUE(back.ProgramList.empty());
  EXPECT_EQ(back.ConfigCaption, "one  [Program1]  Name=injected");
  EXPECT_EQ(back.CreatedBy, "ends with a break ");
}

TEST(CatalogueWriter, TrueIsWrittenAsOne) {
  Catalogue cat;
  ReadCatalogueText("[Program1]\nName=A\nBatch=$10\n[Program2]\nName=B\nBatch=yes\n", cat);
  std::string text = WriteCatalogueText(cat);
  EXPECT_NE(text.find("Name=A\r\nNFO=\r\nBatch=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("Name=B\r\nNFO=\r\nBatch=0\r\n"), std::string::npos);
}

TEST(CatalogueWriter, WritingThenReadingAFileKeepsWhatWasRead) {
  // Anything that was read is written back and reads the same; what was not read is gone.
  Catalogue cat;
  ReadCatalogueText(
      "[General]\nCaption = \"  x  \" \nNote1=a\nNote3=lost\nUnknown=lost\n"
      "[Program1]\nName=One\nSerial1=\nSerial2=\nInstall1=i\n[Program3]\nName=lost\n",
      cat);
  std::string text = WriteCatalogueText(cat);
  EXPECT_EQ(text.find("lost"), std::string::npos);
  ExpectSameCatalogue(cat, RoundTrip(cat));
  EXPECT_EQ(cat.ConfigCaption, "  x  ");
  EXPECT_EQ(cat.ProgramList[0]->SerialLines, (StringList{"", ""}));
}

}  // namespace
}  // namespace tallimo
