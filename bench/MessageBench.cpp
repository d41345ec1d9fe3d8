// Composing a long numbered message: what every failed file read pays once.
#include <benchmark/benchmark.h>

#include "core/base/ErrCode.h"

static void BM_ComposeErrorMessage(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(brisca::ComposeErrorMessage(48));
  }
}
BENCHMARK(BM_ComposeErrorMessage);
