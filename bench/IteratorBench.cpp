// A cam-timing series on the stock small-block V8 (IVO × IVC, 7 × 7 = 49
// tests) run by the parallel runner on 1 and 2 threads; the counter
// "tests_per_s" gives the throughput; "tests_per_cpu_s" the same per second of
// the process's CPU time, which a busy machine leaves readable (two threads
// scale as well as one when it stays put). BM_IteratorTestOverhead measures what a
// test costs besides its sweeps: copying the baseline, applying the values,
// validating, scoring and copying a kept engine.
#include <benchmark/benchmark.h>

#include <ctime>

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

double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void BM_IteratorCamSeries(benchmark::State& state) {
  CamSeries series;
  const int threads = static_cast<int>(state.range(0));
  std::int64_t tests = 0;
  double cpu = 0.0;
  for (auto _ : state) {
    series.iterator.Prepare();
    const double start = ProcessCpuSeconds();
    IteratorRunner(series.iterator, threads).Run();
    cpu += ProcessCpuSeconds() - start;
    tests += series.iterator.TestsDone();
  }
  state.counters["tests_per_s"] =
      benchmark::Counter(static_cast<double>(tests), benchmark::Counter::kIsRate);
  state.counters["tests_per_cpu_s"] = static_cast<double>(tests) / cpu;
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
