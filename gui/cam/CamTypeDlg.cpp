#include "gui/cam/CamTypeDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/base/ErrCode.h"

namespace brisca {
namespace {

constexpr int kErrNoCamDescription = 28;
constexpr int kMaxCamNameLength = 72;

}  // namespace

CCamTypeDlg::CCamTypeDlg(const QString& name, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Enter a Custom Cam Description"));
  setObjectName(QStringLiteral("camTypeDlg"));
  edit_ = new QLineEdit(name, this);
  edit_->setMaxLength(kMaxCamNameLength);
  edit_->setMinimumWidth(edit_->fontMetrics().averageCharWidth() * 48);
  edit_->selectAll();
  auto* ok = new QPushButton(tr("OK"), this);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  ok->setDefault(true);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &CCamTypeDlg::OnOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("Cam Description:"), this));
  layout->addWidget(edit_);
  layout->addLayout(buttons);
}

void CCamTypeDlg::OnOk() {
  const QString trimmed = edit_->text().trimmed();
  if (trimmed.isEmpty()) {
    ReportErrorCode(kErrNoCamDescription);
    edit_->setFocus();
    return;
  }
  name_ = trimmed;
  accept();
}

}  // namespace brisca
