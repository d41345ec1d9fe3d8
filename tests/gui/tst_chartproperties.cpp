// "2D Chart Properties" on a running program: the document lists of the
// Graph Data page with one and with several documents, notice 111 answered
// both ways, the axis range pair, zones added with the spin control, the
// checks on OK, Cancel writing nothing, OK writing everything back, and the
// chart menu's Custom-Range and Properties commands.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "core/document/VexoDoc.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ChartAxisPage.h"
#include "gui/results/ChartGraphDataPage.h"
#include "gui/results/ChartMenuTable.h"
#include "gui/results/ChartPropertiesSheet.h"
#include "gui/results/ChartZonesPage.h"
#include "gui/results/ResultsTableView.h"
#include "gui/results/ZoneChart2D.h"
#include "gui/shell/DocumentManager.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/MainFrame.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using namespace brisca;

namespace {

QStringList Entries(const QComboBox* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
  return texts;
}

// Types `text` into `edit` as the user would and leaves it for `next`.
void TypeAndLeave(QLineEdit* edit, const QString& text, QWidget* next) {
  edit->setFocus();
  QTRY_VERIFY(edit->hasFocus());
  edit->selectAll();
  QTest::keyClicks(edit, text);
  next->setFocus();
}

std::vector<int> ShownCodes(const ScriptedPresenter& presenter) {
  std::vector<int> codes;
  for (const Message& message : presenter.Shown()) codes.push_back(message.code);
  return codes;
}

}  // namespace

class TestChartProperties : public QObject {
  Q_OBJECT

  CChart2dView& Chart(CVexoDoc& document, ViewSlot slot = ViewSlot::SecondChart) {
    auto* view = qobject_cast<CChart2dView*>(frame_->Documents().Views(document).View(slot));
    if (!view) qFatal("no chart");
    return *view;
  }
  CVexoDoc& Sample() { return *sample_; }

  // A sheet on the sample's second chart, shown and active.
  std::unique_ptr<CChartPropertiesSheet> OpenSheet() {
    CChart2dView& view = Chart(Sample());
    auto sheet = std::make_unique<CChartPropertiesSheet>(view, view.OtherDocuments(), &view);
    sheet->show();
    sheet->activateWindow();
    if (!QTest::qWaitForWindowActive(sheet.get())) qWarning("sheet not active");
    return sheet;
  }

 private slots:
  void init() {
    test::ScratchSettings::Clear();
    app_ = std::make_unique<CVexoApp>(test::QuickStart());
    QVERIFY(app_->InitInstance({QStringLiteral("brisca")}));
    frame_ = app_->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame_));
    // The start-up document is closed so that the sample is the only one.
    for (CVexoDoc* doc : frame_->Documents().Documents()) {
      doc->SetModified(false);
      QVERIFY(frame_->CloseDocument(*doc));
    }
    QTRY_VERIFY(frame_->Documents().Documents().empty());
    QVERIFY(frame_->OpenFile(test::SampleEngine()));
    sample_ = frame_->ActiveDocument();
    QVERIFY(sample_ && sample_->OnRun());
    sample_->SetModified(false);
  }
  void cleanup() {
    for (CVexoDoc* doc : frame_->Documents().Documents()) doc->SetModified(false);
    app_.reset();
  }

  void documentListsOfferTheOtherOpenDocuments() {
    {
      auto sheet = OpenSheet();
      QCOMPARE(sheet->windowTitle(), QStringLiteral("2D Chart Properties"));
      QCOMPARE(sheet->Tabs()->tabText(0), QStringLiteral("Graph Data"));
      QCOMPARE(sheet->Tabs()->tabText(1), QStringLiteral("Axis Properties"));
      QCOMPARE(sheet->Tabs()->tabText(2), QStringLiteral("Data Zones"));
      CChartGraphDataPage* page = sheet->GraphDataPage();
      QVERIFY(page->CurrentOnlyButton()->isChecked());
      QCOMPARE(sheet->findChild<QLineEdit*>(QStringLiteral("set1"))->text(),
               QString::fromStdString(Sample().GetTitle()));
      for (int i = 0; i < kChosenSlots; ++i) {
        QCOMPARE(Entries(page->SetList(i)), QStringList{"(None)"});
        QVERIFY(!page->SetList(i)->isEnabled());
      }
    }
    CVexoDoc& second = frame_->OnFileNew();
    second.SetTitle("Second Engine");
    CVexoDoc& third = frame_->OnFileNew();
    third.SetTitle("Third Engine");
    auto sheet = OpenSheet();
    CChartGraphDataPage* page = sheet->GraphDataPage();
    const QStringList expected{"(None)", "Second Engine", "Third Engine"};
    for (int i = 0; i < kChosenSlots; ++i) QCOMPARE(Entries(page->SetList(i)), expected);

    // Several documents: the lists open and the axis lists lose the combinations.
    QCOMPARE(sheet->AxisPage()->DataTypeList(kAxisY1)->count(), 28);
    QCOMPARE(sheet->AxisPage()->DataTypeList(kAxisY2)->count(), 29);
    page->MultipleButton()->click();
    QVERIFY(sheet->Data().settings.State().comparison);
    QVERIFY(page->SetList(0)->isEnabled());
    QCOMPARE(sheet->AxisPage()->DataTypeList(kAxisY1)->count(), 23);
    QCOMPARE(sheet->AxisPage()->DataTypeList(kAxisY2)->count(), 24);
    QCOMPARE(sheet->AxisPage()->DataTypeList(kAxisX)->count(), 23);
    QTest::keyClick(page->SetList(1), Qt::Key_Down);  // "Set 3:" takes "Second Engine"
    QCOMPARE(sheet->Data().chosen[1], &second);

    // Back to one document: every chosen slot is emptied.
    page->CurrentOnlyButton()->click();
    QVERIFY(!sheet->Data().settings.State().comparison);
    QCOMPARE(sheet->Data().chosen, (std::array<CVexoDoc*, kChosenSlots>{}));
    QCOMPARE(page->SetList(1)->currentIndex(), 0);
    QVERIFY(!page->SetList(1)->isEnabled());
  }

  void comboItemsAskNotice111First_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
  }
  void comboItemsAskNotice111First() {
    QFETCH(bool, ok);
    ScriptedPresenter presenter({ok ? MessageButton::Ok : MessageButton::Cancel});
    ScopedPresenter installed(presenter);
    auto sheet = OpenSheet();
    CChartAxisPage* axes = sheet->AxisPage();
    QComboBox* y1 = axes->DataTypeList(kAxisY1);
    y1->setCurrentIndex(y1->findText(QStringLiteral("Power,Torque combo")));
    emit y1->activated(y1->currentIndex());
    QCOMPARE(sheet->Data().settings.Axis(kAxisY1).Item(), int{kItemPowerTorqueCombo});

    sheet->GraphDataPage()->MultipleButton()->click();
    QCOMPARE(ShownCodes(presenter), std::vector<int>{111});
    QCOMPARE(presenter.Shown().front().kind, MessageKind::Notice);
    const ChartSettings& settings = sheet->Data().settings;
    QCOMPARE(settings.State().comparison, ok);
    QCOMPARE(sheet->GraphDataPage()->MultipleButton()->isChecked(), ok);
    QCOMPARE(sheet->GraphDataPage()->CurrentOnlyButton()->isChecked(), !ok);
    if (ok) {
      QCOMPARE(settings.Axis(kAxisY1).Item(), int{kItemPower});
      QCOMPARE(settings.Axis(kAxisY2).Item(), int{kItemNone});
      QCOMPARE(settings.Axis(kAxisY1).Mode(), RangeMode::Auto);
      QCOMPARE(settings.Axis(kAxisY2).Mode(), RangeMode::Auto);
      QCOMPARE(y1->currentText(), QStringLiteral("Power (HP)"));
      QCOMPARE(axes->DataTypeList(kAxisY2)->currentText(), QStringLiteral("(None)"));
    } else {
      QCOMPARE(settings.Axis(kAxisY1).Item(), int{kItemPowerTorqueCombo});
      QCOMPARE(settings.Axis(kAxisY2).Item(), int{kItemTorque});
    }
  }

  void rangePairIsAStarUnderAutoAndTypedUnderCustom() {
    auto sheet = OpenSheet();
    CChartAxisPage* axes = sheet->AxisPage();
    QCOMPARE(axes->MinimumEdit(kAxisY1)->text(), QStringLiteral("0"));
    QCOMPARE(axes->MaximumEdit(kAxisY1)->text(), QStringLiteral("1000"));
    QVERIFY(!axes->MinimumEdit(kAxisY1)->isEnabled());
    QCOMPARE(axes->HintLabel(kAxisY1)->text(), QString());
    QCOMPARE(axes->UnitsLabel(kAxisY1)->text(), QStringLiteral("HP"));

    QComboBox* range = axes->RangeList(kAxisY1);
    range->setCurrentIndex(static_cast<int>(RangeMode::Auto));
    emit range->activated(range->currentIndex());
    QCOMPARE(axes->MinimumEdit(kAxisY1)->text(), QStringLiteral("*"));
    QCOMPARE(axes->MaximumEdit(kAxisY1)->text(), QStringLiteral("*"));
    range->setCurrentIndex(static_cast<int>(RangeMode::Custom));
    emit range->activated(range->currentIndex());
    QVERIFY(axes->MinimumEdit(kAxisY1)->isEnabled());
    QCOMPARE(axes->MaximumEdit(kAxisY1)->text(), QStringLiteral("1000"));  // the Mid-Range kept
    QCOMPARE(axes->HintLabel(kAxisY1)->text(), QStringLiteral(" Enter Power (HP) Range: 0 to 2000"));

    sheet->Tabs()->setCurrentWidget(axes);
    axes->MinimumEdit(kAxisY1)->setFocus();
    QTRY_COMPARE(sheet->HelpLine()->text(), QStringLiteral(" Enter Power (HP) Range: 0 to 2000"));
    // A whole number is required: 12.5 is refused by the field, which keeps the focus.
    TypeAndLeave(axes->MinimumEdit(kAxisY1), QStringLiteral("12.5"), axes->MaximumEdit(kAxisY1));
    QTRY_VERIFY(axes->MinimumEdit(kAxisY1)->hasFocus());
    QVERIFY(!sheet->Apply());
    QCOMPARE(sheet->Data().settings.Axis(kAxisY1).Minimum(), 0);
    TypeAndLeave(axes->MinimumEdit(kAxisY1), QStringLiteral("150"), axes->MaximumEdit(kAxisY1));
    QTRY_COMPARE(sheet->Data().settings.Axis(kAxisY1).Minimum(), 150);
  }

  void spinAddsZonesAfterThePreviousOne() {
    auto sheet = OpenSheet();
    CChartZonesPage* zones = sheet->ZonesPage();
    QVERIFY(!zones->CountSpin()->isEnabled());
    QVERIFY(!zones->MinimumEdit(0)->isEnabled());
    zones->TypeList()->setCurrentIndex(2);  // Power (HP): one zone 0..100
    emit zones->TypeList()->activated(2);
    QVERIFY(zones->ShowZones()->isChecked());
    QCOMPARE(zones->CountSpin()->value(), 1);
    QCOMPARE(zones->MaximumEdit(0)->text(), QStringLiteral("100"));
    QVERIFY(!zones->MinimumEdit(1)->isEnabled());
    QCOMPARE(zones->MinimumEdit(1)->text(), QString());
    QVERIFY(!zones->BlendButton()->isEnabled());

    zones->CountSpin()->stepUp();
    zones->CountSpin()->stepUp();
    QCOMPARE(zones->MinimumEdit(1)->text(), QStringLiteral("100"));
    QCOMPARE(zones->MaximumEdit(1)->text(), QStringLiteral("200"));
    QCOMPARE(zones->MaximumEdit(2)->text(), QStringLiteral("300"));
    QVERIFY(zones->MinimumEdit(2)->isEnabled());
    QVERIFY(zones->BlendButton()->isEnabled());
    const DataZoneSet& set = sheet->Data().settings.Zones();
    QCOMPARE(set.zones[2].colour, set.zones[0].colour);

    // A colour picked for the last zone, then blended across the three.
    zones->SetColourPicker([](const QColor&, QColor& chosen) {
      chosen = Qt::black;
      return true;
    });
    zones->ColourButton(0)->click();
    zones->SetColourPicker([](const QColor&, QColor& chosen) {
      chosen = Qt::white;
      return true;
    });
    zones->ColourButton(2)->click();
    zones->BlendButton()->click();
    QCOMPARE(set.zones[1].colour, MakeZoneColour(0x7F, 0x7F, 0x7F));
    QCOMPARE(set.zones[2].colour, MakeZoneColour(0xFE, 0xFE, 0xFE));

    zones->CountSpin()->stepDown();
    QVERIFY(!zones->MinimumEdit(2)->isEnabled());
    QCOMPARE(zones->MaximumEdit(2)->text(), QString());
    QVERIFY(!zones->BlendButton()->isEnabled());
  }

  void okRefusesBadRangesAndWritesNothing_data() {
    QTest::addColumn<int>("axis");
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QStringList>("zones");  // low, high pairs of a Power zone set
    QTest::addColumn<int>("code");
    QTest::newRow("X 3000..3000") << 0 << "3000" << "3000" << QStringList{} << 174;
    QTest::newRow("Y1 reversed") << 1 << "500" << "100" << QStringList{} << 175;
    QTest::newRow("Y2 empty") << 2 << "7" << "7" << QStringList{} << 176;
    QTest::newRow("zones overlap") << -1 << "" << "" << QStringList{"0", "1000", "900", "2000"} << 101;
    QTest::newRow("zone reversed") << -1 << "" << "" << QStringList{"50", "20"} << 100;
    QTest::newRow("zones share an edge") << -1 << "" << "" << QStringList{"0", "1000", "1000", "2000"} << 0;
  }
  void okRefusesBadRangesAndWritesNothing() {
    QFETCH(int, axis);
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(QStringList, zones);
    QFETCH(int, code);
    ScriptedPresenter presenter;
    ScopedPresenter installed(presenter);
    const ChartState before = Chart(Sample()).State();
    auto sheet = OpenSheet();
    if (axis >= 0) {
      CChartAxisPage* axes = sheet->AxisPage();
      sheet->Tabs()->setCurrentWidget(axes);
      axes->RangeList(axis)->setCurrentIndex(static_cast<int>(RangeMode::Custom));
      emit axes->RangeList(axis)->activated(static_cast<int>(RangeMode::Custom));
      TypeAndLeave(axes->MinimumEdit(axis), minimum, axes->MaximumEdit(axis));
      TypeAndLeave(axes->MaximumEdit(axis), maximum, axes->MinimumEdit(axis));
    } else {
      CChartZonesPage* page = sheet->ZonesPage();
      sheet->Tabs()->setCurrentWidget(page);
      emit page->TypeList()->activated(2);
      page->CountSpin()->setValue(static_cast<int>(zones.size() / 2));
      for (int i = 0; i < zones.size(); ++i) {
        QLineEdit* edit = i % 2 ? page->MaximumEdit(i / 2) : page->MinimumEdit(i / 2);
        TypeAndLeave(edit, zones[i], page->TypeList());
      }
    }
    sheet->Tabs()->setCurrentIndex(CChartPropertiesSheet::kGraphDataPage);
    QTest::mouseClick(sheet->OkButton(), Qt::LeftButton);
    if (code != 0) {
      QCOMPARE(ShownCodes(presenter), std::vector<int>{code});
      QVERIFY(sheet->isVisible());
      QCOMPARE(sheet->Tabs()->currentIndex(),
               axis >= 0 ? int{CChartPropertiesSheet::kAxisPage} : int{CChartPropertiesSheet::kZonesPage});
      QCOMPARE(Chart(Sample()).State(), before);
      QVERIFY(!Sample().IsModified());
    } else {
      QVERIFY(presenter.Shown().empty());
      QVERIFY(!sheet->isVisible());
      QCOMPARE(Chart(Sample()).State().zones.count, 2);
      QCOMPARE(Chart(Sample()).State().zones.zones[1].highLabel, std::string("2000"));
      QVERIFY(Sample().IsModified());
    }
  }

  void cancelWritesNothingAndOkWritesEverything_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("Cancel") << false;
    QTest::newRow("OK") << true;
  }
  void cancelWritesNothingAndOkWritesEverything() {
    QFETCH(bool, ok);
    CVexoDoc& other = frame_->OnFileNew();
    other.SetTitle("Other Engine");
    CChart2dView& view = Chart(Sample());
    const ChartState before = view.State();
    bool seen = false;
    test::AnswerNextModal<CChartPropertiesSheet>(
        [ok](CChartPropertiesSheet* sheet) {
          sheet->GraphDataPage()->MultipleButton()->click();
          QComboBox* set2 = sheet->GraphDataPage()->SetList(0);
          set2->setCurrentIndex(1);
          emit set2->activated(1);
          QComboBox* x = sheet->AxisPage()->DataTypeList(kAxisX);
          x->setCurrentIndex(x->findText(QStringLiteral("Piston Speed (fpm)")));
          emit x->activated(x->currentIndex());
          emit sheet->ZonesPage()->TypeList()->activated(3);
          if (ok) sheet->OkButton()->click();
          else sheet->reject();
        },
        &seen);
    QAction* properties = nullptr;
    for (QAction* action : view.ContextMenu()->actions()) {
      if (action->text() == QStringLiteral("&Properties...")) properties = action;
    }
    QVERIFY(properties && properties->isEnabled());
    properties->trigger();
    QVERIFY(seen);
    if (!ok) {
      QCOMPARE(view.State(), before);
      QCOMPARE(view.Slot(1).document, nullptr);
      QVERIFY(!Sample().IsModified());
      return;
    }
    QVERIFY(view.State().comparison);
    QCOMPARE(view.Slot(1).document, &other);
    QCOMPARE(view.State().X().Item(), 14);
    QCOMPARE(view.State().zones.type, 3);
    QVERIFY(Sample().IsModified());
    QCOMPARE(view.Chart().Data(ChartAxis::Y1)->Sets(), 2);  // own document and the other
  }

  void customRangeFromTheMenuOpensOnThatAxis() {
    ScriptedPresenter presenter;
    ScopedPresenter installed(presenter);
    CChart2dView& view = Chart(Sample(), ViewSlot::FirstChart);
    bool seen = false;
    test::AnswerNextModal<CChartPropertiesSheet>(
        [](CChartPropertiesSheet* sheet) {
          CChartAxisPage* axes = sheet->AxisPage();
          QCOMPARE(sheet->Tabs()->currentWidget(), axes);
          QCOMPARE(axes->RangeList(kAxisY2)->currentText(), QStringLiteral("Custom-Range"));
          QTRY_VERIFY(axes->MinimumEdit(kAxisY2)->hasFocus());
          QCOMPARE(axes->HintLabel(kAxisY2)->text(), QStringLiteral(" Enter Volumetric Eff.(%) Range: 0 to 150"));
          QTest::keyClicks(axes->MinimumEdit(kAxisY2), QStringLiteral("20"));
          TypeAndLeave(axes->MaximumEdit(kAxisY2), QStringLiteral("120"), axes->RangeList(kAxisY2));
          sheet->OkButton()->click();
        },
        &seen);
    QAction* custom = nullptr;
    for (QAction* group : view.ContextMenu()->actions()) {
      if (!group->menu() || group->text() != QStringLiteral("Y2 Range")) continue;
      for (QAction* action : group->menu()->actions()) {
        if (action->text() == QStringLiteral("Custom-Range")) custom = action;
      }
    }
    QVERIFY(custom && custom->isEnabled());
    QCOMPARE(custom->data().toInt(), ChartRangeCommand(kAxisY2, RangeMode::Custom));
    custom->trigger();
    QVERIFY(seen);
    QVERIFY(presenter.Shown().empty());
    QCOMPARE(view.State().Y2().Mode(), RangeMode::Custom);
    QCOMPARE(view.State().Y2().Minimum(), 20);
    QCOMPARE(view.State().Y2().Maximum(), 120);
    QCOMPARE(view.Chart().AxisMinimum(ChartAxis::Y2), 20.0);
    QCOMPARE(view.Chart().AxisMaximum(ChartAxis::Y2), 120.0);
  }

  // After error 100 and a rejected text in the same field, a click on Cancel
  // (press, the event loop running, release, as on a real screen) still closes
  // the sheet, and nothing is written.
  void cancelClosesWhileAFieldHoldsARejectedText() {
    ScriptedPresenter presenter;
    ScopedPresenter installed(presenter);
    const ChartState before = Chart(Sample()).State();
    auto sheet = OpenSheet();
    CChartZonesPage* page = sheet->ZonesPage();
    sheet->Tabs()->setCurrentWidget(page);
    emit page->TypeList()->activated(2);
    page->CountSpin()->setValue(1);
    TypeAndLeave(page->MinimumEdit(0), QStringLiteral("50"), page->TypeList());
    TypeAndLeave(page->MaximumEdit(0), QStringLiteral("20"), page->TypeList());
    QTest::mouseClick(sheet->OkButton(), Qt::LeftButton);
    QCOMPARE(ShownCodes(presenter), std::vector<int>{100});
    QLineEdit* edit = page->MaximumEdit(0);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("9999999999"));  // past the largest edge
    QPushButton* cancel = nullptr;
    for (QPushButton* button : sheet->findChildren<QPushButton*>()) {
      if (button->text() == QStringLiteral("Cancel")) cancel = button;
    }
    QVERIFY(cancel);
    QTest::mousePress(cancel, Qt::LeftButton);
    QCoreApplication::processEvents();  // what the press set off runs before the release
    QTest::mouseRelease(cancel, Qt::LeftButton);
    QTRY_VERIFY(!sheet->isVisible());
    QCOMPARE(sheet->result(), int{QDialog::Rejected});
    QCOMPARE(Chart(Sample()).State(), before);
    QVERIFY(!Sample().IsModified());
  }

  // The table on the left takes its rows from the second chart's X axis: a
  // range chosen from the chart's menu or in the properties redraws it too.
  void aChartChoiceRedrawsTheTableBesideIt() {
    CChart2dView& view = Chart(Sample());
    auto* table = qobject_cast<CResultsTableView*>(
        frame_->Documents().Views(Sample()).View(ViewSlot::ResultsTable));
    QVERIFY(table);
    auto fresh = [this] {
      ViewRegistry scratch;
      CResultsTableView current(Sample(), scratch, true);
      return current.ShownText();
    };
    QCOMPARE(table->ShownText(), fresh());
    const QString start = table->ShownText();
    QVERIFY(view.OnCommand(ChartRangeCommand(kAxisX, RangeMode::Low)));
    QVERIFY(table->ShownText() != start);
    QCOMPARE(table->ShownText(), fresh());

    const QString low = table->ShownText();
    auto sheet = OpenSheet();
    QComboBox* range = sheet->AxisPage()->RangeList(kAxisX);
    range->setCurrentIndex(static_cast<int>(RangeMode::Hi));
    emit range->activated(static_cast<int>(RangeMode::Hi));
    sheet->OkButton()->click();
    QTRY_VERIFY(!sheet->isVisible());
    QCOMPARE(view.State().X().Mode(), RangeMode::Hi);
    QVERIFY(table->ShownText() != low);
    QCOMPARE(table->ShownText(), fresh());
  }

  void resetAllRestoresTheSecondChartsDefaults() {
    auto sheet = OpenSheet();
    sheet->GraphDataPage()->MultipleButton()->click();
    emit sheet->ZonesPage()->TypeList()->activated(9);
    QComboBox* range = sheet->AxisPage()->RangeList(kAxisY1);
    emit range->activated(static_cast<int>(RangeMode::Hi));
    sheet->ResetAllButton()->click();
    QCOMPARE(sheet->Data().settings.State(), ChartState::Defaults(ChartRole::Second));
    QCOMPARE(sheet->AxisPage()->DataTypeList(kAxisY1)->currentText(), QStringLiteral("Power (HP)"));
    QCOMPARE(sheet->AxisPage()->DataTypeList(kAxisY2)->currentText(), QStringLiteral("Torque (lb-ft)"));
    QCOMPARE(sheet->AxisPage()->RangeList(kAxisY1)->currentText(), QStringLiteral("Mid-Range"));
    QVERIFY(sheet->GraphDataPage()->CurrentOnlyButton()->isChecked());
    QCOMPARE(sheet->ZonesPage()->TypeList()->currentIndex(), 0);
  }

 private:
  std::unique_ptr<CVexoApp> app_;
  CMainFrame* frame_ = nullptr;
  CVexoDoc* sample_ = nullptr;
};

QTEST_MAIN(TestChartProperties)
#include "tst_chartproperties.moc"
