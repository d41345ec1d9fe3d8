#include "gui/results/chartlib/ChartData.h"

#include <algorithm>

#include "core/base/FatalAssert.h"

namespace brisca {

ChartData::ChartData(int sets, int points) : points_(points), last_(points) {
  BRISCA_ASSERT(sets >= 1 && sets <= 4 && points >= 0);
  series_.resize(static_cast<std::size_t>(sets));
  for (Series& s : series_) {
    s.x.assign(static_cast<std::size_t>(points), 0.0);
    s.y.assign(static_cast<std::size_t>(points), 0.0);
  }
}

const ChartData::Series& ChartData::At(int set) const {
  BRISCA_ASSERT(set >= 0 && set < Sets());
  return series_[static_cast<std::size_t>(set)];
}

ChartData::Series& ChartData::At(int set) {
  BRISCA_ASSERT(set >= 0 && set < Sets());
  return series_[static_cast<std::size_t>(set)];
}

void ChartData::SetX(int set, int point, double value) {
  BRISCA_ASSERT(point >= 0 && point < points_);
  At(set).x[static_cast<std::size_t>(point)] = value;
}

void ChartData::SetY(int set, int point, double value) {
  BRISCA_ASSERT(point >= 0 && point < points_);
  At(set).y[static_cast<std::size_t>(point)] = value;
}

double ChartData::X(int set, int point) const {
  BRISCA_ASSERT(point >= 0 && point < points_);
  return At(set).x[static_cast<std::size_t>(point)];
}

double ChartData::Y(int set, int point) const {
  BRISCA_ASSERT(point >= 0 && point < points_);
  return At(set).y[static_cast<std::size_t>(point)];
}

void ChartData::SetFirstPoint(int first) { first_ = std::clamp(first, 0, points_); }
void ChartData::SetLastPoint(int last) { last_ = std::clamp(last, 0, points_); }

void ChartData::SetSeriesEnd(int set, int last) { At(set).end = std::clamp(last, 0, points_); }

int ChartData::SeriesEnd(int set) const {
  const int end = At(set).end;
  return end < 0 ? last_ : std::min(end, last_);
}

void ChartData::SetDisplay(int set, SeriesDisplay display) { At(set).display = display; }
SeriesDisplay ChartData::Display(int set) const { return At(set).display; }

}  // namespace brisca
