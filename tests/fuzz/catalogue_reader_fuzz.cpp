// libFuzzer target: any bytes read as a catalogue; what was read must survive a write and a
// second read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

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
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tallimo::Catalogue first;
  tallimo::ReadCatalogueText(bytes, first);
  const std::string written = tallimo::WriteCatalogueText(first);
  tallimo::Catalogue second;
  tallimo::ReadCatalogueText(written, second);
  if (!SameCatalogue(first, second)) std::abort();
  // Writing is stable too: the second catalogue gives the same file.
  if (tallimo::WriteCatalogueText(second) != written) std::abort();
  return 0;
}
