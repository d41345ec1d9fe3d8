#include "gui/results/MeasuredDeviationDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace brisca {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Room for the frame, the scroll bar and a little air round the columns.
constexpr int kTableSlack = 24;
// Rows shown without scrolling before the window stops growing.
constexpr int kRowsShown = 16;

}  // namespace

CMeasuredDeviationDlg::CMeasuredDeviationDlg(const QString& engine, const ResultSet& simulated,
                                             const MeasuredRun& run, const TestConditions& conditions,
                                             QWidget* parent)
    : QDialog(parent),
      deviation_(CompareMeasured(simulated, run, conditions)),
      text_(MakeDeviationTable(deviation_, conditions)) {
  setObjectName(QStringLiteral("measuredDeviation"));
  setWindowTitle(tr("Measured vs Simulated"));
  auto* layout = new QVBoxLayout(this);

  auto* title = new QLabel(tr("%1 against %2").arg(engine, Text(run.name)), this);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  layout->addWidget(title);

  table_ = new QTableWidget(static_cast<int>(text_.rows.size()), static_cast<int>(text_.headings.size()), this);
  table_->setObjectName(QStringLiteral("deviationTable"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->verticalHeader()->hide();
  table_->setWordWrap(true);
  QStringList headings;
  // Two lines per heading: the quantity, then what of it and its unit.
  for (const std::string& heading : text_.headings) {
    QString h = Text(heading);
    const int split = h.indexOf(QLatin1Char(' '));
    headings << (split > 0 ? h.left(split) + QLatin1Char('\n') + h.mid(split + 1) : h);
  }
  table_->setHorizontalHeaderLabels(headings);
  for (int r = 0; r < table_->rowCount(); ++r) {
    for (int c = 0; c < table_->columnCount(); ++c) {
      auto* item = new QTableWidgetItem(Text(text_.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(r, c, item);
    }
  }
  table_->resizeColumnsToContents();
  table_->resizeRowsToContents();
  const int width = table_->horizontalHeader()->length() + kTableSlack;
  const int rows = std::min(table_->rowCount(), kRowsShown);
  const int rowHeight = table_->rowCount() > 0 ? table_->rowHeight(0) : table_->fontMetrics().height();
  table_->setMinimumSize(width, table_->horizontalHeader()->sizeHint().height() + rows * rowHeight + kTableSlack / 2);
  layout->addWidget(table_, 1);

  for (std::size_t i = 0; i < text_.summary.size(); ++i) {
    auto* line = new QLabel(Text(text_.summary[i]), this);
    line->setObjectName(QStringLiteral("summary%1").arg(i));
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(line);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* copy = buttons->addButton(tr("&Copy"), QDialogButtonBox::ActionRole);
  copy->setObjectName(QStringLiteral("copy"));
  copy->setAutoDefault(false);
  buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
  connect(copy, &QPushButton::clicked, this, &CMeasuredDeviationDlg::Copy);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  auto* shortcut = new QShortcut(QKeySequence::Copy, this);
  connect(shortcut, &QShortcut::activated, this, &CMeasuredDeviationDlg::Copy);

  setTabOrder(table_, copy);
  setTabOrder(copy, buttons->button(QDialogButtonBox::Close));
  table_->setFocus();
}

QString CMeasuredDeviationDlg::CopyText() const { return Text(DeviationTableText(text_)); }

void CMeasuredDeviationDlg::Copy() const { QApplication::clipboard()->setText(CopyText()); }

}  // namespace brisca
