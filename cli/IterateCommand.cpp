#include "cli/IterateCommand.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "cli/EngineLoader.h"
#include "core/base/ErrCode.h"
#include "core/iterator/IterateSetup.h"
#include "core/iterator/QuickPresets.h"
#include "core/iterator/ResultDocument.h"
#include "core/iterator/TwoPhaseSeries.h"

namespace brisca::cli {
namespace {

struct IterateOptions {
  std::string engine;
  std::string preset;
  std::string setup;
  std::string out;
  std::string dataDir;
  int threads = 0;
};

const char* const kCriterionUnits[] = {"lb-ft", "lb-ft-rpm x 1000", "hp", "hp-rpm x 1000"};

bool ReadSetupFile(const std::string& path, const CVexoDoc& doc, Iterator& p1, Iterator& p2,
                   bool& dual) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "cannot open setup file %s\n", path.c_str());
    return false;
  }
  IterateSetup setup;
  IterateSetupError error;
  if (!ReadIterateSetup(in, doc, p1, p2, setup, error)) {
    if (error.line == 0) {
      ReportErrorCode(error.code);
    } else {
      std::fprintf(stderr, "setup line %d: %s\n", error.line, error.message.c_str());
    }
    return false;
  }
  dual = setup.dualPhase;
  return true;
}

//! The slots either phase varied, with a derived bore or stroke, in slot order.
std::vector<int> ShownSlots(const Iterator& phase1, const Iterator& phase2, bool dual) {
  std::vector<int> slots = phase1.ActiveSlots();
  if (dual) slots.insert(slots.end(), phase2.ActiveSlots().begin(), phase2.ActiveSlots().end());
  if (phase1.BoreDerived()) slots.push_back(kSlotBore);
  if (phase1.StrokeDerived()) slots.push_back(kSlotStroke);
  std::sort(slots.begin(), slots.end());
  slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
  return slots;
}

//! "Bore [in]", "IVO [Deg]", "Manifold Type": one column header.
std::string ColumnHeader(int slot, const CVexoDoc& engine) {
  std::string header = Iterator::SlotName(slot);
  if (slot != kSlotManifold) header += " [" + Iterator::SlotUnit(slot, engine) + "]";
  return header;
}

std::string FormatDuration(double seconds) {
  const long s = static_cast<long>(seconds + 0.5);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", s / 3600, (s / 60) % 60, s % 60);
  return buf;
}

void PrintResults(const Iterator& it, const CVexoDoc& engine, const std::vector<int>& printSlots) {
  const char* unit = kCriterionUnits[it.GetCriterion()];
  std::printf("Baseline score: %.1f %s\n", it.BaselineScore(), unit);
  std::printf("%-4s %-6s %-22s", "Rank", "Test", "Score");
  std::vector<int> widths;
  for (int slot : printSlots) {
    const std::string header = ColumnHeader(slot, engine);
    widths.push_back(std::max<int>(10, static_cast<int>(header.size())));
    std::printf(" %*s", widths.back(), header.c_str());
  }
  std::printf("\n");
  std::vector<int> order;
  for (int i = 0; i < it.KeptCount(); ++i) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return it.Result(a).score > it.Result(b).score;
  });
  int rank = 0;
  for (int slot : order) {
    const ResultSlot& r = it.Result(slot);
    char score[64];
    std::snprintf(score, sizeof score, "%.1f %s", r.score, unit);
    std::printf("%-4d %-6d %-22s", ++rank, r.testNumber, score);
    for (std::size_t c = 0; c < printSlots.size(); ++c) {
      const int s = printSlots[c];
      if (s == kSlotManifold) {
        std::printf(" %*d", widths[c], r.engine->Engine().manifoldType.GetValue());
      } else {
        std::printf(" %*.3f", widths[c], Iterator::ValueOf(s, *r.engine));
      }
    }
    std::printf("\n");
  }
}

int Run(const IterateOptions& options) {
  if (options.preset.empty() == options.setup.empty()) {
    std::fprintf(stderr, "iterate: give exactly one of --preset and --setup\n");
    return kExitUsage;
  }
  const std::unique_ptr<EngineSession> session =
      OpenEngine(options.engine, options.dataDir, OpenRun::Always);
  if (!session) return kExitEngineError;
  CVexoDoc& doc = session->doc;

  Iterator phase1, phase2;
  bool dual = true;
  int code = 0;
  if (!options.preset.empty()) {
    const QuickPreset preset = options.preset == "cam-hp"           ? QuickPreset::CamPower
                               : options.preset == "cam-torque"     ? QuickPreset::CamTorque
                               : options.preset == "bore-stroke-hp" ? QuickPreset::BoreStrokePower
                                                                    : QuickPreset::BoreStrokeTorque;
    if (!ApplyQuickPreset(doc, preset, phase1, phase2, code)) {
      ReportErrorCode(code);
      return kExitEngineError;
    }
  } else if (!ReadSetupFile(options.setup, doc, phase1, phase2, dual)) {
    return kExitEngineError;
  }
  phase1.Prepare();

  const bool terminal = isatty(fileno(stderr)) != 0;
  const auto start = std::chrono::steady_clock::now();
  auto lastLine = start;
  TwoPhaseSeries series(phase1, phase2, dual, options.threads);
  const bool ok = series.Run(code, [&](const TwoPhaseSeries::Progress& p) {
    const auto now = std::chrono::steady_clock::now();
    const double elapsed = std::chrono::duration<double>(now - start).count();
    const bool last = p.done == p.total;
    if (!terminal && !last && now - lastLine < std::chrono::seconds(5)) return;
    if (terminal && !last && now - lastLine < std::chrono::milliseconds(100)) return;
    lastLine = now;
    const double rate = elapsed > 0 ? static_cast<double>(p.done) / elapsed : 0.0;
    const double left = rate > 0 ? static_cast<double>(p.total - p.done) / rate : 0.0;
    if (terminal) {
      const int width = 30;
      const int filled = p.total > 0 ? static_cast<int>(width * p.done / p.total) : 0;
      std::fprintf(stderr, "\rphase %d [%s%s] %lld/%lld  %.1f tests/s  %s left ", p.phase,
                   std::string(filled, '#').c_str(), std::string(width - filled, '.').c_str(),
                   static_cast<long long>(p.done), static_cast<long long>(p.total), rate,
                   FormatDuration(left).c_str());
      if (last) std::fputc('\n', stderr);
    } else {
      std::fprintf(stderr, "phase %d: %lld/%lld tests, %.1f tests/s, %s left\n", p.phase,
                   static_cast<long long>(p.done), static_cast<long long>(p.total), rate,
                   FormatDuration(left).c_str());
    }
  });
  if (!ok) {
    ReportErrorCode(code);
    return kExitEngineError;
  }
  const int failed = phase1.FailedTests() + (series.CurrentPhase() == 2 ? phase2.FailedTests() : 0);
  if (failed > 0) {
    const int first = phase1.FailedTests() > 0 ? phase1.FirstFailureCode() : phase2.FirstFailureCode();
    std::fprintf(stderr, "%d tests failed: first failure code %d\n", failed, first);
  }

  const Iterator& results = series.ResultPhase();
  PrintResults(results, doc, ShownSlots(phase1, phase2, series.CurrentPhase() == 2));

  if (!options.out.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(options.out, ec);
    for (int i = 0; i < results.KeptCount(); ++i) {
      // Written as a new document receives it: what was scored, not recomputed.
      CVexoDoc kept(nullptr);
      ReceiveKeptResult(results, i, kept);
      if (!kept.WriteEngineFile(std::filesystem::path(options.out) / (kept.GetTitle() + ".qen"))) {
        return kExitEngineError;
      }
    }
    std::printf("%d engines written to %s\n", results.KeptCount(), options.out.c_str());
  }
  return kExitOk;
}

}  // namespace

void AddIterateCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<IterateOptions>();
  CLI::App* command =
      app.add_subcommand("iterate", "Run a test series on an engine and keep the ten best variants");
  command->add_option("engine", options->engine, "Engine file (.qen)")->required();
  command->add_option("--preset", options->preset, "Two-phase search")
      ->check(CLI::IsMember({"cam-hp", "cam-torque", "bore-stroke-hp", "bore-stroke-torque"}));
  command->add_option("--setup", options->setup, "Series described in a setup file");
  command->add_option("--threads", options->threads, "Worker threads (default: all)")
      ->check(CLI::Range(1, 256));
  command->add_option("--out", options->out, "Write the kept engines into DIR");
  AddDataDirOption(*command, options->dataDir);
  command->callback([options, &status] { status = Run(*options); });
}

}  // namespace brisca::cli
