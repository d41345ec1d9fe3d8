#include "gui/results/chartlib/Surface3D.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/base/FatalAssert.h"

namespace brisca {
namespace {

constexpr double kZHeight = 0.8;  // the Z extent against the base's half-width of 1

double Radians(int degrees) { return degrees * std::numbers::pi / 180.0; }

struct Vec {
  double x, y, z;
};

Vec Turn(Vec v, const std::array<int, 3>& rotation) {
  // About Z (the surface's own turn), then tilt about X, then about Y.
  const double c = std::cos(Radians(rotation[2])), s = std::sin(Radians(rotation[2]));
  v = {c * v.x - s * v.y, s * v.x + c * v.y, v.z};
  const double ca = std::cos(Radians(rotation[0])), sa = std::sin(Radians(rotation[0]));
  // Tilting about X brings the far side up: the view from above.
  v = {v.x, ca * v.y - sa * v.z, sa * v.y + ca * v.z};
  const double cb = std::cos(Radians(rotation[1])), sb = std::sin(Radians(rotation[1]));
  v = {cb * v.x + sb * v.z, v.y, -sb * v.x + cb * v.z};
  return v;
}

QColor Blend(const QColor& a, const QColor& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                          static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                          static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

//! A round step (1, 2, 2.5 or 5 times a power of ten) that cuts `span` into about `parts`.
double RoundStep(double span, int parts) {
  const double raw = span / parts;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 2.5, 5.0}) {
    if (m * power >= raw) return m * power;
  }
  return 10.0 * power;
}

//! The ends and the round values between them that keep clear of the ends.
std::vector<double> Ticks(double low, double high, int parts) {
  if (!(high > low)) return {low};
  const double step = RoundStep(high - low, parts);
  std::vector<double> ticks{low};
  for (double v = std::ceil(low / step) * step; v < high; v += step) {
    if (v - low > 0.4 * step && high - v > 0.4 * step) ticks.push_back(v);
  }
  ticks.push_back(high);
  return ticks;
}

QString TickText(double value) {
  return std::abs(value - std::round(value)) < 1e-9 ? QString::number(std::llround(value))
                                                      : QString::number(value, 'f', 1);
}

}  // namespace

CSurface3D::CSurface3D(QWidget* parent) : QWidget(parent) { setMinimumSize(200, 160); }

std::vector<double>& CSurface3D::MakeGridData(int nx, int ny, double xMin, double xMax, double yMin,
                                               double yMax) {
  BRISCA_ASSERT(nx >= 2 && ny >= 2);
  nx_ = nx;
  ny_ = ny;
  xMin_ = xMin;
  xMax_ = xMax;
  yMin_ = yMin;
  yMax_ = yMax;
  z_.assign(static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny), 0.0);
  update();
  return z_;
}

double CSurface3D::Z(int ix, int iy) const {
  BRISCA_ASSERT(ix >= 0 && ix < nx_ && iy >= 0 && iy < ny_);
  return z_[static_cast<std::size_t>(iy) * static_cast<std::size_t>(nx_) + static_cast<std::size_t>(ix)];
}

void CSurface3D::SetAxisTitles(const QString& x, const QString& y, const QString& z) {
  titles_ = {x, y, z};
  update();
}

std::vector<double> CSurface3D::TickValues(int axis) const {
  BRISCA_ASSERT(axis >= 0 && axis < 3);
  if (axis == 0) return Ticks(xMin_, xMax_, std::max(1, std::min(nx_ - 1, 9)));
  if (axis == 1) return Ticks(yMin_, yMax_, 6);
  if (z_.empty()) return {};
  const auto [lowest, highest] = std::minmax_element(z_.begin(), z_.end());
  return Ticks(*lowest, *highest, 4);
}

void CSurface3D::SetColors(const Colors& colors) {
  colors_ = colors;
  update();
}

void CSurface3D::Rotate(int axis, int steps) {
  BRISCA_ASSERT(axis >= 0 && axis < 3);
  int& angle = rotation_[static_cast<std::size_t>(axis)];
  angle = ((angle + steps * kStepDegrees) % 360 + 360) % 360;
  update();
}

void CSurface3D::Home() {
  rotation_ = kHome;
  update();
}

CSurface3D::Projected CSurface3D::Project(double x, double y, double z, const QRectF& target) const {
  const Vec turned = Turn({x, y, z}, rotation_);
  // The box's corners stay inside the target whatever the turn: radius √(1+1+0.64).
  const double scale = std::min(target.width(), target.height()) / (2.0 * 1.7);
  return {QPointF(target.center().x() + turned.x * scale, target.center().y() - turned.z * scale),
          turned.y};
}

QColor CSurface3D::Shade(double t) const { return Blend(colors_.low, colors_.high, t); }

void CSurface3D::Paint(QPainter& painter, const QRectF& target) const {
  painter.save();
  painter.fillRect(target, colors_.background);
  painter.setRenderHint(QPainter::Antialiasing);
  if (nx_ < 2 || ny_ < 2) {
    painter.restore();
    return;
  }
  const auto [lowest, highest] = std::minmax_element(z_.begin(), z_.end());
  const double zSpan = *highest - *lowest > 0 ? *highest - *lowest : 1.0;
  auto nx = [&](int ix) { return -1.0 + 2.0 * ix / (nx_ - 1); };
  auto ny = [&](int iy) { return -1.0 + 2.0 * iy / (ny_ - 1); };
  auto nz = [&](double z) { return ((z - *lowest) / zSpan * 2.0 - 1.0) * kZHeight; };

  // The box's floor and its back walls' edges.
  painter.setPen(QPen(colors_.grid, 1));
  const double corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  QPolygonF floor;
  for (const auto& c : corners) floor << Project(c[0], c[1], -kZHeight, target).point;
  painter.drawPolygon(floor);
  for (const auto& c : corners) {
    painter.drawLine(Project(c[0], c[1], -kZHeight, target).point, Project(c[0], c[1], kZHeight, target).point);
  }

  // Cells, far ones first.
  struct Cell {
    QPolygonF polygon;
    double depth;
    double level;
  };
  std::vector<Cell> cells;
  cells.reserve(static_cast<std::size_t>((nx_ - 1) * (ny_ - 1)));
  for (int iy = 0; iy + 1 < ny_; ++iy) {
    for (int ix = 0; ix + 1 < nx_; ++ix) {
      Cell cell{{}, 0.0, 0.0};
      for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
        const double z = Z(ix + dx, iy + dy);
        const Projected p = Project(nx(ix + dx), ny(iy + dy), nz(z), target);
        cell.polygon << p.point;
        cell.depth += p.depth / 4;
        cell.level += (z - *lowest) / zSpan / 4;
      }
      cells.push_back(std::move(cell));
    }
  }
  std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) { return a.depth > b.depth; });
  painter.setPen(QPen(colors_.grid.darker(130), 0.6));
  for (const Cell& cell : cells) {
    painter.setBrush(Shade(cell.level));
    painter.drawPolygon(cell.polygon);
  }

  // Tick values and axis titles. X and Y are labelled along the floor edges
  // nearer the viewer, each label pushed off its edge square to it, and the
  // title beyond its labels; Z along the vertical edge furthest left, its
  // labels to the left. A label that would overlap one already drawn is left
  // out: the ends of each axis come first.
  painter.setPen(colors_.text);
  const QFont font = painter.font();
  QFont small = font;
  small.setPointSizeF(font.pointSizeF() * 0.85);
  const QFontMetricsF metrics(font);
  const QFontMetricsF smallMetrics(small);
  const QPointF centre = target.center();
  std::vector<QRectF> taken;
  auto place = [&](QRectF box) {
    box.moveLeft(std::clamp(box.left(), target.left(), target.right() - box.width()));
    box.moveTop(std::clamp(box.top(), target.top(), target.bottom() - box.height()));
    return box;
  };
  auto clear = [&](const QRectF& box) {
    return std::none_of(taken.begin(), taken.end(), [&](const QRectF& other) { return other.intersects(box); });
  };
  // An end label (`end`) moves further off its edge, in `step`s, until it is clear.
  auto draw = [&](const QString& text, QRectF box, bool end, QPointF step) {
    for (int tries = 0; end && !clear(box) && tries < 4; ++tries) box = place(box.translated(step));
    if (!end && !clear(box)) return;
    taken.push_back(box);
    painter.drawText(box, Qt::AlignCenter, text);
  };
  // Tick values in order of priority: both ends, then the values between.
  auto byPriority = [](std::vector<double> ticks) {
    if (ticks.size() > 2) std::rotate(ticks.begin() + 1, ticks.end() - 1, ticks.end());
    return ticks;
  };
  auto along = [](double v, double lo, double hi) { return hi > lo ? -1.0 + 2.0 * (v - lo) / (hi - lo) : 0.0; };
  // A floor edge: from `a` to `b` at the floor, labelled away from the box.
  auto labelEdge = [&](int axis, QPointF a3, QPointF b3, double lo, double hi, const QString& name) {
    const QPointF a = Project(a3.x(), a3.y(), -kZHeight, target).point;
    const QPointF b = Project(b3.x(), b3.y(), -kZHeight, target).point;
    QPointF normal(-(b - a).y(), (b - a).x());
    const double length = std::hypot(normal.x(), normal.y());
    normal = length > 0 ? normal / length : QPointF(0, 1);
    if (QPointF::dotProduct(normal, (a + b) / 2 - centre) < 0) normal = -normal;
    painter.setFont(small);
    double reach = 0;
    const std::vector<double> ticks = byPriority(TickValues(axis));
    for (std::size_t k = 0; k < ticks.size(); ++k) {
      const double v = ticks[k];
      const double t = (along(v, lo, hi) + 1) / 2;
      const QString text = TickText(v);
      const QSizeF size(smallMetrics.horizontalAdvance(text) + 2, smallMetrics.height());
      const double away = std::abs(normal.x()) * size.width() / 2 + std::abs(normal.y()) * size.height() / 2 + 3;
      reach = std::max(reach, 2 * away);
      QRectF box(QPointF(), size);
      box.moveCenter(a + (b - a) * t + normal * away);
      draw(text, place(box), k < 2, normal * size.height());
    }
    painter.setFont(font);
    QRectF box(0, 0, metrics.horizontalAdvance(name) + 4, metrics.height());
    box.moveCenter((a + b) / 2 + normal * (reach + metrics.height() / 2 + 2));
    draw(name, place(box), true, normal * metrics.height());
  };
  // The floor's corners by their grid sign; the nearer of two parallel edges carries the labels.
  auto depthAt = [&](double x, double y) { return Project(x, y, -kZHeight, target).depth; };
  const double xSide = depthAt(0, -1) < depthAt(0, 1) ? -1 : 1;
  const double ySide = depthAt(-1, 0) < depthAt(1, 0) ? -1 : 1;
  labelEdge(0, QPointF(-1, xSide), QPointF(1, xSide), xMin_, xMax_, titles_[0]);
  labelEdge(1, QPointF(ySide, -1), QPointF(ySide, 1), yMin_, yMax_, titles_[1]);

  QPointF corner(-1, -1);
  for (const auto& c : corners) {
    if (Project(c[0], c[1], -kZHeight, target).point.x() < Project(corner.x(), corner.y(), -kZHeight, target).point.x()) {
      corner = QPointF(c[0], c[1]);
    }
  }
  painter.setFont(small);
  const std::vector<double> zTicks = byPriority(TickValues(2));
  for (std::size_t k = 0; k < zTicks.size(); ++k) {
    const QPointF at = Project(corner.x(), corner.y(), nz(zTicks[k]), target).point;
    const QString text = TickText(zTicks[k]);
    QRectF box(0, 0, smallMetrics.horizontalAdvance(text) + 2, smallMetrics.height());
    box.moveCenter(at - QPointF(box.width() / 2 + 4, 0));
    draw(text, place(box), k < 2, QPointF(0, k == 0 ? -smallMetrics.height() : smallMetrics.height()) * 0.6);
  }
  painter.setFont(font);
  QRectF zTitle(0, 0, metrics.horizontalAdvance(titles_[2]) + 4, metrics.height());
  zTitle.moveCenter(Project(corner.x(), corner.y(), kZHeight, target).point - QPointF(0, 1.2 * metrics.height()));
  draw(titles_[2], place(zTitle), true, QPointF(0, -metrics.height() / 2));
  painter.restore();
}

void CSurface3D::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter, rect());
}

}  // namespace brisca
