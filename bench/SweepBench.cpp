// One full naturally aspirated sweep (29 speed points, 500 rpm warm-up included),
// alone and two at a time with their crank loops interleaved in one thread (the
// time per iteration is that of both: items count sweeps).
#include <benchmark/benchmark.h>

#include <array>

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

void RunSweepsTogether(benchmark::State& state, const brisca::SimInputs& first,
                       const brisca::SimInputs& second) {
  std::array<brisca::SimResults, 2> results;
  std::array<int, 2> ok{};
  for (auto _ : state) {
    brisca::EngVexo a(first, results[0]);
    brisca::EngVexo b(second, results[1]);
    std::array<brisca::EngVexo*, 2> models{&a, &b};
    brisca::EngVexo::RunTogether(models, ok);
    benchmark::DoNotOptimize(ok);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(2 * state.iterations());
}

void BM_SweepNA_SmallBlockV8_Interleaved(benchmark::State& state) {
  // Two tests of a cam series: the same engine with the intake opening moved.
  brisca::SimInputs later = brisca::samples::SmallBlockV8();
  later.nominalIvo -= 4.0f;
  RunSweepsTogether(state, brisca::samples::SmallBlockV8(), later);
}
BENCHMARK(BM_SweepNA_SmallBlockV8_Interleaved)->Unit(benchmark::kMicrosecond);

}  // namespace
