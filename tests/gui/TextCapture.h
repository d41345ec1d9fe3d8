#pragma once
// A paint device that keeps the texts painted into it, where and in which
// colour: what a view or a printed page shows, without reading pixels.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QString>

#include <vector>

namespace brisca::test {

struct DrawnText {
  QPointF baseline;
  QString text;
  QColor color;
};

class TextEngine : public QPaintEngine {
 public:
  TextEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState& state) override {
    if (state.state() & QPaintEngine::DirtyPen) pen_ = state.pen();
  }
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawLines(const QLineF*, int) override {}
  void drawRects(const QRectF*, int) override {}
  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    texts.push_back({p, item.text(), pen_.color()});
  }
  Type type() const override { return QPaintEngine::User; }

  std::vector<DrawnText> texts;

 private:
  QPen pen_;
};

class TextDevice : public QPaintDevice {
 public:
  QPaintEngine* paintEngine() const override { return &engine; }
  mutable TextEngine engine;

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth: return 2000;
      case PdmHeight: return 2000;
      case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
      case PdmDepth: return 32;
      case PdmNumColors: return 1 << 24;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
      case PdmWidthMM: return 529;
      case PdmHeightMM: return 529;
      default: return 0;
    }
  }
};

}  // namespace brisca::test
