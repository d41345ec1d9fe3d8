#include "gui/results/Chart2dView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QPainter>
#include <QPrinter>
#include <QImage>
#include <QLineSeries>
#include <QMenu>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

#include "core/base/FatalAssert.h"
#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "core/results/ChartScale.h"
#include "core/results/MeasuredCurve.h"
#include "gui/results/ChartBuilder.h"
#include "gui/results/ChartMenuTable.h"
#include "gui/results/MeasuredOverlay.h"
#include "gui/results/ZoneChart2D.h"
#include "gui/shell/BitmapFile.h"
#include "gui/shell/ColorScheme.h"

namespace brisca {
namespace {

// The stroke in inches, whatever units the document shows.
bool StrokeInches(const CVexoDoc& document, float& inches) {
  CFloatPtSpec stroke = document.Engine().stroke;
  if (!stroke.IsValid()) return false;
  if (stroke.IsMetric()) stroke.ToDomestic();
  inches = stroke.GetValue();
  return inches > 0.0f;
}

// A printed chart is laid out at two thirds of the screen's resolution.
constexpr double kPrintScale = 0.6666667;

// The tab window's colour shows round the chart.
constexpr int kFrameMargin = 4;

}  // namespace

CChart2dView::CChart2dView(CVexoDoc& document, ViewRegistry& registry, ChartRole role, QWidget* parent)
    : QWidget(parent), document_(document), registry_(registry), role_(role), chart_(new CZoneChart2D(this)) {
  registry_.Register(role == ChartRole::First ? ViewSlot::FirstChart : ViewSlot::SecondChart, this);
  setObjectName(QStringLiteral("chartView"));
  setAttribute(Qt::WA_StyledBackground);
  chart_->setContextMenuPolicy(Qt::NoContextMenu);
  chart_->SetCursorEnabled(true);
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
  // The read-out would list curves that may be gone; the next mouse move brings it back.
  chart_->HideCursor();
  RefreshSlots();
  MatchZones();
  chart_->SetRepaint(false);
  Configure(*chart_);
  chart_->SetRepaint(true);
}

void CChart2dView::Configure(CZoneChart2D& chart, bool printing) const {
  ChartPalette palette;
  palette.printing = printing;
  // Before the chart is built: automatic limits take the measured points in.
  const std::optional<MeasuredRun>& measured = registry_.Measured();
  chart.SetOverlays(measured ? MeasuredOverlayLines(*measured, State(),
                                                    MeasuredDisplayScale(*measured, Conditions()), palette)
                             : std::vector<OverlayLine>{});
  BuildChart(chart, document_, State(), ShownSlots(State(), slots_), palette);
}

QImage CChart2dView::RenderBitmap() const {
  return RenderChartBitmap(document_, State(), ShownSlots(State(), slots_), chart_->font());
}

QRectF CChart2dView::PaintForPrint(QPainter& painter, const QRectF& printable, double deviceDpi) const {
  const double inches = std::min(printable.width(), printable.height()) / deviceDpi - 2.0;
  if (inches <= 0) return {};
  const double screenDpi = logicalDpiX() > 0 ? logicalDpiX() : 96.0;
  const int side = static_cast<int>(inches * screenDpi * kPrintScale);
  CZoneChart2D paper;
  paper.setFont(chart_->font());
  Configure(paper, true);
  // The layout is made at the screen's resolution; the texts must scale with it.
  paper.UsePixelFonts();
  paper.chart()->resize(side, side);
  paper.EnsureLayout();
  const QRectF square(printable.left() + deviceDpi, printable.top() + deviceDpi, inches * deviceDpi,
                      inches * deviceDpi);
  paper.Paint(painter, square);
  return square;
}

void CChart2dView::Print(QPrinter& printer) const {
  QPainter painter(&printer);
  const QRectF printable = printer.pageLayout().paintRectPixels(printer.resolution()).toRectF();
  PaintForPrint(painter, QRectF(QPointF(0, 0), printable.size()), printer.resolution());
}

void CChart2dView::CopyToClipboard() const {
  CZoneChart2D copy;
  copy.setFont(chart_->font());
  Configure(copy);
  QApplication::clipboard()->setImage(copy.RenderImage(chart_->size()));
}

std::vector<CsvSeries> CChart2dView::PlottedSeries() const {
  std::vector<CsvSeries> series;
  for (ChartAxis axis : {ChartAxis::Y1, ChartAxis::Y2}) {
    for (int set = 0; QLineSeries* line = chart_->Series(axis, set); ++set) {
      if (!line->isVisible()) continue;
      CsvSeries column{line->name().toStdString(), {}, {}};
      for (const QPointF& point : line->points()) {
        column.x.push_back(point.x());
        column.y.push_back(point.y());
      }
      series.push_back(std::move(column));
    }
  }
  return series;
}

bool CChart2dView::ExportData(const std::filesystem::path& path) const {
  return SaveSeriesCsv(path, State().X().Label(), PlottedSeries(), chart_->Note().toStdString());
}

bool CChart2dView::SaveAsBitmap(const std::filesystem::path& path) const {
  SaveBitmapFile(RenderBitmap(), path);
  return true;
}

void CChart2dView::Changed() {
  const NamedChange name(document_, "Chart Settings");
  document_.SetModified(true);
  Rebuild();
  // The results tables take their rows from the second chart's X axis.
  if (DocumentHost* host = document_.Host()) host->UpdateAllViews(document_);
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
  if (command == kCmdChartProperties) {
    OpenProperties();
    return true;
  }
  if (command == kCmdCompareFromFile || command == kCmdCompareFromCurrent) {
    return MakeComparison(command == kCmdCompareFromFile);
  }
  if (command == kCmdMeasuredOverlay) return OverlayMeasuredRun();
  if (command == kCmdMeasuredRemove) {
    if (!HasMeasuredRun()) return false;
    RemoveMeasuredRun();
    return true;
  }
  if (command == kCmdMeasuredDeviation) return ShowMeasuredDeviation();
  if (command >= kCmdMeasuredRecent && command < kCmdMeasuredRecent + kMeasuredRecentCount) {
    return OverlayRecentMeasuredRun(command - kCmdMeasuredRecent);
  }
  for (int axis = 0; axis < kChartAxisCount; ++axis) {
    for (const ChartMenuEntry& entry : ChartDataMenu(axis)) {
      if (entry.command != command) continue;
      if (axis != kAxisX && State().comparison && GetChartItem(entry.item).IsCombination()) return false;
      SelectItem(axis, entry.item);
      return true;
    }
    for (int mode = 0; mode < kRangeModeCount; ++mode) {
      if (ChartRangeCommand(axis, static_cast<RangeMode>(mode)) != command) continue;
      // Custom limits are typed into the chart properties, which redraw on OK.
      if (mode == static_cast<int>(RangeMode::Custom)) OpenProperties(axis);
      else SelectRange(axis, static_cast<RangeMode>(mode));
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
                 rangeMode == current, true);
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
  AddMeasuredItems(compare);
  menu_->addSeparator();
  QAction* copy = menu_->addAction(tr("&Copy"));
  connect(copy, &QAction::triggered, this, [this] { CopyToClipboard(); });
  QAction* exportData = menu_->addAction(tr("&Export Data..."));
  connect(exportData, &QAction::triggered, this, [this] {
    DocumentHost* host = document_.Host();
    if (!host) return;
    if (auto path = host->PromptSavePath("csv", host->StartupFolder(), document_.GetTitle() + ".csv")) {
      ExportData(*path);
    }
  });
  menu_->addSeparator();
  QAction* properties = menu_->addAction(tr("&Properties..."));
  properties->setData(kCmdChartProperties);
  connect(properties, &QAction::triggered, this, [this] { OnCommand(kCmdChartProperties); });
  return menu_;
}

void CChart2dView::contextMenuEvent(QContextMenuEvent* event) {
  ContextMenu()->popup(event->globalPos());
}

}  // namespace brisca
