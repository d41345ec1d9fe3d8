// The chart component: automatic limits from the drawn points only, fixed
// limits read back, the legend, labels at data coordinates, the data-to-pixel
// map, and painting into an image.
#include <QApplication>
#include <QChart>
#include <QFontMetricsF>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include <algorithm>
#include <set>
#include <vector>

#include "gui/results/chartlib/Chart2D.h"
#include "gui/results/chartlib/ChartLegend.h"
#include "gui/results/chartlib/ChartTextLabel.h"

// Qt's debugging hooks: called as every QObject is made and destroyed.
extern quintptr qtHookData[];

using brisca::CChart2D;
using brisca::ChartAxis;
using brisca::ChartData;
using brisca::SeriesDisplay;

namespace {

// 28 points of which `drawn` are in use: X 1000, 1500, ... and Y from `y0` by `dy`;
// the points past `drawn` hold zeros, as a short result set does.
ChartData Ramp(int drawn, double y0, double dy, int sets = 1) {
  ChartData data(sets, 28);
  for (int set = 0; set < sets; ++set) {
    for (int p = 0; p < drawn; ++p) {
      data.SetX(set, p, 1000 + 500 * p);
      data.SetY(set, p, y0 + dy * p + 10 * set);
    }
  }
  data.SetLastPoint(drawn);
  return data;
}


// Every QObject made while it lives and not yet destroyed, seen through Qt's
// object hooks, so objects nobody holds a pointer to are found too.
class LiveObjects {
 public:
  LiveObjects() {
    previousAdd_ = qtHookData[kAddHook];
    previousRemove_ = qtHookData[kRemoveHook];
    current_ = this;
    qtHookData[kAddHook] = reinterpret_cast<quintptr>(&Added);
    qtHookData[kRemoveHook] = reinterpret_cast<quintptr>(&Removed);
  }
  ~LiveObjects() {
    qtHookData[kAddHook] = previousAdd_;
    qtHookData[kRemoveHook] = previousRemove_;
    current_ = nullptr;
  }
  LiveObjects(const LiveObjects&) = delete;
  LiveObjects& operator=(const LiveObjects&) = delete;

  template <class T>
  int Count() const {
    int n = 0;
    for (QObject* object : live_) n += qobject_cast<T*>(object) != nullptr;
    return n;
  }

 private:
  static constexpr int kAddHook = 3;     // QHooks::AddQObject
  static constexpr int kRemoveHook = 4;  // QHooks::RemoveQObject
  static void Added(QObject* object) {
    current_->live_.insert(object);
    if (auto chain = reinterpret_cast<void (*)(QObject*)>(current_->previousAdd_)) chain(object);
  }
  static void Removed(QObject* object) {
    current_->live_.erase(object);
    if (auto chain = reinterpret_cast<void (*)(QObject*)>(current_->previousRemove_)) chain(object);
  }

  static inline LiveObjects* current_ = nullptr;
  quintptr previousAdd_ = 0;
  quintptr previousRemove_ = 0;
  std::set<QObject*> live_;
};

}  // namespace

class TestChartLayer : public QObject {
  Q_OBJECT

 private slots:
  void automaticLimitsUseTheDrawnPointsOnly() {
    CChart2D chart;
    chart.SetData(ChartAxis::Y1, Ramp(10, 212.5, 15.0), {QStringLiteral("Power (HP)")});
    chart.SetData(ChartAxis::Y2, Ramp(10, 2.0, 1.0), {QStringLiteral("Boost Pressure (psi)")});
    QCOMPARE(chart.Data(ChartAxis::Y1)->FirstPoint(), 0);
    QCOMPARE(chart.Data(ChartAxis::Y1)->LastPoint(), 10);
    QCOMPARE(chart.Series(ChartAxis::Y1, 0)->count(), 10);
    chart.Rescale();
    // Y1 212.5..347.5 and X 1000..5500: the zeros of points 10..27 take no part.
    QCOMPARE(chart.AxisMinimum(ChartAxis::Y1), 210.0);
    QCOMPARE(chart.AxisMaximum(ChartAxis::Y1), 350.0);
    QCOMPARE(chart.AxisMinimum(ChartAxis::X), 1000.0);
    QCOMPARE(chart.AxisMaximum(ChartAxis::X), 6000.0);
    QCOMPARE(chart.AxisMinimum(ChartAxis::Y2), 2.0);
    QCOMPARE(chart.AxisMaximum(ChartAxis::Y2), 12.0);
    auto* y1 = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Vertical).at(0));
    QVERIFY(y1);
    QCOMPARE(y1->min(), 210.0);
    QCOMPARE(y1->max(), 350.0);
  }

  // An overlay line (a measured run) has points of its own, any number: they
  // widen the automatic limits of X and its Y axis only, it has its dashed
  // legend entry after the data's, and new data leaves it in place.
  void overlayLinesTakePartInLimitsAndLegend() {
    CChart2D chart;
    chart.resize(700, 500);
    chart.SetData(ChartAxis::Y1, Ramp(10, 212.5, 15.0), {QStringLiteral("Power (HP)")});
    chart.SetData(ChartAxis::Y2, Ramp(10, 2.0, 1.0), {QStringLiteral("Boost Pressure (psi)")});
    brisca::OverlayLine line;
    line.name = QStringLiteral("Measured - pull.csv");
    line.points = {{750, 200}, {3000, 300}, {6250, 405}};
    line.style.lineStyle = Qt::DashLine;
    chart.SetOverlays({line});
    chart.Rescale();
    QCOMPARE(chart.AxisMinimum(ChartAxis::X), 500.0);
    QCOMPARE(chart.AxisMaximum(ChartAxis::X), 6500.0);
    QCOMPARE(chart.AxisMinimum(ChartAxis::Y1), 200.0);
    QCOMPARE(chart.AxisMaximum(ChartAxis::Y1), 450.0);
    QCOMPARE(chart.AxisMaximum(ChartAxis::Y2), 12.0);
    QCOMPARE(chart.OverlaySeries(0)->count(), 3);
    QCOMPARE(chart.OverlaySeries(0)->pen().style(), Qt::CustomDashLine);
    QCOMPARE(chart.LegendRows().join(QStringLiteral(" | ")),
             QStringLiteral("Power (HP) | Boost Pressure (psi) | Measured - pull.csv"));

    chart.SetData(ChartAxis::Y1, Ramp(5, 100.0, 10.0), {QStringLiteral("Torque (lb-ft)")});
    QCOMPARE(chart.OverlayCount(), 1);
    QVERIFY(chart.LegendRows().join(QLatin1Char(' ')).contains(QStringLiteral("Measured - pull.csv")));
    chart.SetOverlays({});
    QCOMPARE(chart.OverlayCount(), 0);
    chart.Rescale();
    QCOMPARE(chart.AxisMaximum(ChartAxis::X), 6000.0);  // Y2's data alone, no longer 6500
  }

  void fixedLimitsAreKeptAndReadBack() {
    CChart2D chart;
    chart.SetData(ChartAxis::Y1, Ramp(28, 0, 40), {QStringLiteral("Torque (lb-ft)")});
    chart.SetAxisFixed(ChartAxis::X, 1000, 9000);
    chart.SetAxisFixed(ChartAxis::Y1, 0, 1000);
    chart.Rescale();
    QCOMPARE(chart.AxisMinimum(ChartAxis::X), 1000.0);
    QCOMPARE(chart.AxisMaximum(ChartAxis::X), 9000.0);
    QCOMPARE(chart.AxisMaximum(ChartAxis::Y1), 1000.0);
    QVERIFY(!chart.IsAxisAutomatic(ChartAxis::Y1));
    chart.SetAxisAutomatic(ChartAxis::Y1);
    chart.Rescale();
    QCOMPARE(chart.AxisMaximum(ChartAxis::Y1), 1200.0);  // 0..1080 drawn
  }

  // A range that is not a whole number of steps from a multiple of the step:
  // the ticks fall on multiples of the step, both ends carry a label, and an
  // inner tick too near an end leaves its label out. Y2 draws no grid lines.
  void bothEndsOfARangeAreLabelled_data() {
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("step");
    QTest::addColumn<QList<double>>("labels");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("sweep 1000..14500") << 1000.0 << 14500.0 << 2000.0
                                       << QList<double>{1000, 2000, 4000, 6000, 8000, 10000, 12000, 14500}
                                       << QStringList{"1000", "12000", "14500"};
    QTest::newRow("shared 0..350") << 0.0 << 350.0 << 100.0 << QList<double>{0, 100, 200, 300, 350}
                                   << QStringList{"0", "300", "350"};
    QTest::newRow("bars 231..256") << 231.0 << 256.0 << 5.0 << QList<double>{231, 235, 240, 245, 250, 256}
                                   << QStringList{"231", "235", "256"};
    QTest::newRow("tenths 0.33..1.27") << 0.33 << 1.27 << 0.2 << QList<double>{0.33, 0.6, 0.8, 1.0, 1.27}
                                       << QStringList{"0.33", "0.60", "1.27"};
    QTest::newRow("whole steps: the axis's own") << 0.0 << 1000.0 << 200.0 << QList<double>{} << QStringList{};
  }
  void bothEndsOfARangeAreLabelled() {
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, step);
    QFETCH(QList<double>, labels);
    QFETCH(QStringList, texts);
    CChart2D chart;
    chart.resize(600, 500);
    chart.SetData(ChartAxis::Y1, Ramp(28, 0, 40), {QStringLiteral("Torque (lb-ft)")});
    chart.SetData(ChartAxis::Y2, Ramp(28, 0, 10), {QStringLiteral("Power (HP)")});
    chart.SetAxisFixed(ChartAxis::Y1, minimum, maximum, step);
    chart.SetAxisFixed(ChartAxis::X, minimum, maximum, step);
    chart.Rescale();
    for (ChartAxis axis : {ChartAxis::X, ChartAxis::Y1}) {
      const std::vector<double> got = chart.TickLabelValues(axis);
      QCOMPARE(got.size(), std::size_t(labels.size()));
      for (std::size_t i = 0; i < got.size(); ++i) QVERIFY2(qAbs(got[i] - labels[int(i)]) < 1e-9, qPrintable(QString::number(got[i])));
    }
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.EnsureLayout();
    QStringList shown;
    for (QGraphicsItem* item : chart.chart()->childItems()) {
      if (auto* label = dynamic_cast<brisca::ChartTextLabel*>(item); label && label->isVisible()) shown << label->Text();
    }
    for (const QString& text : texts) QVERIFY2(shown.count(text) == 2, qPrintable(text));  // on X and on Y1
    // The axis's own numbers stay out of sight when the chart draws its own.
    auto* y1 = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Vertical).at(0));
    QCOMPARE(y1->labelsColor().alpha(), labels.isEmpty() ? 255 : 0);
    auto* y2 = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Vertical).at(1));
    QVERIFY(y1->isGridLineVisible());
    QVERIFY(!y2->isGridLineVisible());
  }

  // A chart as small as the printed page's: the numbers of an axis keep a
  // line's height between them one above the other, and half a line side by
  // side; an inner number gives way to an end's ("85" over "80"). A chart of
  // the screen's size keeps it.
  void tickNumbersStandApartOnASmallChart_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<bool>("innerNearEndShown");
    // "85" and "80" a little more than a line apart, as on the printed page.
    QTest::newRow("printed page") << 420 << false;
    QTest::newRow("screen") << 800 << true;
  }
  void tickNumbersStandApartOnASmallChart() {
    QFETCH(int, side);
    QFETCH(bool, innerNearEndShown);
    CChart2D chart;
    chart.resize(side, side);
    chart.SetData(ChartAxis::Y1, Ramp(17, -0.2, 0.01), {QStringLiteral("Boost Pressure (psi)")});
    chart.SetData(ChartAxis::Y2, Ramp(17, 80, -3), {QStringLiteral("Volumetric Eff.(%)")});
    chart.SetAxisFixed(ChartAxis::X, 1000, 9000, 2000);
    chart.SetAxisFixed(ChartAxis::Y1, -0.2, 0.0, 0.05);
    chart.SetAxisFixed(ChartAxis::Y2, 5, 85, 10);
    chart.Rescale();
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.EnsureLayout();
    const QRectF plot = chart.chart()->plotArea();
    std::vector<QRectF> x, y2;
    QStringList right;
    for (QGraphicsItem* item : chart.chart()->childItems()) {
      auto* label = dynamic_cast<brisca::ChartTextLabel*>(item);
      if (!label || !label->isVisible()) continue;
      const QRectF box = label->mapRectToParent(label->boundingRect());
      if (box.top() > plot.bottom()) {
        x.push_back(box);
      } else if (box.left() > plot.right()) {
        y2.push_back(box);
        right << label->Text();
      }
    }
    QVERIFY(right.contains(QStringLiteral("85")) && right.contains(QStringLiteral("5")));
    QCOMPARE(right.contains(QStringLiteral("80")), innerNearEndShown);
    std::sort(y2.begin(), y2.end(), [](const QRectF& a, const QRectF& b) { return a.top() < b.top(); });
    for (std::size_t i = 0; i + 1 < y2.size(); ++i)
      QVERIFY2(y2[i + 1].top() - y2[i].bottom() >= y2[i].height() - 0.5, qPrintable(right.join(' ')));
    std::sort(x.begin(), x.end(), [](const QRectF& a, const QRectF& b) { return a.left() < b.left(); });
    QVERIFY(x.size() >= 3);
    for (std::size_t i = 0; i + 1 < x.size(); ++i) QVERIFY(x[i + 1].left() - x[i].right() >= x[i].height() / 2 - 0.5);
  }

  void excludedSeriesHaveNoLegendEntryAndTheLegendSitsAtTheBottom() {
    CChart2D chart;
    chart.SetData(ChartAxis::Y1, Ramp(28, 0, 10, 2), {QStringLiteral("Power (HP)"), QStringLiteral("Torque (lb-ft)")});
    ChartData none = Ramp(28, 0, 0);
    none.SetDisplay(0, SeriesDisplay::Excluded);
    chart.SetData(ChartAxis::Y2, none, {QString()});
    chart.SetY2Shown(false);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QCOMPARE(chart.LegendRows(), QStringList{"Power (HP) | Torque (lb-ft)"});
    QVERIFY(!chart.Series(ChartAxis::Y2, 0)->isVisible());
    QVERIFY(!chart.IsY2Shown());
    QCOMPARE(chart.Series(ChartAxis::Y1, 1)->name(), QStringLiteral("Torque (lb-ft)"));
  }

  // Four engines compared in a 600-pixel picture: eight entries in rows, each
  // whole and inside the chart, under the plot; a single entry wider than a
  // narrow chart is drawn smaller, not cut.
  void legendEntriesWrapIntoRowsAndAreNeverCut() {
    CChart2D chart;
    std::vector<QString> power;
    std::vector<QString> torque;
    for (const char* title : {"Stock Small-Block V8", "Two-Lobe Cam Four", "CompareRun", "Big-Block Street"}) {
      power.push_back(QStringLiteral("Power (HP)-") + QLatin1String(title));
      torque.push_back(QStringLiteral("Torque (lb-ft)-") + QLatin1String(title));
    }
    chart.SetData(ChartAxis::Y1, Ramp(28, 100, 10, 4), power);
    chart.SetData(ChartAxis::Y2, Ramp(28, 50, 5, 4), torque);
    chart.Rescale();
    const QImage picture = chart.RenderImage(QSize(600, 550));
    const QStringList rows = chart.LegendRows();
    QVERIFY2(rows.size() >= 2, qPrintable(rows.join(QLatin1Char('\n'))));
    QStringList entries;
    for (const QString& row : rows) entries << row.split(QStringLiteral(" | "));
    QStringList all;
    for (const QString& name : power) all << name;
    for (const QString& name : torque) all << name;
    QCOMPARE(entries, all);
    auto* legend = [&]() -> QGraphicsItem* {
      for (QGraphicsItem* item : chart.chart()->childItems()) {
        if (dynamic_cast<brisca::ChartLegend*>(item)) return item;
      }
      return nullptr;
    }();
    QVERIFY(legend);
    const QRectF box = legend->mapRectToParent(legend->boundingRect());
    QVERIFY2(QRectF(0, 0, 600, 550).contains(box), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())));
    QVERIFY(box.top() > chart.ChartPlotArea().bottom());
    QVERIFY(!picture.isNull());

    const QString longName = QStringLiteral("Power (HP)-") + QString(60, QLatin1Char('W'));
    chart.SetData(ChartAxis::Y1, Ramp(28, 100, 10), {longName});
    ChartData none = Ramp(28, 0, 0);
    none.SetDisplay(0, SeriesDisplay::Excluded);
    chart.SetData(ChartAxis::Y2, none, {QString()});
    chart.SetY2Shown(false);
    static_cast<void>(chart.RenderImage(QSize(300, 300)));
    QCOMPARE(chart.LegendRows(), QStringList{longName});
    const QFont font = static_cast<brisca::ChartLegend*>(legend)->Font();
    QVERIFY(QFontMetricsF(font).horizontalAdvance(longName) < 300 - 16);
  }

  void dataToPixelFollowsThePlotAndLabelsSitOnTheirPoint() {
    CChart2D chart;
    chart.resize(600, 400);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.SetData(ChartAxis::Y1, Ramp(28, 0, 10), {QStringLiteral("a")});
    chart.SetData(ChartAxis::Y2, Ramp(28, 0, 1), {QStringLiteral("b")});
    chart.SetAxisFixed(ChartAxis::X, 1000, 9000);
    chart.SetAxisFixed(ChartAxis::Y1, 0, 100);
    chart.SetAxisFixed(ChartAxis::Y2, 0, 10);
    chart.Rescale();
    chart.EnsureLayout();
    const QRectF plot = chart.PlotRect();
    QVERIFY(plot.width() > 300 && plot.height() > 200);

    const auto corner = chart.DataToPixel({1000, 0}, ChartAxis::Y1);
    QVERIFY(corner);
    QVERIFY(qAbs(corner->x() - plot.left()) < 1 && qAbs(corner->y() - plot.bottom()) < 1);
    const auto middle = chart.DataToPixel({5000, 50}, ChartAxis::Y1);
    const auto middle2 = chart.DataToPixel({5000, 5}, ChartAxis::Y2);
    QVERIFY(middle && middle2);
    QVERIFY(qAbs(middle->x() - plot.center().x()) < 1 && qAbs(middle->y() - plot.center().y()) < 1);
    QVERIFY(qAbs(middle2->y() - middle->y()) < 1);  // Y2 has its own scale
    QVERIFY(!chart.DataToPixel({9500, 50}, ChartAxis::Y1));
    QVERIFY(!chart.DataToPixel({5000, -1}, ChartAxis::Y1));
    const QPointF back = chart.PixelToData(*middle, ChartAxis::Y1);
    QVERIFY(qAbs(back.x() - 5000) < 20 && qAbs(back.y() - 50) < 1);

    const int label = chart.AddLabel(QStringLiteral("RPM"), {5000, 50}, ChartAxis::Y1,
                                     Qt::AlignCenter, Qt::black);
    QVERIFY(qAbs(chart.LabelRect(label).center().x() - middle->x()) < 1.5);
    chart.resize(800, 500);
    QApplication::processEvents();
    chart.EnsureLayout();
    const auto moved = chart.DataToPixel({5000, 50}, ChartAxis::Y1);
    QVERIFY(moved && qAbs(moved->x() - middle->x()) > 50);
    QVERIFY(qAbs(chart.LabelRect(label).center().x() - moved->x()) < 1.5);
    QVERIFY(qAbs(chart.LabelRect(label).center().y() - moved->y()) < 1.5);
  }

  // The iterator windows: bars against Y1 under texts that name each test.
  void barsAndValueLabelsSitOnTheirXValues() {
    CChart2D chart;
    chart.resize(600, 400);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.SetData(ChartAxis::Y1, Ramp(0, 0, 0), {});
    chart.SetAxisFixed(ChartAxis::X, 0, 4);
    chart.SetAxisFixed(ChartAxis::Y1, 0, 400);
    chart.Rescale();
    chart.SetBars(ChartAxis::Y1, {{1, 300}, {2, 200}, {3, 100}}, 0.5, QColor(0, 160, 0));
    chart.SetValueLabels({{1, "Test 17"}, {2, "Test 4"}, {3, "Test 9"}});
    chart.EnsureLayout();
    QCOMPARE(chart.BarCount(), 3);
    QCOMPARE(chart.ValueLabelTexts(), (QStringList{"Test 17", "Test 4", "Test 9"}));
    const QImage picture = chart.grab().toImage();
    const qreal ratio = picture.devicePixelRatio();
    auto colour = [&](QPointF data) {
      const auto pixel = chart.DataToPixel(data, ChartAxis::Y1);
      return pixel ? picture.pixelColor((*pixel * ratio).toPoint()) : QColor();
    };
    QCOMPARE(colour({2.1, 150}), QColor(0, 160, 0));  // inside the second bar
    QVERIFY(colour({2.1, 250}) != QColor(0, 160, 0));  // above it
    QVERIFY(colour({1.5, 50}) != QColor(0, 160, 0));   // between bars
  }

  // The picture is the behaviour: the series is painted where the map says.
  void rendersIntoAnImageOfTheAskedSize() {
    CChart2D chart;
    chart.SetData(ChartAxis::Y1, Ramp(28, 50, 0), {QStringLiteral("flat")});
    chart.SetSeriesStyle(ChartAxis::Y1, 0, {QColor(255, 0, 0), 4, 0});
    chart.SetAxisFixed(ChartAxis::X, 1000, 14500);
    chart.SetAxisFixed(ChartAxis::Y1, 0, 100);
    chart.Rescale();
    const QImage image = chart.RenderImage({600, 550});
    QCOMPARE(image.size(), QSize(600, 550));
    const auto onLine = chart.DataToPixel({8000, 50}, ChartAxis::Y1);
    QVERIFY(onLine);
    const QColor painted = image.pixelColor(onLine->toPoint());
    QVERIFY2(painted.red() > 200 && painted.green() < 80, qPrintable(painted.name()));
    const auto offLine = chart.DataToPixel({8000, 70}, ChartAxis::Y1);  // off the grid lines too
    QVERIFY(offLine);
    QVERIFY(image.pixelColor(offLine->toPoint()).green() > 200);
  }

  // A chart window takes every chart it makes with it, also when it only
  // painted a picture.
  void noChartOutlivesItsWindow() {
    LiveObjects live;
    {
      CChart2D chart;
      chart.SetData(ChartAxis::Y1, Ramp(10, 212.5, 15.0), {QStringLiteral("Power (HP)")});
      chart.Rescale();
      QVERIFY(live.Count<QChart>() > 0);
      QCOMPARE(chart.RenderImage({300, 200}).size(), QSize(300, 200));
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(live.Count<QChart>(), 0);
  }
};

QTEST_MAIN(TestChartLayer)
#include "tst_chartlayer.moc"
