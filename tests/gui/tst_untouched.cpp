// A window opened on an engine and left with its Apply or OK without typing
// anything changes nothing: every control is tabbed through, the button is
// pressed, and the document stays unmodified and saves byte for byte as it
// saved before the window opened. Each window on a domestic engine and on the
// same engine switched to metric units, where most shown texts are rounded.
#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include "core/document/VexoDoc.h"
#include "core/valvetrain/calculators/CompressionRatioCalculator.h"
#include "gui/calculators/AirFlowMathDlg.h"
#include "gui/calculators/CalculatorCommands.h"
#include "gui/calculators/CamMathDlg.h"
#include "gui/calculators/CompRatioDlg.h"
#include "gui/cam/CamDlg.h"
#include "gui/engine/EngineFormView.h"
#include "gui/engine/SimSpecEditCtrl.h"
#include "gui/engine/SimSpecEditDlg.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ChartPropertiesSheet.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/MainFrame.h"
#include "gui/valvetrain/AirFlowDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::CVexoDoc;

namespace {

enum class Window { EngineForm, CompressionRatio, AirflowMath, CamMathLow, CamMathHigh, PortFlow, CamManager, ChartProperties };

constexpr int kCustomPortFlowCommand = 32819;
constexpr int kCylinderHeadField = 1036;

bool TakesTabs(QWidget* w) {
  return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// Tab from control to control until the focus has been round the visible ones
// once. A notes box takes Tab as a character, so the focus leaves it as Tab
// would leave any other control. `visited` collects the value edits entered.
void TabRound(QWidget* window, QSet<QWidget*>& visited) {
  const auto children = window->findChildren<QWidget*>();
  const auto count = std::count_if(children.begin(), children.end(), TakesTabs);
  for (qsizetype i = 0; i <= count; ++i) {
    QWidget* focused = QApplication::focusWidget();
    if (!focused) {
      window->setFocus(Qt::TabFocusReason);
      continue;
    }
    if (qobject_cast<brisca::CEditFloatPt*>(focused)) visited.insert(focused);
    auto* notes = qobject_cast<QPlainTextEdit*>(focused);
    if (notes && !notes->tabChangesFocus()) {
      QWidget* next = focused->nextInFocusChain();
      while (next != focused && !TakesTabs(next)) next = next->nextInFocusChain();
      next->setFocus(Qt::TabFocusReason);
    } else {
      QTest::keyClick(focused, Qt::Key_Tab);
    }
    QCoreApplication::processEvents();
  }
}

// Every page of every tab widget in turn, then the window as it stands; the
// count of value edits entered.
int TabThrough(QWidget* window) {
  QSet<QWidget*> visited;
  for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
    for (int page = 0; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      tabs->currentWidget()->setFocus(Qt::TabFocusReason);
      TabRound(window, visited);
    }
  }
  TabRound(window, visited);
  return static_cast<int>(visited.size());
}

// The answer to a modal window: tab through it, press `button`; a window that
// stays up (its checks refused) is cancelled. `edits` is the count of value
// edits the focus went through.
template <typename T>
void TabAndPress(std::function<QAbstractButton*(T*)> button, bool* seen, int* edits) {
  brisca::test::AnswerNextModal<T>(
      [button, edits](T* dialog) {
        dialog->activateWindow();
        // Focus moves only within the active window.
        if (QTest::qWaitForWindowActive(dialog)) *edits = TabThrough(dialog);
        button(dialog)->click();
        if (dialog->isVisible()) dialog->reject();
      },
      seen);
}

QByteArray Saved(CVexoDoc& doc, const QString& path) {
  if (!doc.WriteEngineFile(path.toStdString())) return {};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// Compression-ratio data whose lengths are rounded in millimetres: a deck
// clearance of 0.025 in is 0.635 mm, shown "0.63"; a gasket of 0.051 in is
// 1.2954 mm.
void GiveCompressionRatioData(CVexoDoc& doc) {
  brisca::EngineParameters& e = doc.Engine();
  e.crMethod = brisca::kPistonDeckSpecsMethod;
  e.chamberVolume.SetValue(64.0f);
  e.gasketBore.SetValue(4.1f);
  e.gasketThickness.SetValue(0.051f);
  e.domeVolume.SetValue(5.0f);
  e.reliefsVolume.SetValue(4.0f);
  e.deckClearance.SetValue(0.025f);
  e.crDataValid = true;
}

}  // namespace

Q_DECLARE_METATYPE(Window)

class TestUntouched : public QObject {
  Q_OBJECT

 private slots:
  void init() { presenter_.Clear(); }

  void windowsLeftWithoutTypingChangeNothing_data() {
    QTest::addColumn<QString>("engine");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<Window>("window");
    const std::pair<const char*, Window> windows[] = {
        {"engine form edit dialogs", Window::EngineForm},
        {"compression ratio", Window::CompressionRatio},
        {"airflow math", Window::AirflowMath},
        {"cam math low-speed lobe", Window::CamMathLow},
        {"cam math high-speed lobe", Window::CamMathHigh},
        {"port flow", Window::PortFlow},
        {"cam manager", Window::CamManager},
        {"chart properties", Window::ChartProperties},
    };
    for (bool metric : {false, true}) {
      for (auto [name, window] : windows) {
        QTest::addRow("%s, two-lobe %s", name, metric ? "metric" : "domestic")
            << QStringLiteral("Two-Lobe Cam Four.qen") << metric << window;
      }
    }
    for (bool metric : {false, true}) {
      for (auto [name, window] : windows) {
        if (window == Window::CamMathHigh) continue;  // a one-lobe cam
        QTest::addRow("%s, small-block %s", name, metric ? "metric" : "domestic")
            << QStringLiteral("Stock Small-Block V8.qen") << metric << window;
      }
    }
  }

  void windowsLeftWithoutTypingChangeNothing() {
    QFETCH(QString, engine);
    QFETCH(bool, metric);
    QFETCH(Window, window);
    auto app = brisca::test::StartWithEngine(brisca::test::SampleEngine(engine.toUtf8().constData()));
    QVERIFY(app);
    brisca::CMainFrame* frame = app->MainFrame();
    CVexoDoc* doc = frame->ActiveDocument();
    QVERIFY(doc);
    GiveCompressionRatioData(*doc);
    auto* chart = qobject_cast<brisca::CChart2dView*>(frame->Documents().Views(*doc).View(brisca::ViewSlot::SecondChart));
    QVERIFY(chart);
    chart->State().X().SetCustomRange(2000, 7000);  // its limits are edits
    doc->SetUnits(metric);
    doc->UpdateDerivedValues();
    doc->SetModified(false);
    const QByteArray before = Saved(*doc, dir_.filePath(QStringLiteral("before.qen")));
    QVERIFY(!before.isEmpty());

    bool seen = false;
    int edits = -1;  // the form's fields are no edits
    switch (window) {
      case Window::EngineForm: {
        auto* form = qobject_cast<brisca::CEngineFormView*>(frame->ActiveFrame()->LeftTabs()->widget(0));
        QVERIFY(form);
        int opened = 0;
        for (brisca::CSimSpecEditCtrl* field : form->Canvas()->findChildren<brisca::CSimSpecEditCtrl*>()) {
          if (field->EditMode() == brisca::CSimSpecEditCtrl::kDisplayOnly || !field->isEnabled()) continue;
          seen = false;
          brisca::test::AnswerNextModal<brisca::CSimSpecEditDlg>([](brisca::CSimSpecEditDlg* dialog) { dialog->OnOk(); },
                                                                &seen);
          form->EditField(field);
          QVERIFY2(seen, qPrintable(field->objectName()));
          QVERIFY2(!doc->IsModified(), qPrintable(field->objectName()));
          ++opened;
        }
        QVERIFY(opened > 20);
        break;
      }
      case Window::CompressionRatio:
        TabAndPress<brisca::CCompRatioDlg>([](auto* d) { return d->ApplyButton(); }, &seen, &edits);
        brisca::RunCompressionRatioMath(*doc, frame);
        break;
      case Window::AirflowMath:
        TabAndPress<brisca::CAirFlowMathDlg>([](auto* d) { return d->DefaultButton(); }, &seen, &edits);
        brisca::RunAirflowMath(*doc, frame);
        break;
      case Window::CamMathLow:
      case Window::CamMathHigh:
        TabAndPress<brisca::CCamMathDlg>([](auto* d) { return d->ApplyButton(); }, &seen, &edits);
        brisca::RunCamMath(*doc, window == Window::CamMathHigh ? 1 : 0, frame);
        break;
      case Window::PortFlow: {
        // From the cylinder head's edit dialog, whose menu offers the editor.
        TabAndPress<brisca::CAirFlowDlg>([](auto* d) { return d->OkButton(); }, &seen, &edits);
        brisca::test::AnswerNextModal<brisca::CSimSpecEditDlg>([](brisca::CSimSpecEditDlg* dialog) {
          for (QAction* action : dialog->ComponentMenu()->actions()) {
            if (action->data().toInt() == kCustomPortFlowCommand) action->trigger();
          }
        });
        auto* form = qobject_cast<brisca::CEngineFormView*>(frame->ActiveFrame()->LeftTabs()->widget(0));
        QVERIFY(form);
        form->EditField(form->Field(kCylinderHeadField));
        break;
      }
      case Window::CamManager:
        TabAndPress<brisca::CCamDlg>([](auto* d) { return d->OkButton(); }, &seen, &edits);
        brisca::RunCamManager(*doc, frame);
        break;
      case Window::ChartProperties: {
        TabAndPress<brisca::CChartPropertiesSheet>(
            [](auto* d) {
              d->ApplyButton()->click();
              return d->OkButton();
            },
            &seen, &edits);
        chart->OpenProperties(-1);
        break;
      }
    }
    QVERIFY(seen);
    QVERIFY2(edits != 0, "the focus went through no value edit");
    QVERIFY(!doc->IsModified());
    const QByteArray after = Saved(*doc, dir_.filePath(QStringLiteral("after.qen")));
    if (after != before) {
      const QList<QByteArray> a = before.split('\n');
      const QList<QByteArray> b = after.split('\n');
      for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
        QVERIFY2(a[i] == b[i], qPrintable(QStringLiteral("line %1: %2 became %3")
                                              .arg(i + 1)
                                              .arg(QString::fromUtf8(a[i]), QString::fromUtf8(b[i]))));
      }
      QCOMPARE(after.size(), before.size());
    }
    for (CVexoDoc* d : frame->Documents().Documents()) d->SetModified(false);
  }

 private:
  brisca::test::ScratchSettings settings_;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
  QTemporaryDir dir_;
};

QTEST_MAIN(TestUntouched)
#include "tst_untouched.moc"
