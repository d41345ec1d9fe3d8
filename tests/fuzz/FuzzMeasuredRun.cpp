// Measured-run reader: a dyno export's text.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/base/FileError.h"
#include "core/results/MeasuredDeviation.h"
#include "core/results/MeasuredRun.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace brisca;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InstallQuietPresenter();
  MeasuredRun run;
  try {
    run = ParseMeasuredRun(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.csv");
  } catch (const FileError& error) {
    if (error.code() != 370) std::abort();
    return 0;
  }
  // A run that was read holds finite points in ascending speed, is written
  // back as a file of its own and compares with a curve without a fault.
  if (run.points.empty()) std::abort();
  for (std::size_t i = 0; i < run.points.size(); ++i) {
    const MeasuredPoint& p = run.points[i];
    if (!std::isfinite(p.rpm) || !std::isfinite(p.power) || !std::isfinite(p.torque) ||
        !std::isfinite(p.manifoldPressure) || p.rpm <= 0.0)
      std::abort();
    if (i > 0 && run.points[i - 1].rpm > p.rpm) std::abort();
  }
  try {
    ParseMeasuredRun(MeasuredRunText(run), "again.csv");
  } catch (...) {
    std::abort();
  }
  ResultSet curve;
  curve.count = 2;
  curve.rpm[0] = 1000;
  curve.rpm[1] = 8000;
  curve.power[1] = 500;
  curve.torque[0] = curve.torque[1] = 300;
  CompareMeasured(curve, run, TestConditions{});
  return 0;
}
