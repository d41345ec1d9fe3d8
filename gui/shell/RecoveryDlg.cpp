#include "gui/shell/RecoveryDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace brisca {

RecoveryDlg::RecoveryDlg(const std::vector<RecoveryEntry>& entries, QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget(this)) {
  setWindowTitle(tr("Recover Unsaved Engines"));
  auto* intro = new QLabel(
      tr("Brisca did not end normally the last time. These engines had changes that were not "
         "saved.\nChoose the ones to recover; the others are kept and offered again at the next "
         "start."),
      this);
  intro->setWordWrap(true);

  list_->setColumnCount(3);
  list_->setHeaderLabels({tr("Engine"), tr("Original File"), tr("Last Written")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setTextElideMode(Qt::ElideMiddle);  // a long path keeps its file name
  list_->setSelectionMode(QAbstractItemView::NoSelection);
  for (const RecoveryEntry& entry : entries) {
    auto* row = new QTreeWidgetItem(list_);
    row->setText(0, entry.title);
    row->setText(1, entry.originalFile.isEmpty() ? tr("(never saved)") : entry.originalFile);
    row->setToolTip(1, entry.originalFile);
    row->setText(2, QLocale().toString(entry.saved.toLocalTime(), QLocale::ShortFormat));
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(0, Qt::Checked);
  }
  list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  list_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
  list_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  connect(list_, &QTreeWidget::itemChanged, this, &RecoveryDlg::UpdateButtons);

  auto* buttons = new QDialogButtonBox(this);
  recover_ = buttons->addButton(tr("&Recover"), QDialogButtonBox::AcceptRole);
  discard_ = buttons->addButton(tr("&Discard"), QDialogButtonBox::DestructiveRole);
  buttons->addButton(tr("Decide &Later"), QDialogButtonBox::RejectRole);
  recover_->setDefault(true);
  connect(recover_, &QPushButton::clicked, this, [this] {
    choice_ = Choice::Recover;
    accept();
  });
  connect(discard_, &QPushButton::clicked, this, [this] {
    choice_ = Choice::Discard;
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, [this] {
    choice_ = Choice::Later;
    reject();
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
  resize(800, 260);
  UpdateButtons();
}

std::vector<int> RecoveryDlg::Checked() const {
  std::vector<int> rows;
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    if (list_->topLevelItem(i)->checkState(0) == Qt::Checked) rows.push_back(i);
  }
  return rows;
}

// Recover and Discard act on the checked rows: with none there is nothing to do.
void RecoveryDlg::UpdateButtons() {
  const bool any = !Checked().empty();
  recover_->setEnabled(any);
  discard_->setEnabled(any);
}

}  // namespace brisca
