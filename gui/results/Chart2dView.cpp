#include "gui/results/Chart2dView.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"
#include "core/results/ChartScale.h"
#include "gui/results/ChartMenuTable.h"
#include "gui/results/ZoneChart2D.h"
#include "gui/shell/ColorScheme.h"

namespace brisca {
namespace {

constexpr int kPoints = kResultPoints;
constexpr int kBitmapWidth = 600;
constexpr int kBitmapHeight = 550;

// Scheme entries of the charts.
constexpr int kChartBackground = 28;
constexpr int kChartFrame = 29;
constexpr int kChartFrameZones = 30;  // also the zone labels and the axis text
constexpr int kPlotArea = 31;
constexpr int kGridAndAxes = 32;
constexpr int kCaptionBackground = 33;
constexpr int kCaptionText = 34;
constexpr int kPrimaryCurves = 35;    // 35..38
constexpr int kSecondaryCurves = 39;  // 39..42

// The tab window's colour shows round the chart.
constexpr int kFrameMargin = 4;

constexpr qreal kLineWidth = 2.0;
constexpr qreal kMarkerSize = 5.0;

const ResultArray& ItemValues(const CVexoDoc& document, int item) {
  return ChartItemValues(item, document.Results(ResultSetId::Displayed),
                         document.Results(ResultSetId::LowSpeedLobe),
                         document.Results(ResultSetId::HighSpeedLobe));
}

int CurveItem(int item, int curve) {
  const ChartItem& info = GetChartItem(item);
  return info.IsCombination() ? info.curves[static_cast<std::size_t>(curve)] : item;
}

int SeriesOf(int item) { return GetChartItem(item).series; }

int DrawnPoints(const CVexoDoc& document) {
  return std::clamp(document.Results(ResultSetId::Displayed).count, 0, kPoints);
}

void FillCurve(ChartData& data, int set, const CVexoDoc& document, int xItem, int yItem) {
  const ResultArray& x = ItemValues(document, xItem);
  if (yItem == kItemNone) {
    for (int p = 0; p < kPoints; ++p) data.SetX(set, p, x[static_cast<std::size_t>(p)]);
    return;
  }
  const ResultArray& y = ItemValues(document, yItem);
  for (int p = 0; p < kPoints; ++p) {
    data.SetX(set, p, x[static_cast<std::size_t>(p)]);
    data.SetY(set, p, y[static_cast<std::size_t>(p)]);
  }
}

QString Label(int item) { return QString::fromUtf8(GetChartItem(item).label); }

// The strokes of the stored inches value, whatever units the document shows.
bool StrokeInches(const CVexoDoc& document, float& inches) {
  CFloatPtSpec stroke = document.Engine().stroke;
  if (!stroke.IsValid()) return false;
  if (stroke.IsMetric()) stroke.ToDomestic();
  inches = stroke.GetValue();
  return inches > 0.0f;
}

ChartAxis YAxis(int axis) { return axis == kAxisY1 ? ChartAxis::Y1 : ChartAxis::Y2; }

}  // namespace

CChart2dView::CChart2dView(CVexoDoc& document, ViewRegistry& registry, ChartRole role, QWidget* parent)
    : QWidget(parent), document_(document), registry_(registry), role_(role), chart_(new CZoneChart2D(this)) {
  registry_.Register(role == ChartRole::First ? ViewSlot::FirstChart : ViewSlot::SecondChart, this);
  setObjectName(QStringLiteral("chartView"));
  setAttribute(Qt::WA_StyledBackground);
  chart_->setContextMenuPolicy(Qt::NoContextMenu);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kFrameMargin, kFrameMargin, kFrameMargin, kFrameMargin);
  layout->addWidget(chart_);
  Rebuild();
}

CChart2dView::~CChart2dView() { registry_.Unregister(this); }

ChartState& CChart2dView::State() { return document_.Chart(role_); }
const ChartState& CChart2dView::State() const { return document_.Chart(role_); }

void CChart2dView::SetSlot(int index, CVexoDoc* document) {
  BRISCA_ASSERT(index >= 1 && index < kComparisonSlots);
  ComparisonSlot& slot = slots_[static_cast<std::size_t>(index)];
  slot = {};
  if (!document) return;
  slot.document = document;
  slot.number = document->GetDocumentNumber();
  slot.title = document->GetTitle();
}

void CChart2dView::RefreshSlots() {
  ComparisonSlot& own = slots_[0];
  own.document = &document_;
  own.number = document_.GetDocumentNumber();
  own.title = document_.GetTitle();
  for (std::size_t i = 1; i < slots_.size(); ++i) {
    ComparisonSlot& slot = slots_[i];
    if (slot.document && !document_.IsSameDocument(slot.document, slot.number)) slot = {};
    if (slot.document) slot.title = slot.document->GetTitle();
  }
  const ChartState& state = State();
  for (ComparisonSlot& slot : slots_) {
    if (!slot.document) continue;
    slot.y1Legend = std::string(state.Y1().Label()) + "-" + slot.title;
    slot.y2Legend = std::string(state.Y2().Label()) + "-" + slot.title;
  }
}

void CChart2dView::MatchZones() {
  DataZoneSet& zones = State().zones;
  if (!zones.shown) return;
  zones.MatchAxes(State().AxisItems());
  if (zones.NeedsConversion()) {
    float inches = 0.0f;
    const bool valid = StrokeInches(document_, inches);
    zones.ConvertPistonSpeed(valid, inches);
  }
}

void CChart2dView::Rebuild() {
  RefreshSlots();
  MatchZones();
  chart_->SetRepaint(false);
  Configure(*chart_);
  chart_->SetRepaint(true);
}

void CChart2dView::Configure(CZoneChart2D& chart) const {
  const ChartState& state = State();
  const int xItem = state.X().Item();
  const int y1Item = state.Y1().Item();
  const int y2Item = state.Y2().Item();
  const bool y2None = y2Item == kItemNone;

  std::vector<const ComparisonSlot*> shown;
  if (state.comparison) {
    for (const ComparisonSlot& slot : slots_) {
      if (slot.document) shown.push_back(&slot);
    }
  }
  const int y1Sets = state.comparison ? static_cast<int>(shown.size()) : SeriesOf(y1Item);
  const int y2Sets = state.comparison ? static_cast<int>(shown.size()) : SeriesOf(y2Item);
  ChartData primary(y1Sets, kPoints);
  ChartData secondary(y2Sets, kPoints);
  std::vector<QString> primaryLegends;
  std::vector<QString> secondaryLegends;
  if (state.comparison) {
    for (int j = 0; j < y1Sets; ++j) {
      const CVexoDoc& doc = *shown[static_cast<std::size_t>(j)]->document;
      FillCurve(primary, j, doc, xItem, y1Item);
      FillCurve(secondary, j, doc, xItem, y2Item);
      primary.SetSeriesEnd(j, DrawnPoints(doc));
      secondary.SetSeriesEnd(j, DrawnPoints(doc));
      primaryLegends.push_back(QString::fromStdString(shown[static_cast<std::size_t>(j)]->y1Legend));
      secondaryLegends.push_back(QString::fromStdString(shown[static_cast<std::size_t>(j)]->y2Legend));
    }
  } else {
    const int len = DrawnPoints(document_);
    for (int j = 0; j < y1Sets; ++j) {
      FillCurve(primary, j, document_, xItem, CurveItem(y1Item, j));
      primaryLegends.push_back(Label(CurveItem(y1Item, j)));
    }
    for (int j = 0; j < y2Sets; ++j) {
      FillCurve(secondary, j, document_, xItem, y2None ? kItemNone : CurveItem(y2Item, j));
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
    chart.SetSeriesStyle(ChartAxis::Y1, j, {SchemeColor(kPrimaryCurves + std::min(j, 3)), kLineWidth, kMarkerSize});
  }
  for (int j = 0; j < y2Sets; ++j) {
    chart.SetSeriesStyle(ChartAxis::Y2, j, {SchemeColor(kSecondaryCurves + std::min(j, 3)), kLineWidth, kMarkerSize});
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
  colors.background = SchemeColor(kChartBackground);
  colors.frame = SchemeColor(zones ? kChartFrameZones : kChartFrame);
  colors.plotArea = zones ? QColor(Qt::white) : SchemeColor(kPlotArea);
  colors.grid = SchemeColor(kGridAndAxes);
  colors.text = SchemeColor(kChartFrameZones);
  chart.SetColors(colors);
  chart.SetZones(state.zones, SchemeColor(kChartFrameZones));

  // Unit captions.
  chart.ClearLabels();
  const QColor captionText = SchemeColor(kCaptionText);
  const QColor captionBack = SchemeColor(kCaptionBackground);
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

QImage CChart2dView::RenderBitmap() const {
  CZoneChart2D picture;
  picture.setFont(chart_->font());
  Configure(picture);
  QImage image = picture.RenderImage(QSize(kBitmapWidth, kBitmapHeight));
  return image;
}

bool CChart2dView::SaveAsBitmap(const std::filesystem::path& path) const {
  return RenderBitmap().save(QString::fromStdString(path.string()), "BMP");
}

void CChart2dView::Changed() {
  document_.SetModified(true);
  Rebuild();
}

void CChart2dView::SelectItem(int axis, int item) {
  State().axes[static_cast<std::size_t>(axis)].SelectItem(item);
  Changed();
}

void CChart2dView::SelectRange(int axis, RangeMode mode) {
  State().axes[static_cast<std::size_t>(axis)].SelectRange(mode);
  Changed();
}

bool CChart2dView::OnCommand(int command) {
  if (command == kCmdCompareFromFile || command == kCmdCompareFromCurrent) {
    return MakeComparison(command == kCmdCompareFromFile);
  }
  for (int axis = 0; axis < kChartAxisCount; ++axis) {
    for (const ChartMenuEntry& entry : ChartDataMenu(axis)) {
      if (entry.command != command) continue;
      if (axis != kAxisX && State().comparison && GetChartItem(entry.item).IsCombination()) return false;
      SelectItem(axis, entry.item);
      return true;
    }
    for (int mode = 0; mode < kRangeModeCount; ++mode) {
      // Custom-Range is chosen through the chart properties.
      if (mode == static_cast<int>(RangeMode::Custom)) continue;
      if (ChartRangeCommand(axis, static_cast<RangeMode>(mode)) != command) continue;
      SelectRange(axis, static_cast<RangeMode>(mode));
      return true;
    }
  }
  return false;
}

QMenu* CChart2dView::ContextMenu() {
  delete menu_;
  menu_ = new QMenu(this);
  const ChartState& state = State();
  auto addCommand = [this](QMenu* menu, const QString& text, int command, bool checked, bool enabled) {
    QAction* action = menu->addAction(text);
    action->setData(command);
    action->setCheckable(true);
    action->setChecked(checked);
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
  };
  for (int axis = 0; axis < kChartAxisCount; ++axis) {
    QMenu* group = menu_->addMenu(tr(ChartDataMenuTitle(axis)));
    const int current = state.axes[static_cast<std::size_t>(axis)].Item();
    for (const ChartMenuEntry& entry : ChartDataMenu(axis)) {
      const bool enabled = axis == kAxisX || !state.comparison || !GetChartItem(entry.item).IsCombination();
      addCommand(group, QString::fromUtf8(entry.text), entry.command, entry.item == current, enabled);
    }
  }
  menu_->addSeparator();
  for (int axis = 0; axis < kChartAxisCount; ++axis) {
    QMenu* group = menu_->addMenu(tr(ChartRangeMenuTitle(axis)));
    const RangeMode current = state.axes[static_cast<std::size_t>(axis)].Mode();
    for (int mode = 0; mode < kRangeModeCount; ++mode) {
      const auto rangeMode = static_cast<RangeMode>(mode);
      addCommand(group, QString::fromUtf8(RangeModeName(rangeMode)), ChartRangeCommand(axis, rangeMode),
                 rangeMode == current, rangeMode != RangeMode::Custom);
    }
  }
  menu_->addSeparator();
  QMenu* compare = menu_->addMenu(tr("Quick Comparison"));
  for (const auto& [text, command] : {std::pair{"Make From File...", kCmdCompareFromFile},
                                      std::pair{"Make From Current Test", kCmdCompareFromCurrent}}) {
    QAction* action = compare->addAction(tr(text));
    action->setData(command);
    connect(action, &QAction::triggered, this, [this, command = command] { OnCommand(command); });
  }
  menu_->addSeparator();
  QAction* properties = menu_->addAction(tr("&Properties..."));
  properties->setData(kCmdChartProperties);
  properties->setEnabled(false);
  return menu_;
}

void CChart2dView::contextMenuEvent(QContextMenuEvent* event) {
  ContextMenu()->popup(event->globalPos());
}

}  // namespace brisca
