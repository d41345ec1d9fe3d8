// A cam-timing series on the stock small-block V8 (IVO × IVC, 7 × 7 = 49
// tests) run by the parallel runner on 1 and 2 threads; the counter
// "tests_per_s" gives the throughput. BM_IteratorTestOverhead measures what a
// test costs besides its sweeps: copying the baseline, applying the values,
// validating, scoring and copying a kept engine.
#include <benchmark/benchmark.h>

#include "core/iterator/IteratorRunner.h"
#include "tests/support/SampleDocuments.h"

namespace {

using namespace brisca;

struct CamSeries {
  CVexoDoc doc{nullptr};
  Iterator iterator;

  CamSeries() {
    samples::BuildSmallBlockV8(doc);
    doc.RunSimulation(false, false);
    int code = 0;
    iterator.SetUp(doc, code);
    iterator.EnableGroup(SlotGroup::Manifold, false);
    for (int slot : {kSlotLowIvo, kSlotLowIvc}) {
      iterator.SetVariable(slot, Iterator::ValueOf(slot, doc), 12.0f, 4.0f);
    }
  }
};

void BM_IteratorCamSeries(benchmark::State& state) {
  CamSeries series;
  const int threads = static_cast<int>(state.range(0));
  std::int64_t tests = 0;
  for (auto _ : state) {
    series.iterator.Prepare();
    IteratorRunner(series.iterator, threads).Run();
    tests += series.iterator.TestsDone();
  }
  state.counters["tests_per_s"] =
      benchmark::Counter(static_cast<double>(tests), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_IteratorCamSeries)->Arg(1)->Arg(2)->ArgName("threads")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IteratorTestOverhead(benchmark::State& state) {
  CamSeries series;
  series.iterator.Prepare();
  CVexoDoc work(nullptr);
  TestPoint point;
  series.iterator.NextTest(point);
  int code = 0;
  for (auto _ : state) {
    work.CopyFrom(series.doc);
    series.iterator.Apply(work, point);
    benchmark::DoNotOptimize(work.Validate(code));
    benchmark::DoNotOptimize(series.iterator.Score(series.doc));
    EngineParameters kept(work.Engine());
    benchmark::DoNotOptimize(&kept);
  }
}
BENCHMARK(BM_IteratorTestOverhead)->Unit(benchmark::kMicrosecond);

}  // namespace
