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

// A line that every entry of the worst paste's catalogue holds: 36 distinct words, none part of
// another (so that none is dropped as implied by a longer one), and no "a".
constexpr const char* kCommonLine =
    "Tested by the people who built this disc: runs quietly from its own folder, needs zero "
    "network, keeps every setting untouched, writes nothing outside TEMP, removes fully through "
    "Windows Control Center, under one minute, since XP.";

tallimo::TProgramList MakeCatalogue(int count, bool sameNames = false, bool commonLine = false) {
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
    if (commonLine) entry->InfoLines.push_back(kCommonLine);
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

// Pastes: "a " 50,000 times, and the worst one, the common line (32 distinct words used, each
// held by every entry, so that each is tested against every row) followed by 50,000 more words.
std::string Repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}
std::string WorstPaste() {
  std::string text = std::string(kCommonLine) + " ";
  for (int i = 0; i < 50000; ++i) text += "w" + std::to_string(i) + " ";
  return text;
}
// The worst paste at 100,000 entries, once it is checked to be the worst: 32 words used, none part
// of another, every entry holding them all.
void WorstPasteMatching(benchmark::State& state) {
  const std::string text = WorstPaste();
  const std::vector<std::string> words = tallimo::FilterWords(text);
  bool nested = false;
  for (const std::string& a : words)
    for (const std::string& b : words)
      nested = nested || (a != b && b.find(a) != std::string::npos);
  const tallimo::TProgramList list = MakeCatalogue(static_cast<int>(state.range(0)), false, true);
  tallimo::ProgramFilter filter;
  filter.Build(tallimo::SortedProgramEntries(list, tallimo::HostLocale()));
  if (nested || words.size() != tallimo::kFilterWordLimit ||
      filter.Matching(text).size() != list.size()) {
    state.SkipWithError("the worst paste is no longer 32 words that every entry holds");
    return;
  }
  for (auto _ : state) {
    std::vector<size_t> shown = filter.Matching(text);
    benchmark::DoNotOptimize(shown.data());
  }
}
BENCHMARK_CAPTURE(Matching, paste_a_50000_times, Repeated("a ", 50000))
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WorstPasteMatching)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
