#include "gui/engine/LightBar.h"

#include <QPainter>

#include "gui/shell/ColorScheme.h"

namespace brisca {

void CLightBar::SetOn(bool on) {
  if (on == on_) return;
  on_ = on;
  update();
}

void CLightBar::SetHot(bool hot) {
  if (hot == hot_) return;
  hot_ = hot;
  update();
}

int CLightBar::FillEntry() const {
  if (on_) return hot_ ? 23 : 24;
  return hot_ ? 25 : 26;
}

void CLightBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(Qt::black);
  painter.setBrush(SchemeColor(FillEntry()));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace brisca
