#include "gui/results/ChartBuilder.h"

#include <QImage>

#include <algorithm>

#include "core/document/VexoDoc.h"
#include "core/results/ChartScale.h"
#include "core/results/TestConditions.h"
#include "gui/results/ZoneChart2D.h"
#include "gui/shell/BitmapFile.h"
#include "gui/shell/ColorScheme.h"

namespace brisca {
namespace {

constexpr int kPoints = kResultPoints;


constexpr qreal kLineWidth = 2.0;
constexpr qreal kMarkerSize = 5.0;

// A document's three result sets as it shows them (power and torque under its
// display conditions).
struct ShownSets {
  explicit ShownSets(const CVexoDoc& document)
      : displayed(document.ShownResults(ResultSetId::Displayed)),
        lowSpeedLobe(document.ShownResults(ResultSetId::LowSpeedLobe)),
        highSpeedLobe(document.ShownResults(ResultSetId::HighSpeedLobe)) {}
  const ResultArray& Values(int item) const {
    return ChartItemValues(item, displayed, lowSpeedLobe, highSpeedLobe);
  }
  ResultSet displayed;
  ResultSet lowSpeedLobe;
  ResultSet highSpeedLobe;
};

// Whether `item` (or one of its curves) plots a figure the conditions scale.
bool PlotsScaledQuantity(int item) {
  if (item == kItemNone) return false;
  const ChartItem& info = GetChartItem(item);
  if (!info.IsCombination()) return IsScaledQuantity(info.quantity);
  for (int j = 0; j < info.series; ++j) {
    if (IsScaledQuantity(GetChartItem(info.curves[static_cast<std::size_t>(j)]).quantity)) return true;
  }
  return false;
}

int CurveItem(int item, int curve) {
  const ChartItem& info = GetChartItem(item);
  return info.IsCombination() ? info.curves[static_cast<std::size_t>(curve)] : item;
}

int SeriesOf(int item) { return GetChartItem(item).series; }

int DrawnPoints(const CVexoDoc& document) {
  return std::clamp(document.Results(ResultSetId::Displayed).count, 0, kPoints);
}

void FillCurve(ChartData& data, int set, const ShownSets& document, int xItem, int yItem) {
  const ResultArray& x = document.Values(xItem);
  if (yItem == kItemNone) {
    for (int p = 0; p < kPoints; ++p) data.SetX(set, p, x[static_cast<std::size_t>(p)]);
    return;
  }
  const ResultArray& y = document.Values(yItem);
  for (int p = 0; p < kPoints; ++p) {
    data.SetX(set, p, x[static_cast<std::size_t>(p)]);
    data.SetY(set, p, y[static_cast<std::size_t>(p)]);
  }
}

QString Label(int item) { return QString::fromUtf8(GetChartItem(item).label); }

}  // namespace

QColor ChartPalette::Color(int entry) const {
  if (printing) {
    // On paper: white backgrounds, black frame, grid and captions.
    switch (entry) {
      case kChartBackground:
      case kPlotArea:
      case kCaptionBackground:
        return Qt::white;
      case kChartFrame:
      case kChartFrameZones:
      case kGridAndAxes:
      case kCaptionText:
        return Qt::black;
      default:
        break;
    }
  }
  return SchemeColor(entry);
}

std::vector<const ComparisonSlot*> ShownSlots(const ChartState& state,
                                              const std::array<ComparisonSlot, kComparisonSlots>& filled) {
  std::vector<const ComparisonSlot*> shown;
  if (!state.comparison) return shown;
  for (const ComparisonSlot& slot : filled) {
    if (slot.document) shown.push_back(&slot);
  }
  return shown;
}

void BuildChart(CZoneChart2D& chart, const CVexoDoc& document, const ChartState& state,
                const std::vector<const ComparisonSlot*>& shown, const ChartPalette& palette) {
  const int xItem = state.X().Item();
  const int y1Item = state.Y1().Item();
  const int y2Item = state.Y2().Item();
  const bool y2None = y2Item == kItemNone;

  const int y1Sets = state.comparison ? static_cast<int>(shown.size()) : SeriesOf(y1Item);
  const int y2Sets = state.comparison ? static_cast<int>(shown.size()) : SeriesOf(y2Item);
  ChartData primary(y1Sets, kPoints);
  ChartData secondary(y2Sets, kPoints);
  std::vector<QString> primaryLegends;
  std::vector<QString> secondaryLegends;
  if (state.comparison) {
    for (int j = 0; j < y1Sets; ++j) {
      const CVexoDoc& doc = *shown[static_cast<std::size_t>(j)]->document;
      const ShownSets sets(doc);
      FillCurve(primary, j, sets, xItem, y1Item);
      FillCurve(secondary, j, sets, xItem, y2Item);
      primary.SetSeriesEnd(j, DrawnPoints(doc));
      secondary.SetSeriesEnd(j, DrawnPoints(doc));
      primaryLegends.push_back(QString::fromStdString(shown[static_cast<std::size_t>(j)]->y1Legend));
      secondaryLegends.push_back(QString::fromStdString(shown[static_cast<std::size_t>(j)]->y2Legend));
    }
  } else {
    const int len = DrawnPoints(document);
    const ShownSets sets(document);
    for (int j = 0; j < y1Sets; ++j) {
      FillCurve(primary, j, sets, xItem, CurveItem(y1Item, j));
      primaryLegends.push_back(Label(CurveItem(y1Item, j)));
    }
    for (int j = 0; j < y2Sets; ++j) {
      FillCurve(secondary, j, sets, xItem, y2None ? kItemNone : CurveItem(y2Item, j));
      secondaryLegends.push_back(y2None ? QString() : Label(CurveItem(y2Item, j)));
    }
    primary.SetLastPoint(len);
    secondary.SetLastPoint(len);
  }
  if (y2None) {
    for (int j = 0; j < y2Sets; ++j) secondary.SetDisplay(j, SeriesDisplay::Excluded);
  }
  chart.SetData(ChartAxis::Y1, primary, primaryLegends);
  chart.SetData(ChartAxis::Y2, secondary, secondaryLegends);
  for (int j = 0; j < y1Sets; ++j) {
    chart.SetSeriesStyle(ChartAxis::Y1, j, {palette.Color(kPrimaryCurves + std::min(j, 3)), kLineWidth, kMarkerSize});
  }
  for (int j = 0; j < y2Sets; ++j) {
    chart.SetSeriesStyle(ChartAxis::Y2, j, {palette.Color(kSecondaryCurves + std::min(j, 3)), kLineWidth, kMarkerSize});
  }

  // Limits: fixed ranges as recorded, the others from the drawn points.
  const ChartAxis axes[kChartAxisCount] = {ChartAxis::X, ChartAxis::Y1, ChartAxis::Y2};
  for (int a = 0; a < kChartAxisCount; ++a) {
    const ChartAxisSpec& spec = state.axes[static_cast<std::size_t>(a)];
    if (spec.IsAutoRange()) chart.SetAxisAutomatic(axes[a]);
    else chart.SetAxisFixed(axes[a], spec.Minimum(), spec.Maximum());
  }
  chart.SetY2Shown(!y2None);
  chart.Rescale();
  if (SharesScale(state.Y1(), state.Y2())) {
    const AxisLimits shared = SharedLimits(chart.Limits(ChartAxis::Y1), chart.Limits(ChartAxis::Y2));
    chart.SetAxisFixed(ChartAxis::Y1, shared.min, shared.max);
    chart.SetAxisFixed(ChartAxis::Y2, shared.min, shared.max);
    chart.Rescale();
  }

  // Colours.
  const bool zones = state.zones.shown;
  ChartColors colors;
  colors.background = palette.Color(kChartBackground);
  colors.frame = palette.Color(zones ? kChartFrameZones : kChartFrame);
  colors.plotArea = zones ? QColor(Qt::white) : palette.Color(kPlotArea);
  colors.grid = palette.Color(kGridAndAxes);
  colors.text = palette.Color(kChartFrameZones);
  chart.SetColors(colors);
  chart.SetZones(state.zones, palette.Color(kChartFrameZones));

  // The air the power and torque hold for, once they are not the model's own.
  const TestConditions& conditions = document.DisplayConditions();
  const bool scaled = IsTransformed(conditions) && (PlotsScaledQuantity(xItem) || PlotsScaledQuantity(y1Item) || PlotsScaledQuantity(y2Item));
  chart.SetNote(scaled ? QString::fromStdString(ConditionsNote(conditions, false)) : QString());

  // Unit captions.
  chart.ClearLabels();
  const QColor captionText = palette.Color(kCaptionText);
  const QColor captionBack = palette.Color(kCaptionBackground);
  const AxisLimits x = chart.Limits(ChartAxis::X);
  const AxisLimits y1 = chart.Limits(ChartAxis::Y1);
  chart.AddLabel(QString::fromUtf8(state.X().Units()), {std::clamp(0.55 * x.max, x.min, x.max), y1.min},
                 ChartAxis::Y1, Qt::AlignHCenter | Qt::AlignBottom, captionText, captionBack);
  chart.AddLabel(QString::fromUtf8(state.Y1().Units()), {x.min, y1.max}, ChartAxis::Y1,
                 Qt::AlignLeft | Qt::AlignTop, captionText, captionBack);
  if (!y2None) {
    const AxisLimits y2 = chart.Limits(ChartAxis::Y2);
    chart.AddLabel(QString::fromUtf8(state.Y2().Units()), {x.max, y2.max}, ChartAxis::Y2,
                   Qt::AlignRight | Qt::AlignTop, captionText, captionBack);
  }
}

QImage RenderChartBitmap(const CVexoDoc& document, const ChartState& state,
                         const std::vector<const ComparisonSlot*>& shown, const QFont& font) {
  CZoneChart2D picture;
  picture.setFont(font);
  // Pictures are for pages: white behind the chart, as on paper.
  BuildChart(picture, document, state, shown, ChartPalette{.printing = true});
  return picture.RenderImage(QSize(kChartBitmapWidth, kChartBitmapHeight));
}

bool DocumentChartImages::SaveChartImage(ChartRole role, const std::filesystem::path& path) {
  const ChartState& state = document_.Chart(role);
  // Comparison slots live in the views: alone, a comparing chart shows its own document.
  std::array<ComparisonSlot, kComparisonSlots> own;
  own[0].document = const_cast<CVexoDoc*>(&document_);
  own[0].number = document_.GetDocumentNumber();
  own[0].title = document_.GetTitle();
  own[0].y1Legend = std::string(state.Y1().Label()) + "-" + own[0].title;
  own[0].y2Legend = std::string(state.Y2().Label()) + "-" + own[0].title;
  SaveBitmapFile(RenderChartBitmap(document_, state, ShownSlots(state, own), QFont()), path);
  return true;
}

}  // namespace brisca
