#include "core/iterator/SeriesFailures.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/base/ErrCode.h"
#include "core/base/MessageTable.h"
#include "core/iterator/Iterator.h"

namespace brisca {
namespace {

//! The first line of error `code`'s text, markers left out; empty when unknown.
std::string Reason(int code) {
  const MessageEntry* entry = FindMessageEntry(MessageKind::Error, code);
  if (!entry || !entry->text) return {};
  std::string text = entry->text;
  text = text.substr(0, text.find('\n'));
  text = text.substr(0, text.find('{'));
  while (!text.empty() && (text.back() == ' ' || text.back() == ':')) text.pop_back();
  return text;
}

}  // namespace

std::string OutsideLimitsDetail(std::int64_t outside, std::int64_t total, int phase) {
  std::string text = std::to_string(outside) + " of the " + std::to_string(total) + " tests";
  if (phase > 0) text += " of phase " + std::to_string(phase);
  return text;
}

std::map<int, int> FailureCounts(const Iterator& phase1, const Iterator& phase2) {
  std::map<int, int> counts = phase1.FailureCounts();
  for (const auto& [code, count] : phase2.FailureCounts()) counts[code] += count;
  return counts;
}

std::string FailureReasonsDetail(const std::map<int, int>& counts, int uncounted) {
  std::vector<std::pair<int, int>> order(counts.begin(), counts.end());
  std::stable_sort(order.begin(), order.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  std::string text;
  for (const auto& [code, count] : order) {
    if (!text.empty()) text += '\n';
    text += std::to_string(count) + (count == 1 ? " test: Error " : " tests: Error ") + std::to_string(code);
    const std::string reason = Reason(code);
    if (!reason.empty()) text += " (" + reason + ")";
  }
  if (uncounted > 0) {
    if (!text.empty()) text += '\n';
    text += std::to_string(uncounted) + (uncounted == 1 ? " test" : " tests") +
            ": reason not recorded (shard record of an older version)";
  }
  return text;
}

void ReportFailureReasons(const std::map<int, int>& counts, int uncounted) {
  if (counts.empty() && uncounted <= 0) return;
  ReportNoticeCode(kFailureReasonsNotice, false, FailureReasonsDetail(counts, uncounted).c_str());
}

}  // namespace brisca
