// Reading the catalogue file: the format's rules and the cuts that are no longer made.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/catalogue_file.h"

namespace tallimo {
namespace {

Catalogue Read(const std::string& text) {
  Catalogue cat;
  ReadCatalogueText(text, cat);
  return cat;
}

const char kWorkedExample[] =
    "[General]\r\n"
    "Caption=Utility Collection 3\r\n"
    "CreatedBy=Disc Team\r\n"
    "Note1=Insert the disc into any drive before you install.\r\n"
    "Note2=\r\n"
    "WriteDate=Mon, 7 Dec 2026, 3:06 pm\r\n"
    "[Program1]\r\n"
    "Name=Text Editor\r\n"
    "NFO=\\EDITOR\\EDITOR.NFO\r\n"
    "Batch=1\r\n"
    "Serial1=The registration details are printed on the sleeve.\r\n"
    "Install1=%D:\r\n"
    "Install2=cd \\EDITOR\r\n"
    "Install3=SETUP.EXE\r\n"
    "Info1=A small text editor for plain files.\r\n"
    "Specs1=Needs 4 MB of memory.\r\n"
    "Specs2=Runs on 32-bit Windows.\r\n"
    "[Program2]\r\n"
    "Name=Picture Viewer\r\n"
    "NFO=\r\n"
    "Batch=0\r\n"
    "Install1=%D:\\VIEWER\\INSTALL.EXE\r\n"
    "Info1=Shows pictures in many formats.\r\n";

TEST(CatalogueReader, ReadsTheWorkedExample) {
  Catalogue cat = Read(kWorkedExample);
  EXPECT_EQ(cat.ConfigCaption, "Utility Collection 3");
  EXPECT_EQ(cat.CreatedBy, "Disc Team");
  EXPECT_EQ(cat.WriteDate, "Mon, 7 Dec 2026, 3:06 pm");
  EXPECT_EQ(cat.NoteLines, (StringList{"Insert the disc into any drive before you install.", ""}));
  ASSERT_EQ(cat.ProgramList.size(), 2u);
  const TTallimoProg& a = *cat.ProgramList[0];
  EXPECT_EQ(a.Name, "Text Editor");
  EXPECT_EQ(a.NfoPath, "\\EDITOR\\EDITOR.NFO");
  EXPECT_TRUE(a.Batch);
  EXPECT_EQ(a.SerialLines.size(), 1u);
  EXPECT_EQ(a.InstallLines, (StringList{"%D:", "cd \\EDITOR", "SETUP.EXE"}));
  EXPECT_EQ(a.InfoLines.size(), 1u);
  EXPECT_EQ(a.SpecsLines, (StringList{"Needs 4 MB of memory.", "Runs on 32-bit Windows."}));
  const TTallimoProg& b = *cat.ProgramList[1];
  EXPECT_EQ(b.Name, "Picture Viewer");
  EXPECT_EQ(b.NfoPath, "");
  EXPECT_FALSE(b.Batch);
  EXPECT_TRUE(b.SerialLines.empty());
  EXPECT_EQ(b.InstallLines, (StringList{"%D:\\VIEWER\\INSTALL.EXE"}));
  EXPECT_TRUE(b.SpecsLines.empty());
}

TEST(CatalogueReader, NumberingStopsAtTheFirstGap) {
  Catalogue cat = Read(
      "[General]\nNote1=a\nNote3=c\n"
      "[Program1]\nName=One\nInstall1=x\nInstall2=y\nInstall4=lost\n"
      "[Program2]\nName=Two\n[Program4]\nName=Four\n");
  EXPECT_EQ(cat.NoteLines, (StringList{"a"}));
  ASSERT_EQ(cat.ProgramList.size(), 2u);
  EXPECT_EQ(cat.ProgramList[0]->InstallLines, (StringList{"x", "y"}));
  EXPECT_EQ(cat.ProgramList[1]->Name, "Two");
}

TEST(CatalogueReader, NumbersWithLeadingZerosAreNotTheNumber) {
  Catalogue cat = Read("[Program01]\nName=Zero\n[Program1]\nName=One\nInfo01=a\nInfo1=b\n");
  ASSERT_EQ(cat.ProgramList.size(), 1u);
  EXPECT_EQ(cat.ProgramList[0]->Name, "One");
  EXPECT_EQ(cat.ProgramList[0]->InfoLines, (StringList{"b"}));
}

TEST(CatalogueReader, AnEntryExistsExactlyWhenItHasAName) {
  // A Program section without Name ends the list, even when later sections have one.
  EXPECT_TRUE(Read("[Program1]\nNFO=x\nInstall1=a\n[Program2]\nName=Two\n").ProgramList.empty());
  // An empty Name is a name.
  Catalogue cat = Read("[Program1]\nName=\nInstall1=a\n");
  ASSERT_EQ(cat.ProgramList.size(), 1u);
  EXPECT_EQ(cat.ProgramList[0]->Name, "");
  EXPECT_EQ(cat.ProgramList[0]->InstallLines, (StringList{"a"}));
}

TEST(CatalogueReader, NamesMatchIgnoringCase) {
  Catalogue cat = Read(
      "[GENERAL]\ncaption=Cap\nCREATEDBY=me\nnote1=n\n"
      "[program1]\nNAME=One\nnfo=\\A.NFO\nbatch=1\nSERIAL1=s\ninstall1=i\nINFO1=f\nspecs1=p\n");
  EXPECT_EQ(cat.ConfigCaption, "Cap");
  EXPECT_EQ(cat.CreatedBy, "me");
  EXPECT_EQ(cat.NoteLines, (StringList{"n"}));
  ASSERT_EQ(cat.ProgramList.size(), 1u);
  const TTallimoProg& e = *cat.ProgramList[0];
  EXPECT_EQ(e.Name, "One");
  EXPECT_EQ(e.NfoPath, "\\A.NFO");
  EXPECT_TRUE(e.Batch);
  EXPECT_EQ(e.SerialLines, (StringList{"s"}));
  EXPECT_EQ(e.InstallLines, (StringList{"i"}));
  EXPECT_EQ(e.InfoLines, (StringList{"f"}));
  EXPECT_EQ(e.SpecsLines, (StringList{"p"}));
}

TEST(CatalogueReader, BlanksAndOnePairOfQuotesAreRemovedFromValues) {
  Catalogue cat = Read(
      "  [ General ]  \n"
      "  Caption  =   spaced out\t \n"
      "CreatedBy=\"  kept inside  \"\n"
      "Note1='single'\n"
      "Note2=\"\"double\"\"\n"
      "Note3=\"mismatched'\n"
      "Note4=\"\n"
      "Note5=  \"  \"  \n"
      "Note6=a=b=c\n"
      "Note7=\"inner\" quotes \"stay\"\n");
  EXPECT_EQ(cat.ConfigCaption, "spaced out");
  EXPECT_EQ(cat.CreatedBy, "  kept inside  ");
  EXPECT_EQ(cat.NoteLines, (StringList{"single", "\"double\"", "\"mismatched'", "\"", "  ", "a=b=c",
                                       "inner\" quotes \"stay"}));
}

TEST(CatalogueReader, CommentsDuplicatesAndStrayLines) {
  Catalogue cat = Read(
      "; a comment before anything\n"
      "Stray=before any section\n"
      "[General]\n"
      ";Caption=commented out\n"
      "Caption=first\n"
      "Caption=second\n"
      "just some words\n"
      "[broken\n"
      "Note1=still in General\n"
      "[Program1]\nName=One\n"
      "[program1]\nName=Duplicate section\nInstall1=never read\n");
  EXPECT_EQ(cat.ConfigCaption, "first");
  EXPECT_EQ(cat.NoteLines, (StringList{"still in General"}));
  ASSERT_EQ(cat.ProgramList.size(), 1u);
  EXPECT_EQ(cat.ProgramList[0]->Name, "One");
  EXPECT_TRUE(cat.ProgramList[0]->InstallLines.empty());
}

TEST(CatalogueReader, LineEndingsAllReadAlike) {
  const std::string lf = "[General]\nCaption=C\nNote1=\nNote2=two\n[Program1]\nName=P\n";
  auto with = [&](const std::string& eol) {
    std::string s;
    for (char c : lf) s += c == '\n' ? eol : std::string(1, c);
    return s;
  };
  for (const std::string& text : {lf, with("\r\n"), with("\r"), with("\r\n\r\n\n\r")}) {
    Catalogue cat = Read(text);
    EXPECT_EQ(cat.ConfigCaption, "C");
    EXPECT_EQ(cat.NoteLines, (StringList{"", "two"}));
    ASSERT_EQ(cat.ProgramList.size(), 1u);
    EXPECT_EQ(cat.ProgramList[0]->Name, "P");
  }
  // The last line needs no line break; a lone CR inside a line breaks it.
  Catalogue cat = Read("[General]\r\nCaption=a\rNote1=b");
  EXPECT_EQ(cat.ConfigCaption, "a");
  EXPECT_EQ(cat.NoteLines, (StringList{"b"}));
  // A UTF-8 byte-order mark before the first section is no part of it; elsewhere it is text.
  Catalogue marked = Read("\xEF\xBB\xBF[General]\r\nCaption=\xEF\xBB\xBFx\r\n");
  EXPECT_EQ(marked.ConfigCaption, "\xEF\xBB\xBFx");
}

TEST(CatalogueReader, FormerSentinelBytesAreAnOrdinaryValue) {
  const std::string sentinel = "\xFF\x63\x7B";
  Catalogue cat =
      Read("[General]\nNote1=" + sentinel + "\nNote2=after\n[Program1]\nName=" + sentinel +
           "\nInstall1=" + sentinel + "\n");
  EXPECT_EQ(cat.NoteLines, (StringList{sentinel, "after"}));
  ASSERT_EQ(cat.ProgramList.size(), 1u);
  EXPECT_EQ(cat.ProgramList[0]->Name, sentinel);
  EXPECT_EQ(cat.ProgramList[0]->InstallLines, (StringList{sentinel}));
}

TEST(CatalogueReader, NothingIsCut) {
  const std::string longValue(70000, 'v');
  std::string text = "[General]\nCaption=" + longValue + "\n";
  for (int k = 1; k <= 70000; ++k) text += "Note" + std::to_string(k) + "=n\n";
  text += "[Program1]\nName=P\nInfo1=" + std::string(2000, 'i') + "\n";
  Catalogue cat = Read(text);
  EXPECT_EQ(cat.ConfigCaption, longValue);
  EXPECT_EQ(cat.NoteLines.size(), 70000u);
  ASSERT_EQ(cat.ProgramList.size(), 1u);
  EXPECT_EQ(cat.ProgramList[0]->InfoLines[0].size(), 2000u);
}

// High and control bytes are kept; a value ends at a zero byte, as the profile functions end
// it, so a name never reads as a blank row.
TEST(CatalogueReader, HighBytesAreKeptAndAValueEndsAtAZeroByte) {
  const char text[] =
      "[General]\nCaption=caf\xE9 \x01\x00z\nCreatedBy=\"Jo \x00\"\n"
      "[Program1]\nName=Na\x00me\nInstall1=\x00\n";
  Catalogue cat = Read(std::string(text, sizeof text - 1));
  EXPECT_EQ(cat.ConfigCaption, "caf\xE9 \x01");
  EXPECT_EQ(cat.CreatedBy, "\"Jo ");  // blanks go first; the closing quote is past the zero
  ASSERT_EQ(cat.ProgramList.size(), 1u);
  EXPECT_EQ(cat.ProgramList[0]->Name, "Na");
  EXPECT_EQ(cat.ProgramList[0]->InstallLines, StringList{""});
}

TEST(CatalogueReader, AFileThatIsNotACatalogueReadsAsEmpty) {
  Catalogue cat;
  cat.ConfigCaption = "old";
  cat.NoteLines = {"old"};
  cat.ProgramList.push_back(std::make_unique<TTallimoProg>());
  ReadCatalogueText(std::string("MZ\x90\x00\x03\x00\x00\x00\x04\x00\xFF\xFF", 12), cat);
  EXPECT_EQ(cat.ConfigCaption, "");
  EXPECT_TRUE(cat.NoteLines.empty());
  EXPECT_TRUE(cat.ProgramList.empty());
  ReadCatalogueText("", cat);
  EXPECT_TRUE(cat.ProgramList.empty());
}

TEST(CatalogueReader, ReadingLeavesFileNameAndModifiedAlone) {
  Catalogue cat;
  cat.IniFileName = "D:\\DISC.INI";
  cat.Modified = true;
  ReadCatalogueText(kWorkedExample, cat);
  EXPECT_EQ(cat.IniFileName, "D:\\DISC.INI");
  EXPECT_TRUE(cat.Modified);
}

TEST(CatalogueReader, BatchTexts) {
  struct Case {
    const char* text;
    bool on;
  };
  const Case cases[] = {
      {"1", true},          {"-1", true},          {"$10", true},         {"0x10", true},
      {"0X1f", true},       {"$ff", true},         {"+7", true},          {" 1", true},
      {"2147483647", true}, {"-2147483648", true}, {"$FFFFFFFF", true},   {"0", false},
      {"true", false},      {"yes", false},        {"", false},           {"0x", false},
      {"$", false},         {"-", false},          {"1 ", false},         {"1x", false},
      {"0x0", false},       {"$0", false},         {"2147483648", false}, {"$100000000", false},
      {"0x1g", false},      {"- 1", false},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadBatchValue(c.text), c.on) << '"' << c.text << '"';

  Catalogue cat = Read("[Program1]\nName=A\nBatch= 0x10 \n[Program2]\nName=B\n");
  EXPECT_TRUE(cat.ProgramList[0]->Batch);
  EXPECT_FALSE(cat.ProgramList[1]->Batch);  // absent
}

}  // namespace
}  // namespace tallimo
