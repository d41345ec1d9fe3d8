#include "cli/KeptResults.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/iterator/ResultDocument.h"

namespace brisca::cli {
namespace {

const char* const kCriterionUnits[] = {"lb-ft", "lb-ft-rpm x 1000", "hp", "hp-rpm x 1000"};

//! "Bore [in]", "IVO [Deg]", "Manifold Type": one column header.
std::string ColumnHeader(int slot, const CVexoDoc& engine) {
  std::string header = Iterator::SlotName(slot);
  if (slot != kSlotManifold) header += " [" + Iterator::SlotUnit(slot, engine) + "]";
  return header;
}

}  // namespace

//! The slots either phase varied, with a derived bore or stroke, in slot order.
std::vector<int> ShownSlots(const Iterator& phase1, const Iterator& phase2, bool phase2Ran) {
  std::vector<int> slots = phase1.ActiveSlots();
  if (phase2Ran)
    slots.insert(slots.end(), phase2.ActiveSlots().begin(), phase2.ActiveSlots().end());
  if (phase1.BoreDerived()) slots.push_back(kSlotBore);
  if (phase1.StrokeDerived()) slots.push_back(kSlotStroke);
  std::sort(slots.begin(), slots.end());
  slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
  return slots;
}

void PrintKeptResults(const Iterator& it, const CVexoDoc& engine,
                      const std::vector<int>& printSlots) {
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
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return it.Result(a).score > it.Result(b).score; });
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

bool WriteKeptEngines(const Iterator& results, const std::string& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  for (int i = 0; i < results.KeptCount(); ++i) {
    // Written as a new document receives it: what was scored, not recomputed.
    CVexoDoc kept(nullptr);
    ReceiveKeptResult(results, i, kept);
    if (!kept.WriteEngineFile(std::filesystem::path(dir) / (kept.GetTitle() + ".qen")))
      return false;
  }
  std::printf("%d engines written to %s\n", results.KeptCount(), dir.c_str());
  return true;
}

void PrintFailures(int failures, int firstCode) {
  if (failures > 0)
    std::fprintf(stderr, "%d tests failed: first failure code %d\n", failures, firstCode);
}

}  // namespace brisca::cli
