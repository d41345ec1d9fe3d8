#include "gui/engine/PopUpStatic.h"

#include <QPainter>

#include "gui/shell/ColorScheme.h"

namespace brisca {
namespace {

constexpr int kFlashSteps = 4;
constexpr int kFlashIntervalMs = 20;

}  // namespace

CPopUpStatic::CPopUpStatic(QWidget* parent) : QWidget(parent) {
  flashTimer_.setInterval(kFlashIntervalMs);
  connect(&flashTimer_, &QTimer::timeout, this, &CPopUpStatic::FlashStep);
}

void CPopUpStatic::SetShownText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  setAccessibleName(text);
  repaint();
}

void CPopUpStatic::SetGroupHot(bool hot) {
  if (hot == groupHot_) return;
  groupHot_ = hot;
  update();
}

void CPopUpStatic::FlashStep() {
  if (++flashStep_ > kFlashSteps) {
    flashStep_ = 0;
    flashTimer_.stop();
  }
  update();
}

void CPopUpStatic::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = rect();
  const QColor plain = SchemeColor(groupHot_ ? colors_.hotBackground : colors_.background);
  const bool focused = hasFocus();
  if (focused && flashPending_ && flashStep_ == 0) {
    // The focus colour grows from the centre: inset 3/8 on each side, then 1/8 less each step.
    flashPending_ = false;
    flashStep_ = 1;
    flashTimer_.start();
  }
  painter.fillRect(area, plain);
  if (focused) {
    QRect fill = area;
    if (flashStep_ > 0) {
      const int dx = area.width() * (kFlashSteps - flashStep_) / 8;
      const int dy = area.height() * (kFlashSteps - flashStep_) / 8;
      fill = area.adjusted(dx, dy, -dx, -dy);
    }
    painter.fillRect(fill, SchemeColor(colors_.focusBackground));
  }

  painter.setFont(font());
  const int flags = multiLine_ ? (Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap)
                               : (Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
  const QRect textArea = area.adjusted(2, multiLine_ ? 1 : 0, -1, 0);
  if (!isEnabled()) {
    painter.setPen(SchemeColor(groupHot_ ? colors_.hotDisabledShadow : colors_.disabledShadow));
    painter.drawText(textArea.adjusted(1, 0, 1, 0), flags, text_);
    painter.setPen(SchemeColor(groupHot_ ? colors_.hotDisabledFace : colors_.disabledFace));
    painter.drawText(textArea.adjusted(0, 0, 0, -2), flags, text_);
    return;
  }
  const int textEntry = focused ? colors_.focusText : (groupHot_ ? colors_.hotText : colors_.text);
  painter.setPen(SchemeColor(textEntry));
  painter.drawText(textArea, flags, text_);
}

}  // namespace brisca
