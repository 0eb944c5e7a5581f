// The rows of RefreshProgramList for large catalogues, through the host's locale seam.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>

#include "app/program_list.h"

namespace {

// Names in a random order, with a few that differ only in case, as a big disc would have.
tallimo::TProgramList MakeCatalogue(int count) {
  static const char* const kWords[] = {"Text", "Picture", "Sound",  "Disk",   "Archive", "Paint",
                                       "Game", "Tools",   "Editor", "Viewer", "Player",  "Font"};
  std::mt19937 random(12345);
  tallimo::TProgramList list;
  for (int i = 0; i < count; ++i) {
    auto entry = std::make_unique<tallimo::TTallimoProg>();
    char number[16];
    std::snprintf(number, sizeof number, " %u", static_cast<unsigned>(random() % 100000));
    entry->Name = std::string(kWords[random() % 12]) + " " + kWords[random() % 12] + number;
    if (i % 50 == 0) {
      for (char& c : entry->Name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    list.push_back(std::move(entry));
  }
  return list;
}

void BM_ProgramListRows(benchmark::State& state) {
  const tallimo::TProgramList list = MakeCatalogue(static_cast<int>(state.range(0)));
  tallimo::Locale& locale = tallimo::HostLocale();
  for (auto _ : state) {
    tallimo::StringList rows = tallimo::ProgramListRows(list, locale);
    benchmark::DoNotOptimize(rows.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ProgramListRows)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
