// The SuccessCodes key: read, written after Batch when not empty, and its parts that are not
// numbers found as errors (they would be lost at the next save).
#include <gtest/gtest.h>

#include "catalogue/catalogue_file.h"
#include "catalogue/catalogue_reading.h"
#include "catalogue/ini_document.h"
#include "catalogue/success_codes.h"
#include "catalogue/unread_lines.h"

namespace tallimo {
namespace {

TEST(SuccessCodes, ParsedFromDecimalNumbersSeparatedByCommas) {
  struct Case {
    const char* text;
    ExitCodeList codes;
    std::vector<std::string> rejected;
  } cases[] = {
      {"", {}, {}},
      {"  ", {}, {}},
      {"1,2", {1, 2}, {}},
      {" 1 ,\t2 ", {1, 2}, {}},
      {"3010,0", {3010, 0}, {}},
      {"4294967295,-1,-2147483648", {4294967295u, 4294967295u, 2147483648u}, {}},
      {"4294967296,-2147483649", {}, {"4294967296", "-2147483649"}},
      {"1,x,0x10,,2", {1, 2}, {"x", "0x10", ""}},
      {"1;2", {}, {"1;2"}},
      {"+7, 1 2", {7}, {"1 2"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> rejected;
    EXPECT_EQ(ParseSuccessCodes(c.text, &rejected), c.codes) << c.text;
    EXPECT_EQ(rejected, c.rejected) << c.text;
  }
  EXPECT_EQ(SuccessCodesText({1, 2}), "1,2");
  EXPECT_EQ(SuccessCodesText({}), "");
}

TEST(SuccessCodes, ReadWrittenAfterBatchAndKeptByARoundTrip) {
  const std::string file =
      "[General]\r\nCaption=\r\nCreatedBy=\r\nWriteDate=\r\n"
      "[Program1]\r\nName=A\r\nNFO=\r\nBatch=0\r\nSuccessCodes=1,2\r\nInstall1=a.exe\r\n"
      "[Program2]\r\nName=B\r\nNFO=\r\nBatch=1\r\nInstall1=b.exe\r\n";
  Catalogue cat;
  ReadCatalogueText(file, cat);
  ASSERT_EQ(cat.ProgramList.size(), 2u);
  EXPECT_EQ(cat.ProgramList[0]->SuccessCodes, (ExitCodeList{1, 2}));
  EXPECT_TRUE(cat.ProgramList[1]->SuccessCodes.empty());
  EXPECT_EQ(WriteCatalogueText(cat), file);
  EXPECT_FALSE(FindUnreadLines(file));
}

TEST(SuccessCodes, PartsThatAreNotNumbersAreErrorsOfTheCheck) {
  const std::string file =
      "[General]\r\nCaption=\r\n[Program1]\r\nName=A\r\nSuccessCodes=1,two,3\r\n";
  Catalogue cat;
  const IniDocument doc = ParseIni(file);
  ReadCatalogueDocument(doc, cat);
  EXPECT_EQ(cat.ProgramList[0]->SuccessCodes, (ExitCodeList{1, 3}));
  std::vector<UnreadPart> parts = FindUnreadParts(doc, cat);
  ASSERT_EQ(parts.size(), 1u);
  EXPECT_TRUE(parts[0].error);
  EXPECT_EQ(parts[0].line, 5u);
  EXPECT_EQ(parts[0].text,
            "SuccessCodes part \"two\" is not a number and is never read; it is lost at the next "
            "save");
}

}  // namespace
}  // namespace tallimo
