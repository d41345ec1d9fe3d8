#include "cli/IterateCommand.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/EngineLoader.h"
#include "core/base/ErrCode.h"
#include "core/document/PartCat.h"
#include "core/iterator/ProPresets.h"
#include "core/iterator/QuickPresets.h"
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

const char* const kCriterionNames[] = {"peak-torque", "torque-area", "peak-power", "power-area"};
const char* const kCriterionUnits[] = {"lb-ft", "lb-ft-rpm x 1000", "hp", "hp-rpm x 1000"};

bool SetupError(int line, const std::string& what) {
  std::fprintf(stderr, "setup line %d: %s\n", line, what.c_str());
  return false;
}

CPartTypeSpec ManifoldEntry(int item) {
  CPartTypeSpec spec("Manifold Type", 1, 19);
  std::string name = "Manifold " + std::to_string(item);
  for (const CatalogueRow& row :
       ComponentCatalogue::Instance().CategoryRows(CatalogueCategory::Manifolds)) {
    if (row.item == item) name = row.name;
  }
  spec.SetSelection(item, name);
  return spec;
}

//! Applies one numeric group statement to both phases; dual when a phase-2 pair is given.
void SetRanges(const CVexoDoc& doc, Iterator& p1, Iterator& p2, const std::vector<int>& slots,
               const std::vector<float>& v, bool absolute, bool& dual) {
  for (int slot : slots) {
    if (absolute) {
      p1.SetVariable(slot, (v[0] + v[1]) / 2.0f, (v[1] - v[0]) / 2.0f, v[2]);
      continue;
    }
    const float centre = Iterator::ValueOf(slot, doc);
    p1.SetVariable(slot, centre, v[0], v[1]);
    if (v.size() >= 4) {
      p2.SetVariable(slot, centre, v[2], v[3]);
      dual = true;
    }
  }
}

bool ReadSetup(const std::string& path, const CVexoDoc& doc, Iterator& p1, Iterator& p2,
               bool& dual) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "cannot open setup file %s\n", path.c_str());
    return false;
  }
  int code = 0;
  if (!ProDefaults(doc, p1, p2, code)) {
    ReportErrorCode(code);
    return false;
  }
  dual = false;
  bool forceSingle = false;
  std::string text;
  for (int lineNo = 1; std::getline(in, text); ++lineNo) {
    if (const auto hash = text.find('#'); hash != std::string::npos) text.erase(hash);
    std::istringstream line(text);
    std::string key;
    if (!(line >> key)) continue;
    if (key == "criterion") {
      std::string name;
      line >> name;
      int c = -1;
      for (int i = 0; i < 4; ++i) {
        if (name == kCriterionNames[i]) c = i;
      }
      if (c < 0) return SetupError(lineNo, "unknown criterion '" + name + "'");
      ProCriterionPreset(c, p1, p2);
      continue;
    }
    if (key == "manifolds") {
      p1.SetListVariable(kSlotManifold, 19);
      int item = 0;
      while (line >> item) {
        if (item < 1 || item > 19) return SetupError(lineNo, "manifold items are 1..19");
        p1.AddListEntry(kSlotManifold, ManifoldEntry(item));
      }
      p1.EnableGroup(SlotGroup::Manifold, true);
      continue;
    }
    if (key == "raise-induction-flow") {
      p1.SetRaiseInductionFlow(true);
      continue;
    }
    if (key == "displacement") {
      std::string which;
      line >> which;
      if (which != "bore" && which != "stroke") return SetupError(lineNo, "displacement bore|stroke");
      for (Iterator* it : {&p1, &p2}) it->SetConstantDisplacement(which == "bore", which == "stroke");
      continue;
    }
    if (key == "phases") {
      int n = 0;
      line >> n;
      if (n != 1 && n != 2) return SetupError(lineNo, "phases 1 or 2");
      forceSingle = n == 1;
      continue;
    }
    std::vector<float> v;
    for (float x = 0; line >> x;) v.push_back(x);
    if (key == "speed") {
      if (v.size() != 2 || !p1.SetSpeedRange(v[0], v[1]) || !p2.SetSpeedRange(v[0], v[1])) {
        return SetupError(lineNo, "speed LOW HIGH within 1000..14500, LOW < HIGH");
      }
      continue;
    }
    const bool absolute = key.size() > 6 && key.ends_with("-range");
    const std::string group = absolute ? key.substr(0, key.size() - 6) : key;
    std::vector<int> slots;
    SlotGroup slotGroup = SlotGroup::BoreStroke;
    if (group == "cam") {
      slots = {kSlotLowIvo, kSlotLowIvc, kSlotLowEvo, kSlotLowEvc};
      slotGroup = SlotGroup::LowSpeedCam;
    } else if (group == "cam-high" || group == "activation") {
      if (!doc.Engine().camshaft.variableValveTiming) {
        return SetupError(lineNo, "'" + key + "' needs a two-lobe cam");
      }
      slots = group == "cam-high" ? std::vector<int>{kSlotHighIvo, kSlotHighIvc, kSlotHighEvo, kSlotHighEvc}
                                  : std::vector<int>{kSlotActivationRpm};
      slotGroup = SlotGroup::HighSpeedCam;
      if (group == "activation" && !absolute) {
        // Tolerances only: the step is fixed at 500 rpm.
        std::vector<float> withSteps{v.empty() ? 0.0f : v[0], kActivationRpmStep};
        if (v.size() >= 2) withSteps.insert(withSteps.end(), {v[1], kActivationRpmStep});
        v = withSteps;
      }
    } else if (group == "bore") {
      slots = {kSlotBore};
    } else if (group == "stroke") {
      slots = {kSlotStroke};
    } else {
      return SetupError(lineNo, "unknown statement '" + key + "'");
    }
    if (absolute ? v.size() != 3 : (v.size() != 2 && v.size() != 4)) {
      return SetupError(lineNo, absolute ? "expected MIN MAX STEP" : "expected TOL STEP [TOL2 STEP2]");
    }
    bool groupDual = false;
    SetRanges(doc, p1, p2, slots, v, absolute, groupDual);
    p1.EnableGroup(slotGroup, true);
    if (groupDual) {
      p2.EnableGroup(slotGroup, true);
      dual = true;
    }
  }
  if (forceSingle) dual = false;
  return true;
}

std::string FormatDuration(double seconds) {
  const long s = static_cast<long>(seconds + 0.5);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", s / 3600, (s / 60) % 60, s % 60);
  return buf;
}

void PrintResults(const Iterator& it, const std::vector<int>& printSlots) {
  const char* unit = kCriterionUnits[it.GetCriterion()];
  std::printf("Baseline score: %.1f %s\n", it.BaselineScore(), unit);
  std::printf("%-4s %-6s %-22s", "Rank", "Test", "Score");
  for (int slot : printSlots) std::printf(" %10s", (std::string("slot ") + std::to_string(slot)).c_str());
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
    for (int s : printSlots) {
      if (s == kSlotManifold) {
        std::printf(" %10d", r.engine->Engine().manifoldType.GetValue());
      } else {
        std::printf(" %10.3f", Iterator::ValueOf(s, *r.engine));
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
  } else if (!ReadSetup(options.setup, doc, phase1, phase2, dual)) {
    return kExitEngineError;
  }
  phase1.Prepare();

  // Slots to show: whatever either phase varies.
  std::vector<int> printSlots = phase1.ActiveSlots();

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
  PrintResults(results, printSlots);

  if (!options.out.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(options.out, ec);
    std::string title = doc.GetTitle();
    if (const auto dot = title.find('.'); dot != std::string::npos) title.erase(dot);
    for (int i = 0; i < results.KeptCount(); ++i) {
      CVexoDoc kept(nullptr);
      kept.CopyFrom(*results.Result(i).engine);
      const std::string name = "Best" + std::to_string(i + 1) + "-" + title;
      kept.SetTitle(name);
      if (!kept.WriteEngineFile(std::filesystem::path(options.out) / (name + ".qen"))) {
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
