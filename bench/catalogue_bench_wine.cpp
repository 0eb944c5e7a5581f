// Loading a 2,000-entry catalogue (about twelve keys each) two ways in one run: with our reader,
// and with the profile functions, one GetPrivateProfileStringA call per key (each numbered key
// probed with the sentinel default first). Prints both medians and their ratio.
//
//   catalogue_bench_wine.exe [entries [profile-repetitions]]
#include <windows.h>
#undef MoveFile

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/catalogue_file.h"

namespace {

using namespace tallimo;

const char kSentinel[] = "\xFF\x63\x7B";

Catalogue MakeCatalogue(int entries) {
  Catalogue cat;
  cat.ConfigCaption = "Benchmark Disc";
  cat.CreatedBy = "Bench";
  cat.NoteLines = {"First note.", "Second note."};
  cat.WriteDate = "Mon, 7 Dec 2026, 3:06 pm";
  for (int n = 1; n <= entries; ++n) {
    const std::string s = std::to_string(n);
    auto e = std::make_unique<TTallimoProg>();
    e->Name = "Program number " + s;
    e->NfoPath = "\\PROGS\\P" + s + "\\README.NFO";
    e->Batch = n % 2 == 0;
    e->SerialLines = {"KEY-" + s + "-DEMO"};
    e->InstallLines = {"%D:", "cd \\PROGS\\P" + s, "SETUP.EXE /quiet"};
    e->InfoLines = {"What program " + s + " does.", "A second line of information.",
                    "A third line."};
    e->SpecsLines = {"Needs 4 MB of memory.", "Runs on 32-bit Windows."};
    cat.ProgramList.push_back(std::move(e));
  }
  return cat;
}

std::string Profile(const std::string& file, const std::string& section, const std::string& key,
                    const char* fallback) {
  char buffer[1024];
  DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback, buffer, sizeof buffer,
                                     file.c_str());
  return std::string(buffer, n);
}

StringList ProfileList(const std::string& file, const std::string& section, const char* stem) {
  StringList items;
  for (unsigned k = 1; k <= 65535; ++k) {
    const std::string key = stem + std::to_string(k);
    if (Profile(file, section, key, kSentinel) == kSentinel) break;
    items.push_back(Profile(file, section, key, ""));
  }
  return items;
}

void ProfileLoad(const std::string& file, Catalogue& cat) {
  cat.ProgramList.clear();
  cat.ConfigCaption = Profile(file, "General", "Caption", "");
  cat.CreatedBy = Profile(file, "General", "CreatedBy", "");
  cat.WriteDate = Profile(file, "General", "WriteDate", "");
  cat.NoteLines = ProfileList(file, "General", "Note");
  for (unsigned n = 1; n <= 65535; ++n) {
    const std::string section = "Program" + std::to_string(n);
    if (Profile(file, section, "Name", kSentinel) == kSentinel) break;
    auto e = std::make_unique<TTallimoProg>();
    e->Name = Profile(file, section, "Name", "No Name");
    e->NfoPath = Profile(file, section, "NFO", "");
    e->Batch = ReadBatchValue(Profile(file, section, "Batch", ""));
    e->SerialLines = ProfileList(file, section, "Serial");
    e->InstallLines = ProfileList(file, section, "Install");
    e->InfoLines = ProfileList(file, section, "Info");
    e->SpecsLines = ProfileList(file, section, "Specs");
    cat.ProgramList.push_back(std::move(e));
  }
}

bool Same(const Catalogue& a, const Catalogue& b) {
  if (a.ConfigCaption != b.ConfigCaption || a.CreatedBy != b.CreatedBy ||
      a.WriteDate != b.WriteDate || a.NoteLines != b.NoteLines ||
      a.ProgramList.size() != b.ProgramList.size())
    return false;
  for (size_t i = 0; i < a.ProgramList.size(); ++i) {
    const TTallimoProg &x = *a.ProgramList[i], &y = *b.ProgramList[i];
    if (x.Name != y.Name || x.NfoPath != y.NfoPath || x.Batch != y.Batch ||
        x.SerialLines != y.SerialLines || x.InstallLines != y.InstallLines ||
        x.InfoLines != y.InfoLines || x.SpecsLines != y.SpecsLines)
      return false;
  }
  return true;
}

template <typename F>
double MedianMilliseconds(int repetitions, F&& run) {
  std::vector<double> times;
  for (int i = 0; i < repetitions; ++i) {
    auto start = std::chrono::steady_clock::now();
    run();
    auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(times.begin(), times.end());
  const size_t mid = times.size() / 2;
  return times.size() % 2 ? times[mid] : (times[mid - 1] + times[mid]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int entries = argc > 1 ? std::atoi(argv[1]) : 2000;
  const int profileRepetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  const int ourRepetitions = 21;

  char temp[MAX_PATH + 1];
  GetTempPathA(sizeof temp, temp);
  const std::string file = std::string(temp) + "tallimo-bench-" +
                           std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(GetTickCount()) + ".ini";
  const Catalogue source = MakeCatalogue(entries);
  const std::string text = WriteCatalogueText(source);
  if (HostFileSystem().WriteNewFile(file, text) != TWriteResult::wrOk) {
    std::fprintf(stderr, "cannot write %s\n", file.c_str());
    return 2;
  }
  // The profile functions may pass over a file that is only just written.
  Sleep(2500);

  // Each run loads into a fresh catalogue; the catalogues are released after the timing.
  std::vector<Catalogue> ourRuns(ourRepetitions), profileRuns(profileRepetitions);
  int run = 0;
  const double ourMs = MedianMilliseconds(ourRepetitions, [&] {
    ourRuns[run].IniFileName = file;
    LoadCatalogue(ourRuns[run++], HostFileSystem(), HostLocale());
  });
  run = 0;
  const double profileMs =
      MedianMilliseconds(profileRepetitions, [&] { ProfileLoad(file, profileRuns[run++]); });
  const Catalogue& ours = ourRuns.back();
  const Catalogue& profile = profileRuns.back();
  HostFileSystem().RemoveFile(file);

  const bool same = Same(ours, profile) && ours.ProgramList.size() == source.ProgramList.size();
  std::printf("catalogue: %d entries, 12 keys each, %zu bytes\n", entries, text.size());
  std::printf("our LoadCatalogue:      median %10.3f ms of %d runs\n", ourMs, ourRepetitions);
  std::printf("profile-function load:  median %10.3f ms of %d runs\n", profileMs,
              profileRepetitions);
  std::printf("ratio: ours is %.0fx faster (target: at least 500x) %s\n", profileMs / ourMs,
              profileMs / ourMs >= 500 ? "met" : "NOT MET");
  std::printf("both loads give the same catalogue: %s\n", same ? "yes" : "NO");
  return same ? 0 : 1;
}
