#pragma once
// The valve timing diagram of the cam manager: the exhaust lobe (red, left
// axis) and the intake lobe (blue, right axis) of one profile over the crank
// angle, with dimension annotations (strokes, events, durations, lobe centre,
// overlap, centre angles, lifts) placed through the chart's data-to-pixel
// mapping.

#include <QFont>
#include <QString>

#include <vector>

#include "gui/cam/Dimension.h"
#include "gui/results/chartlib/Chart2D.h"

namespace brisca {

class CCamProfile;

class CCamTimingChart2D : public CChart2D {
  Q_OBJECT

 public:
  explicit CCamTimingChart2D(QWidget* parent = nullptr);
  ~CCamTimingChart2D() override;

  //! Shows `profile` (its primary set in its own convention).
  void SetProfile(const CCamProfile& profile);

  //! One annotation as placed: its text and where the text is drawn (viewport pixels).
  struct PlacedText {
    QString text;
    QRectF rect;
  };
  //! The annotations of the last layout.
  std::vector<PlacedText> PlacedTexts() const;
  //! Paints the annotations (the overlay calls this).
  void PaintAnnotations(QPainter& painter) const;
  const QFont& AnnotationFont() const { return font_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Annotation {
    CDimension dimension;
    QPointF from;
    QPointF to;
  };
  void LayoutAnnotations();
  QPointF Pixel(double angle, double lift) const;

  class Overlay;
  Overlay* overlay_ = nullptr;
  QFont font_;
  std::vector<Annotation> annotations_;
  // What the annotations describe.
  bool exhaustShown_ = false;
  bool intakeShown_ = false;
  double evo_ = 0, evc_ = 0, ivo_ = 0, ivc_ = 0;
  double intakeLift_ = 0, exhaustLift_ = 0;
  double intakeCentre_ = 0, exhaustCentre_ = 0, lobeCentre_ = 0, overlap_ = 0;
  double intakeDuration_ = 0, exhaustDuration_ = 0;
  double liftMin_ = 0;
  bool card_ = false;  // the centrelines and lobe centre are known
};

}  // namespace brisca
