// The full input check of a data set (both stages, every menu list of the family): the goal is under 2 ms.
#include <vector>

#include <benchmark/benchmark.h>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/input_check.h"

namespace {

void BM_InputCheck(benchmark::State& state) {
  model::InitDataSet(0);
  const double family = static_cast<double>(state.range(0));
  model::WriteElement(304, 0, &family, model::kModeWriteUnchecked, 0);
  std::vector<char> report(model::kInputCheckReportSize);
  std::uint16_t count = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(model::CheckParameterSet(0, &count, report.data(), model::kInputCheckReportSize));
  }
}
BENCHMARK(BM_InputCheck)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
