// Load and save of catalogues of 1k, 10k and 100k entries, twelve keys each.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "catalogue/catalogue_file.h"

namespace {

using namespace tallimo;

Catalogue MakeCatalogue(int entries) {
  Catalogue cat;
  cat.ConfigCaption = "Benchmark disc";
  cat.CreatedBy = "Disc Team";
  cat.NoteLines = {"Insert the disc into any drive before you install.", ""};
  cat.WriteDate = "Mon, 7 Dec 2026, 3:06 pm";
  for (int i = 0; i < entries; ++i) {
    auto e = std::make_unique<TTallimoProg>();
    std::string n = std::to_string(i);
    e->Name = "Program number " + n;
    e->NfoPath = "\\PROGS\\P" + n + "\\README.NFO";
    e->Batch = i % 2 == 0;
    e->SerialLines = {"Serial " + n + "-ABCD-EFGH"};
    e->InstallLines = {"%D:", "cd \\PROGS\\P" + n, "SETUP.EXE /quiet"};
    e->InfoLines = {"A program that does useful things.", " Indented info line", "Version 1." + n};
    e->SpecsLines = {"Needs 4 MB of memory.", "Runs on 32-bit Windows."};
    cat.ProgramList.push_back(std::move(e));
  }
  return cat;
}

std::filesystem::path BenchFolder() {
  auto dir = std::filesystem::temp_directory_path() / "tallimo-bench";
  std::filesystem::create_directories(dir);
  return dir;
}

void BM_ReadText(benchmark::State& state) {
  const std::string text = WriteCatalogueText(MakeCatalogue(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    Catalogue cat;
    ReadCatalogueText(text, cat);
    benchmark::DoNotOptimize(cat.ProgramList.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_WriteText(benchmark::State& state) {
  const Catalogue cat = MakeCatalogue(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(WriteCatalogueText(cat));
}

// LoadCatalogue from a real file: reading it whole, parsing, building the entries.
void BM_LoadCatalogue(benchmark::State& state) {
  Catalogue source = MakeCatalogue(static_cast<int>(state.range(0)));
  source.IniFileName =
      (BenchFolder() / ("load" + std::to_string(state.range(0)) + ".ini")).string();
  std::filesystem::remove(source.IniFileName);
  HostFileSystem().WriteNewFile(source.IniFileName, WriteCatalogueText(source));
  for (auto _ : state) {
    Catalogue cat;
    cat.IniFileName = source.IniFileName;
    LoadCatalogue(cat, HostFileSystem(), HostLocale());
    if (cat.ProgramList.size() != source.ProgramList.size()) state.SkipWithError("short read");
  }
  std::filesystem::remove(source.IniFileName);
}

// SaveCatalogue to a real file: temporary file, flush, backup, rename.
void BM_SaveCatalogue(benchmark::State& state) {
  Catalogue cat = MakeCatalogue(static_cast<int>(state.range(0)));
  cat.IniFileName = (BenchFolder() / ("save" + std::to_string(state.range(0)) + ".ini")).string();
  for (auto _ : state) SaveCatalogue(cat, HostFileSystem(), HostLocale(), HostClock());
  std::filesystem::remove(cat.IniFileName);
  std::filesystem::remove(BackupFileName(cat.IniFileName));
}

}  // namespace

BENCHMARK(BM_ReadText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCatalogue)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCatalogue)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
