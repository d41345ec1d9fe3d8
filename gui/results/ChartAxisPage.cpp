#include "gui/results/ChartAxisPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "gui/shell/EditFloatPt.h"
#include "gui/shell/ValueEditGuard.h"

namespace brisca {
namespace {

constexpr const char* kAxisTitles[kChartAxisCount] = {"X:", "Y1:", "Y2:"};
constexpr const char* kLimitLabels[kChartAxisCount * 2] = {"X Minimum",  "X Maximum",  "Y1 Minimum",
                                                           "Y1 Maximum", "Y2 Minimum", "Y2 Maximum"};

std::size_t LimitIndex(int axis, bool maximum) { return static_cast<std::size_t>(axis * 2 + (maximum ? 1 : 0)); }

}  // namespace

CChartAxisPage::CChartAxisPage(ChartSheetData& data, ValueEditGuard& guard, QWidget* parent)
    : QWidget(parent),
      data_(data),
      limits_{CChartLimitSpec(kLimitLabels[0], CChartLimitSpec::Kind::AxisLimit),
              CChartLimitSpec(kLimitLabels[1], CChartLimitSpec::Kind::AxisLimit),
              CChartLimitSpec(kLimitLabels[2], CChartLimitSpec::Kind::AxisLimit),
              CChartLimitSpec(kLimitLabels[3], CChartLimitSpec::Kind::AxisLimit),
              CChartLimitSpec(kLimitLabels[4], CChartLimitSpec::Kind::AxisLimit),
              CChartLimitSpec(kLimitLabels[5], CChartLimitSpec::Kind::AxisLimit)} {
  auto* layout = new QVBoxLayout(this);
  for (int axis = 0; axis < kChartAxisCount; ++axis) layout->addWidget(MakeAxisGroup(axis, guard));
  layout->addStretch();
  Refresh();
}

QWidget* CChartAxisPage::MakeAxisGroup(int axis, ValueEditGuard& guard) {
  auto* group = new QGroupBox(tr(kAxisTitles[axis]), this);
  auto* grid = new QGridLayout(group);
  AxisRow& row = rows_[static_cast<std::size_t>(axis)];
  row.dataType = new QComboBox(group);
  row.dataType->setMinimumContentsLength(28);
  row.range = new QComboBox(group);
  for (int mode = 0; mode < kRangeModeCount; ++mode) {
    row.range->addItem(QString::fromUtf8(RangeModeName(static_cast<RangeMode>(mode))));
  }
  row.minimum = new CEditFloatPt(group);
  row.maximum = new CEditFloatPt(group);
  row.units = new QLabel(group);
  row.hint = new QLabel(group);
  const QString axisName = QString::fromUtf8(kAxisTitles[axis]).chopped(1);
  row.dataType->setObjectName(axisName + QStringLiteral("DataType"));
  row.range->setObjectName(axisName + QStringLiteral("Range"));
  row.minimum->setObjectName(axisName + QStringLiteral("Minimum"));
  row.maximum->setObjectName(axisName + QStringLiteral("Maximum"));
  for (QWidget* edit : {static_cast<QWidget*>(row.minimum), static_cast<QWidget*>(row.maximum)}) {
    edit->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-2147483648")) + 12);
  }

  grid->addWidget(new QLabel(tr("Data Type"), group), 0, 0);
  grid->addWidget(new QLabel(tr("Graph Range"), group), 0, 1);
  grid->addWidget(new QLabel(tr("Numerical Range"), group), 0, 2, 1, 3);
  grid->addWidget(new QLabel(tr("Units"), group), 0, 5);
  grid->addWidget(row.dataType, 1, 0);
  grid->addWidget(row.range, 1, 1);
  grid->addWidget(row.minimum, 1, 2);
  grid->addWidget(new QLabel(tr("To"), group), 1, 3);
  grid->addWidget(row.maximum, 1, 4);
  grid->addWidget(row.units, 1, 5);
  grid->addWidget(row.hint, 2, 0, 1, 6);
  grid->setColumnStretch(0, 1);
  grid->setColumnMinimumWidth(5, fontMetrics().horizontalAdvance(QStringLiteral("HP,lb-ft")) + 8);

  connect(row.dataType, &QComboBox::activated, this, [this, axis](int index) {
    data_.settings.SelectItem(axis, Row(axis).dataType->itemData(index).toInt());
    RefreshAxis(axis);
    emit Changed();
  });
  connect(row.range, &QComboBox::activated, this, [this, axis](int mode) {
    data_.settings.SelectRange(axis, static_cast<RangeMode>(mode));
    RefreshAxis(axis);
    emit Changed();
  });
  for (bool maximum : {false, true}) {
    guard.AddValueEdit(
        maximum ? row.maximum : row.minimum, [this, axis, maximum] { return LimitSpec(axis, maximum); },
        [this, axis, maximum](bool) {
          const int value = static_cast<int>(limits_[LimitIndex(axis, maximum)].GetValue());
          // The guard has shown the accepted text; nothing else on the sheet depends on it.
          if (maximum) data_.settings.SetMaximum(axis, value);
          else data_.settings.SetMinimum(axis, value);
        });
  }
  return group;
}

CChartLimitSpec* CChartAxisPage::LimitSpec(int axis, bool maximum) {
  CChartLimitSpec& spec = limits_[LimitIndex(axis, maximum)];
  const ChartAxisSpec& record = data_.settings.Axis(axis);
  spec.SetValue(maximum ? record.Maximum() : record.Minimum());
  spec.SetPrompt(data_.settings.RangeHint(axis));
  return &spec;
}

void CChartAxisPage::Refresh() {
  for (int axis = 0; axis < kChartAxisCount; ++axis) RefreshAxis(axis);
}

void CChartAxisPage::RefreshAxis(int axis) {
  const AxisRow& row = Row(axis);
  const ChartSettings& settings = data_.settings;
  const ChartAxisSpec& record = settings.Axis(axis);
  {
    const QSignalBlocker block(row.dataType);
    row.dataType->clear();
    for (int item : ChartSettings::DataTypeItems(axis, settings.State().comparison)) {
      row.dataType->addItem(QString::fromUtf8(GetChartItem(item).label), item);
    }
    row.dataType->setCurrentIndex(row.dataType->findData(record.Item()));
  }
  {
    const QSignalBlocker block(row.range);
    row.range->setCurrentIndex(static_cast<int>(record.Mode()));
  }
  const bool editable = settings.RangeEditable(axis);
  row.minimum->setText(QString::fromStdString(settings.RangeText(axis, false)));
  row.maximum->setText(QString::fromStdString(settings.RangeText(axis, true)));
  row.minimum->setEnabled(editable);
  row.maximum->setEnabled(editable);
  row.units->setText(QString::fromUtf8(record.Units()));
  row.hint->setText(QString::fromStdString(settings.RangeHint(axis)));
}

}  // namespace brisca
