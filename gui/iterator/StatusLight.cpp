#include "gui/iterator/StatusLight.h"

namespace brisca {

StatusLight::StatusLight(const QString& text, const QColor& onColor, QWidget* parent)
    : QLabel(text, parent), onColor_(onColor) {
  setAlignment(Qt::AlignCenter);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setMargin(2);
  SetOn(false);
}

void StatusLight::SetOn(bool on) {
  if (on == on_) return;
  on_ = on;
  const QColor back = on ? onColor_ : QColor(0xD8, 0xD8, 0xD8);
  const QColor text = on ? (onColor_.lightness() > 140 ? Qt::black : Qt::white) : QColor(0x80, 0x80, 0x80);
  setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; font-weight: bold; }")
                    .arg(back.name(), text.name()));
}

}  // namespace brisca
