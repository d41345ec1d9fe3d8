// A measured run over the charts, in the running program: its curves on both
// charts of the document and gone again, a file that cannot be read changing
// nothing, the recent measured runs, the deviation window's numbers and Copy,
// and the engine never marked modified by any of it.
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <fstream>

#include "core/document/VexoDoc.h"
#include "core/results/MeasuredCurve.h"
#include "core/results/MeasuredDeviation.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ChartMenuTable.h"
#include "gui/results/MeasuredDeviationDlg.h"
#include "gui/results/ZoneChart2D.h"
#include "gui/shell/ColorScheme.h"
#include "gui/shell/DocumentManager.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/QtMessagePresenter.h"
#include "tests/gui/GuiTestSupport.h"

using namespace brisca;
namespace fs = std::filesystem;

namespace {

const char* const kPull = "Stock Small-Block V8 - pull 1.csv";

fs::path SamplePull(const char* name = kPull) {
  return ProgramPaths::Discover().programDataFolder / "Measured" / name;
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// The enabled measured items and the recent runs of the chart's Quick Comparison menu, by text.
QStringList QuickComparisonTexts(CChart2dView& chart, bool enabledOnly) {
  QStringList texts;
  for (QAction* group : chart.ContextMenu()->actions()) {
    if (!group->menu() || group->text() != QStringLiteral("Quick Comparison")) continue;
    for (QAction* action : group->menu()->actions()) {
      if (action->isSeparator() || (enabledOnly && !action->isEnabled())) continue;
      texts << action->text();
    }
  }
  return texts;
}

}  // namespace

class TestMeasuredRun : public QObject {
  Q_OBJECT

  CChart2dView& Chart(ViewSlot slot) {
    auto* view = qobject_cast<CChart2dView*>(frame_->Documents().Views(*doc_).View(slot));
    if (!view) qFatal("no chart");
    return *view;
  }
  // Overlays `path` through the menu command, the file chooser answered with it.
  bool Overlay(const fs::path& path) {
    frame_->Host().SetFilePrompter([path](const FilePrompt&) -> std::optional<fs::path> { return path; });
    const bool done = Chart(ViewSlot::SecondChart).OnCommand(kCmdMeasuredOverlay);
    frame_->Host().SetFilePrompter(nullptr);
    return done;
  }
  // The overlay lines' names of a chart.
  static QStringList OverlayNames(CChart2dView& chart) {
    QStringList names;
    for (int i = 0; i < chart.Chart().OverlayCount(); ++i) names << chart.Chart().OverlaySeries(i)->name();
    return names;
  }
  // The numbered message box the next command shows: its caption.
  static void CaptureMessage(QString* caption, bool* seen) {
    test::AnswerNextModal<QMessageBox>(
        [caption](QMessageBox* box) {
          *caption = box->windowTitle() + QLatin1Char('\n') + box->text();
          box->button(QMessageBox::Ok)->click();
        },
        seen);
  }

 private slots:
  void init() {
    app_ = test::StartWithEngine();
    QVERIFY(app_);
    frame_ = app_->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame_));
    doc_ = frame_->ActiveDocument();
    QVERIFY(doc_ && doc_->OnRun());
    // First chart: power and torque combined on Y1; second: power on Y1, torque on Y2.
    for (auto [slot, y1, y2] : {std::tuple{ViewSlot::FirstChart, 7, 0}, std::tuple{ViewSlot::SecondChart, 2, 3}}) {
      ChartState& state = Chart(slot).State();
      state.axes[kAxisX].SelectItem(kItemEngineSpeed);
      state.axes[1].SelectItem(y1);
      state.axes[2].SelectItem(y2);
      Chart(slot).Rebuild();
    }
    doc_->SetModified(false);
  }
  void cleanup() {
    for (CVexoDoc* doc : frame_->Documents().Documents()) doc->SetModified(false);
    app_.reset();
  }

  void overlayDrawsOnBothChartsAndRemoveTakesItAway() {
    const int undoSteps = frame_->Undo().StackOf(*doc_)->count();
    QVERIFY(Overlay(SamplePull()));
    const QString legend = QStringLiteral("Measured - ") + QString::fromUtf8(kPull);
    QCOMPARE(OverlayNames(Chart(ViewSlot::FirstChart)),
             QStringList({QStringLiteral("Power (HP)-") + legend, QStringLiteral("Torque (lb-ft)-") + legend}));
    QCOMPARE(OverlayNames(Chart(ViewSlot::SecondChart)),
             QStringList({QStringLiteral("Power (HP)-") + legend, QStringLiteral("Torque (lb-ft)-") + legend}));
    QVERIFY(Chart(ViewSlot::SecondChart).Chart().LegendRows().join(QLatin1Char(' ')).contains(legend));

    // The points are the run's, moved into the air the simulated curve is shown in.
    MeasuredRun run;
    QVERIFY(LoadMeasuredRun(SamplePull(), run));
    const double scale = MeasuredDisplayScale(run, frame_->Conditions());
    QVERIFY(std::abs(scale - 1.0) > 1e-3);  // the sample states its weather
    const QLineSeries* power = Chart(ViewSlot::SecondChart).Chart().OverlaySeries(0);
    QCOMPARE(power->count(), static_cast<int>(run.points.size()));
    QCOMPARE(power->at(0).x(), run.points[0].rpm);
    QVERIFY(qFuzzyCompare(power->at(0).y(), run.points[0].power * scale));
    QVERIFY(qFuzzyCompare(Chart(ViewSlot::SecondChart).Chart().OverlaySeries(1)->at(3).y(),
                          run.points[3].torque * scale));
    // Dashed, in a colour none of the compared documents' curves has.
    QCOMPARE(power->pen().style(), Qt::CustomDashLine);
    for (int entry = kPrimaryCurves; entry < kSecondaryCurves + 4; ++entry) {
      QVERIFY(power->color() != SchemeColor(entry));
    }
    // The Y2 axis takes the measured torque into its automatic range.
    QVERIFY(!doc_->IsModified());
    QCOMPARE(frame_->Undo().StackOf(*doc_)->count(), undoSteps);

    // A chart whose items the run did not measure gets nothing.
    CChart2dView& first = Chart(ViewSlot::FirstChart);
    QVERIFY(first.OnCommand(ChartDataMenu(1)[2].command));  // Power-Wheel
    QCOMPARE(first.State().Y1().Item(), static_cast<int>(kItemWheelPower));
    QCOMPARE(first.Chart().OverlayCount(), 0);
    doc_->SetModified(false);

    QVERIFY(Chart(ViewSlot::FirstChart).OnCommand(kCmdMeasuredRemove));
    QCOMPARE(Chart(ViewSlot::SecondChart).Chart().OverlayCount(), 0);
    QVERIFY(!Chart(ViewSlot::SecondChart).Chart().LegendRows().join(QLatin1Char(' ')).contains(legend));
    QVERIFY(!Chart(ViewSlot::SecondChart).HasMeasuredRun());
    QVERIFY(!doc_->IsModified());
    QVERIFY(!QuickComparisonTexts(Chart(ViewSlot::SecondChart), true).contains(QStringLiteral("Remove Measured Run")));

    // Saved and read again, the engine holds no trace of it.
    QTemporaryDir dir;
    const fs::path saved = fs::path(dir.path().toStdString()) / "engine.qen";
    QVERIFY(Overlay(SamplePull()));
    QVERIFY(frame_->Documents().SaveDocument(*doc_, saved));
    std::ifstream in(saved);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    QVERIFY(text.find("pull 1") == std::string::npos);
  }

  void unreadableFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bad number") << QByteArray("RPM,Power (HP)\n2000,12x\n") << QStringLiteral("Error 370");
    QTest::newRow("no speed column") << QByteArray("Torque,Power\n300,100\n") << QStringLiteral("Error 370");
    QTest::newRow("header only") << QByteArray("RPM,Power (HP)\n") << QStringLiteral("Error 370");
  }
  void unreadableFileChangesNothing() {
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    QVERIFY(Overlay(SamplePull()));
    const QStringList before = OverlayNames(Chart(ViewSlot::SecondChart));
    const QStringList menuBefore = QuickComparisonTexts(Chart(ViewSlot::SecondChart), false);
    QTemporaryDir dir;
    const fs::path bad = fs::path(dir.path().toStdString()) / "bad pull.csv";
    WriteFile(bad, text.toStdString());

    QString shown;
    bool seen = false;
    CaptureMessage(&shown, &seen);
    QVERIFY(!Overlay(bad));
    QVERIFY(seen);
    QVERIFY2(shown.startsWith(expected), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("bad pull.csv")) && shown.contains(QStringLiteral("line")),
             qPrintable(shown));
    QCOMPARE(OverlayNames(Chart(ViewSlot::SecondChart)), before);
    QCOMPARE(QuickComparisonTexts(Chart(ViewSlot::SecondChart), false), menuBefore);
    QVERIFY(!doc_->IsModified());
  }

  void recentRunsKeepTheLatestFiveAndDropAMissingOne() {
    QTemporaryDir dir;
    const fs::path folder(dir.path().toStdString());
    std::vector<fs::path> files;
    for (int i = 1; i <= 6; ++i) {
      files.push_back(folder / ("pull " + std::to_string(i) + ".csv"));
      fs::copy_file(SamplePull(), files.back());
      QVERIFY(Overlay(files.back()));
    }
    // Pull 3 again moves to the top; pull 1 fell off when pull 6 came.
    QVERIFY(Overlay(files[2]));
    auto recent = [this] {
      QStringList names;
      for (const QString& text : QuickComparisonTexts(Chart(ViewSlot::FirstChart), false)) {
        if (text.startsWith(QLatin1Char('&'))) names << text;
      }
      return names;
    };
    QCOMPARE(recent(), QStringList({QStringLiteral("&1 pull 3.csv"), QStringLiteral("&2 pull 6.csv"),
                                    QStringLiteral("&3 pull 5.csv"), QStringLiteral("&4 pull 4.csv"),
                                    QStringLiteral("&5 pull 2.csv")}));
    // Kept across runs of the program.
    app_.reset();
    app_ = std::make_unique<CVexoApp>(test::QuickStart());
    QVERIFY(app_->InitInstance({QStringLiteral("brisca")}) && app_->MainFrame()->OpenFile(test::SampleEngine()));
    frame_ = app_->MainFrame();
    doc_ = frame_->ActiveDocument();
    QCOMPARE(recent().size(), 5);
    QVERIFY(!Chart(ViewSlot::FirstChart).HasMeasuredRun());  // the overlay itself is for the session

    // Chosen from the list, a run is laid over again.
    QVERIFY(Chart(ViewSlot::FirstChart).OnCommand(kCmdMeasuredRecent + 1));
    QVERIFY(Chart(ViewSlot::FirstChart).HasMeasuredRun());
    QVERIFY(!Chart(ViewSlot::FirstChart).Chart().LegendRows().join(QLatin1Char(' ')).contains(QStringLiteral("pull 3")));
    QCOMPARE(recent().first(), QStringLiteral("&1 pull 6.csv"));

    // A file gone since: error 390 naming it, the list without it, the overlay as it was.
    fs::remove(files[4]);
    const QStringList overlay = OverlayNames(Chart(ViewSlot::FirstChart));
    QString shown;
    bool seen = false;
    CaptureMessage(&shown, &seen);
    QVERIFY(!Chart(ViewSlot::FirstChart).OnCommand(kCmdMeasuredRecent + 2));  // pull 5
    QVERIFY(seen);
    QVERIFY2(shown.startsWith(QStringLiteral("Error 390")) && shown.contains(QStringLiteral("pull 5.csv")),
             qPrintable(shown));
    QCOMPARE(recent(), QStringList({QStringLiteral("&1 pull 6.csv"), QStringLiteral("&2 pull 3.csv"),
                                    QStringLiteral("&3 pull 4.csv"), QStringLiteral("&4 pull 2.csv")}));
    QCOMPARE(OverlayNames(Chart(ViewSlot::FirstChart)), overlay);
  }

  void deviationWindowShowsTheCoreNumbersAndCopiesThem() {
    // Without a run the command is refused and its menu item disabled.
    QVERIFY(!QuickComparisonTexts(Chart(ViewSlot::SecondChart), true).contains(QStringLiteral("Measured vs Simulated...")));
    QVERIFY(!Chart(ViewSlot::SecondChart).OnCommand(kCmdMeasuredDeviation));
    QVERIFY(Overlay(SamplePull()));
    QVERIFY(QuickComparisonTexts(Chart(ViewSlot::SecondChart), true).contains(QStringLiteral("Measured vs Simulated...")));

    MeasuredRun run;
    QVERIFY(LoadMeasuredRun(SamplePull(), run));
    const MeasuredDeviation core = CompareMeasured(doc_->Results(), run, frame_->Conditions());
    QVERIFY(core.pointsCompared > 3);

    bool seen = false;
    QString copied;
    test::AnswerNextModal<CMeasuredDeviationDlg>(
        [&](CMeasuredDeviationDlg* dialog) {
          QTableWidget* table = dialog->Table();
          const auto columns = {&DeviationPoint::rpm, &DeviationPoint::measured, &DeviationPoint::simulated,
                                &DeviationPoint::delta, &DeviationPoint::deltaPercent};
          QCOMPARE(table->rowCount(), core.pointsCompared);
          for (int r = 0; r < table->rowCount(); ++r) {
            int c = 0;
            for (const DeviationSeries* series : {&core.power, &core.torque}) {
              for (auto member : columns) {
                if (series == &core.torque && member == &DeviationPoint::rpm) continue;
                const double value = series->points[static_cast<std::size_t>(r)].*member;
                const double decimals = member == &DeviationPoint::rpm ? 0 : member == &DeviationPoint::deltaPercent ? 2 : 1;
                QVERIFY2(std::abs(table->item(r, c)->text().toDouble() - value) <= 0.5 * std::pow(10.0, -decimals) + 1e-9,
                         qPrintable(QStringLiteral("row %1 column %2: %3").arg(r).arg(c).arg(table->item(r, c)->text())));
                ++c;
              }
            }
          }
          // The summary lines carry the core's RMS and largest.
          const QString power = dialog->findChild<QLabel*>(QStringLiteral("summary1"))->text();
          QVERIFY2(power.contains(QStringLiteral("RMS %1 HP").arg(core.power.rms, 0, 'f', 2)), qPrintable(power));
          QVERIFY2(power.contains(QStringLiteral("largest %1 HP").arg(core.power.largest, 0, 'f', 2)), qPrintable(power));
          const QString torque = dialog->findChild<QLabel*>(QStringLiteral("summary2"))->text();
          QVERIFY2(torque.contains(QStringLiteral("RMS %1 lb-ft").arg(core.torque.rms, 0, 'f', 2)), qPrintable(torque));

          // Ctrl+C from the table copies tab-separated text that reads back as the table.
          QApplication::clipboard()->clear();
          QCOMPARE(QApplication::focusWidget(), table);
          QTest::keySequence(table, QKeySequence::Copy);
          copied = QApplication::clipboard()->text();
          QCOMPARE(copied, dialog->CopyText());
          QTest::keyClick(table, Qt::Key_Escape);
        },
        &seen);
    QVERIFY(Chart(ViewSlot::SecondChart).OnCommand(kCmdMeasuredDeviation));
    QVERIFY(seen);

    const QStringList lines = copied.split(QLatin1Char('\n'));
    QCOMPARE(lines.first().split(QLatin1Char('\t')).size(), 9);
    for (int r = 0; r < core.pointsCompared; ++r) {
      const QStringList cells = lines.at(r + 1).split(QLatin1Char('\t'));
      QCOMPARE(cells.size(), 9);
      const DeviationPoint& p = core.power.points[static_cast<std::size_t>(r)];
      const DeviationPoint& t = core.torque.points[static_cast<std::size_t>(r)];
      const double expected[] = {p.rpm, p.measured, p.simulated, p.delta, p.deltaPercent,
                                 t.measured, t.simulated, t.delta, t.deltaPercent};
      for (int c = 0; c < 9; ++c) {
        bool ok = false;
        QVERIFY(std::abs(cells.at(c).toDouble(&ok) - expected[c]) <= 0.05 + 1e-9);
        QVERIFY(ok);
      }
    }
    QVERIFY(copied.contains(QStringLiteral("Power: RMS %1 HP").arg(core.power.rms, 0, 'f', 2)));

    // No results: the window is not offered.
    doc_->Results() = ResultSet{};
    QVERIFY(!Chart(ViewSlot::SecondChart).OnCommand(kCmdMeasuredDeviation));
    QVERIFY(!QuickComparisonTexts(Chart(ViewSlot::SecondChart), true).contains(QStringLiteral("Measured vs Simulated...")));
  }

 private:
  // The numbered messages in their real boxes, as the program shows them.
  QtMessagePresenter boxes_;
  ScopedPresenter installed_{boxes_};
  std::unique_ptr<CVexoApp> app_;
  CMainFrame* frame_ = nullptr;
  CVexoDoc* doc_ = nullptr;
};

QTEST_MAIN(TestMeasuredRun)
#include "tst_measuredrun.moc"
