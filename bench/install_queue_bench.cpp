// The install queue's overhead per program: 200 queued programs, each ended at once by the fake
// process runner, so that what is measured is the queue's own work between one installer's
// end and the next one's start (result, log lines, the next command, the batch file written
// and deleted), over files in memory.
#include <benchmark/benchmark.h>

#include <chrono>

#include "fakes/event_log.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_log_files.h"
#include "fakes/fake_process_runner.h"
#include "fakes/fake_shell.h"
#include "fakes/fixed_clock.h"
#include "fakes/scripted_random.h"
#include "install/install_queue.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/log_file.h"

namespace tallimo {
namespace {

constexpr int kPrograms = 200;

void BM_QueuePerProgram(benchmark::State& state) {
  const bool batch = state.range(0) != 0;
  testing::EventLog events;
  testing::FakeEnvironment environment;
  environment.values["TEMP"] = "C:\\TEMP";
  environment.values["COMSPEC"] = "C:\\WINDOWS\\cmd.exe";
  testing::FakeFileSystem files(events);
  files.folders.insert("C:\\TEMP");
  TimeSeededRandom random;
  std::vector<QueuedProgram> programs;
  for (int i = 0; i < kPrograms; ++i)
    programs.push_back({"Program " + std::to_string(i),
                        batch,
                        {"setup" + std::to_string(i) + ".exe /S", "readme.txt"},
                        {}});
  double seconds = 0;
  for (auto _ : state) {
    testing::FakeProcessRunner runner;
    testing::FakeLogFiles logFiles;
    events.clear();
    InstallQueue queue({runner, files, environment, random, HostClock(), logFiles, HostLocale()},
                       programs, "D:\\DISC.INI");
    auto start = std::chrono::steady_clock::now();
    queue.Begin();
    while (runner.Waiting()) runner.End(0, 1000);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!queue.Ended() || queue.LogFailed()) state.SkipWithError("the queue did not end cleanly");
  }
  state.counters["us_per_program"] =
      benchmark::Counter(seconds * 1e6 / (static_cast<double>(state.iterations()) * kPrograms));
  state.SetItemsProcessed(state.iterations() * kPrograms);
}
BENCHMARK(BM_QueuePerProgram)->Arg(0)->Arg(1)->ArgName("batch")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallimo

BENCHMARK_MAIN();
