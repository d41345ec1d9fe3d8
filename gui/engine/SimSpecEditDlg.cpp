#include "gui/engine/SimSpecEditDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"
#include "core/spec/SimSpec.h"
#include "gui/engine/ComponentMenuBuilder.h"
#include "gui/engine/SimSpecEditCtrl.h"
#include "gui/shell/ColorScheme.h"

namespace brisca {
namespace {

constexpr int kDialogColor = 51;
constexpr int kPlacementOffset = 8;  // the dialog starts this far left of the field

std::function<void()>& BeepHook() {
  static std::function<void()> hook;
  return hook;
}

void Beep() {
  if (BeepHook()) {
    BeepHook()();
  } else {
    QApplication::beep();
  }
}

}  // namespace

CSimSpecEditDlg* CSimSpecEditDlg::open_ = nullptr;

void CSimSpecEditDlg::SetBeepHook(std::function<void()> hook) { BeepHook() = std::move(hook); }

CSimSpecEditDlg::CSimSpecEditDlg(CVexoDoc& document, CSimSpecEditCtrl& control, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      document_(document),
      control_(control) {
  BRISCA_ASSERT(open_ == nullptr);
  open_ = this;
  setObjectName(QStringLiteral("simSpecEditDlg"));
  setFont(control.font());
  QPalette colors = palette();
  colors.setColor(QPalette::Window, SchemeColor(kDialogColor));
  setPalette(colors);
  setAutoFillBackground(true);

  const bool typing = control.EditMode() == CSimSpecEditCtrl::kTypeOrMenu;
  // Unassigned notes open as an empty box: "***" there is not selected and would
  // end up inside the text the user types.
  const bool noNotes = control.IsMultiLine() && !control.Spec()->IsAssigned();
  initial_ = noNotes ? QString() : QString::fromStdString(control.Spec()->GetText());
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->setSpacing(2);
  const QFontMetrics metrics(font());
  auto* ok = new QToolButton(this);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
  ok->setToolTip(tr("OK"));
  auto* cancel = new QToolButton(this);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  cancel->setToolTip(tr("Cancel"));
  connect(ok, &QToolButton::clicked, this, &CSimSpecEditDlg::OnOk);
  connect(cancel, &QToolButton::clicked, this, &QDialog::reject);

  if (control.IsMultiLine()) {
    text_ = new QPlainTextEdit(this);
    text_->setPlainText(initial_);
    text_->setReadOnly(!typing);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setMinimumSize(0, 0);
    layout->addWidget(text_, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    text_->setFocus();
  } else {
    line_ = new QLineEdit(this);
    line_->setText(initial_);
    line_->setReadOnly(!typing);
    line_->setMinimumWidth(metrics.averageCharWidth() * 60 / 4);
    line_->selectAll();
    connect(line_, &QLineEdit::returnPressed, this, &CSimSpecEditDlg::OnOk);
    menuButton_ = new QToolButton(this);
    menuButton_->setObjectName(QStringLiteral("menuButton"));
    menuButton_->setArrowType(Qt::DownArrow);
    menuButton_->setPopupMode(QToolButton::InstantPopup);
    menuButton_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    if (ActiveScheme() != 0) {
      menuButton_->setStyleSheet(
          QStringLiteral("QToolButton { background: %1; border: 1px solid %2; }")
              .arg(SchemeColor(4).name(), SchemeColor(6).name()));
    }
    BuildMenu();
    layout->addWidget(line_, 1);
    layout->addWidget(menuButton_);
    layout->addWidget(ok);
    layout->addWidget(cancel);
    line_->setFocus();
  }
  if (text_) {
    // 268 x 61 dialog units of the field's font.
    setFixedSize(metrics.averageCharWidth() * 268 / 4, metrics.height() * 61 / 8);
  } else {
    adjustSize();
  }
  Place();
}

CSimSpecEditDlg::~CSimSpecEditDlg() {
  BRISCA_ASSERT(open_ == this);
  open_ = nullptr;
}

void CSimSpecEditDlg::BuildMenu() {
  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("componentMenu"));
  const int menuId = control_.Menu();
  const bool hasMenu = menuId != 0 && BuildComponentMenu(*menu_, menuId, [this](int command) {
    // The document closes the dialog whether or not the command changed
    // anything (a warning cancelled, the port-flow editor left as it was).
    const bool applied = document_.OnComponentCommand(command);
    stored_ = stored_ || applied;
  });
  if (!hasMenu) {
    menu_->setTitle(QStringLiteral("Empty PopUp"));
    menu_->addAction(QStringLiteral("Empty"))->setEnabled(false);
  }
  menuButton_->setMenu(menu_);
  menuButton_->setEnabled(hasMenu);
  connect(menu_, &QMenu::aboutToShow, this, &CSimSpecEditDlg::RefreshMenuChecks);
}

void CSimSpecEditDlg::RefreshMenuChecks() {
  SetMenuChecks(*menu_, document_);
}

QString CSimSpecEditDlg::Text() const {
  return text_ ? text_->toPlainText() : line_->text();
}

void CSimSpecEditDlg::SetText(const QString& text) {
  if (text_) {
    text_->setPlainText(text);
  } else {
    line_->setText(text);
  }
}

void CSimSpecEditDlg::OnOk() {
  if (control_.EditMode() != CSimSpecEditCtrl::kTypeOrMenu || Text().trimmed() == initial_.trimmed()) {
    accept();
    return;
  }
  switch (control_.ApplyText(Text().trimmed())) {
    case CSimSpecEditCtrl::kStored:
      stored_ = true;
      accept();
      return;
    case CSimSpecEditCtrl::kRefused:
      reject();
      return;
    default:
      Beep();
      if (line_) {
        line_->setFocus();
        line_->selectAll();
      } else {
        text_->setFocus();
        text_->selectAll();
      }
      // Without sound the beep says nothing: the status bar names the allowed range.
      control_.ShowPrompt();
  }
}

void CSimSpecEditDlg::PostCloseAccepted() {
  QMetaObject::invokeMethod(this, [this] { done(QDialog::Accepted); }, Qt::QueuedConnection);
}

void CSimSpecEditDlg::Place() {
  const QPoint fieldTopLeft = control_.mapToGlobal(QPoint(0, 0));
  const int fieldHeight = control_.height();
  int top = fieldTopLeft.y();
  if (fieldHeight < height()) top -= (height() - fieldHeight) / 2;
  move(fieldTopLeft.x() - kPlacementOffset, top);
}

}  // namespace brisca
