#pragma once
// Flow against lift for both sides of a port-flow record, drawn beside the
// flow dialog's table. It shows the points in use whose lift and flow are both
// valid, so a value appears only once its edit has accepted it.

#include <QWidget>

namespace brisca {

class CCylHeadFlow;

class FlowPlot : public QWidget {
  Q_OBJECT

 public:
  explicit FlowPlot(const CCylHeadFlow& flow, QWidget* parent = nullptr);

  //! The points drawn for a side (intake 0, exhaust 1): lift, flow in the record's units.
  QList<QPointF> Points(int side) const;

  QSize sizeHint() const override { return {380, 300}; }
  QSize minimumSizeHint() const override { return {340, 240}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const CCylHeadFlow& flow_;
};

}  // namespace brisca
