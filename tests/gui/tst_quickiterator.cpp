// The Quick Iterator on the sample engine, driven through its buttons: a
// series run on worker threads, stopped and resumed without starting over,
// "Close" keeping nothing, "Save" opening the best engine as a document that
// scores as it was kept, warning 206, the charts, and closing mid-run.
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>

#include "core/document/VexoDoc.h"
#include "core/iterator/QuickPresets.h"
#include "core/iterator/TwoPhaseSeries.h"
#include "gui/iterator/IteratorCharts.h"
#include "gui/iterator/IteratorCommands.h"
#include "gui/iterator/IteratorPhases.h"
#include "gui/iterator/ItrQuickDlg.h"
#include "gui/iterator/StatusLight.h"
#include "gui/results/chartlib/Chart2D.h"
#include "gui/shell/MainFrame.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::CItrQuickDlg;
using brisca::Iterator;
using brisca::MessageButton;
using brisca::QuickPreset;

namespace {

constexpr int kThreads = 2;
constexpr int kRunTimeoutMs = 120000;

//! (test number, score) of every kept result, slot by slot.
std::vector<std::pair<int, float>> Kept(const Iterator& it) {
  std::vector<std::pair<int, float>> kept;
  for (int i = 0; i < it.KeptCount(); ++i) kept.emplace_back(it.Result(i).testNumber, it.Result(i).score);
  return kept;
}

}  // namespace

class TestQuickIterator : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    app_ = brisca::test::StartWithEngine();
    QVERIFY(app_);
    frame_ = app_->MainFrame();
    doc_ = frame_->ActiveDocument();
    QVERIFY(doc_);
    QVERIFY(doc_->OnRun());
  }

  void init() {
    presenter_.Clear();
    doc_->Iterator(0).reset();
    doc_->Iterator(1).reset();
  }

  void cleanupTestCase() {
    for (brisca::CVexoDoc* d : frame_->Documents().Documents()) d->SetModified(false);
  }

  // Before a preset nothing can run; the status reads zero and the baseline
  // is drawn alone.
  void opensIdle() {
    CItrQuickDlg dialog(*doc_, kThreads);
    QVERIFY(!dialog.RunButton()->isEnabled());
    QVERIFY(!dialog.SaveButton()->isEnabled());
    QCOMPARE(dialog.IncreaseLabel()->text(), QStringLiteral("0"));
    QVERIFY(dialog.StoppedLight()->IsOn());
    QVERIFY(!dialog.RunningLight()->IsOn());
    QVERIFY(dialog.PhaseLight(1)->IsOn());
    QVERIFY(dialog.CurrentChart()->Series(brisca::ChartAxis::Y1, 1)->isVisible());   // baseline
    QVERIFY(!dialog.CurrentChart()->Series(brisca::ChartAxis::Y1, 0)->isVisible());  // best
    QVERIFY(!dialog.CurrentChart()->Series(brisca::ChartAxis::Y1, 2)->isVisible());  // last
  }

  // Stop right after the start takes effect after the tests in flight; Resume
  // runs only the rest (the run's commits count exactly the remaining tests),
  // and the results are those of a one-thread run of the same series. How
  // many tests were done when Stop landed depends on the machine's load
  // (none, on a busy one): what is checked holds for any number.
  void stopAndResumeContinue() {
    CItrQuickDlg dialog(*doc_, kThreads);
    QTest::mouseClick(dialog.PresetButton(QuickPreset::BoreStrokePower), Qt::LeftButton);
    QVERIFY(dialog.IsRunning());
    QCOMPARE(dialog.RunButton()->text(), QStringLiteral("Stop"));
    QVERIFY(!dialog.CloseButton()->isEnabled());
    QVERIFY(!dialog.PresetButton(QuickPreset::CamPower)->isEnabled());
    QTest::mouseClick(dialog.RunButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.IsRunning(), kRunTimeoutMs);
    QCOMPARE(dialog.GetState(), CItrQuickDlg::kStopped);
    QCOMPARE(dialog.RunButton()->text(), QStringLiteral("Resume"));
    const std::int64_t stoppedAt =
        dialog.Phase(1).TestsDone() + (dialog.CurrentPhase() == 2 ? dialog.Phase(2).TestsDone() : 0);
    QVERIFY(stoppedAt < dialog.Phase(1).TotalTests() + dialog.Phase(2).TotalTests());
    QCOMPARE(dialog.CompletedLabel()->text(), QString::number(stoppedAt));

    QTest::mouseClick(dialog.RunButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(dialog.GetState(), CItrQuickDlg::kFinished, kRunTimeoutMs);
    const std::int64_t total = dialog.Phase(1).TotalTests() + dialog.Phase(2).TotalTests();
    QCOMPARE(dialog.Shown().commits, total - stoppedAt);
    QCOMPARE(dialog.CompletedLabel()->text(), QString::number(total));
    QCOMPARE(dialog.TotalLabel()->text(), QString::number(total));
    QCOMPARE(dialog.PercentLabel()->text(), QStringLiteral("100%"));
    QVERIFY(dialog.PhaseLight(2)->IsOn());
    QVERIFY(dialog.SaveButton()->isEnabled());
    QVERIFY(!dialog.RunButton()->isEnabled());

    Iterator one, two;
    int code = 0;
    QVERIFY(brisca::ApplyQuickPreset(*doc_, QuickPreset::BoreStrokePower, one, two, code));
    brisca::TwoPhaseSeries series(one, two, true, 1);
    QVERIFY(series.Run(code));
    QCOMPARE(Kept(dialog.Phase(1)), Kept(one));
    QCOMPARE(Kept(dialog.Phase(2)), Kept(two));
    QVERIFY(presenter_.Shown().empty());
  }

  // After a finished run: best red, baseline grey, last tested green, 1-pixel
  // lines over 1000..14500 rpm; the increase in hp as the score difference.
  void chartsAndStatusAfterARun() {
    CItrQuickDlg dialog(*doc_, kThreads);
    QTest::mouseClick(dialog.PresetButton(QuickPreset::BoreStrokePower), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(dialog.GetState(), CItrQuickDlg::kFinished, kRunTimeoutMs);
    brisca::CChart2D& chart = *dialog.CurrentChart();
    const QColor colors[3] = {Qt::red, Qt::gray, brisca::kLastColor};
    for (int set = 0; set < 3; ++set) {
      QLineSeries* series = chart.Series(brisca::ChartAxis::Y1, set);
      QVERIFY(series->isVisible());
      QCOMPARE(series->pen().color(), colors[set]);
      QCOMPARE(series->pen().widthF(), 1.0);
    }
    QCOMPARE(chart.AxisMinimum(brisca::ChartAxis::X), 1000.0);
    QCOMPARE(chart.AxisMaximum(brisca::ChartAxis::X), 14500.0);
    QCOMPARE(chart.AxisMinimum(brisca::ChartAxis::Y1), 0.0);
    const Iterator& p2 = dialog.Phase(2);
    // The gain and the grey curve are the user's engine's, though phase 2
    // searched around phase 1's best.
    const float own = dialog.Phase(1).Score(*doc_);
    QVERIFY(p2.BaselineScore() != own);
    QCOMPARE(dialog.IncreaseLabel()->text(), QString::asprintf("%.1f", p2.BestScore() - own));
    QCOMPARE(chart.Series(brisca::ChartAxis::Y1, 1)->at(3).y(), static_cast<double>(doc_->Results().power[3]));
    QCOMPARE(dialog.FailedLabel()->text(), QStringLiteral("0 failed"));
    QCOMPARE(dialog.UnitsLabel()->text(), QStringLiteral("hp"));
    // The last tested engine is phase 2's last test.
    const brisca::TestCurve& last = dialog.Shown().last;
    QVERIFY(last.count > 0);
    QCOMPARE(chart.Series(brisca::ChartAxis::Y1, 2)->at(3).y(), static_cast<double>(last.power[3]));
    // The bars: baseline grey, best red, the axis by the rescale rule around them.
    QCOMPARE(dialog.BarChart()->BarCount(), 2);
    const brisca::BarAxis& axis = dialog.BarAxisShown();
    QVERIFY(axis.min <= std::min(p2.WorstScore(), own));
    QVERIFY(axis.max >= p2.BestScore());
  }

  // Return starts no search and closes nothing: no button is the default.
  // A preset pressed after a search asks before its results are discarded.
  void returnStartsNothingAndPresetsAskFirst() {
    CItrQuickDlg dialog(*doc_, kThreads);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      QVERIFY2(!button->isDefault(), qPrintable(button->text()));
    }
    QTest::keyClick(&dialog, Qt::Key_Return);
    QVERIFY(!dialog.IsRunning());
    QCOMPARE(dialog.GetState(), CItrQuickDlg::kIdle);
    QVERIFY(dialog.isVisible());

    QTest::mouseClick(dialog.PresetButton(QuickPreset::BoreStrokePower), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(dialog.GetState(), CItrQuickDlg::kFinished, kRunTimeoutMs);
    const auto kept = Kept(dialog.Phase(2));
    QVERIFY(presenter_.Shown().empty());
    presenter_.Answer(MessageButton::Cancel);  // No
    QTest::mouseClick(dialog.PresetButton(QuickPreset::BoreStrokeTorque), Qt::LeftButton);
    QCOMPARE(presenter_.Shown().size(), std::size_t(1));
    QCOMPARE(presenter_.Shown().front().code, 330);
    QVERIFY(!dialog.IsRunning());
    QCOMPARE(dialog.GetState(), CItrQuickDlg::kFinished);
    QCOMPARE(Kept(dialog.Phase(2)), kept);
  }

  // "Close" writes nothing back: the next opening starts from scratch, with no
  // warning 206.
  void closeKeepsNothing() {
    QVERIFY(brisca::PrepareQuickOpening(*doc_));
    {
      CItrQuickDlg dialog(*doc_, kThreads);
      QTest::mouseClick(dialog.PresetButton(QuickPreset::BoreStrokeTorque), Qt::LeftButton);
      QTRY_COMPARE_WITH_TIMEOUT(dialog.GetState(), CItrQuickDlg::kFinished, kRunTimeoutMs);
      QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton);
      QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QVERIFY(!doc_->Iterator(0));
    QVERIFY(!doc_->Iterator(1));
    QVERIFY(brisca::PrepareQuickOpening(*doc_));
    QVERIFY(presenter_.Shown().empty());
  }

  // "Save" marks phase 2's best; a timer tick later it is a document titled
  // "Best<slot+1>-" plus the baseline title before its first ".", which runs
  // to the score it was kept with.
  void saveOpensTheBestAsADocument() {
    const std::size_t before = frame_->Documents().Documents().size();
    int bestSlot = -1;
    float bestScore = 0.0f;
    {
      CItrQuickDlg dialog(*doc_, kThreads);
      QTest::mouseClick(dialog.PresetButton(QuickPreset::BoreStrokeTorque), Qt::LeftButton);
      QTRY_COMPARE_WITH_TIMEOUT(dialog.GetState(), CItrQuickDlg::kFinished, kRunTimeoutMs);
      bestSlot = dialog.Phase(2).BestSlot();
      bestScore = dialog.Phase(2).BestScore();
      QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    const Iterator* p2 = brisca::DocumentIterator(*doc_, 1);
    QVERIFY(p2 && brisca::DocumentIterator(*doc_, 0));
    QVERIFY(p2->Result(bestSlot).keep);
    QCOMPARE(p2->Baseline(), brisca::DocumentIterator(*doc_, 0)->BestEngine());
    brisca::CreateResultDocuments(*frame_, *doc_);
    QTRY_COMPARE(frame_->Documents().Documents().size(), before + 1);
    QTRY_VERIFY(!brisca::ResultDocumentQueue::Of(*frame_)->IsWorking());
    brisca::CVexoDoc* made = frame_->Documents().Documents().back();
    const std::string base = doc_->GetTitle().substr(0, doc_->GetTitle().find('.'));
    QCOMPARE(made->GetTitle(), "Best" + std::to_string(bestSlot + 1) + "-" + base);
    QVERIFY(made->IsModified());
    QVERIFY(made->OnRun());
    QCOMPARE(p2->Score(*made), bestScore);
    QCOMPARE(frame_->Documents().Documents().size(), before + 1);  // one marked, one made
  }

  // With a Pro setup on the document, warning 206 asks first: Cancel leaves
  // it, OK drops it.
  void warning206() {
    QVERIFY(brisca::PrepareProOpening(*doc_));
    presenter_.Clear();
    presenter_.Answer(MessageButton::Cancel);
    QVERIFY(!brisca::PrepareQuickOpening(*doc_));
    QCOMPARE(presenter_.Shown().size(), std::size_t(1));
    QCOMPARE(presenter_.Shown().front().code, 206);
    QVERIFY(brisca::DocumentIterator(*doc_, 0) && brisca::DocumentIterator(*doc_, 0)->IsSetUp());
    presenter_.Answer(MessageButton::Ok);
    QVERIFY(brisca::PrepareQuickOpening(*doc_));
    QVERIFY(!doc_->Iterator(0));
  }

  // Closing the window in the middle of a long series stops and joins the
  // workers before it goes: nothing runs afterwards, nothing is kept.
  void closeMidRun() {
    auto dialog = std::make_unique<CItrQuickDlg>(*doc_, kThreads);
    dialog->show();
    QTest::mouseClick(dialog->PresetButton(QuickPreset::CamPower), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(dialog->Shown().commits >= 3, kRunTimeoutMs);
    QVERIFY(dialog->IsRunning());
    dialog->close();
    QVERIFY(!dialog->IsRunning());
    QVERIFY(dialog->Phase(1).TestsDone() < dialog->Phase(1).TotalTests());
    dialog.reset();
    QVERIFY(!doc_->Iterator(0));
  }

 private:
  brisca::test::ScratchSettings settings_;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
  std::unique_ptr<brisca::CVexoApp> app_;
  brisca::CMainFrame* frame_ = nullptr;
  brisca::CVexoDoc* doc_ = nullptr;
};

QTEST_MAIN(TestQuickIterator)
#include "tst_quickiterator.moc"
