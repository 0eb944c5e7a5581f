// tallimo-cat scan on a disc of 2,000 files in 20 folders: 200 installers of 40 MB each (8 GB,
// sparse), that is 80 NSIS setups, 40 packages, 40 Inno setups and 40 programs of no known type
// (read up to their end, as an unknown program is), and 1,800 other files. The scan writes a
// new catalogue each time. The disc is laid out once, under the system's temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tallimo_cat/disc_scan.h"
#include "tests/fakes/pe_file.h"

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kInstallerSize = (8ull << 30) / 200;

void Sparse(const fs::path& path, const std::string& head) {
  std::ofstream(path, std::ios::binary) << head;
  fs::resize_file(path, kInstallerSize);
}

std::string WithAt(std::string bytes, size_t at, const std::string& part) {
  if (bytes.size() < at + part.size()) bytes.resize(at + part.size(), '\0');
  bytes.replace(at, part.size(), part);
  return bytes;
}

const fs::path& Disc() {
  static const fs::path disc = [] {
    const fs::path root = fs::temp_directory_path() / "tallimo-scan-bench";
    fs::remove_all(root);
    std::ifstream msiFile(TALLIMO_TEST_INSTALLERS "/viewer.msi", std::ios::binary);
    std::ostringstream msi;
    msi << msiFile.rdbuf();
    const std::map<std::string, std::string> version = {{"ProductName", "Bench Program"},
                                                        {"ProductVersion", "1.0"}};
    const std::string program = tallimo::testing::PeFile{{".text"}, version, ""}.Bytes();
    const std::string nsis = WithAt(program, 0x10000,
                                    std::string("\xEF\xBE\xAD\xDE"
                                                "NullsoftInst",
                                                16));
    const std::string inno = WithAt(program, 0x20000, "Inno Setup Setup Data (6.2.0)");
    for (int f = 0; f < 20; ++f) {
      const fs::path folder = root / ("FOLDER" + std::to_string(f));
      fs::create_directories(folder);
      for (int i = 0; i < 10; ++i) {
        const int n = f * 10 + i;
        const std::string name = "SETUP" + std::to_string(n);
        if (i < 4)
          Sparse(folder / (name + ".exe"), nsis);
        else if (i < 6)
          Sparse(folder / (name + ".msi"), msi.str());
        else if (i < 8)
          Sparse(folder / (name + ".exe"), inno);
        else  // a folder of its own, where no setup makes it a helper
          fs::create_directories(folder / name), Sparse(folder / name / "tool.exe", program);
      }
      for (int i = 0; i < 90; ++i)
        std::ofstream(folder / ("README" + std::to_string(i) + ".TXT")) << "text\n";
    }
    return root;
  }();
  return disc;
}

void BM_ScanDisc(benchmark::State& state) {
  const std::string disc = Disc().string();
  const std::string catalogue = disc + "/TALLIMO.INI";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(catalogue);
    state.ResumeTiming();
    std::ostringstream out, err;
    const int code = tallimo::RunScan(disc, catalogue, out, err, tallimo::HostFileSystem(),
                                      tallimo::HostLocale(), tallimo::HostClock(),
                                      tallimo::HostDiscFiles(), tallimo::HostInstallerDatabase());
    if (code != 0) state.SkipWithError(err.str().c_str());
    benchmark::DoNotOptimize(out.str());
  }
  state.counters["installers"] = 200;
  state.counters["GB"] = 8;
}
BENCHMARK(BM_ScanDisc)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
