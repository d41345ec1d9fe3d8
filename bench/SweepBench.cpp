// One full naturally aspirated sweep (29 speed points, 500 rpm warm-up included).
#include <benchmark/benchmark.h>

#include "core/sim/EngVexo.h"
#include "tests/support/SampleEngines.h"

namespace {

void RunSweeps(benchmark::State& state, const brisca::SimInputs& inputs) {
  brisca::SimResults results;
  for (auto _ : state) {
    brisca::EngVexo model(inputs, results);
    benchmark::DoNotOptimize(model.Run());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_SweepNA_SmallBlockV8(benchmark::State& state) {
  RunSweeps(state, brisca::samples::SmallBlockV8());
}
BENCHMARK(BM_SweepNA_SmallBlockV8)->Unit(benchmark::kMicrosecond);

void BM_SweepNA_FourCylinder(benchmark::State& state) {
  RunSweeps(state, brisca::samples::ShortStrokeFour());
}
BENCHMARK(BM_SweepNA_FourCylinder)->Unit(benchmark::kMicrosecond);

}  // namespace
