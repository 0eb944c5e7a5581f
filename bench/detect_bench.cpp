// Detection of 1,000 entries whose Detect paths lie on one share that never answers, and of the
// same entries spread over three such shares: each question to a dead share waits the probe's
// whole limit (2 s), as the system's probe does, and a server given up is not asked again.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>

#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"
#include "install/detect.h"
#include "platform/probe_files.h"

namespace tallimo {
namespace {

class DeadShares : public testing::FakeFileSystem {
 public:
  TFileKind KindOf(const std::string& path) override {
    if (path.rfind("\\\\dead", 0) != 0) return FakeFileSystem::KindOf(path);
    std::this_thread::sleep_for(std::chrono::milliseconds(kProbeLimitMilliseconds));
    return TFileKind::fkNoAnswer;
  }
};

void BM_DetectOnDeadShares(benchmark::State& state) {
  const int shares = static_cast<int>(state.range(0));
  TProgramList list;
  for (int i = 0; i < 1000; ++i) {
    list.push_back(std::make_unique<TTallimoProg>());
    list.back()->Detect =
        "\\\\dead" + std::to_string(i % shares) + "\\apps\\p" + std::to_string(i) + "\\setup.exe";
  }
  testing::FakeRegistry registry;
  testing::FakeEnvironment environment;
  DeadShares dead;
  for (auto _ : state) {
    GivingUpFiles files(dead);  // a new run: nothing given up yet
    benchmark::DoNotOptimize(DetectInstalled(list, {files, registry, environment}));
  }
}
BENCHMARK(BM_DetectOnDeadShares)
    ->Arg(1)
    ->Arg(3)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallimo

BENCHMARK_MAIN();
