#pragma once
// What a 2D chart of a document shows, set up on a chart window: the curves
// of the chart state's items read from the document's result sets (or one
// curve per compared document), the limits (fixed, automatic, or one shared
// scale for Y1 and Y2), the scheme colours, the unit captions and the zones.
// The chart views draw with it, and so do the chart pictures of reports.

#include <QColor>
#include <QFont>
#include <QImage>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/report/ChartImageSink.h"
#include "core/results/ChartState.h"

namespace brisca {

class CVexoDoc;
class CZoneChart2D;

inline constexpr int kChartBitmapWidth = 600;
inline constexpr int kChartBitmapHeight = 550;

// Colour-scheme entries of the 2D charts.
inline constexpr int kChartBackground = 28;
inline constexpr int kChartFrame = 29;
inline constexpr int kChartFrameZones = 30;  //!< also the axis text and the zone labels
inline constexpr int kPlotArea = 31;
inline constexpr int kGridAndAxes = 32;
inline constexpr int kCaptionBackground = 33;
inline constexpr int kCaptionText = 34;
inline constexpr int kPrimaryCurves = 35;    //!< 35..38
inline constexpr int kSecondaryCurves = 39;  //!< 39..42

//! One document a comparison shows: the document and its number (a closed and
//! reopened document has another number), its title and legend texts.
struct ComparisonSlot {
  std::string title;
  std::string y1Legend;
  std::string y2Legend;
  CVexoDoc* document = nullptr;
  int number = 0;
};
inline constexpr int kComparisonSlots = 4;

//! The chart colours: the scheme's, or for paper white backgrounds with a
//! black frame, grid and captions.
struct ChartPalette {
  bool printing = false;
  QColor Color(int entry) const;
};

//! The filled slots, in slot order, when `state` compares documents; none otherwise.
std::vector<const ComparisonSlot*> ShownSlots(const ChartState& state,
                                              const std::array<ComparisonSlot, kComparisonSlots>& filled);

//! Sets up `chart` to show `state` of `document` (or the documents of `shown`
//! under comparison).
void BuildChart(CZoneChart2D& chart, const CVexoDoc& document, const ChartState& state,
                const std::vector<const ComparisonSlot*>& shown, const ChartPalette& palette);

//! A chart of its own, 600 × 550, laid out and painted in the print colours
//! (white backgrounds, black captions and grid).
QImage RenderChartBitmap(const CVexoDoc& document, const ChartState& state,
                         const std::vector<const ComparisonSlot*>& shown, const QFont& font);

//! The chart pictures of a report for a document shown in no window (the
//! command line): each chart as its state says, comparing only the document
//! itself (comparison slots are never stored).
class DocumentChartImages : public ChartImageSink {
 public:
  explicit DocumentChartImages(const CVexoDoc& document) : document_(document) {}
  bool SaveChartImage(ChartRole role, const std::filesystem::path& path) override;

 private:
  const CVexoDoc& document_;
};

}  // namespace brisca
