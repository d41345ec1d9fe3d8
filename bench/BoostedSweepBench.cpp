// One full boosted run: the naturally aspirated pass, then the boosted pass
// through the compressor (29 speed points each, 500 rpm warm-up included).
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>

#include "core/document/CompressorMapFile.h"
#include "core/sim/EngVexo.h"
#include "tests/support/SampleEngines.h"

namespace {

const std::filesystem::path kMapFolder =
    std::filesystem::path(BRISCA_SOURCE_DATA_DIR) / "Manuals & Videos" / "Maps";

void RunBoostedSweeps(benchmark::State& state, const brisca::SimInputs& inputs) {
  brisca::SimResults results;
  // The run's owner reads the map once; the passes only use it.
  const brisca::CompressorMapSupply maps =
      inputs.compressorMap == 0
          ? brisca::CompressorMapSupply{}
          : brisca::LoadCompressorMap(brisca::CompressorMapPath(kMapFolder, inputs.compressorMap));
  {
    brisca::EngVexo check(inputs, results, maps);
    if (check.Run() != 1) {
      state.SkipWithError("the boosted run failed (compressor map missing?)");
      return;
    }
  }
  for (auto _ : state) {
    brisca::EngVexo model(inputs, results, maps);
    benchmark::DoNotOptimize(model.Run());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_SweepTurbo_FourCylinder(benchmark::State& state) {
  RunBoostedSweeps(state, brisca::samples::TurboFour());
}
BENCHMARK(BM_SweepTurbo_FourCylinder)->Unit(benchmark::kMicrosecond);

void BM_SweepRoots_SmallBlockV8(benchmark::State& state) {
  RunBoostedSweeps(state, brisca::samples::RootsSmallBlockV8());
}
BENCHMARK(BM_SweepRoots_SmallBlockV8)->Unit(benchmark::kMicrosecond);

// Two boosted runs in one thread with their crank loops interleaved (items count runs).
void BM_SweepTurbo_FourCylinder_Interleaved(benchmark::State& state) {
  const brisca::SimInputs first = brisca::samples::TurboFour();
  brisca::SimInputs second = first;
  second.nominalIvo -= 4.0f;
  const brisca::CompressorMapSupply maps =
      brisca::LoadCompressorMap(brisca::CompressorMapPath(kMapFolder, first.compressorMap));
  std::array<brisca::SimResults, 2> results;
  std::array<int, 2> ok{};
  for (auto _ : state) {
    brisca::EngVexo a(first, results[0], maps);
    brisca::EngVexo b(second, results[1], maps);
    std::array<brisca::EngVexo*, 2> models{&a, &b};
    brisca::EngVexo::RunTogether(models, ok);
    if (ok[0] != 1 || ok[1] != 1) {
      state.SkipWithError("the boosted run failed (compressor map missing?)");
      return;
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_SweepTurbo_FourCylinder_Interleaved)->Unit(benchmark::kMicrosecond);

}  // namespace
