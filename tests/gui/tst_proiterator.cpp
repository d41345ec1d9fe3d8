// The Pro Iterator on the sample engine, driven through its pages: presets,
// dual mode around phase 1's best engine, the "Save:" buttons and the result
// documents, Restart, the 3D rows, warnings 205 and 201, closing mid-run,
// Return, setup changes after a run, failures told with their counts, and
// the layout of its tabs and limits.
#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <functional>

#include "core/document/VexoDoc.h"
#include "core/iterator/SeriesFailures.h"
#include "core/iterator/TwoPhaseSeries.h"
#include "gui/iterator/IteratorCommands.h"
#include "gui/iterator/IteratorPhases.h"
#include "gui/iterator/ItrProDlg.h"
#include "gui/iterator/ProBoreStrokePage.h"
#include "gui/iterator/ProCamPage.h"
#include "gui/iterator/ProInductionPage.h"
#include "gui/iterator/ProOptimizePage.h"
#include "gui/iterator/ProResultsPage.h"
#include "gui/results/chartlib/Surface3D.h"
#include "gui/shell/MainFrame.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::CItrProDlg;
using brisca::Iterator;
using brisca::MessageButton;
using brisca::ProPreset;

namespace {

constexpr int kThreads = 2;
constexpr int kRunTimeoutMs = 120000;

std::vector<std::pair<int, float>> Kept(const Iterator& it) {
  std::vector<std::pair<int, float>> kept;
  for (int i = 0; i < it.KeptCount(); ++i) kept.emplace_back(it.Result(i).testNumber, it.Result(i).score);
  return kept;
}

void RunToEnd(CItrProDlg& dialog) {
  QTest::mouseClick(dialog.ResultsPage()->RunButton(), Qt::LeftButton);
  QVERIFY(dialog.IsRunning());
  QTRY_VERIFY_WITH_TIMEOUT(!dialog.IsRunning(), kRunTimeoutMs);
  QCOMPARE(dialog.GetState(), CItrProDlg::kFinished);
}

//! Where a label's text ends, in its parent's coordinates.
int TextRight(const QLabel& label) {
  const QRect box = label.contentsRect().translated(label.pos());
  const int width = label.fontMetrics().horizontalAdvance(label.text());
  if (label.alignment() & Qt::AlignRight) return box.right();
  if (label.alignment() & Qt::AlignHCenter) return box.center().x() + width / 2;
  return box.left() + width;
}

QString OneDecimal(float value) { return QString::asprintf("%.1f", value); }

//! Bore ±0.010 in in steps of 0.005 in, phase 1 only: five tests.
void SetFiveBores(CItrProDlg& dialog) {
  brisca::ProBoreStrokePage& page = *dialog.BoreStrokePage();
  page.Mode()->button(1)->click();
  page.Step(1)->setCurrentIndex(2);       // 0.005
  page.Tolerance(1, 0)->setCurrentIndex(1);  // 0.010
  QCOMPARE(page.TestCount()->text(), QStringLiteral("5"));
}

}  // namespace

class TestProIterator : public QObject {
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
    QVERIFY(brisca::PrepareProOpening(*doc_));
  }

  void cleanupTestCase() {
    for (brisca::CVexoDoc* d : frame_->Documents().Documents()) d->SetModified(false);
  }

  // "Induction" on an engine with manifold type 5 lists the other 18 and
  // nothing else varies: 18 tests.
  void inductionPresetLeavesOutTheEnginesOwn() {
    const brisca::CPartTypeSpec own = doc_->Engine().manifoldType;
    doc_->Engine().manifoldType = brisca::ManifoldChoice(5);
    QVERIFY(doc_->OnRun());
    QVERIFY(brisca::PrepareProOpening(*doc_));
    {
      CItrProDlg dialog(*doc_, kThreads);
      QTest::mouseClick(dialog.PresetButton(ProPreset::Induction), Qt::LeftButton);
      QCOMPARE(dialog.Pages()->currentWidget(), static_cast<QWidget*>(dialog.InductionPage()));
      QCOMPARE(dialog.Phase(1).Variable(brisca::kSlotManifold).Entries().size(), std::size_t(18));
      QVERIFY(!dialog.InductionPage()->Manifold(5)->isChecked());
      QVERIFY(dialog.InductionPage()->Manifold(4)->isChecked());
      QCOMPARE(dialog.InductionPage()->TestCount()->text(), QStringLiteral("18"));
      QCOMPARE(dialog.SeriesCell(2, 1)->text(), QStringLiteral("18"));
      QCOMPARE(dialog.SeriesCell(0, 1)->text(), QStringLiteral("Not Used"));
      QCOMPARE(dialog.SeriesCell(2, 2)->text(), QStringLiteral("Not Used"));
      QCOMPARE(dialog.TotalLabel()->text(), QStringLiteral("18"));
    }
    doc_->Engine().manifoldType = own;
    QVERIFY(doc_->OnRun());
  }

  // Dual mode for the cam only: phase 2 varies IVO and IVC ±1° around phase
  // 1's best engine and nothing else; the results are a one-thread run's.
  void dualCamPhaseTwoLiesAroundPhaseOnesBest() {
    CItrProDlg dialog(*doc_, kThreads);
    brisca::ProCamPage& cam = *dialog.CamPage(false);
    cam.Mode()->button(2)->click();
    cam.Step(1)->setCurrentIndex(3);        // 8°
    cam.Tolerance(1, 0)->setCurrentIndex(4);  // IVO ±8°
    cam.Tolerance(1, 1)->setCurrentIndex(4);  // IVC ±8°
    cam.Step(2)->setCurrentIndex(0);        // 1°
    cam.Tolerance(2, 0)->setCurrentIndex(1);  // ±1°
    cam.Tolerance(2, 1)->setCurrentIndex(1);
    QCOMPARE(cam.TestCount(1)->text(), QStringLiteral("9"));
    QCOMPARE(cam.TestCount(2)->text(), QStringLiteral("9"));
    QCOMPARE(dialog.SeriesCell(0, 2)->text(), QStringLiteral("9"));
    QCOMPARE(dialog.TotalLabel()->text(), QStringLiteral("18"));
    Iterator one(dialog.Phase(1)), two(dialog.Phase(2));

    RunToEnd(dialog);
    QCOMPARE(dialog.CurrentPhase(), 2);
    const Iterator& p1 = dialog.Phase(1);
    const Iterator& p2 = dialog.Phase(2);
    const brisca::CVexoDoc& best = *p1.BestEngine();
    QCOMPARE(p2.Baseline(), &best);
    // What the user is told refers to the user's engine also after phase 2;
    // where phase 2 began is shown apart.
    const float own = p1.Score(*doc_);
    QVERIFY(p1.BestScore() > own);
    QCOMPARE(dialog.CriterionValue(0)->text(), OneDecimal(own));
    QCOMPARE(dialog.CriterionValue(3)->text(), OneDecimal(p2.BestScore() - own));
    QCOMPARE(dialog.PhaseStartLabel()->text(), OneDecimal(p1.BestScore()));
    QCOMPARE(dialog.Shown().baseline.power[5], doc_->Results().power[5]);
    for (int slot : {brisca::kSlotLowIvo, brisca::kSlotLowIvc}) {
      QCOMPARE(p2.Variable(slot).Centre(), Iterator::ValueOf(slot, best));
    }
    QCOMPARE(p2.ActiveSlots(), (std::vector<int>{brisca::kSlotLowIvo, brisca::kSlotLowIvc}));
    for (int i = 0; i < p2.KeptCount(); ++i) {
      const brisca::CVexoDoc& kept = *p2.Result(i).engine;
      QVERIFY(std::abs(Iterator::ValueOf(brisca::kSlotLowIvo, kept) -
                       Iterator::ValueOf(brisca::kSlotLowIvo, best)) <= 1.0f);
      QCOMPARE(Iterator::ValueOf(brisca::kSlotLowEvo, kept), Iterator::ValueOf(brisca::kSlotLowEvo, best));
      QCOMPARE(kept.Engine().bore.GetValue(), doc_->Engine().bore.GetValue());
    }
    brisca::TwoPhaseSeries series(one, two, true, 1);
    int code = 0;
    QVERIFY(series.Run(code));
    QCOMPARE(Kept(p1), Kept(one));
    QCOMPARE(Kept(p2), Kept(two));
  }

  // Five kept results: "Save:" 6..10 disabled and unchecked, the surface's
  // rows 1..5 the kept power curves and the rest 0. Two checked results
  // become documents after OK, from phase 1 (phase 2 did not run).
  void fiveResultsSaveAndOpen() {
    const std::size_t before = frame_->Documents().Documents().size();
    CItrProDlg dialog(*doc_, kThreads);
    SetFiveBores(dialog);
    RunToEnd(dialog);
    const Iterator& p1 = dialog.Phase(1);
    QCOMPARE(p1.KeptCount(), 5);
    brisca::ProResultsPage& page = *dialog.ResultsPage();
    for (int slot = 0; slot < brisca::kIteratorResults; ++slot) {
      QCOMPARE(page.SaveButton(slot)->isEnabled(), slot < 5);
      QVERIFY(!page.SaveButton(slot)->isChecked());
      // Each box names its result and its score.
      const QString title = slot < 5 ? QString::number(slot + 1) + QStringLiteral(": ") + OneDecimal(p1.Result(slot).score)
                                     : QString::number(slot + 1);
      QCOMPARE(page.SaveButton(slot)->text(), title);
    }
    const brisca::CSurface3D& surface = *page.Surface();
    QCOMPARE(surface.Nx(), 10);
    QCOMPARE(surface.Ny(), 28);
    for (int i = 0; i < 10; ++i) {
      const float expected = i < 5 ? p1.Result(i).engine->Results().power[8] : 0.0f;
      QCOMPARE(surface.Z(i, 8), static_cast<double>(expected));
    }
    page.SaveButton(1)->click();
    page.SaveButton(3)->click();
    QVERIFY(p1.Result(1).keep && p1.Result(3).keep && !p1.Result(0).keep);
    const float scores[2] = {p1.Result(1).score, p1.Result(3).score};
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!doc_->GetBaselineChanged());

    brisca::CreateResultDocuments(*frame_, *doc_);
    QTRY_COMPARE(frame_->Documents().Documents().size(), before + 2);
    QTRY_VERIFY(!brisca::ResultDocumentQueue::Of(*frame_)->IsWorking());
    const auto& docs = frame_->Documents().Documents();
    const std::string base = doc_->GetTitle().substr(0, doc_->GetTitle().find('.'));
    const Iterator& kept = *brisca::DocumentIterator(*doc_, 0);
    for (int k = 0; k < 2; ++k) {
      brisca::CVexoDoc& made = *docs[before + k];
      QCOMPARE(made.GetTitle(), "Best" + std::to_string(2 * k + 2) + "-" + base);
      QVERIFY(made.OnRun());
      QCOMPARE(kept.Score(made), scores[k]);
    }
    // The next opening keeps the setup and the results (marks made into documents cleared).
    QVERIFY(brisca::PrepareProOpening(*doc_));
    CItrProDlg again(*doc_, kThreads);
    QCOMPARE(again.Phase(1).KeptCount(), 5);
    QCOMPARE(again.GetState(), CItrProDlg::kFinished);
    QVERIFY(again.ResultsPage()->SaveButton(4)->isEnabled());
    QVERIFY(!again.ResultsPage()->SaveButton(1)->isChecked());
    QCOMPARE(again.BoreStrokePage()->TestCount()->text(), QStringLiteral("5"));
  }

  // Restart drops every result and starts over from the baseline.
  void restartDropsTheResults() {
    CItrProDlg dialog(*doc_, kThreads);
    SetFiveBores(dialog);
    RunToEnd(dialog);
    QTest::mouseClick(dialog.ResultsPage()->RestartButton(), Qt::LeftButton);
    QCOMPARE(dialog.GetState(), CItrProDlg::kStopped);
    QCOMPARE(dialog.Phase(1).KeptCount(), 0);
    QCOMPARE(dialog.Phase(1).TestsDone(), 0);
    QCOMPARE(dialog.CompletedLabel()->text(), QStringLiteral("0"));
    QVERIFY(!dialog.ResultsPage()->SaveButton(0)->isEnabled());
    RunToEnd(dialog);
    QCOMPARE(dialog.Phase(1).KeptCount(), 5);
  }

  // Warning 205 guards the baseline of kept results: Cancel keeps the value;
  // OK lets it change, and the next opening keeps the setup, re-centred on
  // the engine, without the results. Warning 201 after a new cam timing
  // method: Cancel does not open, OK resets every parameter.
  void baselineWarnings() {
    {
      CItrProDlg dialog(*doc_, kThreads);
      SetFiveBores(dialog);
      RunToEnd(dialog);
      QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    }
    presenter_.Answer(MessageButton::Cancel);
    QVERIFY(!doc_->ConfirmSpecChange(doc_->Engine().bore));
    QCOMPARE(presenter_.Shown().back().code, 205);
    presenter_.Answer(MessageButton::Ok);
    QVERIFY(doc_->ConfirmSpecChange(doc_->Engine().bore));
    QVERIFY(doc_->GetBaselineChanged());
    const float bore = doc_->Engine().bore.GetValue();
    doc_->Engine().bore.SetValue(bore + 0.02f);
    doc_->UpdateDerivedValues();
    QVERIFY(doc_->OnRun());
    QVERIFY(brisca::PrepareProOpening(*doc_));
    const Iterator& p1 = *brisca::DocumentIterator(*doc_, 0);
    QCOMPARE(p1.KeptCount(), 0);
    QCOMPARE(p1.Variable(brisca::kSlotBore).Tolerance(), 0.010f);
    QCOMPARE(p1.Variable(brisca::kSlotBore).Centre(), doc_->Engine().bore.GetValue());
    QVERIFY(!doc_->GetBaselineChanged());
    doc_->Engine().bore.SetValue(bore);
    doc_->UpdateDerivedValues();
    QVERIFY(doc_->OnRun());

    brisca::CCamProfile& lobe = doc_->Engine().camshaft.lowSpeedLobe;
    const int method = lobe.Method(brisca::TimingSet::Primary).GetValue();
    lobe.SetPrimaryMethod(method == 1 ? 2 : 1);
    presenter_.Clear();
    presenter_.Answer(MessageButton::Cancel);
    QVERIFY(!brisca::PrepareProOpening(*doc_));
    QCOMPARE(presenter_.Shown().back().code, 201);
    QVERIFY(brisca::DocumentIterator(*doc_, 0)->IsGroupEnabled(brisca::SlotGroup::BoreStroke));
    presenter_.Answer(MessageButton::Ok);
    QVERIFY(brisca::PrepareProOpening(*doc_));
    QVERIFY(!brisca::DocumentIterator(*doc_, 0)->IsGroupEnabled(brisca::SlotGroup::BoreStroke));
    lobe.SetPrimaryMethod(method);
  }

  // Valve events past their limits fail. Before the run the user is asked
  // how many tests lie outside (No runs nothing); the failed count stands
  // beside "Completed Sims", which counts every test; after the run one
  // message tells the failures by reason, with their count, once per setup.
  void failuresAreAskedCountedAndToldByReason() {
    const brisca::CCamProfile& lobe = doc_->Engine().camshaft.lowSpeedLobe;
    // The event with the most of its nine values (±32° in 8° steps) outside its limits.
    int event = -1;
    int outside = 0;
    for (int k = 0; k < 4; ++k) {
      const brisca::CFloatPtSpec& e = lobe.Event(brisca::TimingSet::Primary, static_cast<brisca::CamEvent>(k));
      int n = 0;
      for (int i = 0; i < 9; ++i) {
        const float v = e.GetValue() - 32.0f + 8.0f * static_cast<float>(i);
        if (v < e.GetMin() || v > e.GetMax()) ++n;
      }
      if (n > outside) {
        outside = n;
        event = k;
      }
    }
    if (outside < 1) QSKIP("no valve event of the sample passes its limits within 32 degrees");
    const int other = (event + 1) % 4;  // ±8° in 8° steps beside it: three times the failures
    CItrProDlg dialog(*doc_, kThreads);
    brisca::ProCamPage& cam = *dialog.CamPage(false);
    cam.Mode()->button(1)->click();
    cam.Step(1)->setCurrentIndex(3);              // 8°
    cam.Tolerance(1, event)->setCurrentIndex(7);  // ±32°: nine values
    cam.Tolerance(1, other)->setCurrentIndex(4);  // ±8°: three values
    QVERIFY(presenter_.Shown().empty());

    presenter_.Answer(MessageButton::Cancel);  // No
    QTest::mouseClick(dialog.ResultsPage()->RunButton(), Qt::LeftButton);
    QVERIFY(!dialog.IsRunning());
    QCOMPARE(dialog.Phase(1).TestsDone(), 0);
    QCOMPARE(presenter_.Shown().size(), std::size_t(1));
    const brisca::Message& asked = presenter_.Shown().front();
    QCOMPARE(asked.code, brisca::kOutsideLimitsQuestion);
    QCOMPARE(asked.buttons, brisca::MessageButtons::YesNo);
    QVERIFY(asked.text.find(brisca::OutsideLimitsDetail(3 * outside, 27)) == 0);

    RunToEnd(dialog);  // Yes
    const Iterator& p1 = dialog.Phase(1);
    QCOMPARE(p1.FailedTests(), 3 * outside);
    QVERIFY(p1.KeptCount() >= 1);
    QCOMPARE(dialog.CompletedLabel()->text(), QStringLiteral("27"));
    QCOMPARE(dialog.FailedLabel()->text(), QStringLiteral("%1 failed").arg(3 * outside));
    QCOMPARE(presenter_.Shown().size(), std::size_t(3));
    const brisca::Message& told = presenter_.Shown().back();
    QCOMPARE(told.code, brisca::kFailureReasonsNotice);
    const std::string count = std::to_string(3 * outside) + " tests: Error " + std::to_string(p1.FirstFailureCode());
    QVERIFY2(told.text.find(count) != std::string::npos, told.text.c_str());

    // A new setup (its results discarded on Yes) starts the count again: its fewer failures are told too.
    cam.Tolerance(1, other)->setCurrentIndex(0);  // held: nine tests
    QCOMPARE(presenter_.Shown().back().code, 330);
    RunToEnd(dialog);
    QCOMPARE(dialog.Phase(1).FailedTests(), outside);
    QCOMPARE(presenter_.Shown().size(), std::size_t(6));
    QCOMPARE(presenter_.Shown()[4].code, brisca::kOutsideLimitsQuestion);
    QCOMPARE(presenter_.Shown().back().code, brisca::kFailureReasonsNotice);
  }

  // OK in the middle of a run with failures keeps what was done and tells
  // the failures by reason, once.
  void okDuringARunTellsTheFailures() {
    CItrProDlg dialog(*doc_, kThreads);
    brisca::ProCamPage& cam = *dialog.CamPage(false);
    cam.Mode()->button(1)->click();
    cam.Step(1)->setCurrentIndex(3);  // 8°
    for (int k = 0; k < 4; ++k) cam.Tolerance(1, k)->setCurrentIndex(7);  // ±32°: 6561 tests
    if (dialog.Phase(1).TestsOutsideLimits() == 0) QSKIP("no valve event of the sample passes its limits");
    QTest::mouseClick(dialog.ResultsPage()->RunButton(), Qt::LeftButton);
    QVERIFY(dialog.IsRunning());
    QTRY_VERIFY_WITH_TIMEOUT(dialog.Shown().failed > 0 || !dialog.IsRunning(), kRunTimeoutMs);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    int told = 0;
    for (const brisca::Message& m : presenter_.Shown()) told += m.code == brisca::kFailureReasonsNotice;
    QCOMPARE(told, 1);
  }

  // Return commits the field it is in and nothing else: no button is the
  // default, so the window stays open with its setup and its results.
  void returnNeitherClosesNorRuns() {
    CItrProDlg dialog(*doc_, kThreads);
    SetFiveBores(dialog);
    RunToEnd(dialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      QVERIFY2(!button->isDefault(), qPrintable(button->text()));
    }
    QWidget* targets[] = {dialog.Pages()->tabBar(), dialog.BoreStrokePage()->Step(1),
                          dialog.ResultsPage()->SaveButton(0), &dialog};
    for (QWidget* target : targets) {
      dialog.ShowPage(target == dialog.BoreStrokePage()->Step(1) ? CItrProDlg::kBoreStrokePage
                                                                 : CItrProDlg::kResultsPage);
      QTest::keyClick(target, Qt::Key_Return);
      QVERIFY2(dialog.isVisible(), target->metaObject()->className());
      QCOMPARE(dialog.result(), 0);
    }
    QCOMPARE(dialog.Phase(1).KeptCount(), 5);
    QVERIFY(presenter_.Shown().empty());
  }

  // Once a series has results, every setup control and preset asks before
  // discarding them: No leaves the control, the setup and the results; Yes
  // applies the change to a series started over.
  void setupChangeAfterARunAsksFirst() {
    CItrProDlg dialog(*doc_, kThreads);
    SetFiveBores(dialog);
    RunToEnd(dialog);
    const Iterator before(dialog.Phase(1));
    brisca::ProBoreStrokePage& boreStroke = *dialog.BoreStrokePage();
    brisca::ProCamPage& cam = *dialog.CamPage(false);
    brisca::ProInductionPage& induction = *dialog.InductionPage();
    brisca::ProOptimizePage& optimize = *dialog.OptimizePage();
    auto checkedCriterion = [&] {
      for (int c = 0; c < 4; ++c) {
        if (optimize.Criterion(c)->isChecked()) return c;
      }
      return -1;
    };
    const struct {
      const char* name;
      std::function<int()> shown;  //!< what the control shows
      std::function<void()> change;
    } edits[] = {
        {"tolerance", [&] { return boreStroke.Tolerance(1, 0)->currentIndex(); },
         [&] { boreStroke.Tolerance(1, 0)->setCurrentIndex(2); }},
        {"step", [&] { return boreStroke.Step(1)->currentIndex(); },
         [&] { boreStroke.Step(1)->setCurrentIndex(1); }},
        {"cam mode", [&] { return cam.Mode()->checkedId(); },
         [&] { cam.Mode()->button((cam.Mode()->checkedId() + 1) % 3)->click(); }},
        {"manifolds", [&] { return induction.Mode()->checkedId(); },
         [&] { induction.Mode()->button(1 - induction.Mode()->checkedId())->click(); }},
        {"constant displacement", [&] { return int(boreStroke.ConstantDisplacement()->isChecked()); },
         [&] { boreStroke.ConstantDisplacement()->click(); }},
        {"criterion", checkedCriterion, [&] { optimize.Criterion((checkedCriterion() + 1) % 4)->click(); }},
        {"preset", [&] { return cam.Mode()->checkedId(); },
         [&] { QTest::mouseClick(dialog.PresetButton(ProPreset::CamTiming), Qt::LeftButton); }},
    };
    for (const auto& edit : edits) {
      presenter_.Clear();
      presenter_.Answer(MessageButton::Cancel);  // No
      const int was = edit.shown();
      edit.change();
      QVERIFY2(presenter_.Shown().size() == 1, edit.name);
      QCOMPARE(presenter_.Shown().front().code, 330);
      QCOMPARE(presenter_.Shown().front().buttons, brisca::MessageButtons::YesNo);
      QVERIFY2(edit.shown() == was, edit.name);
      QCOMPARE(Kept(dialog.Phase(1)), Kept(before));
      QCOMPARE(dialog.Phase(1).Variable(brisca::kSlotBore).Tolerance(), before.Variable(brisca::kSlotBore).Tolerance());
      QCOMPARE(dialog.Phase(1).Variable(brisca::kSlotBore).Step(), before.Variable(brisca::kSlotBore).Step());
      QCOMPARE(dialog.Phase(1).GetCriterion(), before.GetCriterion());
      QCOMPARE(dialog.GetState(), CItrProDlg::kFinished);
      QCOMPARE(dialog.CompletedLabel()->text(), QStringLiteral("5"));
    }
    presenter_.Clear();
    dialog.BoreStrokePage()->Tolerance(1, 0)->setCurrentIndex(2);  // Yes
    QCOMPARE(presenter_.Shown().size(), std::size_t(1));
    QCOMPARE(dialog.Phase(1).KeptCount(), 0);
    QCOMPARE(dialog.Phase(1).TestsDone(), 0);
    QVERIFY(dialog.Phase(1).Variable(brisca::kSlotBore).Tolerance() > before.Variable(brisca::kSlotBore).Tolerance());
    QCOMPARE(dialog.GetState(), CItrProDlg::kNeedsSetup);
    // Without results nothing is asked.
    dialog.BoreStrokePage()->Tolerance(1, 0)->setCurrentIndex(1);
    QCOMPARE(presenter_.Shown().size(), std::size_t(1));
  }

  // On an engine with two cam lobes every tab's name is whole, and the
  // Bore/Stroke limits' headers stand above their columns.
  void tabsAndLimitHeadersFit() {
    brisca::CVexoDoc* twoLobe =
        frame_->OpenFile(brisca::test::SampleEngine("Two-Lobe Cam Four.qen")) ? frame_->ActiveDocument() : nullptr;
    QVERIFY(twoLobe && twoLobe->Engine().camshaft.variableValveTiming);
    QVERIFY(twoLobe->OnRun());
    QVERIFY(brisca::PrepareProOpening(*twoLobe));
    {
      CItrProDlg dialog(*twoLobe, kThreads);
      dialog.show();
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      QTabBar* tabs = dialog.Pages()->tabBar();
      QCOMPARE(tabs->count(), 6);
      for (int i = 0; i < tabs->count(); ++i) {
        const QRect r = tabs->tabRect(i);
        QVERIFY2(r.left() >= 0 && r.right() < tabs->width(), qPrintable(tabs->tabText(i)));
        QVERIFY2(r.width() >= tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)), qPrintable(tabs->tabText(i)));
      }
      dialog.ShowPage(CItrProDlg::kBoreStrokePage);
      QApplication::processEvents();
      brisca::ProBoreStrokePage& page = *dialog.BoreStrokePage();
      const char* headers[2] = {"Minimum:", "Maximum:"};
      for (int end = 0; end < 2; ++end) {
        QLabel* header = nullptr;
        for (QLabel* l : page.findChildren<QLabel*>()) {
          if (l->text() == QLatin1String(headers[end])) header = l;
        }
        QVERIFY(header);
        QVERIFY2(std::abs(TextRight(*header) - TextRight(*page.Limit(0, end))) <= 3, headers[end]);
      }
    }
    twoLobe->SetModified(false);
    QVERIFY(frame_->CloseDocument(*twoLobe));
  }

  // The range label names the criterion; "From" stays below "To".
  void optimizeForFollowsTheCriterion() {
    CItrProDlg dialog(*doc_, kThreads);
    brisca::ProOptimizePage& page = *dialog.OptimizePage();
    const char* labels[4] = {"RPM Range for Peak Torque:", "RPM Range for Area under Torque Curve:",
                             "RPM Range for Peak Horsepower:",
                             "RPM Range for Area under Horsepower Curve:"};
    const char* units[4] = {"lb-ft", "lb-ft-rpm x 1000", "hp", "hp-rpm x 1000"};
    for (int c = 0; c < 4; ++c) {
      page.Criterion(c)->click();
      QCOMPARE(page.RangeLabel()->text(), QString::fromLatin1(labels[c]));
      QCOMPARE(dialog.Phase(1).GetCriterion(), c);
      QCOMPARE(dialog.Phase(2).GetCriterion(), c);
      QCOMPARE(dialog.CriterionValue(4)->text(), QString::fromLatin1(units[c]));
    }
    page.To()->setCurrentIndex(8);    // 5000
    page.From()->setCurrentIndex(8);  // 5000 as well: "To" moves up
    QCOMPARE(dialog.Phase(1).LowSpeed(), 5000.0f);
    QCOMPARE(dialog.Phase(1).HighSpeed(), 5500.0f);
    QCOMPARE(page.To()->currentText(), QStringLiteral("5500"));
  }

  // Closing the window in the middle of a long series stops and joins the
  // workers first; Cancel writes nothing back.
  void closeMidRun() {
    auto dialog = std::make_unique<CItrProDlg>(*doc_, kThreads);
    dialog->show();
    QTest::mouseClick(dialog->PresetButton(ProPreset::CamTiming), Qt::LeftButton);
    QTest::mouseClick(dialog->ResultsPage()->RunButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(dialog->Shown().commits >= 3, kRunTimeoutMs);
    QVERIFY(dialog->IsRunning());
    dialog->close();
    QVERIFY(!dialog->IsRunning());
    dialog.reset();
    QCOMPARE(brisca::DocumentIterator(*doc_, 0)->TestsDone(), 0);
  }

 private:
  brisca::test::ScratchSettings settings_;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
  std::unique_ptr<brisca::CVexoApp> app_;
  brisca::CMainFrame* frame_ = nullptr;
  brisca::CVexoDoc* doc_ = nullptr;
};

QTEST_MAIN(TestProIterator)
#include "tst_proiterator.moc"
