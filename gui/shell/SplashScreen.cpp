#include "gui/shell/SplashScreen.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QThread>

#include <algorithm>
#include <cmath>

#include "core/base/Version.h"

namespace brisca {
namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 340;

// A power and a torque curve of a made-up engine: the picture of what the
// program does, drawn across the lower half of the splash.
void PaintCurves(QPainter& p, const QRectF& area) {
  QPainterPath power;
  QPainterPath torque;
  for (int i = 0; i <= 60; ++i) {
    const double x = i / 60.0;
    const double tq = 0.62 + 0.30 * std::sin(x * 2.6) - 0.18 * x * x;
    const double hp = tq * (0.25 + 1.25 * x) * 0.78;
    const QPointF pt(area.left() + x * area.width(), area.bottom() - tq * area.height());
    const QPointF ph(area.left() + x * area.width(), area.bottom() - hp * area.height());
    if (i == 0) {
      torque.moveTo(pt);
      power.moveTo(ph);
    } else {
      torque.lineTo(pt);
      power.lineTo(ph);
    }
  }
  p.setPen(QPen(QColor(0x3A, 0x5A, 0x8C), 1));
  for (int i = 1; i < 6; ++i) {
    const double y = area.top() + i * area.height() / 6;
    p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
  }
  p.setPen(QPen(QColor(0xFF, 0x8A, 0x5C), 3));
  p.drawPath(torque);
  p.setPen(QPen(QColor(0xFF, 0xD1, 0x66), 3));
  p.drawPath(power);
}

}  // namespace

SplashScreen::SplashScreen() : QSplashScreen(Paint()) {}

QPixmap SplashScreen::Paint() {
  QPixmap pixmap(kWidth, kHeight);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient background(0, 0, 0, kHeight);
  background.setColorAt(0, QColor(0x1A, 0x3A, 0x6E));
  background.setColorAt(1, QColor(0x0B, 0x16, 0x30));
  p.fillRect(pixmap.rect(), background);

  PaintCurves(p, QRectF(28, 150, kWidth - 56, 150));

  QFont title(QStringLiteral("Sans Serif"));
  title.setPixelSize(64);
  title.setBold(true);
  title.setItalic(true);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRect(28, 24, kWidth - 56, 80), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Brisca"));

  QFont subtitle(QStringLiteral("Sans Serif"));
  subtitle.setPixelSize(18);
  p.setFont(subtitle);
  p.setPen(QColor(0xFF, 0xD1, 0x66));
  p.drawText(QRect(30, 100, kWidth - 60, 28), Qt::AlignLeft | Qt::AlignVCenter,
             QObject::tr("Engine Dynamometer Simulator"));

  QFont small(QStringLiteral("Sans Serif"));
  small.setPixelSize(13);
  p.setFont(small);
  p.setPen(QColor(0xDC, 0xE6, 0xF5));
  p.drawText(QRect(30, kHeight - 30, kWidth - 60, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QObject::tr("Version %1").arg(QString::fromLatin1(ProgramVersion())));
  p.drawText(QRect(30, kHeight - 30, kWidth - 60, 20), Qt::AlignRight | Qt::AlignVCenter,
             QObject::tr("Starting..."));
  p.setPen(QPen(QColor(0xFF, 0xD1, 0x66), 2));
  p.drawRect(QRectF(1, 1, kWidth - 2, kHeight - 2));
  return pixmap;
}

void SplashScreen::ShowNow() {
  show();
  raise();
  shown_.start();
  QCoreApplication::processEvents();
}

void SplashScreen::WaitUntilShownFor(int minimumMs) {
  // The monotonic clock does not wrap, so one measurement is enough.
  while (shown_.elapsed() < minimumMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const qint64 left = minimumMs - shown_.elapsed();
    if (left > 0) QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 20)));
  }
}

}  // namespace brisca
