// Planning 10,000 programs that each require another: the rules built from the catalogue, and
// the plan (requirements added, order, rows) made from all of them picked, or from the last
// one alone, which brings the whole chain.
#include <benchmark/benchmark.h>

#include "install/install_plan.h"
#include "install/program_rules.h"

namespace tallimo {
namespace {

constexpr size_t kPrograms = 10000;

TProgramList Chain() {
  TProgramList list;
  for (size_t i = 0; i < kPrograms; ++i) {
    auto entry = std::make_unique<TTallimoProg>();
    entry->Name = "Program " + std::to_string(i);
    entry->InstallLines = {"setup" + std::to_string(i) + ".exe /S"};
    // Every program but the first requires the one before it, named in another case.
    if (i > 0) entry->Requires = {"PROGRAM " + std::to_string(i - 1)};
    list.push_back(std::move(entry));
  }
  return list;
}

void BM_PlanWithRules(benchmark::State& state) {
  const TProgramList list = Chain();
  const bool all = state.range(0) != 0;
  std::vector<size_t> picked;
  if (all)
    for (size_t i = 0; i < kPrograms; ++i) picked.push_back(i);
  else
    picked.push_back(kPrograms - 1);
  for (auto _ : state) {
    const ProgramRules rules(list, SystemInfo{10, 0, 19045, TArch::arX64});
    InstallPlan plan = PlanInstall({list,
                                    picked,
                                    {TInstalledRule::irRun, nullptr, &rules, true},
                                    nullptr,
                                    nullptr,
                                    nullptr,
                                    nullptr,
                                    nullptr});
    if (plan.rows.size() != kPrograms) state.SkipWithError("not every program was planned");
    benchmark::DoNotOptimize(plan);
  }
}
BENCHMARK(BM_PlanWithRules)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallimo

BENCHMARK_MAIN();
