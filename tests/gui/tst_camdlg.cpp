// The cam manager on a document of its own (a headless host answers its file
// choosers): the pages' edit rules, the ramp-rate group, variable valve
// timing, the timing chart and its annotations, the search on its worker
// thread, Apply/OK, the custom cam name dialog, and the commands that open it
// in the program.
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QValueAxis>

#include <fstream>

#include "core/document/CommandIds.h"
#include "core/document/DocumentHost.h"
#include "core/document/ProgramPaths.h"
#include "core/document/VexoDoc.h"
#include "core/valvetrain/Cam.h"
#include "core/valvetrain/CamLobeShape.h"
#include "gui/cam/CamDlg.h"
#include "gui/cam/CamSearchPropPage.h"
#include "gui/cam/CamSpecsPropPage.h"
#include "gui/cam/CamTimingChart2D.h"
#include "gui/cam/CamTimingPropPage.h"
#include "gui/cam/CamTypeDlg.h"
#include "gui/engine/EngineFormView.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/PathText.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::CCamDlg;
using brisca::CCamProfile;
using brisca::CCamSpecsPropPage;
using brisca::CCamshaft;
using brisca::MessageButton;

namespace {

constexpr int kStockStreetCam = 32879;
constexpr int kProStockCam = 32884;
constexpr int kVvtStreetCam = 33868;

void TypeAndLeave(QLineEdit* edit, const QString& text, QWidget* next) {
  edit->setFocus();
  QCoreApplication::processEvents();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  next->setFocus();
  QCoreApplication::processEvents();
}

std::string EngineText(brisca::CVexoDoc& doc, const QTemporaryDir& dir, const char* name) {
  const std::filesystem::path path = brisca::ToPath(dir.path()) / name;
  if (!doc.WriteEngineFile(path)) return {};
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the document's cam manager command does once the dialog closed on OK.
void RecalculateAfterOk(brisca::CVexoDoc& doc) {
  doc.UpdateDerivedValues();
  doc.SetUnits(doc.IsMetric());
}

CCamshaft BuiltIn(int command) {
  CCamshaft cam;
  cam.LoadCamType(command);
  cam.lowSpeedLobe.ComputeDerived();
  cam.highSpeedLobe.ComputeDerived();
  return cam;
}

}  // namespace

class TestCamDlg : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    presenter_.Clear();
    host_ = brisca::HeadlessHost();
    host_.startupFolder = brisca::ToPath(dir_.path());
    doc_ = std::make_unique<brisca::CVexoDoc>(&host_);
    doc_->Engine().autoRun = false;
    QVERIFY(doc_->OnComponentCommand(kStockStreetCam));
    doc_->UpdateDerivedValues();
    doc_->SetModified(false);
  }
  void cleanup() { doc_.reset(); }

  void stockCamShowsBothConventionsAndViewOnlySwitchesTheCopy() {
    CCamDlg dialog(*doc_);
    Show(dialog);
    CCamSpecsPropPage* specs = dialog.SpecsPage();
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Velmor\u2122"));
    QCOMPARE(dialog.Pages()->tabText(0), QStringLiteral("  Camshaft Specs  "));
    QCOMPARE(specs->Edit(CCamSpecsPropPage::kSeatIntakeDuration)->text(), QStringLiteral("252.0"));
    QCOMPARE(specs->Edit(CCamSpecsPropPage::kSeatExhaustDuration)->text(), QStringLiteral("261.0"));
    QCOMPARE(specs->Edit(CCamSpecsPropPage::kFiftyIntakeDuration)->text(), QStringLiteral("200.0"));
    QCOMPARE(specs->Edit(CCamSpecsPropPage::kFiftyExhaustDuration)->text(), QStringLiteral("206.0"));
    QVERIFY(specs->Edit(CCamSpecsPropPage::kSeatIntakeDuration)->isEnabled());
    QVERIFY(!specs->Edit(CCamSpecsPropPage::kFiftyIntakeDuration)->isEnabled());
    QVERIFY(!dialog.TimingPage()->Group(brisca::kFiftyThou)->isEnabled());
    QVERIFY(!specs->Note()->isVisible());
    QCOMPARE(dialog.ChartGroup()->title(), QStringLiteral("Timing Diagram (Seat-To-Seat Timing Specs)"));

    specs->ViewButton(brisca::kFiftyThou)->click();
    QCOMPARE(dialog.Copies().View(), static_cast<int>(brisca::kFiftyThou));
    QCOMPARE(specs->Edit(CCamSpecsPropPage::kSeatIntakeDuration)->text(), QStringLiteral("252.0"));
    QCOMPARE(specs->Edit(CCamSpecsPropPage::kLobeCenter)->text(), QStringLiteral("110.0"));
    QVERIFY(dialog.TimingPage()->ViewButton(brisca::kFiftyThou)->isChecked());
    QCOMPARE(dialog.ChartGroup()->title(), QStringLiteral("Timing Diagram (0.050-inch Timing Specs)"));
    QCOMPARE(dialog.Chart()->AxisMinimum(brisca::ChartAxis::Y1), 0.05);
    // Ticks from 0.05 in steps of 0.1 read 0.05, 0.15, ...: two decimals.
    for (QAbstractAxis* axis : dialog.Chart()->chart()->axes(Qt::Vertical))
      QCOMPARE(qobject_cast<QValueAxis*>(axis)->labelFormat(), QStringLiteral("%.2f"));
    QVERIFY(dialog.Copies().AnyModified());
  }

  // Every lift label of the timing chart reads in full on both sides, in
  // inches and in millimetres, in both timing conventions.
  void timingChartLiftLabelsReadInFull_data() {
    QTest::addColumn<bool>("metric");
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("top");
    QTest::newRow("inches seat-to-seat") << false << int(brisca::kSeatToSeat) << QStringLiteral("1.0");
    QTest::newRow("inches 0.050") << false << int(brisca::kFiftyThou) << QStringLiteral("1.00");
    QTest::newRow("mm seat-to-seat") << true << int(brisca::kSeatToSeat) << QStringLiteral("24");
    QTest::newRow("mm 0.050") << true << int(brisca::kFiftyThou) << QStringLiteral("24.00");
  }
  void timingChartLiftLabelsReadInFull() {
    QFETCH(bool, metric);
    QFETCH(int, method);
    QFETCH(QString, top);
    doc_->SetUnits(metric);
    CCamDlg dialog(*doc_);  // at its own size
    Show(dialog);
    dialog.OnViewConvention(method);
    const auto shownTexts = [&dialog] {
      QStringList texts;
      for (QGraphicsItem* item : dialog.Chart()->scene()->items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
          texts << text->toPlainText();
      return texts;
    };
    QTRY_COMPARE(shownTexts().count(top), 2);  // left and right axis
    for (const QString& text : shownTexts())
      QVERIFY2(!text.contains(QStringLiteral("...")) && !text.contains(QChar(0x2026)), qPrintable(text));
  }

  void autoCalcComputesAndCancelOf107ReturnsToManual() {
    CCamDlg dialog(*doc_);
    Show(dialog);
    QVERIFY(dialog.ManualButton()->isChecked());
    QCOMPARE(dialog.RampSlider()->value(), brisca::SliderPositionOfRampRate(2.9f));
    dialog.AutoCalcButton()->click();
    QVERIFY(dialog.AutoCalcButton()->isChecked());
    QVERIFY(!dialog.RampSlider()->isEnabled());
    for (int method : {brisca::kSeatToSeat, brisca::kFiftyThou})
      QVERIFY(std::abs(dialog.Copies().Copy(0, method).RampRate().GetValue() - 2.83f) < 0.005f);
    QCOMPARE(dialog.RampValueBox()->text(),
             QString::fromStdString(dialog.Copies().Shown().RampRate().GetText()));
    QVERIFY(dialog.SpecsPage()->Edit(CCamSpecsPropPage::kFiftyIntakeDuration)->isEnabled());
    QVERIFY(dialog.SpecsPage()->Note()->isVisible());
    QVERIFY(dialog.TimingPage()->Group(brisca::kFiftyThou)->isEnabled());

    // Without a 0.050-inch IVC the rate is undefined; Cancel restores the manual rate.
    dialog.ManualButton()->click();
    dialog.RampSlider()->setValue(brisca::SliderPositionOfRampRate(4.5f));
    dialog.Copies().Copy(0, brisca::kFiftyThou).Event(brisca::TimingSet::Primary, brisca::kIVC).Unassign();
    presenter_.Answer(MessageButton::Ok);
    dialog.AutoCalcButton()->click();
    QCOMPARE(presenter_.Shown().back().code, 107);
    QCOMPARE(dialog.RampValueBox()->text(), QStringLiteral("***"));
    QCOMPARE(dialog.RampLabel(5)->text(), QStringLiteral("Undefined"));
    QVERIFY(!dialog.RampLabel(0)->isVisible());

    presenter_.Answer(MessageButton::Cancel);
    dialog.ManualButton()->click();  // back to manual first
    dialog.AutoCalcButton()->click();
    QVERIFY(dialog.ManualButton()->isChecked());
    QTRY_VERIFY(dialog.ManualButton()->hasFocus());
    QCOMPARE(dialog.Copies().Shown().RampRate().GetValue(), 4.5f);
    QCOMPARE(dialog.RampLabel(5)->text(), QStringLiteral("1  -  Low"));
  }

  void renamingAndAnOversizeDurationFollowTheRules() {
    CCamDlg dialog(*doc_);
    Show(dialog);
    TypeAndLeave(dialog.CamNameEdit(), QStringLiteral("Shop Grind"), dialog.LifterList());
    for (int lobe : {0, 1})
      for (int method : {brisca::kSeatToSeat, brisca::kFiftyThou}) {
        const CCamProfile& copy = dialog.Copies().Copy(lobe, method);
        QCOMPARE(copy.CamType().GetValue(), brisca::kCustomCamTypeCode);
        QCOMPARE(copy.CamType().GetName(), std::string("Shop Grind"));
      }

    TypeAndLeave(dialog.SpecsPage()->Edit(CCamSpecsPropPage::kSeatIntakeDuration), QStringLiteral("400"),
                 dialog.SpecsPage()->Edit(CCamSpecsPropPage::kLobeCenter));
    QCOMPARE(presenter_.Shown().back().code, 106);
    QVERIFY(dialog.TimingPage()->EventEdit(brisca::kSeatToSeat, brisca::kIVC)->text().isEmpty());
    QVERIFY(!dialog.TimingPage()->EventEdit(brisca::kSeatToSeat, brisca::kEVO)->text().isEmpty());

    QVERIFY(dialog.TimingPage()->EventEdit(brisca::kSeatToSeat, brisca::kIVO)->text().isEmpty());

    // Events typed on the timing page bring the derived values back.
    TypeAndLeave(dialog.TimingPage()->EventEdit(brisca::kSeatToSeat, brisca::kIVO), QStringLiteral("20"),
                 dialog.TimingPage()->LiftEdit(true));
    TypeAndLeave(dialog.TimingPage()->EventEdit(brisca::kSeatToSeat, brisca::kIVC), QStringLiteral("60"),
                 dialog.TimingPage()->LiftEdit(true));
    QCOMPARE(dialog.SpecsPage()->Edit(CCamSpecsPropPage::kSeatIntakeDuration)->text(), QStringLiteral("260.0"));
    QCOMPARE(dialog.SpecsPage()->Edit(CCamSpecsPropPage::kOverlap)->text(), QStringLiteral("38.0"));
  }

  void applySwitchesAutomaticLiftOffAndOkAsks109() {
    doc_->Engine().intakeValveDiameter.SetValue(2.0f);
    doc_->Engine().camshaft.SetAutoValveLift(true);
    doc_->UpdateDerivedValues();
    CCamDlg dialog(*doc_);
    Show(dialog);
    TypeAndLeave(dialog.TimingPage()->LiftEdit(true), QStringLiteral("0.6"), dialog.TimingPage()->LiftEdit(false));
    QCOMPARE(dialog.Copies().Copy(0, brisca::kFiftyThou).IntakeLift().GetValue(), 0.6f);
    QVERIFY(dialog.OnApply());
    QVERIFY(!doc_->Engine().camshaft.lowSpeedLobe.AutoValveLiftOn());
    QCOMPARE(doc_->Engine().camshaft.lowSpeedLobe.IntakeLift().GetValue(), 0.6f);
    QVERIFY(doc_->IsModified());

    // Saved, the copies are unmodified; an edit then asks 109 on OK.
    host_.savePaths = {brisca::ToPath(dir_.path()) / "shop.qcm"};
    dialog.OnSave();
    QCOMPARE(dialog.FileNameBox()->text(), QStringLiteral("shop.qcm"));
    QVERIFY(!dialog.Copies().AnyModified());
    TypeAndLeave(dialog.TimingPage()->LiftEdit(false), QStringLiteral("0.55"), dialog.TimingPage()->LiftEdit(true));
    presenter_.Answer(MessageButton::Cancel);
    dialog.OnOk();
    QCOMPARE(presenter_.Shown().back().code, 109);
    QVERIFY(dialog.isVisible());
    presenter_.Answer(MessageButton::Ok);
    dialog.OnOk();
    QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
    QVERIFY(!doc_->Engine().camDataFile.IsValid());
    QCOMPARE(doc_->Engine().camshaft.lowSpeedLobe.ExhaustLift().GetValue(), 0.55f);
  }

  // OK at once changes nothing: not a two-lobe cam's high-speed lifts, not the
  // engine's link to its cam file, in either unit system.
  void okWithNothingEditedKeepsTheEngine_data() {
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("camFile");
    QTest::addColumn<bool>("metric");
    const QString twoLobe = QStringLiteral("Two-Lobe Cam Four.qen");
    const QString four = QStringLiteral("Four 1.6L.qen");
    const QString camFile = QStringLiteral("VVT Max Street.qcm");
    QTest::newRow("two-lobe") << twoLobe << QString() << false;
    QTest::newRow("two-lobe metric") << twoLobe << QString() << true;
    QTest::newRow("cam file") << four << camFile << false;
    QTest::newRow("cam file metric") << four << camFile << true;
  }
  void okWithNothingEditedKeepsTheEngine() {
    QFETCH(QString, engine);
    QFETCH(QString, camFile);
    QFETCH(bool, metric);
    QVERIFY(OpenSample(engine));
    if (!camFile.isEmpty()) {
      host_.openPaths = {SampleData() / "CamFiles (.QCM)" / camFile.toStdString()};
      QVERIFY(doc_->OnCamFileOpen());
    }
    doc_->SetUnits(metric);
    doc_->SetModified(false);
    const std::string before = EngineText(*doc_, dir_, "before.qen");
    QVERIFY(!before.empty());
    const std::string highLift = doc_->Engine().camshaft.highSpeedLobe.IntakeLift().GetText();

    CCamDlg dialog(*doc_);
    Show(dialog);
    QCOMPARE(dialog.FileNameBox()->text(), camFile);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
    RecalculateAfterOk(*doc_);
    QVERIFY(presenter_.Shown().empty());
    QCOMPARE(doc_->Engine().camshaft.highSpeedLobe.IntakeLift().GetText(), highLift);
    const brisca::CFileSpec& link = doc_->Engine().camDataFile;
    QCOMPARE(QString::fromStdString(link.IsValid() ? link.GetText() : std::string()), camFile);
    QVERIFY(!doc_->IsModified());
    QCOMPARE(EngineText(*doc_, dir_, "after.qen"), before);
  }

  // OK after an edit merges both lobes: the high-speed lobe keeps its own
  // cam type and so its automatic lifts.
  void twoLobeCamKeepsItsHighSpeedLifts() {
    QVERIFY(OpenSample(QStringLiteral("Two-Lobe Cam Four.qen")));
    const brisca::CCamProfile& high = doc_->Engine().camshaft.highSpeedLobe;
    QCOMPARE(high.IntakeLift().GetText(), std::string("0.378"));
    CCamDlg dialog(*doc_);
    Show(dialog);
    TypeAndLeave(dialog.EngineList()->lineEdit(), QStringLiteral("Honda"), dialog.LifterList());
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
    RecalculateAfterOk(*doc_);
    QCOMPARE(high.Text(brisca::kCamEngine), std::string("Honda"));
    QCOMPARE(high.IntakeLift().GetText(), std::string("0.378"));
    QCOMPARE(high.ExhaustLift().GetText(), std::string("0.359"));
    QVERIFY(high.AutoValveLiftOn());
  }

  // After Apply the manager holds what the document holds: OK then gives the
  // engine Apply gave, with automatic lift still on and no second question.
  void okAfterApplyKeepsWhatApplyGave() {
    QVERIFY(OpenSample(QStringLiteral("Stock Small-Block V8.qen")));
    host_.openPaths = {SampleData() / "CamFiles (.QCM)" / "VVT Max Street.qcm"};
    QVERIFY(doc_->OnCamFileOpen());
    doc_->Engine().camshaft.SetAutoValveLift(true);
    doc_->UpdateDerivedValues();
    CCamDlg dialog(*doc_);
    Show(dialog);
    // A new name makes a custom cam, whose automatic lifts differ.
    TypeAndLeave(dialog.CamNameEdit(), QStringLiteral("Shop Grind"), dialog.LifterList());
    presenter_.Answer(MessageButton::Ok);
    QTest::mouseClick(dialog.ApplyButton(), Qt::LeftButton);
    QCOMPARE(presenter_.Shown().size(), std::size_t{1});
    QCOMPARE(presenter_.Shown().back().code, 109);
    QVERIFY(doc_->Engine().camshaft.lowSpeedLobe.AutoValveLiftOn());
    QVERIFY(!doc_->Engine().camDataFile.IsValid());
    QVERIFY(dialog.FileNameBox()->text().isEmpty());
    QVERIFY(!dialog.Copies().AnyModified());
    const std::string applied = EngineText(*doc_, dir_, "applied.qen");
    QCOMPARE(dialog.TimingPage()->LiftEdit(true)->text(),
             QString::fromStdString(doc_->Engine().camshaft.lowSpeedLobe.IntakeLift().GetText()));

    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
    RecalculateAfterOk(*doc_);
    QCOMPARE(presenter_.Shown().size(), std::size_t{1});
    QVERIFY(doc_->Engine().camshaft.lowSpeedLobe.AutoValveLiftOn());
    QCOMPARE(EngineText(*doc_, dir_, "ok.qen"), applied);
  }

  void twoLobeCamShowsTheHighSpeedLobe() {
    QVERIFY(doc_->OnComponentCommand(kVvtStreetCam));
    doc_->UpdateDerivedValues();
    CCamDlg dialog(*doc_);
    Show(dialog);
    QVERIFY(dialog.VvtCheck()->isChecked());
    QVERIFY(dialog.LobeButton(1)->isEnabled());
    QCOMPARE(dialog.ActivationList()->currentText(), QStringLiteral("4500"));
    dialog.LobeButton(1)->click();
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Velmor\u2122 - High Speed Lobe"));
    QVERIFY(dialog.ChartGroup()->title().endsWith(QStringLiteral(" - High Speed Lobe")));
    QCOMPARE(dialog.TimingPage()->LiftEdit(true)->text(),
             QString::fromStdString(doc_->Engine().camshaft.highSpeedLobe.IntakeLift().GetText()));
    dialog.ActivationList()->setCurrentIndex(dialog.ActivationList()->findData(6000));
    emit dialog.ActivationList()->activated(dialog.ActivationList()->currentIndex());
    QCOMPARE(dialog.Copies().ActivationRpm().GetValue(), 6000.0f);
    dialog.VvtCheck()->click();
    QCOMPARE(dialog.Copies().Lobe(), 0);
    QVERIFY(!dialog.LobeButton(1)->isEnabled());
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Velmor\u2122"));
  }

  void chartHidesIncompleteCurvesAndKeepsAnnotationsApart() {
    CCamDlg dialog(*doc_);  // at its own size
    Show(dialog);
    brisca::CCamTimingChart2D* chart = dialog.Chart();
    QCOMPARE(chart->Series(brisca::ChartAxis::Y1, 0)->count(), brisca::kLobeShapePoints);
    QVERIFY(chart->Series(brisca::ChartAxis::Y2, 0)->isVisible());
    for (int method : {brisca::kSeatToSeat, brisca::kFiftyThou}) {
      dialog.OnViewConvention(method);
      QCoreApplication::processEvents();
      const auto placed = chart->PlacedTexts();
      QVERIFY(placed.size() >= 16);
      for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = i + 1; j < placed.size(); ++j)
          QVERIFY2(!placed[i].rect.intersects(placed[j].rect),
                   qPrintable(placed[i].text + QStringLiteral(" / ") + placed[j].text));
    }
    QStringList texts;
    for (const auto& p : chart->PlacedTexts()) texts << p.text;
    QVERIFY(texts.contains(QStringLiteral("Intake Lift: 0.510")));
    QVERIFY(texts.contains(QStringLiteral("LCA: 110.0")));
    QVERIFY(texts.contains(QStringLiteral("Compression")));

    TypeAndLeave(dialog.TimingPage()->LiftEdit(false), QString(), dialog.TimingPage()->LiftEdit(true));
    dialog.Copies().Shown().ExhaustLift().Unassign();
    dialog.Refresh();
    QVERIFY(!chart->Series(brisca::ChartAxis::Y1, 0)->isVisible());
    QVERIFY(chart->Series(brisca::ChartAxis::Y2, 0)->isVisible());
  }

  // The field and the chart's dimension format a lobe centre alike (ties to even).
  void lobeCentreReadsAlikeInTheFieldAndOnTheChart() {
    CCamDlg dialog(*doc_);
    Show(dialog);
    QLineEdit* lobeCentre = dialog.SpecsPage()->Edit(CCamSpecsPropPage::kLobeCenter);
    TypeAndLeave(lobeCentre, QStringLiteral("109.25"), dialog.SpecsPage()->Edit(CCamSpecsPropPage::kIntakeCenterline));
    QCOMPARE(lobeCentre->text(), QStringLiteral("109.2"));
    QCoreApplication::processEvents();
    QStringList texts;
    for (const auto& p : dialog.Chart()->PlacedTexts()) texts << p.text;
    QVERIFY2(texts.contains(QStringLiteral("LCA: 109.2")), qPrintable(texts.join(QStringLiteral(" | "))));
  }

  void searchFindsFilesOnItsThreadAndDoubleClickOpens() {
    const std::filesystem::path folder = brisca::ToPath(dir_.path()) / "search";
    std::filesystem::create_directories(folder / "deeper");
    QVERIFY(BuiltIn(kProStockCam).SaveToFile(folder / "race_big.qcm"));
    QVERIFY(BuiltIn(kStockStreetCam).SaveToFile(folder / "big.qcm"));
    QVERIFY(BuiltIn(kStockStreetCam).SaveToFile(folder / "deeper" / "BIG RACE.QCM"));
    std::ofstream(folder / "broken.qcm") << "4.2\n";

    CCamDlg dialog(*doc_);
    Show(dialog);
    brisca::CCamSearchPropPage* page = dialog.SearchPage();
    dialog.Pages()->setCurrentWidget(page);
    QVERIFY(page->FolderEdit()->text().endsWith(QStringLiteral("CamFiles (.QCM)")));
    page->FolderEdit()->setText(QString::fromStdString(folder.string()));
    page->NameEdit()->setText(QStringLiteral("big race"));
    QTest::mouseClick(page->SearchButton(), Qt::LeftButton);
    QTRY_COMPARE(page->SearchButton()->text(), QStringLiteral("Search"));
    QCOMPARE(page->SearchedCount()->text(), QStringLiteral("4"));
    QCOMPARE(page->MatchedCount()->text(), QStringLiteral("2"));
    QCOMPARE(page->Results()->topLevelItemCount(), 2);
    QVERIFY(dialog.OkButton()->isEnabled());

    // A range search: seat-to-seat IVO around the shown cam's 20 (18..22); the
    // broken file is asked about on the window's thread, OK goes on.
    page->NameEdit()->clear();
    page->SpecsCheck()->setChecked(true);
    page->OnChoice(0, 1);
    QCOMPARE(page->FromEdit(0)->text(), QStringLiteral("18.0"));
    QCOMPARE(page->ToEdit(0)->text(), QStringLiteral("22.0"));
    presenter_.Answer(MessageButton::Ok);
    QTest::mouseClick(page->SearchButton(), Qt::LeftButton);
    QTRY_COMPARE(page->SearchButton()->text(), QStringLiteral("Search"));
    QCOMPARE(presenter_.Shown().back().code, 108);
    QCOMPARE(page->MatchedCount()->text(), QStringLiteral("2"));
    QStringList names;
    for (int i = 0; i < page->Results()->topLevelItemCount(); ++i) names << page->Results()->topLevelItem(i)->text(0);
    names.sort();
    QCOMPARE(names, (QStringList{QStringLiteral("BIG RACE.QCM"), QStringLiteral("big.qcm")}));

    const int row = page->Results()->indexOfTopLevelItem(page->Results()->findItems(QStringLiteral("big.qcm"), Qt::MatchExactly).front());
    page->OpenResult(row);
    QCOMPARE(dialog.FileNameBox()->text(), QStringLiteral("big.qcm"));
    QVERIFY(dialog.Copies().LoadedFromFile());
  }

  void searchStartChecksAndStopKeepsTheCounters() {
    CCamDlg dialog(*doc_);
    Show(dialog);
    brisca::CCamSearchPropPage* page = dialog.SearchPage();
    dialog.Pages()->setCurrentWidget(page);
    page->FolderEdit()->clear();
    page->OnSearchStop();
    QCOMPARE(presenter_.Shown().back().code, 102);
    page->FolderEdit()->setText(dir_.path());
    page->SpecsCheck()->setChecked(true);
    page->OnChoice(1, 8);  // EVC (0.050-inch)
    TypeAndLeave(page->FromEdit(1), QStringLiteral("20"), page->ToEdit(1));
    TypeAndLeave(page->ToEdit(1), QStringLiteral("10"), page->HighSpeedCheck());
    page->OnSearchStop();
    QCOMPARE(presenter_.Shown().back().code, 104);
    page->OnChoice(1, 0);

    // Many files: the window stays live while the worker walks them; Stop ends it.
    const std::filesystem::path many = brisca::ToPath(dir_.path()) / "many";
    std::filesystem::create_directories(many);
    for (int i = 0; i < 4000; ++i) std::ofstream(many / ("cam" + std::to_string(i) + ".txt")) << i;
    page->FolderEdit()->setText(QString::fromStdString(many.string()));
    page->SpecsCheck()->setChecked(false);
    QTest::mouseClick(page->SearchButton(), Qt::LeftButton);
    QCOMPARE(page->SearchButton()->text(), QStringLiteral("Stop"));
    QVERIFY(!dialog.OkButton()->isEnabled());
    QVERIFY(!page->NameEdit()->isEnabled());
    QVERIFY(page->SearchButton()->isEnabled());
    QTest::mouseClick(page->SearchButton(), Qt::LeftButton);
    QTRY_COMPARE(page->SearchButton()->text(), QStringLiteral("Search"));
    const QString searched = page->SearchedCount()->text();
    QVERIFY(searched.toInt() > 0);
    QCoreApplication::processEvents();
    QCOMPARE(page->SearchedCount()->text(), searched);
    QVERIFY(dialog.OkButton()->isEnabled());

    // Closing the dialog during a search ends it.
    QTest::mouseClick(page->SearchButton(), Qt::LeftButton);
    dialog.reject();
    QVERIFY(!page->IsSearching());
  }

  void clearResetsTheCopiesAndTheSearch() {
    CCamDlg dialog(*doc_);
    Show(dialog);
    dialog.SearchPage()->NameEdit()->setText(QStringLiteral("big"));
    dialog.OnClear();
    QCOMPARE(dialog.CamNameEdit()->text(), QStringLiteral("Custom"));
    QVERIFY(dialog.SpecsPage()->Edit(CCamSpecsPropPage::kSeatIntakeDuration)->text().isEmpty());
    QVERIFY(dialog.SearchPage()->NameEdit()->text().isEmpty());
    QCOMPARE(dialog.LifterList()->currentIndex(), -1);
    QVERIFY(!dialog.Chart()->Series(brisca::ChartAxis::Y1, 0)->isVisible());
    QVERIFY(!dialog.OnApply());
    QCOMPARE(presenter_.Shown().back().code, 29);
  }

  void customCamNameIsTrimmedAndNeverEmpty() {
    brisca::CCamTypeDlg dialog(QStringLiteral("Old"));
    Show(dialog);
    dialog.NameEdit()->setText(QStringLiteral("   "));
    dialog.OnOk();
    QCOMPARE(presenter_.Shown().back().code, 28);
    QVERIFY(dialog.isVisible());
    dialog.NameEdit()->setText(QStringLiteral("  Shop Grind  "));
    dialog.OnOk();
    QCOMPARE(dialog.Name(), QStringLiteral("Shop Grind"));
    QCOMPARE(dialog.NameEdit()->maxLength(), 72);
  }

  void toolsMenuAndFormButtonOpenTheManager() {
    auto app = brisca::test::StartWithEngine();
    QVERIFY(app);
    brisca::CMainFrame* frame = app->MainFrame();
    auto* tools = frame->MainMenuBar()->findChild<QMenu*>(QStringLiteral("toolsMenu"));
    QVERIFY(tools);
    emit tools->aboutToShow();
    QAction* velmor = nullptr;
    for (QAction* action : tools->actions())
      if (action->data().toInt() == brisca::command::kCamManager) velmor = action;
    QVERIFY(velmor);
    QCOMPARE(velmor->text(), QString::fromUtf8("Velmor\u2122..."));
    QVERIFY(velmor->isEnabled());
    bool seen = false;
    brisca::test::AnswerNextModal<CCamDlg>([](CCamDlg* d) { d->reject(); }, &seen);
    velmor->trigger();
    QVERIFY(seen);

    auto* form = qobject_cast<brisca::CEngineFormView*>(frame->ActiveFrame()->LeftTabs()->widget(0));
    QVERIFY(form);
    auto* button = form->findChild<QPushButton*>(QStringLiteral("button3"));
    QVERIFY(button && button->isEnabled());
    seen = false;
    brisca::test::AnswerNextModal<CCamDlg>(
        [](CCamDlg* d) {
          d->CamNameEdit()->setText(QStringLiteral("From The Form"));
          d->Copies().Rename("From The Form");
          d->OnOk();
        },
        &seen);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(seen);
    QCOMPARE(frame->ActiveDocument()->Engine().camshaft.lowSpeedLobe.CamType().GetName(), std::string("From The Form"));

    // "Custom Cam Type..." asks for the name in the cam name dialog.
    seen = false;
    brisca::test::AnswerNextModal<brisca::CCamTypeDlg>(
        [](brisca::CCamTypeDlg* d) {
          QCOMPARE(d->NameEdit()->text(), QStringLiteral("From The Form"));
          d->NameEdit()->setText(QStringLiteral("  Custom Grind  "));
          d->OnOk();
        },
        &seen);
    QVERIFY(frame->ActiveDocument()->OnComponentCommand(brisca::kCustomCamTypeCommand));
    QVERIFY(seen);
    QCOMPARE(frame->ActiveDocument()->Engine().camshaft.highSpeedLobe.CamType().GetName(), std::string("Custom Grind"));
    for (brisca::CVexoDoc* d : frame->Documents().Documents()) d->SetModified(false);
  }

 private:
  static std::filesystem::path SampleData() { return brisca::ProgramPaths::Discover().programDataFolder; }
  bool OpenSample(const QString& engine) {
    if (!doc_->OnOpenDocument(SampleData() / "EngineFiles (.QEN)" / engine.toStdString())) return false;
    doc_->Engine().autoRun = false;
    return true;
  }
  static void Show(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
  }

  brisca::test::ScratchSettings settings_;
  QTemporaryDir dir_;
  brisca::HeadlessHost host_;
  std::unique_ptr<brisca::CVexoDoc> doc_;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
};

QTEST_MAIN(TestCamDlg)
#include "tst_camdlg.moc"
