// Quick comparison from the chart menu, in the running program: the
// "CompareRun" document, reused when open, the window active before kept
// active, automatic calculations off, comparison on even when the file
// chooser is cancelled.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "core/document/VexoDoc.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ChartMenuTable.h"
#include "gui/results/ZoneChart2D.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/DocumentManager.h"
#include "gui/shell/MainFrame.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using namespace brisca;
namespace fs = std::filesystem;

class TestQuickComparison : public QObject {
  Q_OBJECT

  CChart2dView& SecondChart(CVexoDoc& document) {
    auto* view = qobject_cast<CChart2dView*>(frame_->Documents().Views(document).View(ViewSlot::SecondChart));
    if (!view) qFatal("no second chart");
    return *view;
  }
  int CompareRuns() const {
    int n = 0;
    for (CVexoDoc* doc : frame_->Documents().Documents()) n += doc->GetTitle() == "CompareRun";
    return n;
  }
  CVexoDoc* CompareRun() const {
    for (CVexoDoc* doc : frame_->Documents().Documents()) {
      if (doc->GetTitle() == "CompareRun") return doc;
    }
    return nullptr;
  }

 private slots:
  void init() {
    test::ScratchSettings::Clear();
    app_ = std::make_unique<CVexoApp>(test::QuickStart());
    QVERIFY(app_->InitInstance({QStringLiteral("brisca")}));
    frame_ = app_->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame_));
    QVERIFY(frame_->OpenFile(test::SampleEngine()));
    QVERIFY(frame_->ActiveDocument()->OnRun());
  }
  void cleanup() {
    for (CVexoDoc* doc : frame_->Documents().Documents()) doc->SetModified(false);
    app_.reset();
  }

  void fromCurrentTestMakesOneCompareRunAndKeepsTheWindow() {
    CVexoDoc& own = *frame_->ActiveDocument();
    CChildFrame* before = frame_->ActiveFrame();
    CChart2dView& chart = SecondChart(own);
    QVERIFY(chart.OnCommand(kCmdCompareFromCurrent));
    QCOMPARE(frame_->ActiveFrame(), before);
    QCOMPARE(CompareRuns(), 1);
    CVexoDoc* compare = CompareRun();
    QVERIFY(compare && compare != &own);
    QVERIFY(compare->IsModified());
    QVERIFY(!compare->GetAutoValveSizes());  // automatic calculations off
    QCOMPARE(compare->Results().count, own.Results().count);
    QVERIFY(chart.State().comparison);
    QCOMPARE(chart.Slot(1).document, compare);
    QCOMPARE(chart.Chart().Data(ChartAxis::Y1)->Sets(), 2);

    // A second time the open CompareRun is used again.
    const std::size_t documents = frame_->Documents().Documents().size();
    QVERIFY(chart.OnCommand(kCmdCompareFromCurrent));
    QCOMPARE(frame_->Documents().Documents().size(), documents);
    QCOMPARE(CompareRuns(), 1);
  }

  void fromFileTurnsComparisonOnEvenWhenCancelled() {
    CVexoDoc& own = *frame_->ActiveDocument();
    std::vector<FilePrompt> asked;
    frame_->Host().SetFilePrompter([&asked](const FilePrompt& prompt) -> std::optional<fs::path> {
      asked.push_back(prompt);
      return std::nullopt;
    });
    CChart2dView& chart = SecondChart(own);
    QVERIFY(chart.OnCommand(kCmdCompareFromFile));
    QCOMPARE(asked.size(), std::size_t(1));
    QCOMPARE(asked.front().extension, std::string("qen"));
    QCOMPARE(asked.front().folder.filename().string(), std::string("EngineFiles (.QEN)"));
    QVERIFY(chart.State().comparison);
    QVERIFY(CompareRun());
    QCOMPARE(chart.Slot(1).document, CompareRun());

    // A chosen file is read into the same CompareRun.
    frame_->Host().SetFilePrompter([](const FilePrompt&) -> std::optional<fs::path> {
      return test::SampleEngine("Stock Small-Block V8.qen");
    });
    QVERIFY(chart.OnCommand(kCmdCompareFromFile));
    QCOMPARE(CompareRuns(), 1);
    QVERIFY(CompareRun()->Engine().stroke.IsValid());
  }

 private:
  test::ScratchSettings settings_;
  ScriptedPresenter presenter_;
  ScopedPresenter installed_{presenter_};
  std::unique_ptr<CVexoApp> app_;
  CMainFrame* frame_ = nullptr;
};

QTEST_MAIN(TestQuickComparison)
#include "tst_quickcomparison.moc"
