#include "gui/results/ChartPropertiesSheet.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/base/ErrCode.h"
#include "core/document/VexoDoc.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ChartAxisPage.h"
#include "gui/results/ChartGraphDataPage.h"
#include "gui/results/ChartZonesPage.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/ValueEditGuard.h"

namespace brisca {
namespace {

// The comparison slots 1..3 of `view` as the sheet's working copy.
std::array<CVexoDoc*, kChosenSlots> ChosenSlots(const CChart2dView& view) {
  std::array<CVexoDoc*, kChosenSlots> chosen{};
  for (int i = 0; i < kChosenSlots; ++i) chosen[static_cast<std::size_t>(i)] = view.Slot(i + 1).document;
  return chosen;
}

}  // namespace

CChartPropertiesSheet::CChartPropertiesSheet(CChart2dView& view, std::vector<CVexoDoc*> others, QWidget* parent)
    : QDialog(parent),
      view_(view),
      data_{ChartSettings(view.State(), view.Role()), ChosenSlots(view), view.Document().GetTitle(),
            std::move(others)},
      help_(new QLabel(this)),
      guard_(new ValueEditGuard(this, help_)),
      tabs_(new QTabWidget(this)),
      graphData_(new CChartGraphDataPage(data_, tabs_)),
      axes_(new CChartAxisPage(data_, *guard_, tabs_)),
      zones_(new CChartZonesPage(data_, *guard_, tabs_)),
      ok_(new QPushButton(tr("OK"), this)),
      cancel_(new QPushButton(tr("Cancel"), this)),
      apply_(new QPushButton(tr("&Apply"), this)),
      resetAll_(new QPushButton(tr("Reset All"), this)) {
  setWindowTitle(tr("2D Chart Properties"));
  tabs_->addTab(graphData_, tr("Graph Data"));
  tabs_->addTab(axes_, tr("Axis Properties"));
  tabs_->addTab(zones_, tr("Data Zones"));

  help_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  help_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 60);
  auto* helpRow = new QHBoxLayout;
  helpRow->addWidget(new QLabel(tr("Help Text:"), this));
  helpRow->addWidget(help_, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(resetAll_);
  buttons->addStretch();
  ok_->setDefault(true);
  // A click on Cancel leaves the focus where it is: leaving an edit that holds
  // a rejected text would take the focus back and swallow the click.
  cancel_->setFocusPolicy(Qt::TabFocus);
  for (QPushButton* button : {ok_, cancel_, apply_}) buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(helpRow);
  layout->addLayout(buttons);

  connect(graphData_, &CChartGraphDataPage::Changed, this, &CChartPropertiesSheet::RefreshPages);
  connect(axes_, &CChartAxisPage::Changed, this, &CChartPropertiesSheet::RefreshPages);
  connect(zones_, &CChartZonesPage::Changed, this, &CChartPropertiesSheet::RefreshPages);
  connect(ok_, &QPushButton::clicked, this, &CChartPropertiesSheet::accept);
  connect(cancel_, &QPushButton::clicked, this, &CChartPropertiesSheet::reject);
  connect(apply_, &QPushButton::clicked, this, [this] { Apply(); });
  connect(resetAll_, &QPushButton::clicked, this, &CChartPropertiesSheet::ResetAll);
}

CChartPropertiesSheet::~CChartPropertiesSheet() = default;

void CChartPropertiesSheet::StartOnCustomRange(int axis) {
  data_.settings.SelectRange(axis, RangeMode::Custom);
  RefreshPages();
  tabs_->setCurrentWidget(axes_);
  axes_->MinimumEdit(axis)->setFocus(Qt::OtherFocusReason);
  axes_->MinimumEdit(axis)->selectAll();
}

void CChartPropertiesSheet::RefreshPages() {
  graphData_->Refresh();
  axes_->Refresh();
  zones_->Refresh();
}

void CChartPropertiesSheet::ResetAll() {
  data_.settings.ResetAll();
  data_.ClearSlots();
  RefreshPages();
}

bool CChartPropertiesSheet::Apply() { return ApplyFrom(apply_); }

bool CChartPropertiesSheet::ApplyFrom(QPushButton* button) {
  if (!guard_->CommitFocus(button)) return false;
  int code = 0;
  if (!data_.settings.Validate(code)) {
    tabs_->setCurrentWidget(code == kErrZoneRange || code == kErrZoneOverlap ? static_cast<QWidget*>(zones_)
                                                                             : static_cast<QWidget*>(axes_));
    ReportErrorCode(code);
    return false;
  }
  view_.ApplyProperties(data_.settings.State(), data_.chosen);
  return true;
}

void CChartPropertiesSheet::accept() {
  if (ApplyFrom(ok_)) QDialog::accept();
}

}  // namespace brisca
