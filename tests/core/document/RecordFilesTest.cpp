// The document's port-flow editor and its flow-file and cam-file commands, as
// a user drives them through the host: what each leaves in the document, and
// that a cancel or a failure leaves nothing.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/base/TextWriter.h"
#include "core/document/CommandIds.h"
#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

constexpr int kCustomPortFlow = 32819;
constexpr FlowSide kIn = FlowSide::Intake;
constexpr FlowSide kEx = FlowSide::Exhaust;
const fs::path kFixtures = fs::path(BRISCA_FIXTURES_DIR) / "valvetrain";

template <typename Record>
std::string Written(const Record& record) {
  std::ostringstream out;
  TextWriter writer(out);
  record.WriteText(writer);
  return out.str();
}

// The text of `record` once held in metric units, as a metric document holds it.
template <typename Record>
std::string WrittenMetric(Record record) {
  record.SetUnits(true);
  return Written(record);
}

// Everything the commands may change, as text.
std::string Snapshot(const CVexoDoc& doc) {
  const EngineParameters& e = doc.Engine();
  std::ostringstream out;
  out << e.cylinderHeadType.GetText() << '|' << e.airflowFile.GetText() << '|'
      << e.intakeValves.GetText() << '|' << e.exhaustValves.GetText() << '|' << e.autoValveSizes
      << '|' << e.camDataFile.GetText() << '|' << doc.IsModified() << '|' << e.flow.IsModified()
      << '|' << e.flow.IsMetric() << '\n'
      << Written(e.flow) << Written(e.camshaft);
  return out.str();
}

//! A flow record as a user would keep it: built-in head 14 (two valves a port), renamed.
CCylHeadFlow RaceHead() {
  CCylHeadFlow flow;
  flow.LoadBuiltIn(14);
  flow.SetDescription("Race Head");
  flow.SetNotes("Ported by hand");
  return flow;
}

class RecordFilesTest : public testing::Test {
 protected:
  RecordFilesTest() {
    host.startupFolder = folder.Path();
    fs::create_directory(FlowFolder());
    fs::create_directory(CamFolder());
  }

  fs::path FlowFolder() const { return folder / "FlowFiles (.QFW)"; }
  fs::path CamFolder() const { return folder / "CamFiles (.QCM)"; }

  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const Message& m : presenter.Shown()) codes.push_back(m.code);
    return codes;
  }

  //! The sample V8 (head 1, automatic valve sizes) in metric units, saved.
  void BuildMetricEngine() {
    doc.ClearComponents();
    samples::BuildSmallBlockV8(doc);
    doc.SetUnits(true);
    doc.SetModified(false);
  }

  TempDir folder;
  ScriptedPresenter presenter;
  ScopedPresenter scope{presenter};
  HeadlessHost host;
  CVexoDoc doc{&host};
  EngineParameters& e = doc.Engine();
};

// ---- "Custom Port Flow..." ---------------------------------------------------

// The editor is opened on the document's record and file name; on OK the
// document takes the edited record and keeps the file name only for data that
// still match that file.
TEST_F(RecordFilesTest, CustomPortFlowTakesTheEditedRecordAndKeepsOnlyAMatchingFileName) {
  struct Case {
    const char* what;
    std::string description;
    bool modified;            // changed in the editor since its file was read or written
    std::string editorFile;   // the editor's file name
    std::string headName;     // "Cylinder Head Type" afterwards
    std::string airflowFile;  // "Airflow File" afterwards
  };
  const Case cases[] = {
      {"edited after opening a file", "Race Head", true, "race.qfw", "Race Head", "***"},
      {"opened in the editor, unchanged", "Race Head", false, "race.qfw", "Race Head", "race.qfw"},
      {"new data, no file", "Race Head", true, "", "Race Head", "***"},
      {"named as a built-in head", CCylHeadFlow::BuiltInDescription(9), false, "", "Custom Airflow",
       "***"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildMetricEngine();
    e.airflowFile.SetFromText("old.qfw");
    presenter.Clear();
    host.portFlowEditorOpened.clear();
    PortFlowEdit edit{RaceHead(), c.editorFile};
    edit.flow.SetDescription(c.description);
    edit.flow.SetModified(c.modified);
    host.portFlowEdits = {edit};

    ASSERT_TRUE(doc.OnComponentCommand(kCustomPortFlow));
    ASSERT_EQ(host.portFlowEditorOpened.size(), 1u);
    EXPECT_EQ(host.portFlowEditorOpened[0].airflowFile, "old.qfw");
    EXPECT_EQ(host.portFlowEditorOpened[0].flow.GetDescription(),
              CCylHeadFlow::BuiltInDescription(1));

    EXPECT_EQ(e.cylinderHeadType.GetValue(), 25);
    EXPECT_EQ(e.cylinderHeadType.GetName(), c.headName);
    EXPECT_EQ(e.airflowFile.GetText(), c.airflowFile);
    EXPECT_FALSE(e.flow.IsModified());
    EXPECT_TRUE(e.flow.IsMetric());  // the document's units
    EXPECT_EQ(Written(e.flow), WrittenMetric(edit.flow));
    EXPECT_EQ(e.intakeValves.GetValue(), 2);  // from the valves per port
    EXPECT_EQ(e.exhaustValves.GetValue(), 2);
    EXPECT_EQ(Codes(), std::vector<int>{104});
    EXPECT_FALSE(e.autoValveSizes);
    EXPECT_FALSE(doc.IsCommandEnabled(command::kAutoValveSizes));
  }
}

TEST_F(RecordFilesTest, CustomPortFlowCancelledOrInvalidChangesNothing) {
  BuildMetricEngine();
  e.airflowFile.SetFromText("old.qfw");
  const std::string before = Snapshot(doc);

  EXPECT_FALSE(doc.OnComponentCommand(kCustomPortFlow));  // the editor was cancelled
  EXPECT_EQ(host.portFlowEditorOpened.size(), 1u);
  EXPECT_TRUE(presenter.Shown().empty());
  EXPECT_EQ(Snapshot(doc), before);

  PortFlowEdit falling{RaceHead(), ""};
  falling.flow.Lift(kEx, 3).SetValue(0.1f);  // exhaust lifts no longer rise
  PortFlowEdit unnamed{RaceHead(), ""};
  unnamed.flow.SetDescription("");
  host.portFlowEdits = {falling, unnamed};
  EXPECT_FALSE(doc.OnComponentCommand(kCustomPortFlow));
  EXPECT_FALSE(doc.OnComponentCommand(kCustomPortFlow));
  EXPECT_EQ(Codes(), (std::vector<int>{52, 61}));
  EXPECT_EQ(Snapshot(doc), before);
}

// ---- "Airflow File" ----------------------------------------------------------

TEST_F(RecordFilesTest, OpeningAFlowFileMakesItTheCustomHead) {
  const fs::path path = FlowFolder() / "race.qfw";
  ASSERT_TRUE(RaceHead().SaveToFile(path));
  BuildMetricEngine();
  e.intakeValves.SetValue(2);
  e.exhaustValves.Unassign();
  host.openPaths = {path};

  ASSERT_TRUE(doc.OnAirflowFileOpen());
  ASSERT_EQ(host.pathPrompts.size(), 1u);
  EXPECT_FALSE(host.pathPrompts[0].save);
  EXPECT_EQ(host.pathPrompts[0].extension, "qfw");
  EXPECT_EQ(host.pathPrompts[0].folder, FlowFolder());
  EXPECT_EQ(e.airflowFile.GetText(), "race.qfw");
  EXPECT_EQ(e.cylinderHeadType.GetValue(), 25);
  EXPECT_EQ(e.cylinderHeadType.GetName(), "Race Head");
  // One valve count was not valid: both become 1, whatever the file's valves per port.
  EXPECT_EQ(e.intakeValves.GetValue(), 1);
  EXPECT_EQ(e.exhaustValves.GetValue(), 1);
  EXPECT_FALSE(e.autoValveSizes);
  EXPECT_TRUE(e.flow.IsMetric());
  EXPECT_FALSE(e.flow.IsModified());
  EXPECT_EQ(Written(e.flow), WrittenMetric(RaceHead()));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(presenter.Shown().empty());

  // Valid counts are the user's and stay.
  e.intakeValves.SetValue(2);
  e.exhaustValves.SetValue(2);
  host.openPaths = {path};
  ASSERT_TRUE(doc.OnAirflowFileOpen());
  EXPECT_EQ(e.intakeValves.GetValue(), 2);
  EXPECT_EQ(e.exhaustValves.GetValue(), 2);
}

TEST_F(RecordFilesTest, FlowFileOpenCancelledOrFailedChangesNothing) {
  BuildMetricEngine();
  e.airflowFile.SetFromText("old.qfw");
  const std::string before = Snapshot(doc);
  EXPECT_FALSE(doc.OnAirflowFileOpen());  // the chooser was cancelled
  struct Case {
    const char* file;
    int code;
  };
  for (const Case& c : {Case{"flow_no_such_file.qfw", 43}, Case{"flow_version_4_3.qfw", 49},
                        Case{"flow_truncated.qfw", 45}, Case{"flow_lift_out_of_range.qfw", 47}}) {
    SCOPED_TRACE(c.file);
    presenter.Clear();
    host.openPaths = {kFixtures / c.file};
    EXPECT_FALSE(doc.OnAirflowFileOpen());
    EXPECT_EQ(Codes(), std::vector<int>{c.code});
    EXPECT_EQ(Snapshot(doc), before);
  }
}

TEST_F(RecordFilesTest, SavingAFlowFileValidatesThenNamesTheFile) {
  BuildMetricEngine();
  // A record that fails its checks is refused before the chooser opens.
  CCylHeadFlow valid = e.flow;
  e.flow.Lift(kIn, 2).Unassign();
  EXPECT_FALSE(doc.OnAirflowFileSave());
  e.flow.SetDescription("");
  EXPECT_FALSE(doc.OnAirflowFileSave());
  EXPECT_EQ(Codes(), (std::vector<int>{57, 61}));
  EXPECT_TRUE(host.pathPrompts.empty());
  e.flow = valid;
  presenter.Clear();

  // The proposed name is the description made safe for a file name; a cancel names nothing.
  EXPECT_FALSE(doc.OnAirflowFileSave());
  ASSERT_EQ(host.pathPrompts.size(), 1u);
  EXPECT_TRUE(host.pathPrompts[0].save);
  EXPECT_EQ(host.pathPrompts[0].folder, FlowFolder());
  EXPECT_EQ(host.pathPrompts[0].proposedName, "2-Valve, Wedge, Low Perf_Stock Ports & Valves");
  EXPECT_FALSE(e.airflowFile.IsAssigned());

  const fs::path path = FlowFolder() / "wedge.qfw";
  e.flow.SetModified(true);
  host.savePaths = {path};
  ASSERT_TRUE(doc.OnAirflowFileSave());
  EXPECT_EQ(e.airflowFile.GetText(), "wedge.qfw");
  EXPECT_FALSE(e.flow.IsModified());
  CCylHeadFlow read;
  ASSERT_TRUE(read.LoadFromFile(path));
  read.SetUnits(true);
  EXPECT_EQ(Written(read), Written(e.flow));

  // The next save proposes the file's name; a failed write keeps it.
  e.flow.SetModified(true);
  host.savePaths = {folder / "no-such-folder" / "other.qfw"};
  EXPECT_FALSE(doc.OnAirflowFileSave());
  EXPECT_EQ(host.pathPrompts.back().proposedName, "wedge.qfw");
  EXPECT_EQ(Codes(), std::vector<int>{43});
  EXPECT_EQ(e.airflowFile.GetText(), "wedge.qfw");
  EXPECT_TRUE(e.flow.IsModified());
}

// ---- "Cam Data File" ---------------------------------------------------------

TEST_F(RecordFilesTest, OpeningACamFileReplacesTheCamshaft) {
  CCamshaft saved;
  saved.LoadCamType(33868);  // "V-V-T Street Cam"
  const fs::path path = CamFolder() / "vvt.qcm";
  ASSERT_TRUE(saved.SaveToFile(path));
  BuildMetricEngine();
  host.openPaths = {path};

  ASSERT_TRUE(doc.OnCamFileOpen());
  EXPECT_EQ(host.pathPrompts.at(0).extension, "qcm");
  EXPECT_EQ(host.pathPrompts.at(0).folder, CamFolder());
  EXPECT_EQ(e.camDataFile.GetText(), "vvt.qcm");
  const CCamshaft& cam = e.camshaft;
  EXPECT_TRUE(cam.variableValveTiming);
  EXPECT_FLOAT_EQ(cam.activationRpm.GetValue(), 4500.0f);
  EXPECT_EQ(cam.highSpeedLobe.CamType().GetValue(), 9);
  EXPECT_TRUE(cam.lowSpeedLobe.IntakeLift().IsMetric());  // the document's units
  EXPECT_NEAR(cam.lowSpeedLobe.IntakeLift().GetValue(), 0.305f * 25.4f, 1e-3f);
  EXPECT_TRUE(cam.lowSpeedLobe.LobeCenterAngle().IsValid());  // recalculated
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST_F(RecordFilesTest, CamFileOpenCancelledOrFailedChangesNothing) {
  BuildMetricEngine();
  e.camDataFile.SetFromText("old.qcm");
  const std::string before = Snapshot(doc);
  EXPECT_FALSE(doc.OnCamFileOpen());  // the chooser was cancelled
  struct Case {
    const char* file;
    int code;
  };
  for (const Case& c : {Case{"cam-no-such-file.qcm", 43}, Case{"cam-outer-version-406.qcm", 50},
                        Case{"cam-truncated.qcm", 45}, Case{"cam-event-out-of-range.qcm", 47}}) {
    SCOPED_TRACE(c.file);
    presenter.Clear();
    host.openPaths = {kFixtures / c.file};
    EXPECT_FALSE(doc.OnCamFileOpen());
    EXPECT_EQ(Codes(), std::vector<int>{c.code});
    EXPECT_EQ(Snapshot(doc), before);
  }
}

TEST_F(RecordFilesTest, SavingACamFileValidatesThenNamesTheFile) {
  BuildMetricEngine();
  host.texts = {"Grind 2280"};
  ASSERT_TRUE(doc.OnComponentCommand(32885));  // a custom cam, nothing entered yet
  EXPECT_FALSE(doc.OnCamFileSave());
  EXPECT_EQ(Codes(), std::vector<int>{29});  // no lifter type
  EXPECT_TRUE(host.pathPrompts.empty());

  ASSERT_TRUE(doc.OnComponentCommand(33868));
  doc.UpdateDerivedValues();
  presenter.Clear();
  EXPECT_FALSE(doc.OnCamFileSave());  // cancelled
  EXPECT_EQ(host.pathPrompts.at(0).proposedName, "");
  EXPECT_EQ(host.pathPrompts.at(0).folder, CamFolder());
  const fs::path path = CamFolder() / "street.qcm";
  host.savePaths = {path};
  ASSERT_TRUE(doc.OnCamFileSave());
  EXPECT_EQ(e.camDataFile.GetText(), "street.qcm");
  CCamshaft read;
  ASSERT_TRUE(read.LoadFromFile(path));
  read.SetUnits(true);
  EXPECT_EQ(Written(read), Written(e.camshaft));
  EXPECT_FALSE(doc.OnCamFileSave());  // cancelled again: the file's name was proposed
  EXPECT_EQ(host.pathPrompts.back().proposedName, "street.qcm");
  EXPECT_TRUE(presenter.Shown().empty());
}

struct IteratorWithResults final : BaselineIterator {
  bool HoldsResults() const override { return true; }
};

// Opening a file changes the engine: the Pro Iterator's baseline asks first,
// and a Cancel there opens no chooser.
TEST_F(RecordFilesTest, OpeningAFileOnTheIteratorBaselineAsksFirst) {
  BuildMetricEngine();
  doc.Iterator(0) = std::make_unique<IteratorWithResults>();
  doc.SetBaselineChanged(false);
  const std::string before = Snapshot(doc);
  presenter.Answer(MessageButton::Cancel);
  presenter.Answer(MessageButton::Cancel);
  host.openPaths = {kFixtures / "cam-stock-street.qcm"};
  EXPECT_FALSE(doc.OnAirflowFileOpen());
  EXPECT_FALSE(doc.OnCamFileOpen());
  EXPECT_EQ(Codes(), (std::vector<int>{205, 205}));
  EXPECT_TRUE(host.pathPrompts.empty());
  EXPECT_EQ(Snapshot(doc), before);
  EXPECT_TRUE(doc.OnCamFileOpen());  // OK this time
  EXPECT_TRUE(doc.GetBaselineChanged());
  EXPECT_EQ(e.camDataFile.GetText(), "cam-stock-street.qcm");
}

TEST_F(RecordFilesTest, FileCommandsNeedAHost) {
  CVexoDoc alone;
  EXPECT_FALSE(alone.IsCommandEnabled(command::kAirflowFileOpen));
  EXPECT_FALSE(alone.OnAirflowFileOpen());
  EXPECT_FALSE(alone.OnCamFileSave());
  EXPECT_TRUE(doc.IsCommandEnabled(command::kCamFileSave));
}

}  // namespace
}  // namespace brisca
