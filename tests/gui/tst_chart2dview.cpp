// The 2D chart view of a document: its right-click menu (texts, order, check
// marks, items left out in comparison mode), what a choice does to the chart
// state and the document, comparison legends, the automatic range of a short
// run, the shared Y1/Y2 scale, the zone overlay as painted, and the bitmap.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineSeries>
#include <QMenu>
#include <QPainter>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ViewChartImages.h"
#include "gui/results/ZoneChart2D.h"
#include "gui/shell/ColorScheme.h"
#include "tests/gui/GuiTestSupport.h"

using namespace brisca;

namespace {

QMenu* Group(QMenu* menu, const QString& title) {
  for (QAction* action : menu->actions()) {
    if (action->menu() && action->text() == title) return action->menu();
  }
  return nullptr;
}

QAction* Entry(QMenu* group, const QString& text) {
  for (QAction* action : group->actions()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

QStringList Texts(QMenu* group) {
  QStringList texts;
  for (QAction* action : group->actions()) texts << action->text();
  return texts;
}

QStringList Legends(CZoneChart2D& chart, ChartAxis axis) {
  QStringList names;
  for (int set = 0; chart.Series(axis, set); ++set) {
    if (chart.Series(axis, set)->isVisible()) names << chart.Series(axis, set)->name();
  }
  return names;
}

bool Near(const QColor& a, const QColor& b) {
  return qAbs(a.red() - b.red()) < 8 && qAbs(a.green() - b.green()) < 8 && qAbs(a.blue() - b.blue()) < 8;
}

}  // namespace

class TestChart2dView : public QObject {
  Q_OBJECT

  HeadlessHost host_;
  std::unique_ptr<CVexoDoc> doc_;
  ViewRegistry registry_;
  std::unique_ptr<CChart2dView> view_;

  CVexoDoc& OpenSample(std::unique_ptr<CVexoDoc>& doc) {
    doc = std::make_unique<CVexoDoc>(&host_);
    host_.documents.push_back(doc.get());
    if (!doc->OnOpenDocument(test::SampleEngine())) qFatal("the sample engine did not open");
    if (doc->Results().IsEmpty()) doc->RunSimulation(false, false);
    if (doc->Results().IsEmpty()) qFatal("the sample engine did not run");
    doc->SetTitle("Stock Small-Block V8");
    doc->SetModified(false);
    return *doc;
  }

 private slots:
  void init() {
    host_.documents.clear();
    OpenSample(doc_);
    registry_ = ViewRegistry();
    view_ = std::make_unique<CChart2dView>(*doc_, registry_, ChartRole::Second);
    view_->resize(700, 520);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
  }
  void cleanup() {
    view_.reset();
    doc_.reset();
  }

  void menuGroupsListTheirItemsInMenuOrder() {
    QMenu* menu = view_->ContextMenu();
    QCOMPARE(Texts(Group(menu, "X Data")),
             (QStringList{"Engine Speed", "Power", "Power-Wheel", "Torque", "Torque-Wheel",
                          "Manifold Pressure", "Boost Pressure", "Volumetric Eff.",
                          "VVT Power-Low Speed Lobe", "VVT Power-High Speed Lobe",
                          "VVT Torque-Low Speed Lobe", "VVT Torque-High Speed Lobe", "Indicated HP",
                          "Frictional HP", "Pumping HP", "Mechanical Eff.", "Induction Airflow",
                          "Piston Gas Force", "Piston Speed", "BMEP", "IMEP", "FMEP", "PMEP"}));
    const QStringList y1 = Texts(Group(menu, "Y1 Data"));
    QCOMPARE(y1.size(), 28);
    QCOMPARE(y1.mid(8, 7), (QStringList{"Power,Torque combo", "VVT Power-Low Speed Lobe",
                                        "VVT Power-High Speed Lobe", "VVT Torque-Low Speed Lobe",
                                        "VVT Torque-High Speed Lobe", "VVT Power combo-Low\\High Speed",
                                        "VVT Torque combo-Low\\High Speed"}));
    QCOMPARE(y1.mid(26), (QStringList{"Power combo", "Pressures combo"}));
    QCOMPARE(Texts(Group(menu, "Y2 Data")), QStringList{"(None)"} + y1);
    QCOMPARE(Texts(Group(menu, "Y1 Range")),
             (QStringList{"Auto-Range", "Low-Range", "Mid-Range", "Hi-Range", "Custom-Range"}));
  }

  void eachMenuChoiceSetsItsAxisAndMarksTheDocument_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("mode");
    QTest::newRow("X Torque-Wheel") << "X Data" << "Torque-Wheel" << 0 << 28 << -1;
    QTest::newRow("X Piston Speed") << "X Data" << "Piston Speed" << 0 << 14 << -1;
    QTest::newRow("X Indicated HP") << "X Data" << "Indicated HP" << 0 << 8 << -1;
    QTest::newRow("Y1 combo") << "Y1 Data" << "Power,Torque combo" << 1 << 7 << -1;
    QTest::newRow("Y1 lobes") << "Y1 Data" << "VVT Torque combo-Low\\High Speed" << 1 << 27 << -1;
    QTest::newRow("Y1 Pressures") << "Y1 Data" << "Pressures combo" << 1 << 20 << -1;
    QTest::newRow("Y2 None") << "Y2 Data" << "(None)" << 2 << 0 << -1;
    QTest::newRow("Y2 Power-Wheel") << "Y2 Data" << "Power-Wheel" << 2 << 21 << -1;
    QTest::newRow("Y2 PMEP") << "Y2 Data" << "PMEP" << 2 << 18 << -1;
    QTest::newRow("X Auto") << "X Range" << "Auto-Range" << 0 << -1 << 0;
    QTest::newRow("Y1 Hi") << "Y1 Range" << "Hi-Range" << 1 << -1 << 3;
    QTest::newRow("Y2 Low") << "Y2 Range" << "Low-Range" << 2 << -1 << 1;
  }
  void eachMenuChoiceSetsItsAxisAndMarksTheDocument() {
    QFETCH(QString, group);
    QFETCH(QString, text);
    QFETCH(int, axis);
    QFETCH(int, item);
    QFETCH(int, mode);
    QAction* action = Entry(Group(view_->ContextMenu(), group), text);
    QVERIFY(action && action->isEnabled());
    QVERIFY(!action->isChecked());
    action->trigger();
    const ChartAxisSpec& spec = view_->State().axes[static_cast<std::size_t>(axis)];
    if (item >= 0) QCOMPARE(spec.Item(), item);
    if (mode >= 0) QCOMPARE(static_cast<int>(spec.Mode()), mode);
    QVERIFY(doc_->IsModified());
    QVERIFY(Entry(Group(view_->ContextMenu(), group), text)->isChecked());
    // The chart follows: a combination plots one curve per member.
    if (axis == 1 && item > 0) {
      QCOMPARE(view_->Chart().Data(ChartAxis::Y1)->Sets(), GetChartItem(item).series);
    }
  }

  void normalModeLegendsAreTheItemLabelsAndY2NoneHasNone() {
    Entry(Group(view_->ContextMenu(), "Y1 Data"), "Power combo")->trigger();
    Entry(Group(view_->ContextMenu(), "Y2 Data"), "(None)")->trigger();
    QCOMPARE(Legends(view_->Chart(), ChartAxis::Y1),
             (QStringList{"Power (HP)", "Indicated Power (HP)", "Frictional Power (HP)", "Pumping Power (HP)"}));
    QVERIFY(Legends(view_->Chart(), ChartAxis::Y2).isEmpty());
    QVERIFY(!view_->Chart().IsY2Shown());
  }

  void comparisonShowsEveryOpenSlotAndLeavesOutCombinations() {
    std::unique_ptr<CVexoDoc> other;
    OpenSample(other).SetTitle("CompareRun");
    view_->SetSlot(1, other.get());
    view_->State().comparison = true;
    view_->Rebuild();
    QCOMPARE(Legends(view_->Chart(), ChartAxis::Y1),
             (QStringList{"Power (HP)-Stock Small-Block V8", "Power (HP)-CompareRun"}));
    QCOMPARE(Legends(view_->Chart(), ChartAxis::Y2),
             (QStringList{"Torque (lb-ft)-Stock Small-Block V8", "Torque (lb-ft)-CompareRun"}));
    QMenu* menu = view_->ContextMenu();
    for (const char* group : {"Y1 Data", "Y2 Data"}) {
      for (QAction* action : Group(menu, group)->actions()) {
        const bool combination = QStringList{"Power,Torque combo", "VVT Power combo-Low\\High Speed",
                                             "VVT Torque combo-Low\\High Speed", "Power combo",
                                             "Pressures combo"}.contains(action->text());
        QCOMPARE(action->isEnabled(), !combination);
      }
    }
    for (QAction* action : Group(menu, "X Data")->actions()) QVERIFY(action->isEnabled());

    // A closed document leaves the comparison at the next rebuild.
    host_.documents.pop_back();
    other.reset();
    view_->Rebuild();
    QCOMPARE(Legends(view_->Chart(), ChartAxis::Y1), QStringList{"Power (HP)-Stock Small-Block V8"});
    QVERIFY(!view_->Slot(1).document);
  }

  void aShortRunIsScaledByItsDrawnPointsOnly() {
    ResultSet& results = doc_->Results();
    results.count = 9;
    for (std::size_t p = 9; p < results.rpm.size(); ++p) {
      results.rpm[p] = 0;
      results.torque[p] = 0;
      results.power[p] = 0;
    }
    view_->State().X().SelectRange(RangeMode::Auto);
    view_->State().Y2().SelectRange(RangeMode::Auto);
    view_->State().Y1().SelectItem(kItemVolumetricEfficiency);
    view_->State().Y1().SelectRange(RangeMode::Auto);
    view_->Rebuild();
    CZoneChart2D& chart = view_->Chart();
    QCOMPARE(chart.Series(ChartAxis::Y2, 0)->count(), 9);
    QVERIFY(chart.AxisMinimum(ChartAxis::X) >= 1000);
    QVERIFY(chart.AxisMaximum(ChartAxis::X) <= 6000);
    // Torque of a small-block V8 does not fall to zero in the first 9 points.
    QVERIFY2(chart.AxisMinimum(ChartAxis::Y2) > 0, qPrintable(QString::number(chart.AxisMinimum(ChartAxis::Y2))));
  }

  void powerAndTorqueUnderAutoRangeShareOneScale() {
    view_->State().Y1().SelectRange(RangeMode::Auto);
    view_->State().Y2().SelectRange(RangeMode::Auto);
    view_->Rebuild();
    CZoneChart2D& chart = view_->Chart();
    QCOMPARE(chart.Limits(ChartAxis::Y1), chart.Limits(ChartAxis::Y2));
    const double highest = std::max(doc_->PeakInWindow(2, 1000, 14500), doc_->PeakInWindow(3, 1000, 14500));
    QVERIFY(chart.AxisMaximum(ChartAxis::Y1) >= highest);

    view_->State().Y2().SelectItem(kItemVolumetricEfficiency);
    view_->Rebuild();
    QVERIFY(chart.AxisMaximum(ChartAxis::Y1) != chart.AxisMaximum(ChartAxis::Y2));
  }

  // The picture is the behaviour: a band's colour where the map puts the zone.
  void zoneBandsArePaintedUnderThePlotWhereTheMapPutsThem() {
    DataZoneSet& zones = view_->State().zones;
    zones.LoadType(1);  // engine speed, drawn on X
    zones.count = 2;
    zones.zones[0].SetLow(2000);
    zones.zones[0].SetHigh(4000);
    zones.zones[0].colour = MakeZoneColour(0xFF, 0xE0, 0x80);
    zones.zones[1].SetLow(4000);
    zones.zones[1].SetHigh(12000);  // past the Mid-Range maximum: clamped
    zones.zones[1].colour = MakeZoneColour(0x80, 0xC0, 0xFF);
    zones.shown = true;
    view_->Rebuild();
    CZoneChart2D& chart = view_->Chart();
    chart.EnsureLayout();
    QVERIFY(chart.Zones().compatible);
    QCOMPARE(chart.OverlayTexts(), (QStringList{"Engine Speed (RPM)", "2000", "4000"}));  // a shared edge once

    const QImage picture = chart.grab().toImage();
    const double top = chart.AxisMaximum(ChartAxis::Y1) * 0.97;
    const auto inFirst = chart.DataToPixel({2500, top}, ChartAxis::Y1);
    const auto inSecond = chart.DataToPixel({8500, top}, ChartAxis::Y1);
    const auto outside = chart.DataToPixel({1500, top}, ChartAxis::Y1);
    QVERIFY(inFirst && inSecond && outside);
    const qreal ratio = picture.devicePixelRatio();
    auto at = [&](QPointF p) { return picture.pixelColor((p * ratio).toPoint()); };
    QVERIFY2(Near(at(*inFirst), QColor(0xFF, 0xE0, 0x80)), qPrintable(at(*inFirst).name()));
    QVERIFY2(Near(at(*inSecond), QColor(0x80, 0xC0, 0xFF)), qPrintable(at(*inSecond).name()));
    QVERIFY2(Near(at(*outside), Qt::white), qPrintable(at(*outside).name()));
    // The strip above the plot carries the band too.
    const QRectF strip = chart.StripRect();
    QVERIFY(strip.bottom() <= chart.PlotRect().top() + 1);
    QVERIFY(Near(at({inFirst->x(), strip.center().y()}), QColor(0xFF, 0xE0, 0x80)));
  }

  void zonesOfAnotherQuantityAreReportedIncompatible() {
    view_->State().zones.LoadType(5);  // volumetric efficiency: not on this chart's axes
    view_->Rebuild();
    QVERIFY(!view_->Chart().Zones().compatible);
    QCOMPARE(view_->Chart().OverlayTexts(),
             (QStringList{"Volumetric Eff.(%)", "Data Zones Incompatible with Graph settings!"}));
  }

  void pistonSpeedZonesAreDrawnAtEngineSpeedsOfTheStroke() {
    view_->State().zones.LoadType(kZoneTypePistonSpeed);
    view_->Rebuild();
    CFloatPtSpec stroke = doc_->Engine().stroke;
    if (stroke.IsMetric()) stroke.ToDomestic();
    const DataZone& second = view_->State().zones.zones[1];
    QCOMPARE(second.lowValue, 1000.0f);
    QVERIFY(qAbs(second.lowPlotted - 1000.0f * 6.0f / stroke.GetValue()) < 0.01f);
  }

  void printingPaintsASquareInPrintColoursAndRestoresTheScreen() {
    SetActiveScheme(2);  // dark backgrounds on screen
    view_->Rebuild();
    CZoneChart2D& chart = view_->Chart();
    const QColor screenPlot = chart.chart()->plotAreaBackgroundBrush().color();
    QCOMPARE(screenPlot, SchemeColor(2, 31));
    // A letter page at 100 dots per inch: 6.5 in square, one inch in.
    QImage page(850, 1100, QImage::Format_RGB32);
    page.fill(QColor(0x80, 0x80, 0x80));
    QRectF square;
    {
      QPainter painter(&page);
      square = view_->PaintForPrint(painter, QRectF(0, 0, 850, 1100), 100.0);
    }
    QCOMPARE(square, QRectF(100, 100, 650, 650));
    QCOMPARE(page.pixelColor(50, 50), QColor(0x80, 0x80, 0x80));
    QCOMPARE(page.pixelColor(760, 400), QColor(0x80, 0x80, 0x80));
    QCOMPARE(page.pixelColor(103, 103), QColor(Qt::white));  // chart background on paper
    int white = 0;
    int dark = 0;
    for (int y = 110; y < 740; y += 4) {
      for (int x = 110; x < 740; x += 4) {
        const QColor c = page.pixelColor(x, y);
        white += c == Qt::white;
        dark += c.lightness() < 60;
      }
    }
    QVERIFY2(white > 15000, qPrintable(QString::number(white)));  // plot area white, not scheme 2's
    QVERIFY(dark > 50);                                             // black grid, numbers, captions
    QCOMPARE(chart.chart()->plotAreaBackgroundBrush().color(), screenPlot);
    SetActiveScheme(0);
  }

  // Printed at 600 dots per inch, every text has the size it has at 96 (where
  // the layout's resolution and the page's agree), relative to the chart: the
  // words' boxes as the PDF holds them, in points.
  void printedTextsKeepTheirSizeAtAnyResolution() {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) reads the words' boxes");
    ChartState& state = view_->State();
    state.zones.LoadType(3);  // torque zones: a strip right of the plot, its caption turned
    state.zones.shown = true;
    view_->Rebuild();
    QTemporaryDir dir;
    auto words = [&](int dpi) {
      const QString path = dir.filePath(QStringLiteral("chart%1.pdf").arg(dpi));
      {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setResolution(dpi);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        view_->Print(printer);
      }
      QProcess process;
      process.start(pdftotext, {QStringLiteral("-bbox"), path, QStringLiteral("-")});
      process.waitForFinished(60000);
      const QString html = QString::fromUtf8(process.readAllStandardOutput());
      static const QRegularExpression word(
          QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
      QMap<QString, QRectF> boxes;
      for (auto match = word.globalMatch(html); match.hasNext();) {
        const auto m = match.next();
        const QString text = m.captured(5);
        if (boxes.contains(text)) continue;  // the first of repeated numbers
        boxes.insert(text, QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())));
      }
      return boxes;
    };
    const QMap<QString, QRectF> screen = words(96);
    const QMap<QString, QRectF> paper = words(600);
    const QStringList expected{QStringLiteral("HP"), QStringLiteral("lb-ft"), QStringLiteral("RPM"),
                               QStringLiteral("Power"), QStringLiteral("(lb-ft)")};
    for (const QString& text : expected) {
      QVERIFY2(screen.contains(text), qPrintable(text + QStringLiteral(" not printed at 96 dpi")));
      QVERIFY2(paper.contains(text), qPrintable(text + QStringLiteral(" not printed at 600 dpi")));
      const QRectF a = screen[text];
      const QRectF b = paper[text];
      const QString sizes = QStringLiteral("%1: %2 x %3 pt at 96 dpi, %4 x %5 pt at 600 dpi")
                                .arg(text).arg(a.width()).arg(a.height()).arg(b.width()).arg(b.height());
      QVERIFY2(qAbs(b.height() - a.height()) < 0.15 * a.height(), qPrintable(sizes));
      QVERIFY2(qAbs(b.width() - a.width()) < 0.15 * a.width(), qPrintable(sizes));
      QVERIFY2(QLineF(a.center(), b.center()).length() < 4.0, qPrintable(sizes));
    }
  }

  void theCursorShowsEverySeriesAtTheMouseAndNeverPrints() {
    CZoneChart2D& chart = view_->Chart();
    chart.EnsureLayout();
    const ResultSet& results = doc_->Results();
    const double rpm = results.rpm[4];
    const auto at = chart.DataToPixel({rpm, 100}, ChartAxis::Y1);
    QVERIFY(at);
    QTest::mouseMove(chart.viewport(), at->toPoint());
    QTRY_VERIFY(chart.IsCursorShown());
    const QStringList texts = chart.CursorTexts();
    QCOMPARE(texts.size(), 3);
    // On a test speed the values are the document's own.
    auto value = [&](int line) { return texts[line].section(QStringLiteral(": "), 1).toDouble(); };
    QVERIFY2(texts[1].startsWith(QStringLiteral("Power (HP): ")), qPrintable(texts[1]));
    QVERIFY(qAbs(value(1) - results.power[4]) < 1.0);
    QVERIFY(qAbs(value(2) - results.torque[4]) < 1.0);
    // The bitmap has no cursor (its note's pale yellow), and the mouse leaving takes it away.
    auto notePixels = [](const QImage& image) {
      int n = 0;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == QColor(255, 255, 225);
      }
      return n;
    };
    QVERIFY(notePixels(chart.grab().toImage()) > 100);
    const QImage bitmap = view_->RenderBitmap();
    QCOMPARE(notePixels(bitmap), 0);
    QVERIFY(chart.IsCursorShown());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&chart, &leave);
    QVERIFY(!chart.IsCursorShown());
  }

  // A rebuild takes the cursor away: its read-out would list curves no longer drawn.
  void aRebuildHidesTheCursorUntilTheMouseMoves_data() {
    QTest::addColumn<bool>("properties");
    QTest::newRow("menu choice") << false;
    QTest::newRow("properties") << true;
  }
  void aRebuildHidesTheCursorUntilTheMouseMoves() {
    QFETCH(bool, properties);
    CZoneChart2D& chart = view_->Chart();
    chart.EnsureLayout();
    const auto at = chart.DataToPixel({doc_->Results().rpm[4], 100}, ChartAxis::Y1);
    QVERIFY(at);
    chart.MoveCursor(*at);
    QVERIFY(chart.IsCursorShown());
    QCOMPARE(chart.CursorTexts().size(), 3);
    if (properties) {
      ChartState state = view_->State();
      state.axes[kAxisY2].SelectItem(0);
      view_->ApplyProperties(state, {});
    } else {
      Entry(Group(view_->ContextMenu(), "Y2 Data"), "(None)")->trigger();
    }
    QVERIFY(!chart.IsCursorShown());
    QVERIFY(chart.CursorTexts().isEmpty());
    chart.EnsureLayout();
    const auto again = chart.DataToPixel({doc_->Results().rpm[5], 100}, ChartAxis::Y1);
    QVERIFY(again);
    chart.MoveCursor(*again);
    QVERIFY(chart.IsCursorShown());
    QCOMPARE(chart.CursorTexts().size(), 2);  // X and Power only
  }

  void exportedDataAreThePlottedPoints() {
    const std::vector<CsvSeries> series = view_->PlottedSeries();
    QCOMPARE(series.size(), std::size_t(2));
    QCOMPARE(series[0].name, std::string("Power (HP)"));
    QCOMPARE(series[0].x.size(), std::size_t(doc_->Results().count));
    QCOMPARE(series[1].y[3], double(doc_->Results().torque[3]));
    QTemporaryDir dir;
    const std::filesystem::path path = dir.filePath("chart.csv").toStdString();
    QVERIFY(view_->ExportData(path));
    QFile file(QString::fromStdString(path.string()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.first(), QStringLiteral("Engine Speed (RPM),Power (HP),Torque (lb-ft)"));
    QCOMPARE(lines.size(), doc_->Results().count + 1);
  }

  void theBitmapIs600By550AndLeavesTheScreenChartAlone() {
    CZoneChart2D& chart = view_->Chart();
    const QSize before = chart.size();
    const QRectF plotBefore = chart.PlotRect();
    const QImage bitmap = view_->RenderBitmap();
    QCOMPARE(bitmap.size(), QSize(600, 550));
    QCOMPARE(chart.size(), before);
    QCOMPARE(chart.PlotRect(), plotBefore);
    int coloured = 0;
    for (int y = 0; y < bitmap.height(); y += 3) {
      for (int x = 0; x < bitmap.width(); x += 3) {
        const QColor c = bitmap.pixelColor(x, y);
        coloured += c.saturation() > 120;
      }
    }
    QVERIFY2(coloured > 100, "no curves in the bitmap");
    QTemporaryDir dir;
    const std::filesystem::path path = dir.filePath("chart.bmp").toStdString();
    QVERIFY(view_->SaveAsBitmap(path));
    QImage read(QString::fromStdString(path.string()), "BMP");
    QCOMPARE(read.size(), QSize(600, 550));

    // A report's pictures come from the registered view, else from the chart state.
    ViewChartImages images(*doc_, registry_);
    const std::filesystem::path second = dir.filePath("second.bmp").toStdString();
    const std::filesystem::path first = dir.filePath("first.bmp").toStdString();
    QVERIFY(images.SaveChartImage(ChartRole::Second, second));
    QVERIFY(images.SaveChartImage(ChartRole::First, first));
    QCOMPARE(QImage(QString::fromStdString(second.string())), view_->RenderBitmap().convertToFormat(QImage::Format_RGB32).convertToFormat(QImage(QString::fromStdString(second.string())).format()));
    QCOMPARE(QImage(QString::fromStdString(first.string())).size(), QSize(600, 550));
  }
};

QTEST_MAIN(TestChart2dView)
#include "tst_chart2dview.moc"
