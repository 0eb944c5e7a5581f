// The filter at 1,000 to 100,000 programs: its table built (showing the box), and the rows that
// match a text (each keystroke), for a word most entries hold, a rare word, two words, a text
// of 10,000 characters, a catalogue whose every name is the same, and pasted pages of words.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/program_filter.h"
#include "app/program_list.h"

namespace {

tallimo::TProgramList MakeCatalogue(int count, bool sameNames = false) {
  static const char* const kWords[] = {"Text", "Picture", "Sound",  "Disk",   "Archive", "Paint",
                                       "Game", "Tools",   "Editor", "Viewer", "Player",  "Font"};
  tallimo::TProgramList list;
  for (int i = 0; i < count; ++i) {
    auto entry = std::make_unique<tallimo::TTallimoProg>();
    char name[64];
    std::snprintf(name, sizeof name, "%s %s %05d", kWords[i % 12], kWords[(i / 12) % 12], i);
    entry->Name = sameNames ? "Same" : name;
    entry->InfoLines = {"Entry " + std::to_string(i) + " of the timing disc" +
                        (i % 100 == 0 ? ", a firewall." : ".")};
    entry->SpecsLines = {"Needs nothing.", "Size: " + std::to_string(i % 50) + " MB"};
    list.push_back(std::move(entry));
  }
  return list;
}

void BM_FilterBuild(benchmark::State& state) {
  const tallimo::TProgramList list = MakeCatalogue(static_cast<int>(state.range(0)));
  const auto entries = tallimo::SortedProgramEntries(list, tallimo::HostLocale());
  for (auto _ : state) {
    tallimo::ProgramFilter filter;
    filter.Build(entries);
    benchmark::DoNotOptimize(filter.AllRows().data());
  }
}
BENCHMARK(BM_FilterBuild)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void Matching(benchmark::State& state, const std::string& text, bool sameNames = false) {
  const tallimo::TProgramList list = MakeCatalogue(static_cast<int>(state.range(0)), sameNames);
  tallimo::ProgramFilter filter;
  filter.Build(tallimo::SortedProgramEntries(list, tallimo::HostLocale()));
  for (auto _ : state) {
    std::vector<size_t> shown = filter.Matching(text);
    benchmark::DoNotOptimize(shown.data());
  }
}
BENCHMARK_CAPTURE(Matching, common_word, std::string("timing"))
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Matching, rare_word, std::string("firewall"))
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Matching, two_words, std::string("size 12 MB"))
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Matching, ten_thousand_characters, std::string(10000, 'e'))
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Matching, not_letters, std::string("!!! ?? %%"))
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Matching, every_name_the_same, std::string("same"), true)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

// Pastes: "a " 50,000 times, and the worst one, 32 distinct words that every entry holds (so
// that each is tested against every row) followed by 50,000 more words.
std::string Repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}
std::string WorstPaste() {
  std::string text;
  for (const char* word :
       {"entry", "of", "the", "timing", "disc", "needs", "nothing", "size", "mb", "e", "n",
        "t",     "i",  "s",   "d",      "o",    "h",     "g",       "m",    "b",  "y", "r",
        "c",     "z",  "f",   "en",     "nt",   "tr",    "ry",      "ti",   "im", "in"})
    text += std::string(word) + " ";
  for (int i = 0; i < 50000; ++i) text += "w" + std::to_string(i) + " ";
  return text;
}
BENCHMARK_CAPTURE(Matching, paste_a_50000_times, Repeated("a ", 50000))
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Matching, worst_paste, WorstPaste())->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
