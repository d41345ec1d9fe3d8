#pragma once
// The 3D surface component: a grid of nx × ny Z values over X and Y ranges,
// drawn with QPainter as shaded quadrilaterals (far ones first) inside a box
// with the three axis titles. The view turns about X, Y and Z in 5° steps
// from the start view 25° / 0° / 220°; Home returns there.

#include <QColor>
#include <QString>
#include <QWidget>

#include <array>
#include <vector>

namespace brisca {

class CSurface3D : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kStepDegrees = 5;
  static constexpr std::array<int, 3> kHome = {25, 0, 220};

  explicit CSurface3D(QWidget* parent = nullptr);

  //! An nx × ny grid (both at least 2) over x in [xMin, xMax] and y in
  //! [yMin, yMax], all Z 0; returns the Z values, row by row (y major), to fill in place.
  std::vector<double>& MakeGridData(int nx, int ny, double xMin, double xMax, double yMin, double yMax);
  int Nx() const { return nx_; }
  int Ny() const { return ny_; }
  double Z(int ix, int iy) const;

  void SetAxisTitles(const QString& x, const QString& y, const QString& z);
  //! The values labelled along axis 0 (X), 1 (Y) or 2 (Z): round steps
  //! inside the axis's range, both ends included; Z spans the grid's values.
  std::vector<double> TickValues(int axis) const;

  struct Colors {
    QColor background = Qt::white;
    QColor low = QColor(0x15, 0x65, 0xC0);
    QColor high = QColor(0xC6, 0x28, 0x28);
    QColor grid = QColor(0x60, 0x60, 0x60);
    QColor text = Qt::black;
  };
  void SetColors(const Colors& colors);

  //! Turns the view about axis 0 (X), 1 (Y) or 2 (Z) by `steps` × 5°.
  void Rotate(int axis, int steps);
  void Home();
  //! Rotation about X, Y, Z in degrees, each 0..355.
  std::array<int, 3> Rotation() const { return rotation_; }

  //! Draws the surface into `target` of `painter`.
  void Paint(QPainter& painter, const QRectF& target) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Projected {
    QPointF point;
    double depth;
  };
  //! Grid point (normalised to the box -1..1) turned and projected into `target`.
  Projected Project(double x, double y, double z, const QRectF& target) const;
  QColor Shade(double z) const;

  int nx_ = 0;
  int ny_ = 0;
  double xMin_ = 0, xMax_ = 1, yMin_ = 0, yMax_ = 1;
  std::vector<double> z_;
  std::array<QString, 3> titles_;
  Colors colors_;
  std::array<int, 3> rotation_ = kHome;
};

}  // namespace brisca
