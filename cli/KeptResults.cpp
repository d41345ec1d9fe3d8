#include "cli/KeptResults.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "core/base/ErrCode.h"
#include "core/document/VexoDoc.h"
#include "core/sim/induction/CompressorMap.h"
#include "core/iterator/SeriesFailures.h"

namespace brisca::cli {
namespace {

const char* const kCriterionUnits[] = {"lb-ft", "lb-ft-rpm x 1000", "hp", "hp-rpm x 1000"};

//! "Bore [in]", "IVO [Deg]", "Manifold Type": one column header.
std::string ColumnHeader(int slot, const CVexoDoc& engine) {
  std::string header = Iterator::SlotName(slot);
  if (slot != kSlotManifold) header += " [" + Iterator::SlotUnit(slot, engine) + "]";
  return header;
}

std::string Format(const char* format, float value, const char* unit = "") {
  char text[96];
  std::snprintf(text, sizeof text, format, value, unit);
  return text;
}

//! The score as the table shows it; the file's too where the two differ by
//! more than the table's last digit.
std::string ScoreText(float kept, const KeptEngineFile* file, const char* unit) {
  std::string text = Format("%.1f %s", kept, unit);
  if (!file) return text;
  if (!file->ran) return text + " (file: run failed)";
  if (std::abs(file->score - kept) > 0.1f) text += Format(" (file: %.1f)", file->score);
  return text;
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

std::vector<int> RankOrder(const Iterator& it) {
  std::vector<int> order;
  for (int i = 0; i < it.KeptCount(); ++i) order.push_back(i);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return it.Result(a).score > it.Result(b).score; });
  return order;
}

void PrintKeptResults(const Iterator& it, const CVexoDoc& engine, const std::vector<int>& printSlots,
                      const Iterator* phase2Start, const std::vector<KeptEngineFile>& files) {
  const char* unit = kCriterionUnits[it.GetCriterion()];
  // The gain is told over the engine the user gave, whichever phase kept the results.
  const float baseline = it.Score(engine);
  std::printf("Baseline score: %.1f %s\n", baseline, unit);
  if (phase2Start) {
    std::printf("Phase 2 start score: %.1f %s (phase 1's best)\n", phase2Start->BaselineScore(), unit);
  }
  const std::vector<int> order = RankOrder(it);
  const bool withFiles = files.size() == order.size() && !files.empty();
  std::vector<std::string> scores;
  int scoreWidth = 22;
  for (std::size_t rank = 0; rank < order.size(); ++rank) {
    scores.push_back(ScoreText(it.Result(order[rank]).score, withFiles ? &files[rank] : nullptr, unit));
    scoreWidth = std::max(scoreWidth, static_cast<int>(scores.back().size()));
  }
  std::printf("%-4s %-6s %-*s %-8s", "Rank", "Test", scoreWidth, "Score", "Gain");
  std::vector<int> widths;
  for (int slot : printSlots) {
    const std::string header = ColumnHeader(slot, engine);
    widths.push_back(std::max<int>(10, static_cast<int>(header.size())));
    std::printf(" %*s", widths.back(), header.c_str());
  }
  if (withFiles) std::printf("  %s", "File");
  std::printf("\n");
  for (std::size_t rank = 0; rank < order.size(); ++rank) {
    const ResultSlot& r = it.Result(order[rank]);
    std::printf("%-4d %-6d %-*s %-8s", static_cast<int>(rank + 1), r.testNumber, scoreWidth,
                scores[rank].c_str(), Format("%+.1f", r.score - baseline).c_str());
    for (std::size_t c = 0; c < printSlots.size(); ++c) {
      const int s = printSlots[c];
      if (s == kSlotManifold) {
        std::printf(" %*d", widths[c], r.engine->Engine().manifoldType.GetValue());
      } else {
        std::printf(" %*.3f", widths[c], Iterator::ValueOf(s, *r.engine));
      }
    }
    if (withFiles) std::printf("  %s", files[rank].name.c_str());
    std::printf("\n");
  }
}

bool WriteKeptEngines(const Iterator& results, const CVexoDoc& engine, const std::string& dir,
                      std::vector<KeptEngineFile>& files) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  const CompressorMapSupply maps = engine.ReadCompressorMap();
  const std::vector<int> order = RankOrder(results);
  files.assign(order.size(), KeptEngineFile{});
  for (std::size_t rank = 0; rank < order.size(); ++rank) {
    if (!WriteKeptEngineFile(results, order[rank], static_cast<int>(rank), maps, dir, files[rank])) return false;
  }
  return true;
}

void KeptResultsJson(const Iterator& it, const CVexoDoc& engine, const std::vector<int>& slots,
                     const Iterator* phase2Start, const std::vector<KeptEngineFile>& files,
                     json::Json& document) {
  const float baseline = it.Score(engine);
  document["unit"] = kCriterionUnits[it.GetCriterion()];
  document["baseline"] = json::Number(baseline);
  document["phase2Start"] =
      phase2Start ? json::Number(phase2Start->BaselineScore()) : json::Json(nullptr);
  const std::vector<int> order = RankOrder(it);
  const bool withFiles = files.size() == order.size() && !files.empty();
  json::Json ranking = json::Json::array();
  for (std::size_t rank = 0; rank < order.size(); ++rank) {
    const ResultSlot& r = it.Result(order[rank]);
    json::Json values;
    for (const int s : slots) {
      values[ColumnHeader(s, engine)] = s == kSlotManifold
                                            ? json::Json(r.engine->Engine().manifoldType.GetValue())
                                            : json::Number(Iterator::ValueOf(s, *r.engine));
    }
    json::Json row;
    row["rank"] = rank + 1;
    row["test"] = r.testNumber;
    row["score"] = json::Number(r.score);
    row["gain"] = json::Number(r.score - baseline);
    row["values"] = values.is_null() ? json::Json::object() : values;
    row["file"] = withFiles ? json::Json(files[rank].name) : json::Json(nullptr);
    row["fileScore"] = withFiles && files[rank].ran ? json::Number(files[rank].score) : json::Json(nullptr);
    ranking.push_back(std::move(row));
  }
  document["ranking"] = std::move(ranking);
}

bool ReportKeptResults(const Iterator& results, const CVexoDoc& engine, const std::vector<int>& slots,
                       const Iterator* phase2Start, const std::string& dir, json::Json* document) {
  std::vector<KeptEngineFile> files;
  if (!dir.empty() && !WriteKeptEngines(results, engine, dir, files)) return false;
  if (document) {
    KeptResultsJson(results, engine, slots, phase2Start, files, *document);
    (*document)["output"] = dir.empty() ? json::Json(nullptr) : json::Json(dir);
    return true;
  }
  PrintKeptResults(results, engine, slots, phase2Start, files);
  if (!dir.empty()) std::printf("%d engines written to %s\n", results.KeptCount(), dir.c_str());
  return true;
}

void PrintFailures(const std::map<int, int>& counts, int uncounted) {
  ReportFailureReasons(counts, uncounted);
}

void PrintOutsideLimits(const Iterator& phase, int phaseNumber) {
  const std::int64_t outside = phase.TestsOutsideLimits();
  if (outside == 0) return;
  ReportNoticeCode(kOutsideLimitsNotice, false,
                   OutsideLimitsDetail(outside, phase.SetupTests(), phaseNumber).c_str());
}

}  // namespace brisca::cli
