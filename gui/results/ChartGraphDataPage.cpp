#include "gui/results/ChartGraphDataPage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

#include "core/base/ErrCode.h"
#include "core/document/VexoDoc.h"

namespace brisca {

CChartGraphDataPage::CChartGraphDataPage(ChartSheetData& data, QWidget* parent)
    : QWidget(parent),
      data_(data),
      currentOnly_(new QRadioButton(tr("Use current Document only"), this)),
      multiple_(new QRadioButton(tr("Use multiple Documents"), this)),
      ownTitle_(new QLineEdit(this)) {
  auto* layout = new QVBoxLayout(this);
  auto* sources = new QGroupBox(tr("Data Sources"), this);
  auto* sourcesLayout = new QVBoxLayout(sources);
  sourcesLayout->addWidget(currentOnly_);
  sourcesLayout->addWidget(multiple_);
  auto* group = new QButtonGroup(this);
  group->addButton(currentOnly_);
  group->addButton(multiple_);
  layout->addWidget(sources);

  auto* sets = new QGroupBox(tr("Data Sets"), this);
  auto* form = new QFormLayout(sets);
  ownTitle_->setReadOnly(true);
  ownTitle_->setObjectName(QStringLiteral("set1"));
  form->addRow(tr("Set 1:"), ownTitle_);
  for (int i = 0; i < kChosenSlots; ++i) {
    auto* list = new QComboBox(sets);
    list->setObjectName(QStringLiteral("set%1").arg(i + 2));
    list->setMinimumContentsLength(24);
    form->addRow(tr("Set %1:").arg(i + 2), list);
    sets_[static_cast<std::size_t>(i)] = list;
    connect(list, &QComboBox::activated, this, [this, i](int row) { ChooseSlot(i, row); });
  }
  layout->addWidget(sets);
  layout->addStretch();

  connect(currentOnly_, &QRadioButton::clicked, this, &CChartGraphDataPage::ChooseCurrentOnly);
  connect(multiple_, &QRadioButton::clicked, this, &CChartGraphDataPage::ChooseMultiple);
  Refresh();
}

void CChartGraphDataPage::Refresh() {
  const bool multiple = data_.settings.State().comparison;
  {
    const QSignalBlocker blockOne(currentOnly_);
    const QSignalBlocker blockTwo(multiple_);
    currentOnly_->setChecked(!multiple);
    multiple_->setChecked(multiple);
  }
  ownTitle_->setText(QString::fromStdString(data_.ownTitle));
  for (int i = 0; i < kChosenSlots; ++i) {
    QComboBox* list = sets_[static_cast<std::size_t>(i)];
    const QSignalBlocker block(list);
    list->clear();
    list->addItem(tr("(None)"));
    for (CVexoDoc* document : data_.others) list->addItem(QString::fromStdString(document->GetTitle()));
    const CVexoDoc* chosen = data_.chosen[static_cast<std::size_t>(i)];
    const auto found = std::find(data_.others.begin(), data_.others.end(), chosen);
    list->setCurrentIndex(chosen && found != data_.others.end()
                              ? static_cast<int>(found - data_.others.begin()) + 1
                              : 0);
    list->setEnabled(multiple);
  }
}

void CChartGraphDataPage::ChooseMultiple() {
  if (data_.settings.State().comparison) return;
  if (data_.settings.NeedsComboNotice() &&
      ReportNoticeCode(kNoticeComboWithDocuments, true) != MessageButton::Ok) {
    Refresh();
    return;
  }
  data_.settings.UseMultipleDocuments();
  Refresh();
  emit Changed();
}

void CChartGraphDataPage::ChooseCurrentOnly() {
  if (!data_.settings.State().comparison) return;
  data_.settings.UseCurrentDocumentOnly();
  data_.ClearSlots();
  Refresh();
  emit Changed();
}

void CChartGraphDataPage::ChooseSlot(int index, int row) {
  CVexoDoc* chosen = row > 0 && row <= static_cast<int>(data_.others.size())
                         ? data_.others[static_cast<std::size_t>(row - 1)]
                         : nullptr;
  data_.chosen[static_cast<std::size_t>(index)] = chosen;
  emit Changed();
}

}  // namespace brisca
