// The results tables: the rows follow the second chart's X axis (never the
// first), the texts of a painted row sit in their columns in their number
// formats, the printing variant is upper case and black on white, the colour
// bands of the schemes other than the first, registration and "Copy".
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QTest>

#include <algorithm>

#include <vector>

#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "gui/results/ResultsTableView.h"
#include "gui/shell/ColorScheme.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/TextCapture.h"

using namespace brisca;
using brisca::test::DrawnText;
using brisca::test::TextDevice;

namespace {

struct Layout {
  int h, cw, w, ascent;
};

Layout LayoutOf(const QFont& font, QPaintDevice* device) {
  const QFontMetrics metrics(font, device);
  return {metrics.height(), metrics.averageCharWidth(), 10 * metrics.averageCharWidth(),
          metrics.ascent()};
}

// The texts drawn on one line (baseline y), left to right.
QStringList TextsOnLine(const std::vector<DrawnText>& texts, int baseline) {
  std::vector<DrawnText> line;
  for (const DrawnText& t : texts)
    if (qAbs(t.baseline.y() - baseline) < 0.5) line.push_back(t);
  std::sort(line.begin(), line.end(),
            [](const DrawnText& a, const DrawnText& b) { return a.baseline.x() < b.baseline.x(); });
  QStringList out;
  for (const DrawnText& t : line) out << t.text;
  return out;
}

QList<qreal> XsOnLine(const std::vector<DrawnText>& texts, int baseline) {
  QList<qreal> xs;
  for (const DrawnText& t : texts)
    if (qAbs(t.baseline.y() - baseline) < 0.5) xs << t.baseline.x();
  std::sort(xs.begin(), xs.end());
  return xs;
}

QStringList RowSpeeds(const QString& copy) {
  QStringList speeds;
  const QStringList lines = copy.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  for (int i = 3; i < lines.size(); ++i) speeds << lines[i].section(QLatin1Char('\t'), 0, 0);
  return speeds;
}

QString F(float value, int decimals) { return QString::asprintf("%.*f", decimals, double(value)); }

}  // namespace

class TestResultsTable : public QObject {
  Q_OBJECT

  HeadlessHost host_;
  std::unique_ptr<CVexoDoc> doc_;
  ViewRegistry registry_;

 private slots:
  void init() {
    SetActiveScheme(0);
    registry_ = ViewRegistry();
    doc_ = std::make_unique<CVexoDoc>(&host_);
    if (!doc_->OnOpenDocument(test::SampleEngine())) qFatal("the sample engine did not open");
    if (doc_->Results().IsEmpty()) doc_->RunSimulation(false, false);
    QCOMPARE(doc_->Results().count, 28);
    QCOMPARE(doc_->Results().rpm[0], 1000.0f);
    QCOMPARE(doc_->Results().rpm[27], 14500.0f);
  }
  void cleanup() {
    SetActiveScheme(0);
    doc_->SetModified(false);
    doc_.reset();
  }

  // The second chart's X axis sets the rows; the first chart's never does.
  void rowsFollowTheSecondChartsXAxis() {
    CResultsTableView view(*doc_, registry_, true);
    ChartState& first = doc_->Chart(ChartRole::First);
    ChartState& second = doc_->Chart(ChartRole::Second);
    first.X().SelectItem(kItemEngineSpeed);
    first.X().SetCustomRange(10000, 20000);
    second.X().SelectItem(kItemEngineSpeed);
    second.X().SetCustomRange(2000, 4000);
    view.UpdateView();
    QStringList speeds = RowSpeeds(view.ShownText());
    QCOMPARE(speeds.size(), 28);
    QCOMPARE(speeds.first(), QStringLiteral("2000"));
    QCOMPARE(speeds.value(1), QStringLiteral("2075"));
    QCOMPARE(speeds.last(), QStringLiteral("4025"));

    // Past the sweep's end a row shows its speed only.
    second.X().SetCustomRange(10000, 20000);
    view.UpdateView();
    const QStringList lines = view.ShownText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.value(3).section(QLatin1Char('\t'), 0, 0), QStringLiteral("10000"));
    QCOMPARE(lines.value(28).section(QLatin1Char('\t'), 0, 0), QStringLiteral("14375"));
    QVERIFY(!lines.value(28).section(QLatin1Char('\t'), 1, 1).isEmpty());
    QCOMPARE(lines.value(29), QStringLiteral("14550\t\t\t\t\t\t\t"));
    QCOMPARE(lines.value(30), QStringLiteral("14725\t\t\t\t\t\t\t"));

    // Any other X item: the sweep points themselves, whatever the first chart plots.
    second.X().SelectItem(kItemEngineSpeed + 1);
    view.UpdateView();
    speeds = RowSpeeds(view.ShownText());
    QCOMPARE(speeds.size(), 28);
    for (int i = 0; i < 28; ++i) QCOMPARE(speeds[i], QString::number(1000 + 500 * i));
  }

  // Row 0 as painted: each text at its column start plus one character, in its format.
  void paintedRowHasTheColumnFormats_data() {
    QTest::addColumn<bool>("extended");
    QTest::newRow("standard") << false;
    QTest::newRow("extended") << true;
  }
  void paintedRowHasTheColumnFormats() {
    QFETCH(bool, extended);
    CResultsTableView standard(*doc_, registry_, true);
    CProResultsTableView pro(*doc_, registry_, true);
    doc_->Chart(ChartRole::Second).X().SelectItem(kItemEngineSpeed + 1);
    // Units of the tables stay domestic whatever the document shows.
    doc_->OnUnits(true);
    QVERIFY(doc_->IsMetric());
    const CResultsTableView& view = extended ? pro : standard;
    const ResultSet& r = doc_->Results();
    const int i = 5;  // a row inside the second group: 3500 rpm
    const QStringList expected =
        extended ? QStringList{F(r.rpm[i], 0), F(r.power[i], 0), F(r.indicatedPower[i], 0),
                               F(r.frictionPower[i], 0), F(r.pumpingPower[i], 0),
                               F(r.mechanicalEfficiency[i], 1), F(r.inductionAirflow[i], 1),
                               F(r.pistonForce[i], 0), F(r.pistonSpeed[i], 0), F(r.imep[i], 1),
                               F(r.fmep[i], 1), F(r.pmep[i], 1)}
                 : QStringList{F(r.rpm[i], 0), F(r.power[i], 0), F(r.torque[i], 0),
                               F(r.wheelPower[i], 0), F(r.wheelTorque[i], 0),
                               F(r.manifoldPressure[i], 2), F(r.volumetricEfficiency[i], 1),
                               F(r.bmep[i], 1)};

    TextDevice device;
    {
      QPainter painter(&device);
      view.Paint(painter, false);
    }
    const Layout m = LayoutOf(QFontDatabase::systemFont(QFontDatabase::GeneralFont), &device);
    // Rows 0..3 one line apart below the two header lines, then a group rule
    // and an extra line before row 4: row 5 is 9 lines below the headers' top.
    const int rowTop = 43 + 3 * m.h + 3 * m.h + 2 * m.h + m.h;
    QCOMPARE(TextsOnLine(device.engine.texts, rowTop + m.ascent), expected);
    const QList<qreal> xs = XsOnLine(device.engine.texts, rowTop + m.ascent);
    const QStringList header1 = TextsOnLine(device.engine.texts, 43 + m.ascent);
    const QStringList header2 = TextsOnLine(device.engine.texts, 43 + m.h + m.ascent);
    QCOMPARE(header1.size(), expected.size());
    // Each cell starts under its header; the columns are at least ten
    // characters wide and keep two characters' width clear right of either
    // header word, so no header runs into the next ("Induction"/"Piston").
    const QFontMetrics metrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont), &device);
    QCOMPARE(XsOnLine(device.engine.texts, 43 + m.ascent), xs);
    QCOMPARE(xs.first(), qreal(20 + m.cw));
    for (int k = 0; k + 1 < xs.size(); ++k) {
      QVERIFY(xs[k + 1] - xs[k] >= m.w);
      const int words = std::max(metrics.horizontalAdvance(header1[k]), metrics.horizontalAdvance(header2[k]));
      QVERIFY2(xs[k] + words + 2 * m.cw <= xs[k + 1], qPrintable(header1[k] + " " + header2[k]));
    }
    QCOMPARE(header1.first() + " " + header2.first(), QStringLiteral("Engine RPM"));
    QCOMPARE(header1.last() + " " + header2.last(),
             extended ? QStringLiteral("PMEP Pressure") : QStringLiteral("BMEP Pressure"));
  }

  // Printing: upper-case title, every text and rule black on white, no bands.
  void printingVariantIsBlackOnWhite() {
    SetActiveScheme(1);
    CResultsTableView standard(*doc_, registry_, true);
    CProResultsTableView pro(*doc_, registry_, true);
    for (const CResultsTableView* view : {static_cast<const CResultsTableView*>(&standard),
                                          static_cast<const CResultsTableView*>(&pro)}) {
      TextDevice device;
      {
        QPainter painter(&device);
        view->Paint(painter, true);
      }
      QVERIFY(device.engine.texts.size() > 100);
      QCOMPARE(device.engine.texts.front().text, view->Title().toUpper());
      for (const DrawnText& t : device.engine.texts) QCOMPARE(t.color, QColor(Qt::black));

      QImage page(1200, 900, QImage::Format_RGB32);
      page.fill(Qt::white);
      {
        QPainter painter(&page);
        view->Paint(painter, true);
      }
      int dark = 0;
      for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
          const QColor c = page.pixelColor(x, y);
          QVERIFY2(c.red() == c.green() && c.green() == c.blue(), qPrintable(c.name()));
          if (c.red() < 64) ++dark;
        }
      }
      QVERIFY(dark > 1000);
    }
    QCOMPARE(standard.Title().toUpper(), QStringLiteral("CALCULATED POWER AND ENGINE PRESSURES"));
    QCOMPARE(pro.Title().toUpper(), QStringLiteral("CORVALD CALCULATED POWER AND ENGINE PRESSURES"));
  }

  // Schemes other than the first paint bands behind the columns on screen.
  void colourBandsFollowTheScheme_data() {
    QTest::addColumn<int>("scheme");
    QTest::newRow("Windows Standard") << 0;
    QTest::newRow("Basic Blue") << 1;
    QTest::newRow("Orange Original") << 3;
  }
  void colourBandsFollowTheScheme() {
    QFETCH(int, scheme);
    SetActiveScheme(scheme);
    CResultsTableView standard(*doc_, registry_, true);
    CProResultsTableView pro(*doc_, registry_, true);
    const QColor yellow(0xff, 0xff, 0x99), red(0xff, 0x33, 0x33), green(0x33, 0x99, 0x00),
        blue(0x33, 0x33, 0x99);
    const QList<QColor> standardBands{yellow, red, green, red, green, blue, blue, blue};
    QList<QColor> proBands{yellow, red};
    for (int k = 2; k < 12; ++k) proBands << blue;
    // At 100 % and 200 % scaling the bands sit under the same logical columns.
    for (const int ratio : {1, 2}) {
      for (auto [view, bands] : {std::pair{static_cast<CResultsTableView*>(&standard), standardBands},
                                 std::pair{static_cast<CResultsTableView*>(&pro), proBands}}) {
        QImage image(1400 * ratio, 900 * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(SchemeColor(43));
        {
          QPainter painter(&image);
          view->Paint(painter, false);
        }
        const Layout m = LayoutOf(QFontDatabase::systemFont(QFontDatabase::GeneralFont), &image);
        // The columns' left edges lie a character left of their headers.
        TextDevice device;
        {
          QPainter painter(&device);
          view->Paint(painter, false);
        }
        QList<qreal> edges;
        for (qreal x : XsOnLine(device.engine.texts, 43 + m.ascent)) edges << x - m.cw;
        edges << view->RightEdge(QFontMetrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont), &image));
        QCOMPARE(edges.size(), bands.size() + 1);
        const int y = 43 + 3 * m.h + m.h / 2;  // in row 0, left of its texts
        for (int k = 0; k < bands.size(); ++k) {
          // Both ends of the band (clear of the rule right of the speed column).
          const int left = int(edges[k]);
          const int right = int(edges[k + 1]);
          QCOMPARE(image.pixelColor((left + 1) * ratio + 1, y * ratio) == bands[k], scheme != 0);
          QCOMPARE(image.pixelColor(right * ratio - 1, y * ratio) == bands[k], scheme != 0);
        }
        QCOMPARE(image.pixelColor((20 - m.cw / 2) * ratio, 43 * ratio) == SchemeColor(48),
                 scheme != 0);
      }
    }
  }

  // The extended table enters the registry only after a standard one; right-hand copies never.
  void registration() {
    {
      CProResultsTableView early(*doc_, registry_, true);
      QCOMPARE(registry_.View(ViewSlot::ProDataTable), nullptr);
    }
    CResultsTableView standard(*doc_, registry_, true);
    CResultsTableView second(*doc_, registry_, true);
    CProResultsTableView pro(*doc_, registry_, true);
    CProResultsTableView right(*doc_, registry_, false);
    QCOMPARE(registry_.View(ViewSlot::ResultsTable), &standard);
    QCOMPARE(registry_.View(ViewSlot::ProDataTable), &pro);
  }

  // Ctrl+C puts the table on the clipboard as tab-separated lines.
  void copyGivesTabSeparatedText() {
    CProResultsTableView pro(*doc_, registry_, false);
    pro.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pro));
    QApplication::clipboard()->clear();
    QTest::keyClick(&pro, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3 + 28);
    QCOMPARE(lines[0], QString::fromStdString(doc_->GetTitle()) + "\t" + pro.Title());
    QCOMPARE(lines[1].split('\t').size(), 12);
    QCOMPARE(lines[2].split('\t').value(8), QStringLiteral("Speed"));
    for (int i = 3; i < lines.size(); ++i) QCOMPARE(lines[i].split('\t').size(), 12);
  }
};

QTEST_MAIN(TestResultsTable)
#include "tst_resultstable.moc"
