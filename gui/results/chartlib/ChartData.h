#pragma once
// A chart data object: 1 to 4 series of the same number of points, each with
// its own X values, the range of points drawn, and a display state per series.

#include <QString>

#include <vector>

namespace brisca {

//! How a series is drawn: shown, or left out of the plot and the legend.
enum class SeriesDisplay { Shown = 1, Hidden = 2, Excluded = 3 };

class ChartData {
 public:
  ChartData(int sets, int points);

  int Sets() const { return static_cast<int>(series_.size()); }
  int Points() const { return points_; }

  void SetX(int set, int point, double value);
  void SetY(int set, int point, double value);
  double X(int set, int point) const;
  double Y(int set, int point) const;

  //! Only points first..last-1 are drawn; set and read back unchanged.
  void SetFirstPoint(int first);
  void SetLastPoint(int last);
  int FirstPoint() const { return first_; }
  int LastPoint() const { return last_; }
  //! A series with fewer points in use than the others (a comparison of
  //! documents with different runs) ends at `last`, at the latest at LastPoint.
  void SetSeriesEnd(int set, int last);
  //! The end of the drawn points of `set`.
  int SeriesEnd(int set) const;

  void SetDisplay(int set, SeriesDisplay display);
  SeriesDisplay Display(int set) const;
  bool IsShown(int set) const { return Display(set) == SeriesDisplay::Shown; }

 private:
  struct Series {
    std::vector<double> x;
    std::vector<double> y;
    SeriesDisplay display = SeriesDisplay::Shown;
    int end = -1;  //!< own end, or -1 for LastPoint
  };
  const Series& At(int set) const;
  Series& At(int set);

  int points_;
  int first_ = 0;
  int last_;
  std::vector<Series> series_;
};

}  // namespace brisca
