// Saving and opening a full project (1452 lines): the goal is well under a millisecond each way.
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"

namespace {

std::string BenchPath() {
  return (std::filesystem::temp_directory_path() / ("zpr-bench-" + std::to_string(getpid()) + ".ZPR")).string();
}

void PrepareProject() {
  model::InitDataSet(0);
  model::InitDataSet(1);
  const std::uint8_t layout[2] = {model::kCurrentLayoutLetter, 22};
  model::WriteRecord(4, layout, model::kModeRaw, 0);
}

void BM_SaveProject(benchmark::State& state) {
  PrepareProject();
  const std::string path = BenchPath();
  for (auto _ : state) {
    benchmark::DoNotOptimize(model::ProjectFileAccess(model::kProjectWriteProject, 0, path.c_str()));
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMicrosecond);

void BM_OpenAndReadProject(benchmark::State& state) {
  PrepareProject();
  const std::string path = BenchPath();
  model::ProjectFileAccess(model::kProjectWriteProject, 0, path.c_str());
  for (auto _ : state) {
    model::ProjectFileAccess(model::kProjectOpen, 1, path.c_str());
    benchmark::DoNotOptimize(model::ProjectFileAccess(model::kProjectReadProject, 1, path.c_str()));
  }
  model::ProjectFileAccess(model::kProjectClose, 1, path.c_str());
  std::filesystem::remove(path);
}
BENCHMARK(BM_OpenAndReadProject)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
