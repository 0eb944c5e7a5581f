// libFuzzer target: any bytes read as a catalogue file, in whatever encoding they are taken for;
// what was read must survive a write and a second read unchanged, and the file stored again in
// its encoding must read back as the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "catalogue/catalogue_encoding.h"
#include "catalogue/catalogue_file.h"

namespace {

bool SameEntry(const tallimo::TTallimoProg& a, const tallimo::TTallimoProg& b) {
  return a.Name == b.Name && a.NfoPath == b.NfoPath && a.Batch == b.Batch &&
         a.SerialLines == b.SerialLines && a.InstallLines == b.InstallLines &&
         a.InfoLines == b.InfoLines && a.SpecsLines == b.SpecsLines;
}

bool SameCatalogue(const tallimo::Catalogue& a, const tallimo::Catalogue& b) {
  if (a.ConfigCaption != b.ConfigCaption || a.CreatedBy != b.CreatedBy ||
      a.WriteDate != b.WriteDate || a.NoteLines != b.NoteLines ||
      a.ProgramList.size() != b.ProgramList.size())
    return false;
  for (size_t i = 0; i < a.ProgramList.size(); ++i)
    if (!SameEntry(*a.ProgramList[i], *b.ProgramList[i])) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const tallimo::CodePage& ansi = tallimo::Windows1252();
  const tallimo::CatalogueText file = tallimo::DecodeCatalogue(std::string(bytes), ansi);
  tallimo::Catalogue first;
  tallimo::ReadCatalogueText(file.text, first);
  const std::string written = tallimo::WriteCatalogueText(first);
  tallimo::Catalogue second;
  tallimo::ReadCatalogueText(written, second);
  if (!SameCatalogue(first, second)) std::abort();
  // Writing is stable too: the second catalogue gives the same file.
  if (tallimo::WriteCatalogueText(second) != written) std::abort();
  // Stored in the encoding it was read in (an ANSI file always fits: every character came from
  // one of its bytes), it reads back as the same text. One exception: an ANSI file whose only
  // bytes that were not UTF-8 stood in lines that the catalogue does not keep is stored as
  // bytes that are UTF-8, and reads back as such (text once saved as UTF-8 and read as ANSI
  // comes back as it was meant).
  std::string stored;
  if (!tallimo::EncodeCatalogue(written, file.encoding, ansi, stored)) std::abort();
  const tallimo::CatalogueText again = tallimo::DecodeCatalogue(stored, ansi);
  const bool becameUtf8 = file.encoding == tallimo::TCatalogueEncoding::ceAnsi &&
                          again.encoding == tallimo::TCatalogueEncoding::ceUtf8;
  if (!becameUtf8 && again.text != written) std::abort();
  if (!again.replacedLines.empty() || again.oddLength) std::abort();
  return 0;
}
