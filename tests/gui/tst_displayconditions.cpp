// Power and torque as the windows show them: the model's own figures while
// nothing is chosen, the core's transform of them with a standard or a
// weather, one note line naming what they hold for, every open window
// redrawn when the choice changes, and the engine file never touched.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <cstring>
#include <memory>

#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "core/results/ResultsTableColumns.h"
#include "core/results/TestConditions.h"
#include "gui/engine/EnginePrinter.h"
#include "gui/engine/TestConditionsDlg.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ResultsTableView.h"
#include "gui/results/ZoneChart2D.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/UndoHistory.h"
#include "gui/shell/VexoApp.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/TextCapture.h"

using namespace brisca;
using brisca::test::TextDevice;

namespace {

TestConditions Standard(CorrectionStandard standard) {
  TestConditions conditions;
  conditions.standard = standard;
  return conditions;
}

TestConditions HotHighWeather() {
  TestConditions conditions;
  conditions.weatherGiven = true;
  conditions.barometerInHg = 24.6;
  conditions.temperatureF = 97.0;
  conditions.humidityPercent = 55.0;
  return conditions;
}

QString NoteOf(const TestConditions& conditions) {
  return QString::fromStdString(ConditionsNote(conditions, false));
}

// The table's text as the core's cells of `results` would give it.
QString CellsText(const CVexoDoc& doc, ResultsTableKind kind, const ResultSet& results) {
  QStringList lines;
  for (const ResultsTableRow& row : ResultsTableRowsOf(doc.Chart(ChartRole::Second).X(), results)) {
    QStringList cells;
    for (const std::string& cell : ResultsTableCells(kind, row, results)) cells << QString::fromStdString(cell);
    lines << cells.join(QLatin1Char('\t'));
  }
  return lines.join(QLatin1Char('\n'));
}

// The rows of a table's copy (after the note, the title and the two header lines).
QString RowsOf(const QString& copy) {
  QStringList lines = copy.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  if (!lines.isEmpty() && lines.first().startsWith(QLatin1String("# "))) lines.removeFirst();
  return lines.mid(3).join(QLatin1Char('\n'));
}

// How often `text` is painted by `paint`.
template <typename Paint>
int Painted(const QString& text, Paint paint) {
  TextDevice device;
  {
    QPainter painter(&device);
    paint(painter);
  }
  int found = 0;
  for (const auto& drawn : device.engine.texts) found += drawn.text == text ? 1 : 0;
  return found;
}

bool SameBits(const ResultSet& a, const ResultSet& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ChooseStandard(CMainFrame& frame, int index) {
  test::AnswerNextModal<CTestConditionsDlg>([index](CTestConditionsDlg* dialog) {
    auto* standard = dialog->findChild<QComboBox*>(QStringLiteral("standard"));
    standard->setCurrentIndex(index);
    emit standard->activated(index);
    dialog->accept();
  });
  frame.findChild<QAction*>(QStringLiteral("testConditionsAction"))->trigger();
}

}  // namespace

class TestDisplayConditions : public QObject {
  Q_OBJECT

  HeadlessHost host_;
  std::unique_ptr<CVexoDoc> doc_;
  ViewRegistry registry_;

 private slots:
  void init() {
    registry_ = ViewRegistry();
    doc_ = std::make_unique<CVexoDoc>(&host_);
    QVERIFY(doc_->OnOpenDocument(test::SampleEngine()));
    if (doc_->Results().IsEmpty()) QVERIFY(doc_->RunSimulation(false, false));
    doc_->Chart(ChartRole::Second).X().SelectItem(kItemEngineSpeed + 1);  // rows on the sweep points
  }
  void cleanup() {
    doc_->SetModified(false);
    doc_.reset();
  }

  // Nothing chosen: every cell is the core's cell of the model's results, on
  // screen, on paper and in a copy, and no note is painted or copied.
  void uncorrectedTablesShowTheModelsFigures() {
    CResultsTableView standard(*doc_, registry_, true);
    CProResultsTableView pro(*doc_, registry_, true);
    for (CResultsTableView* view : {&standard, static_cast<CResultsTableView*>(&pro)}) {
      QCOMPARE(RowsOf(view->CopyText()), CellsText(*doc_, view->Kind(), doc_->Results()));
      QVERIFY(view->Note().isEmpty());
      QVERIFY(!view->CopyText().startsWith(QLatin1String("# ")));
      for (const bool printing : {false, true}) {
        TextDevice device;
        {
          QPainter painter(&device);
          view->Paint(painter, printing);
        }
        for (const auto& drawn : device.engine.texts) {
          QVERIFY2(!drawn.text.startsWith(QLatin1String("Uncorrected")), qPrintable(drawn.text));
          QVERIFY2(!drawn.text.contains(QLatin1String("factor")), qPrintable(drawn.text));
        }
      }
    }
  }

  // A standard or a weather: each cell is the core's cell of the transformed
  // results, and the note line is painted once (screen and paper) and copied first.
  void correctedTablesShowTheCoreTransform_data() {
    QTest::addColumn<int>("standard");
    QTest::addColumn<bool>("weather");
    QTest::newRow("SAE J1349") << int(CorrectionStandard::SaeJ1349) << false;
    QTest::newRow("EEC 80/1269") << int(CorrectionStandard::Eec80_1269) << false;
    QTest::newRow("weather, SAE J1349's law") << int(CorrectionStandard::Uncorrected) << true;
    QTest::newRow("weather, DIN 70020") << int(CorrectionStandard::Din70020) << true;
  }
  void correctedTablesShowTheCoreTransform() {
    QFETCH(int, standard);
    QFETCH(bool, weather);
    TestConditions conditions = weather ? HotHighWeather() : TestConditions{};
    conditions.standard = static_cast<CorrectionStandard>(standard);
    const ResultSet model = doc_->Results();
    doc_->SetDisplayConditions(conditions);
    CResultsTableView table(*doc_, registry_, true);
    CProResultsTableView pro(*doc_, registry_, true);
    const QString note = NoteOf(conditions);
    for (CResultsTableView* view : {&table, static_cast<CResultsTableView*>(&pro)}) {
      const QString rows = RowsOf(view->CopyText());
      QCOMPARE(rows, CellsText(*doc_, view->Kind(), DisplayedResults(model, conditions)));
      QVERIFY(rows != CellsText(*doc_, view->Kind(), model));
      QCOMPARE(view->Note(), note);
      QCOMPARE(view->CopyText().section(QLatin1Char('\n'), 0, 0), QStringLiteral("# ") + note);
      for (const bool printing : {false, true})
        QCOMPARE(Painted(note, [&](QPainter& p) { view->Paint(p, printing); }), 1);
    }
    QVERIFY(SameBits(doc_->Results(), model));
  }

  // Charts plot the transformed power and torque with the note over them;
  // a chart of other quantities has no note. Export Data writes what is plotted.
  void chartsPlotTheTransformAndExportIt() {
    const TestConditions conditions = Standard(CorrectionStandard::SaeJ607);
    doc_->SetDisplayConditions(conditions);
    ChartState& powerChart = doc_->Chart(ChartRole::First);
    powerChart.X().SelectItem(kItemEngineSpeed);
    powerChart.Y1().SelectItem(kItemPower);
    powerChart.Y2().SelectItem(kItemWheelTorque);
    ChartState& otherChart = doc_->Chart(ChartRole::Second);
    otherChart.X().SelectItem(kItemEngineSpeed);
    otherChart.Y1().SelectItem(kItemVolumetricEfficiency);
    otherChart.Y2().SelectItem(kItemNone);
    CChart2dView power(*doc_, registry_, ChartRole::First);
    CChart2dView other(*doc_, registry_, ChartRole::Second);
    const ResultSet shown = DisplayedResults(doc_->Results(), conditions);
    const QList<QPointF> y1 = power.Chart().Series(ChartAxis::Y1, 0)->points();
    const QList<QPointF> y2 = power.Chart().Series(ChartAxis::Y2, 0)->points();
    QCOMPARE(y1.size(), shown.count);
    for (int k = 0; k < shown.count; ++k) {
      QCOMPARE(y1[k].y(), double(shown.power[k]));
      QCOMPARE(y2[k].y(), double(shown.wheelTorque[k]));
    }
    QCOMPARE(power.Chart().Note(), NoteOf(conditions));
    QVERIFY(other.Chart().Note().isEmpty());

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("power.csv"));
    QVERIFY(power.ExportData(path.toStdString()));
    const QList<QByteArray> lines = FileBytes(path).split('\n');
    QCOMPARE(QString::fromUtf8(lines.value(0)), QStringLiteral("# ") + NoteOf(conditions));
    QVERIFY(lines.value(1).startsWith("Engine Speed"));
    QCOMPARE(QString::fromUtf8(lines.value(2).split(',').value(1)), QString::asprintf("%.6g", double(shown.power[0])));

    doc_->SetDisplayConditions(TestConditions{});
    power.Rebuild();
    QVERIFY(power.Chart().Note().isEmpty());
    QCOMPARE(power.Chart().Series(ChartAxis::Y1, 0)->points().value(0).y(), double(doc_->Results().power[0]));
    QVERIFY(power.ExportData(path.toStdString()));
    QVERIFY(FileBytes(path).startsWith("Engine Speed"));
  }

  // Choosing in the dialog redraws every open window at once: no run, no
  // change to the engine, no step to undo; choosing "Uncorrected" again
  // brings back exactly what was shown before.
  void changingTheConditionsRefreshesOpenWindows() {
    std::unique_ptr<CVexoApp> app = test::StartWithEngine();
    QVERIFY(app);
    CMainFrame& frame = *app->MainFrame();
    CVexoDoc& doc = *frame.ActiveDocument();
    if (doc.Results().IsEmpty()) {
      QVERIFY(doc.RunSimulation(false, false));
      frame.UpdateAllViews(doc);
    }
    doc.Chart(ChartRole::First).Y1().SelectItem(kItemPower);
    ViewRegistry& views = frame.Documents().Views(doc);
    auto* table = static_cast<CResultsTableView*>(views.View(ViewSlot::ResultsTable));
    auto* chart = static_cast<CChart2dView*>(views.View(ViewSlot::FirstChart));
    chart->Rebuild();
    frame.Undo().Settle();
    const QString before = table->ShownText();
    const ResultSet model = doc.Results();
    const bool modified = doc.IsModified();
    const int steps = frame.Undo().StackOf(doc)->count();

    ChooseStandard(frame, 1);
    const TestConditions j1349 = Standard(CorrectionStandard::SaeJ1349);
    QCOMPARE(doc.DisplayConditions(), j1349);
    QCOMPARE(frame.findChild<QLabel*>(QStringLiteral("conditionsPane"))->text(), QStringLiteral("SAE J1349"));
    QCOMPARE(table->ShownText().section(QLatin1Char('\n'), 0, 0), QStringLiteral("# ") + NoteOf(j1349));
    QCOMPARE(RowsOf(table->ShownText()), CellsText(doc, ResultsTableKind::Standard, DisplayedResults(model, j1349)));
    QCOMPARE(chart->Chart().Note(), NoteOf(j1349));
    QCOMPARE(chart->Chart().Series(ChartAxis::Y1, 0)->points().value(3).y(),
             double(DisplayedResults(model, j1349).power[3]));
    QVERIFY(SameBits(doc.Results(), model));
    frame.Undo().Settle();
    QCOMPARE(doc.IsModified(), modified);
    QCOMPARE(frame.Undo().StackOf(doc)->count(), steps);

    // A document opened now shows the same air.
    CVexoDoc& added = frame.OnFileNew();
    QCOMPARE(added.DisplayConditions(), j1349);

    ChooseStandard(frame, 0);
    QCOMPARE(table->ShownText(), before);
    QVERIFY(chart->Chart().Note().isEmpty());
  }

  // The printed pages of the tables and charts carry the note once each; the
  // form and flow pages, which show no power, none. Uncorrected pages none.
  void printedPagesCarryTheNote() {
    std::unique_ptr<CVexoApp> app = test::StartWithEngine();
    QVERIFY(app);
    CMainFrame& frame = *app->MainFrame();
    CVexoDoc& doc = *frame.ActiveDocument();
    if (doc.Results().IsEmpty()) QVERIFY(doc.RunSimulation(false, false));
    doc.Chart(ChartRole::First).Y1().SelectItem(kItemPower);
    doc.Chart(ChartRole::Second).Y1().SelectItem(kItemTorque);
    const TestConditions weather = HotHighWeather();
    const EnginePrinter printer(doc, frame.Documents().Views(doc));
    const QRectF paper(-30, -30, 8.5 * 120, 11 * 120);
    const PrintPageGeometry letter{paper, QRectF(0, 0, 8 * 120, 10.5 * 120), 120.0, 120.0};
    for (const bool corrected : {false, true}) {
      frame.ShowConditions(corrected ? weather : TestConditions{});
      // A weather without a standard is not the model's air: the pane never says "Uncorrected" over it.
      QCOMPARE(frame.findChild<QLabel*>(QStringLiteral("conditionsPane"))->text(),
               corrected ? QStringLiteral("At weather (SAE J1349)") : QStringLiteral("Uncorrected"));
      for (int page = 1; page <= EnginePrinter::kPageCount; ++page) {
        const int expected = corrected && page >= 4 ? 1 : 0;
        QCOMPARE(Painted(NoteOf(weather), [&](QPainter& p) { printer.PaintPage(p, page, letter); }), expected);
      }
    }
  }
};

QTEST_MAIN(TestDisplayConditions)
#include "tst_displayconditions.moc"
