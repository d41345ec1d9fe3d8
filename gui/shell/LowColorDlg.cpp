#include "gui/shell/LowColorDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "core/base/ErrCode.h"

namespace brisca {

CLowColorDlg::CLowColorDlg(QWidget* parent)
    : QDialog(parent), dontShowAgain_(new QCheckBox(tr("Do not show this message again"), this)) {
  const Message notice = ComposeNoticeMessage(106);
  setWindowTitle(QString::fromStdString(notice.title));

  auto* icon = new QLabel(this);
  const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
  icon->setAlignment(Qt::AlignTop);
  auto* text = new QLabel(QString::fromStdString(notice.text).trimmed(), this);

  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addWidget(text, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(dontShowAgain_);
  layout->addWidget(buttons);
}

bool CLowColorDlg::DontShowAgain() const { return dontShowAgain_->isChecked(); }

}  // namespace brisca
