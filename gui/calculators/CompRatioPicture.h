#pragma once
// The section drawings of the compression-ratio calculator: a cylinder head,
// gasket, block and piston cut through the bore, with numbered callouts that
// match the markers beside the inputs. Drawn as vector paths, so they scale
// and print cleanly.

#include <QWidget>

namespace brisca {

class CCompRatioPicture : public QWidget {
  Q_OBJECT

 public:
  //! `method` 2: chamber, dome, reliefs, deck clearance and gasket (callouts 1-6);
  //! 1: chamber, piston down the bore with the measured liquid, gasket (1-4).
  explicit CCompRatioPicture(int method, QWidget* parent = nullptr);

  int Method() const { return method_; }
  //! The drawing into any painter, fitted to `area`.
  static void Draw(QPainter& painter, const QRectF& area, int method);

  QSize sizeHint() const override { return {260, 220}; }
  QSize minimumSizeHint() const override { return {200, 170}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int method_;
};

}  // namespace brisca
