#include "gui/results/ChartZonesPage.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

#include "gui/shell/EditFloatPt.h"
#include "gui/shell/ValueEditGuard.h"

namespace brisca {
namespace {

constexpr const char* kEdgeLabels[kMaxZones * 2] = {
    "Zone 1 Minimum", "Zone 1 Maximum", "Zone 2 Minimum", "Zone 2 Maximum", "Zone 3 Minimum", "Zone 3 Maximum",
    "Zone 4 Minimum", "Zone 4 Maximum", "Zone 5 Minimum", "Zone 5 Maximum", "Zone 6 Minimum", "Zone 6 Maximum"};

std::size_t EdgeIndex(int zone, bool high) { return static_cast<std::size_t>(zone * 2 + (high ? 1 : 0)); }

// Zone colours are stored red in the low byte.
QColor ToQColor(ZoneColour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
                static_cast<int>(colour >> 16 & 0xFF));
}

ZoneColour FromQColor(const QColor& colour) { return MakeZoneColour(colour.red(), colour.green(), colour.blue()); }

template <std::size_t... I>
std::array<CChartLimitSpec, sizeof...(I)> MakeEdges(std::index_sequence<I...>) {
  return {CChartLimitSpec(kEdgeLabels[I], CChartLimitSpec::Kind::ZoneEdge)...};
}

bool DialogPicker(const QColor& initial, QColor& chosen) {
  chosen = QColorDialog::getColor(initial, nullptr, QObject::tr("Zone Color"));
  return chosen.isValid();
}

}  // namespace

CChartZonesPage::CChartZonesPage(ChartSheetData& data, ValueEditGuard& guard, QWidget* parent)
    : QWidget(parent),
      data_(data),
      shown_(new QCheckBox(tr("Show Zones"), this)),
      type_(new QComboBox(this)),
      count_(new QSpinBox(this)),
      blend_(new QPushButton(tr("Blend Colors"), this)),
      edges_(MakeEdges(std::make_index_sequence<kMaxZones * 2>())) {
  for (int type = 0; type < kZoneTypeCount; ++type) type_->addItem(QString::fromUtf8(GetZoneType(type).name));
  type_->setObjectName(QStringLiteral("zoneType"));
  count_->setObjectName(QStringLiteral("zoneCount"));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(shown_);
  top->addSpacing(12);
  top->addWidget(new QLabel(tr("Type:"), this));
  top->addWidget(type_, 1);
  top->addSpacing(12);
  top->addWidget(new QLabel(tr("Zones:"), this));
  top->addWidget(count_);
  layout->addLayout(top);

  auto* zones = new QGroupBox(tr("Zones"), this);
  auto* grid = new QGridLayout(zones);
  grid->addWidget(new QLabel(tr("Range"), zones), 0, 2, 1, 3, Qt::AlignHCenter);
  for (int zone = 0; zone < kMaxZones; ++zone) MakeZoneRow(zone, zones, grid, guard);
  grid->setColumnStretch(5, 1);
  layout->addWidget(zones);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(blend_);
  layout->addLayout(bottom);
  layout->addStretch();

  connect(shown_, &QCheckBox::clicked, this, [this](bool on) {
    data_.settings.SetZonesShown(on);
    emit Changed();
  });
  connect(type_, &QComboBox::activated, this, [this](int type) {
    data_.settings.ChooseZoneType(type);
    Edited();
  });
  connect(count_, &QSpinBox::valueChanged, this, [this](int count) {
    if (count == data_.settings.Zones().count) return;
    data_.settings.SetZoneCount(count);
    Edited();
  });
  connect(blend_, &QPushButton::clicked, this, [this] {
    data_.settings.BlendColours();
    Edited();
  });
  Refresh();
}

void CChartZonesPage::MakeZoneRow(int zone, QWidget* parent, QGridLayout* grid, ValueEditGuard& guard) {
  ZoneRow& row = rows_[static_cast<std::size_t>(zone)];
  row.colour = new QPushButton(tr("Color"), parent);
  row.minimum = new CEditFloatPt(parent);
  row.maximum = new CEditFloatPt(parent);
  row.minimum->setObjectName(QStringLiteral("zone%1Minimum").arg(zone + 1));
  row.maximum->setObjectName(QStringLiteral("zone%1Maximum").arg(zone + 1));
  const int editWidth = fontMetrics().horizontalAdvance(QStringLiteral("2147483648")) + 16;
  row.minimum->setMinimumWidth(editWidth);
  row.maximum->setMinimumWidth(editWidth);
  const int line = zone + 1;
  grid->addWidget(new QLabel(tr("Zone %1").arg(zone + 1), parent), line, 0);
  grid->addWidget(row.colour, line, 1);
  grid->addWidget(row.minimum, line, 2);
  grid->addWidget(new QLabel(tr("To"), parent), line, 3);
  grid->addWidget(row.maximum, line, 4);
  connect(row.colour, &QPushButton::clicked, this, [this, zone] { PickColour(zone); });
  for (bool high : {false, true}) {
    guard.AddValueEdit(
        high ? row.maximum : row.minimum, [this, zone, high] { return EdgeSpec(zone, high); },
        [this, zone, high](bool) {
          const auto value = static_cast<float>(edges_[EdgeIndex(zone, high)].GetValue());
          // The guard has shown the accepted text; nothing else on the sheet depends on it.
          if (high) data_.settings.SetZoneHigh(zone, value);
          else data_.settings.SetZoneLow(zone, value);
        });
  }
}

CChartLimitSpec* CChartZonesPage::EdgeSpec(int zone, bool high) {
  CChartLimitSpec& spec = edges_[EdgeIndex(zone, high)];
  const DataZone& record = data_.settings.Zones().zones[static_cast<std::size_t>(zone)];
  const double value = high ? record.highValue : record.lowValue;
  if (spec.Accepts(value)) spec.SetValue(value);
  spec.SetPrompt(" Enter " + std::string(GetZoneType(data_.settings.Zones().type).name) + " Zone Range: 0 to " +
                 "2147483648");
  return &spec;
}

void CChartZonesPage::PickColour(int zone) {
  const ZoneColour current = data_.settings.Zones().zones[static_cast<std::size_t>(zone)].colour;
  QColor chosen;
  const bool picked = picker_ ? picker_(ToQColor(current), chosen) : DialogPicker(ToQColor(current), chosen);
  if (!picked || !chosen.isValid()) return;
  data_.settings.SetZoneColour(zone, FromQColor(chosen));
  Edited();
}

void CChartZonesPage::Edited() {
  Refresh();
  emit Changed();
}

void CChartZonesPage::Refresh() {
  const ChartSettings& settings = data_.settings;
  const DataZoneSet& zones = settings.Zones();
  {
    const QSignalBlocker block(shown_);
    shown_->setChecked(zones.shown);
  }
  {
    const QSignalBlocker block(type_);
    type_->setCurrentIndex(zones.type);
  }
  {
    const QSignalBlocker block(count_);
    count_->setRange(settings.MinimumZoneCount(), settings.MaximumZoneCount());
    count_->setValue(zones.count);
    count_->setEnabled(zones.type != kZoneTypeNone);
  }
  for (int zone = 0; zone < kMaxZones; ++zone) {
    const ZoneRow& row = Row(zone);
    const bool enabled = settings.ZoneRowEnabled(zone);
    const DataZone& record = zones.zones[static_cast<std::size_t>(zone)];
    row.colour->setEnabled(enabled);
    row.minimum->setEnabled(enabled);
    row.maximum->setEnabled(enabled);
    row.minimum->setText(enabled ? QString::fromStdString(EdgeSpec(zone, false)->GetText()) : QString());
    row.maximum->setText(enabled ? QString::fromStdString(EdgeSpec(zone, true)->GetText()) : QString());
    // The button carries its zone's colour as a swatch.
    QPixmap swatch(14, 14);
    swatch.fill(enabled ? ToQColor(record.colour) : palette().color(QPalette::Disabled, QPalette::Button));
    row.colour->setIcon(QIcon(swatch));
  }
  blend_->setEnabled(settings.CanBlend());
}

}  // namespace brisca
