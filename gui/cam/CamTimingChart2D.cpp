#include "gui/cam/CamTimingChart2D.h"

#include <QLineSeries>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>

#include "core/valvetrain/CamLobeShape.h"
#include "core/valvetrain/CamProfile.h"

namespace brisca {
namespace {

constexpr double kFirstAngle = 0.0;
constexpr double kLastAngle = 720.0;
constexpr double kAngleStep = 90.0;
constexpr double kTierHeight = 16.0;  // [px] between annotation rows
constexpr double kTopGap = 4.0;       // [px] above the first row
const QColor kExhaustColor(Qt::red);
const QColor kIntakeColor(Qt::blue);
const QColor kStrokeColor(128, 128, 128);

struct Stroke {
  const char* name;
  double from;
};
constexpr Stroke kStrokes[] = {{"Power", 0}, {"Exhaust", 180}, {"Intake", 360}, {"Compression", 540}};

ChartData CurveData(const std::vector<LobePoint>& curve) {
  ChartData data(1, kLobeShapePoints);
  for (int i = 0; i < kLobeShapePoints; ++i) {
    const bool has = i < static_cast<int>(curve.size());
    data.SetX(0, i, has ? curve[i].angle : 0.0);
    data.SetY(0, i, has ? curve[i].lift : 0.0);
  }
  data.SetDisplay(0, curve.empty() ? SeriesDisplay::Hidden : SeriesDisplay::Shown);
  return data;
}

double Value(const CFloatPtSpec& spec) { return spec.GetValue(); }

}  // namespace

// Paints the annotations over the plot; lets the mouse through to the chart.
class CCamTimingChart2D::Overlay : public QWidget {
 public:
  explicit Overlay(CCamTimingChart2D& chart) : QWidget(chart.viewport()), chart_(chart) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    chart_.PaintAnnotations(painter);
  }

 private:
  CCamTimingChart2D& chart_;
};

CCamTimingChart2D::CCamTimingChart2D(QWidget* parent) : CChart2D(parent) {
  setObjectName(QStringLiteral("camTimingChart"));
  font_ = QFont(QStringLiteral("Arial"));
  font_.setPointSize(8);
  SetAxisTitle(ChartAxis::X, tr("Crank Degrees"));
  SetAxisFixed(ChartAxis::X, kFirstAngle, kLastAngle, kAngleStep);
  SetY2Shown(true);
  SetLegendShown(false);
  if (QChart* c = chart()) {
    for (QAbstractAxis* axis : c->axes()) {
      axis->setLabelsFont(font_);
      axis->setTitleFont(font_);
      // The lift axes give each label the axis height over the tick count; the
      // 13 millimetre ticks of a seat-to-seat chart would leave every number
      // elided, though the numbers are narrow and never overlap.
      axis->setTruncateLabels(false);
    }
  }
  overlay_ = new Overlay(*this);
  connect(this, &CChart2D::PlotAreaMoved, this, [this] {
    LayoutAnnotations();
    overlay_->update();
  });
}

CCamTimingChart2D::~CCamTimingChart2D() = default;

void CCamTimingChart2D::SetProfile(const CCamProfile& profile) {
  SetRepaint(false);
  const TimingCurves curves = ProfileTimingCurves(profile);
  SetData(ChartAxis::Y1, CurveData(curves.exhaust), {tr("Exhaust")});
  SetData(ChartAxis::Y2, CurveData(curves.intake), {tr("Intake")});
  SetSeriesStyle(ChartAxis::Y1, 0, {kExhaustColor, 2.0, 0.0});
  SetSeriesStyle(ChartAxis::Y2, 0, {kIntakeColor, 2.0, 0.0});

  const LiftScale scale = TimingLiftScale(profile);
  const QString title = profile.IntakeLift().IsMetric() ? tr("VALVE LIFT ( MM )") : tr("VALVE LIFT ( IN. )");
  for (ChartAxis axis : {ChartAxis::Y1, ChartAxis::Y2}) {
    SetAxisFixed(axis, scale.min, scale.max, scale.step);
    SetAxisTitle(axis, title);
  }
  Rescale();

  exhaustShown_ = !curves.exhaust.empty();
  intakeShown_ = !curves.intake.empty();
  const auto event = [&](CamEvent e) { return Value(profile.Event(TimingSet::Primary, e)); };
  evo_ = event(kEVO);
  evc_ = event(kEVC);
  ivo_ = event(kIVO);
  ivc_ = event(kIVC);
  intakeLift_ = Value(profile.IntakeLift());
  exhaustLift_ = Value(profile.ExhaustLift());
  card_ = profile.IntakeCenterline().IsValid() && profile.ExhaustCenterline().IsValid() &&
          profile.LobeCenterAngle().IsValid() && profile.ValveOverlap().IsValid();
  intakeCentre_ = Value(profile.IntakeCenterline());
  exhaustCentre_ = Value(profile.ExhaustCenterline());
  lobeCentre_ = Value(profile.LobeCenterAngle());
  overlap_ = Value(profile.ValveOverlap());
  intakeDuration_ = Value(profile.IntakeDuration());
  exhaustDuration_ = Value(profile.ExhaustDuration());
  liftMin_ = scale.min;
  SetRepaint(true);
  EnsureLayout();
  LayoutAnnotations();
  overlay_->update();
}

void CCamTimingChart2D::resizeEvent(QResizeEvent* event) {
  CChart2D::resizeEvent(event);
  overlay_->setGeometry(viewport()->rect());
  LayoutAnnotations();
}

QPointF CCamTimingChart2D::Pixel(double angle, double lift) const {
  return mapFromScene(ChartPoint(QPointF(angle, lift), ChartAxis::Y1));
}

void CCamTimingChart2D::LayoutAnnotations() {
  annotations_.clear();
  const QRectF plot = mapFromScene(ChartPlotArea()).boundingRect();
  if (plot.width() <= 0) return;
  double y = plot.top() + kTopGap + kTierHeight / 2.0;
  const auto row = [&] {
    const double at = y;
    y += kTierHeight;
    return at;
  };
  const auto x = [&](double angle) { return Pixel(angle, liftMin_).x(); };
  const auto add = [&](CDimension d, double from, double to, double at) {
    annotations_.push_back({d, QPointF(x(from), at), QPointF(x(to), at)});
  };

  const double strokes = row();
  for (const Stroke& s : kStrokes) {
    CDimension d(CDimension::kHorizontal, CDimension::kAutomatic, 0, QString::fromUtf8(s.name), nullptr);
    d.SetLineColor(kStrokeColor);
    d.SetTextColor(kStrokeColor);
    add(d, s.from, s.from + 180.0, strokes);
  }
  const auto dim = [](const char* label, double value, int side = CDimension::kAutomatic,
                      const char* format = "%.1f") {
    CDimension d(CDimension::kHorizontal, side, 0, QString::fromUtf8(label), format);
    d.SetValue(value);
    return d;
  };
  if (exhaustShown_) {
    const double events = row();
    add(dim("EVO", evo_, CDimension::kBefore), 180.0 - evo_, 180.0, events);
    if (intakeShown_) add(dim("IVC", ivc_), 540.0, 540.0 + ivc_, events);
    add(dim("Exhaust Dur", exhaustDuration_), 180.0 - evo_, 360.0 + evc_, row());
  } else if (intakeShown_) {
    add(dim("IVC", ivc_), 540.0, 540.0 + ivc_, row());
  }
  if (intakeShown_) add(dim("Intake Dur", intakeDuration_), 360.0 - ivo_, 540.0 + ivc_, row());
  if (exhaustShown_ && intakeShown_ && card_) {
    add(dim("LCA", lobeCentre_), 360.0 - exhaustCentre_, 360.0 + intakeCentre_, row());
    const double centres = row();
    add(dim("ECA", exhaustCentre_, CDimension::kBefore), 360.0 - exhaustCentre_, 360.0, centres);
    add(dim("ICA", intakeCentre_, CDimension::kAfter), 360.0, 360.0 + intakeCentre_, centres);
    const double overlapRow = row();
    add(dim("IVO", ivo_, CDimension::kBefore), 360.0 - ivo_, 360.0, overlapRow);
    add(dim("EVC", evc_, CDimension::kAfter), 360.0, 360.0 + evc_, overlapRow);
    add(dim("Overlap", overlap_, CDimension::kAfter), 360.0 - ivo_, 360.0 + evc_, row());
  }
  // The lifts: vertical at each lobe's peak, from the base to the lift.
  const auto lift = [&](const char* label, double value, double angle, int side) {
    CDimension d(CDimension::kVertical, side, 0, QString::fromUtf8(label), "%.3f");
    d.SetValue(value);
    annotations_.push_back({d, Pixel(angle, liftMin_), Pixel(angle, value)});
  };
  if (exhaustShown_) lift("Exhaust Lift", exhaustLift_, card_ ? 360.0 - exhaustCentre_ : 270.0, CDimension::kAfter);
  if (intakeShown_) lift("Intake Lift", intakeLift_, card_ ? 360.0 + intakeCentre_ : 450.0, CDimension::kAfter);
}

std::vector<CCamTimingChart2D::PlacedText> CCamTimingChart2D::PlacedTexts() const {
  std::vector<PlacedText> placed;
  for (const Annotation& a : annotations_)
    placed.push_back({a.dimension.Text(), a.dimension.TextRect(a.from, a.to, font_)});
  return placed;
}

void CCamTimingChart2D::PaintAnnotations(QPainter& painter) const {
  // Lines first, then every text on a white patch: no curve, grid line or
  // other annotation's arrow crosses a text.
  for (const Annotation& a : annotations_) a.dimension.DrawLines(painter, a.from, a.to, font_);
  for (const Annotation& a : annotations_) a.dimension.DrawText(painter, a.from, a.to, font_, true);
}

}  // namespace brisca
