// The 3D surface: turning in 5° steps about each axis and back Home, and the
// picture: a grid with a peak shows both ends of the colour scale, the peak's
// colour where it stands, and another picture after a turn; the axes carry
// tick values, both ends included.
#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>

#include "gui/results/chartlib/Surface3D.h"

using brisca::CSurface3D;

namespace {

QImage Picture(const CSurface3D& surface) {
  QImage image(400, 320, QImage::Format_RGB32);
  QPainter painter(&image);
  surface.Paint(painter, image.rect());
  return image;
}

int Count(const QImage& image, const QColor& colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      n += qAbs(c.red() - colour.red()) < 24 && qAbs(c.green() - colour.green()) < 24 &&
           qAbs(c.blue() - colour.blue()) < 24;
    }
  }
  return n;
}

}  // namespace

class TestSurface3D : public QObject {
  Q_OBJECT

 private slots:
  void turnsInFiveDegreeStepsAndHomeReturnsToTheStartView() {
    CSurface3D surface;
    QCOMPARE(surface.Rotation(), (std::array<int, 3>{25, 0, 220}));
    surface.Rotate(0, 1);
    surface.Rotate(1, -2);
    surface.Rotate(2, 30);  // 220 + 150 wraps to 10
    QCOMPARE(surface.Rotation(), (std::array<int, 3>{30, 350, 10}));
    surface.Home();
    QCOMPARE(surface.Rotation(), (std::array<int, 3>{25, 0, 220}));
  }

  void aPeakIsPaintedInTheHighColourOverTheLowOnes() {
    CSurface3D surface;
    std::vector<double>& z = surface.MakeGridData(21, 17, 0, 1, 0, 1);
    QCOMPARE(z.size(), std::size_t(21 * 17));
    for (int iy = 0; iy < 17; ++iy) {
      for (int ix = 0; ix < 21; ++ix) {
        const double dx = (ix - 10) / 4.0, dy = (iy - 8) / 4.0;
        z[static_cast<std::size_t>(iy * 21 + ix)] = std::exp(-(dx * dx + dy * dy));
      }
    }
    QCOMPARE(surface.Z(10, 8), 1.0);
    CSurface3D::Colors colors;
    colors.low = QColor(0, 0, 255);
    colors.high = QColor(255, 0, 0);
    surface.SetColors(colors);
    surface.SetAxisTitles("X", "Y", "Z");
    const QImage start = Picture(surface);
    QVERIFY(Count(start, colors.low) > 2000);
    QVERIFY(Count(start, colors.high) > 20);
    // The peak stands above the middle of the picture.
    const QColor top = start.pixelColor(200, 160 - 40);
    QVERIFY2(top.red() > top.blue(), qPrintable(top.name()));
    surface.Rotate(0, 6);
    QVERIFY(Picture(surface) != start);
  }

  // Each axis is labelled at both ends of its range and at round values
  // between them, in ascending order; the labels are painted.
  void axesCarryTickValues() {
    CSurface3D surface;
    std::vector<double>& z = surface.MakeGridData(10, 28, 1, 10, 1.0, 14.5);
    for (int iy = 0; iy < 28; ++iy) {
      for (int ix = 0; ix < 10; ++ix) z[static_cast<std::size_t>(iy * 10 + ix)] = 182.3 + 3.0 * ix + 2.0 * iy;
    }
    const struct {
      int axis;
      double low, high;
    } axes[] = {{0, 1.0, 10.0}, {1, 1.0, 14.5}, {2, 182.3, 182.3 + 27.0 + 54.0}};
    for (const auto& a : axes) {
      const std::vector<double> ticks = surface.TickValues(a.axis);
      QVERIFY2(ticks.size() >= 3, qPrintable(QString::number(a.axis)));
      QCOMPARE(ticks.front(), a.low);
      QVERIFY(std::abs(ticks.back() - a.high) < 1e-9);
      for (std::size_t i = 1; i < ticks.size(); ++i) QVERIFY(ticks[i] > ticks[i - 1]);
      for (std::size_t i = 1; i + 1 < ticks.size(); ++i) {
        QVERIFY2(std::abs(ticks[i] * 2 - std::round(ticks[i] * 2)) < 1e-9, qPrintable(QString::number(ticks[i])));
      }
    }
    CSurface3D::Colors colors;
    colors.text = QColor(0, 170, 0);
    surface.SetColors(colors);
    surface.SetAxisTitles(QString(), QString(), QString());
    QVERIFY(Count(Picture(surface), colors.text) > 30);
  }
};

QTEST_MAIN(TestSurface3D)
#include "tst_surface3d.moc"
