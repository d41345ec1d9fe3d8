#include "core/sim/induction/CompressorMap.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "core/base/FileError.h"

namespace brisca {
namespace {

constexpr float kChokeFlow = 140.0f;  // choke-side flows must stay below it
constexpr const char* kWhere = "CompressorMap::Parse";

// Whitespace-separated fields, read the same way in every locale.
class Fields {
 public:
  explicit Fields(std::string_view text) : text_(text) {}

  // Skips the header line (its content is not used).
  void SkipLine() {
    if (text_.empty()) throw FileError(kErrRead, kWhere);
    const std::size_t end = text_.find('\n');
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
  }

  int NextInt() {
    std::string_view field = Next();
    int value = 0;
    const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || ptr != field.data() + field.size()) throw FileError(kErrRead, kWhere);
    return value;
  }

  float NextFloat() {
    std::string_view field = Next();
    float value = 0.0f;
    const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || ptr != field.data() + field.size() || !std::isfinite(value))
      throw FileError(kErrRead, kWhere);
    return value;
  }

 private:
  static bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
  }

  // The next field without a leading '+' (which the C formats accept).
  std::string_view Next() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !IsSpace(text_[pos_])) ++pos_;
    std::string_view field = text_.substr(start, pos_ - start);
    if (field.size() > 1 && field[0] == '+' && field[1] != '-') field.remove_prefix(1);
    if (field.empty()) throw FileError(kErrRead, kWhere);
    return field;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

void Require(bool condition) {
  if (!condition) throw FileError(kErrRead, kWhere);
}

// Index of a grid coordinate, truncated toward zero and held inside 0..count-1.
int GridIndex(float coordinate, int count) {
  if (!(coordinate >= 0.0f)) return 0;  // also NaN
  if (coordinate >= static_cast<float>(count - 1)) return count - 1;
  return static_cast<int>(coordinate);
}

}  // namespace

void CompressorMap::Parse(std::string_view text) {
  Fields fields(text);
  fields.SkipLine();

  CompressorMap map;
  for (auto& row : map.efficiency) {
    for (auto& cell : row) {
      cell = fields.NextInt();
      Require(cell >= 0 && cell <= 100);
    }
  }

  float previousSpeed = 0.0f;
  bool unusedSeen = false;
  for (SpeedLine& line : map.lines) {
    line.speed = fields.NextFloat();
    const bool unused = line.speed == kEmptySpeed;
    if (unused) {
      unusedSeen = true;
    } else {
      // Lines in use come first, each faster than the one before.
      Require(!unusedSeen && line.speed > previousSpeed);
      previousSpeed = line.speed;
    }
    for (int j = 0; j < kPoints; ++j) {
      line.pressureRatio[j] = fields.NextFloat();
      line.flow[j] = fields.NextFloat();
      if (unused) continue;
      Require(line.pressureRatio[j] > 0.0f);
      Require(line.flow[j] >= 0.0f && line.flow[j] < kChokeFlow);
      Require(j == 0 || line.flow[j] >= line.flow[j - 1]);
    }
  }
  Require(map.lines[0].speed != kEmptySpeed);
  *this = map;
}

int CompressorMap::LinesInUse() const {
  int count = 0;
  while (count < kLines && lines[count].speed != kEmptySpeed) ++count;
  return count;
}

float CompressorMap::HighestSpeed() const {
  const int used = LinesInUse();
  return used == 0 ? kEmptySpeed : lines[used - 1].speed;
}

int CompressorMap::GridEfficiency(float pressureRatio, float flow) const {
  const int row = GridIndex((pressureRatio - 1.0f) * kRowsPerRatio, kRows);
  const int column = GridIndex(flow * kColumnsPerFlow, kColumns);
  return efficiency[row][column];
}

CompressorMap::Reading CompressorMap::Lookup(float shaftSpeed, float flow) const {
  const int used = LinesInUse();
  if (used == 0) return {};

  const float n = shaftSpeed;
  std::array<float, kPoints> pr;
  std::array<float, kPoints> fl;
  const SpeedLine& lowest = lines[0];
  if (n <= lowest.speed) {
    for (int j = 0; j < kPoints; ++j) {
      fl[j] = lowest.flow[j] * n / lowest.speed;
      pr[j] = 1.0f + (lowest.pressureRatio[j] - 1.0f) * n / lowest.speed;
    }
  } else {
    int i = 0;
    // A speed equal to a line's speed belongs to the bracket below it, so it
    // reads that line exactly rather than falling through to overspeed.
    while (i + 1 < used && !(lines[i].speed < n && n <= lines[i + 1].speed)) ++i;
    if (i + 1 >= used) return {lines[used - 1].pressureRatio[0], kOverspeed};
    const SpeedLine& below = lines[i];
    const SpeedLine& above = lines[i + 1];
    const float fraction = (n - below.speed) / (above.speed - below.speed);
    for (int j = 0; j < kPoints; ++j) {
      fl[j] = below.flow[j] + (above.flow[j] - below.flow[j]) * fraction;
      pr[j] = below.pressureRatio[j] + (above.pressureRatio[j] - below.pressureRatio[j]) * fraction;
    }
  }

  constexpr int last = kPoints - 1;
  if (flow < fl[0]) return {pr[0], kSurge};
  if (flow > fl[last]) {
    const float choked = pr[last] * (1.0f - 2.2f * (flow - fl[last]) / (kChokeFlow - fl[last]));
    return {std::max(choked, 1.0f), kChoke};
  }
  int j = 0;
  while (j + 1 < last && !(fl[j] <= flow && flow < fl[j + 1])) ++j;
  // A segment without width (equal flows, or a line scaled to zero speed)
  // reads its upper point.
  if (fl[j + 1] == fl[j]) return {pr[j + 1], kNoWarning};
  return {pr[j] + (pr[j + 1] - pr[j]) * (flow - fl[j]) / (fl[j + 1] - fl[j]), kNoWarning};
}

float CompressorMap::BestEfficiencyLineSpeed() const {
  const int used = LinesInUse();
  int best = std::numeric_limits<int>::min();
  float speed = 0.0f;
  for (int i = 0; i < used; ++i) {
    for (int j = 0; j < kPoints; ++j) {
      const int cell = GridEfficiency(lines[i].pressureRatio[j], lines[i].flow[j]);
      if (cell > best) {
        best = cell;
        speed = lines[i].speed;
      }
    }
  }
  return speed;
}

float AutoTurbineDiameter(float engineVolume, float lineSpeed) {
  const float diameter = 2.0f * std::sqrt(0.22736421f * engineVolume * 1.3020833f * 1728.0f *
                                          2.4084818f / (1.8181818f * lineSpeed));
  if (!(diameter >= 1.0f)) return 1.0f;  // also NaN from a negative volume or speed
  return std::min(diameter, 10.0f);
}

}  // namespace brisca
