#include "gui/engine/SimSpecEditCtrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"
#include "core/spec/SimSpec.h"
#include "gui/engine/ClickSound.h"

namespace brisca {
namespace {

const char* const kFieldPrompt = "Press Enter or Left Click to edit this parameter";
const char* const kReady = "Ready";

}  // namespace

CSimSpecEditCtrl::CSimSpecEditCtrl(CVexoDoc& document, int id, QWidget* parent)
    : CPopUpStatic(parent), document_(document), id_(id) {
  setObjectName(QStringLiteral("field%1").arg(id));
  setFocusPolicy(Qt::NoFocus);
}

void CSimSpecEditCtrl::BindSpec(int groupId, CSimSpec& spec, int mode, int menu) {
  groupId_ = groupId;
  editable_ = &spec;
  shown_ = &spec;
  menu_ = menu;
  SetMultiLine(spec.IsMultiLine());
  SetEditMode(mode);
}

void CSimSpecEditCtrl::BindSpec(int groupId, const CSimSpec& spec, int mode, int menu) {
  groupId_ = groupId;
  editable_ = nullptr;
  shown_ = &spec;
  menu_ = menu;
  SetMultiLine(spec.IsMultiLine());
  SetEditMode(mode);
}

void CSimSpecEditCtrl::SetEditMode(int mode) {
  BRISCA_ASSERT(mode >= kTypeOrMenu && mode <= kDisplayOnly);
  BRISCA_ASSERT(mode != kTypeOrMenu || editable_ != nullptr);
  mode_ = mode;
  PopUpColors colors;
  colors.text = mode == kDisplayOnly ? 12 : 10;
  colors.hotText = mode == kDisplayOnly ? 11 : 9;
  SetColors(colors);
  // Display-only fields take neither clicks nor the keyboard focus.
  setFocusPolicy(mode == kDisplayOnly ? Qt::NoFocus : Qt::StrongFocus);
  if (mode == kDisplayOnly && hasFocus()) clearFocus();
  RefreshToolTip();
  update();
}

bool CSimSpecEditCtrl::RefreshText(bool units) {
  BRISCA_ASSERT(shown_ != nullptr);
  const QString text =
      QString::fromStdString(units ? shown_->GetTextWithUnits() : shown_->GetText()).trimmed();
  if (text == ShownText().trimmed()) return false;
  SetShownText(text);
  return true;
}

bool CSimSpecEditCtrl::ShowUnknown(bool units) {
  BRISCA_ASSERT(shown_ != nullptr);
  // The unit is what GetTextWithUnits adds after the value's own text.
  const std::string unit = units ? shown_->GetTextWithUnits().substr(shown_->GetText().size()) : "";
  const QString text = QString::fromStdString(kUnassignedText + unit).trimmed();
  if (text == ShownText().trimmed()) return false;
  SetShownText(text);
  return true;
}

int CSimSpecEditCtrl::ApplyText(const QString& text) {
  BRISCA_ASSERT(mode_ == kTypeOrMenu && editable_ != nullptr);
  const std::string typed = text.toStdString();
  if (!editable_->SetFromText(typed, true)) return kInvalidText;
  if (!document_.ConfirmSpecChange(*editable_)) return kRefused;
  const bool stored = editable_->SetFromText(typed);
  BRISCA_ASSERT(stored);
  return kStored;
}

void CSimSpecEditCtrl::ShowPrompt() {
  BRISCA_ASSERT(shown_ != nullptr);
  emit StatusText(QString::fromStdString(shown_->GetPrompt()));
}

void CSimSpecEditCtrl::RefreshToolTip() {
  BRISCA_ASSERT(shown_ != nullptr);
  std::string hint = shown_->GetPrompt();
  if (mode_ == kDisplayOnly) {
    const std::string range = shown_->GetRangeText();
    hint = std::string(shown_->GetLabel()) + (range.empty() ? "" : ": " + range);
  }
  const QString text = QString::fromStdString(hint);
  if (toolTip() != text) setToolTip(text);
}

void CSimSpecEditCtrl::RequestEdit() {
  if (!TakesInput() || dialog_) return;
  QMetaObject::invokeMethod(this, [this] { emit EditRequested(this); }, Qt::QueuedConnection);
}

void CSimSpecEditCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !TakesInput()) return;
  if (hasFocus()) {
    RequestEdit();
  } else {
    setFocus(Qt::MouseFocusReason);
  }
}

void CSimSpecEditCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !TakesInput()) return;
  setFocus(Qt::MouseFocusReason);
  RequestEdit();
}

void CSimSpecEditCtrl::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    RequestEdit();
    return;
  }
  CPopUpStatic::keyPressEvent(event);
}

void CSimSpecEditCtrl::enterEvent(QEnterEvent* event) {
  CPopUpStatic::enterEvent(event);
  if (!TakesInput() || hasFocus() || QApplication::activeModalWidget()) return;
  SetFlashPending();
  ClickSound::Play();
  setFocus(Qt::MouseFocusReason);
}

void CSimSpecEditCtrl::focusInEvent(QFocusEvent* event) {
  CPopUpStatic::focusInEvent(event);
  repaint();
  emit StatusText(QString::fromLatin1(kFieldPrompt));
}

void CSimSpecEditCtrl::focusOutEvent(QFocusEvent* event) {
  CPopUpStatic::focusOutEvent(event);
  repaint();
  if (!dialog_) emit StatusText(QString::fromLatin1(kReady));
}

}  // namespace brisca
