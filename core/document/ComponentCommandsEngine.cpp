// Component commands of the short block, cylinder head, valves, induction,
// fuel and exhaust.

#include <optional>

#include "core/document/ComponentHandlers.h"
#include "core/document/DocumentHost.h"
#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"
#include "core/valvetrain/BuiltInHeads.h"

namespace brisca::component {
namespace {

constexpr int kFirstStackManifold = 15;  // items 15..19 run without a plenum
constexpr int kThreeValveNotice = 103;
constexpr int kFourValveNotice = 104;
constexpr int kStackManifoldNotice = 105;
constexpr const char* kCustomAirflowName = "Custom Airflow";

struct ValveCountCommand {
  int command;
  bool intake;
  int valves;
};
constexpr ValveCountCommand kValveCountCommands[] = {
    {32914, true, 1}, {32915, true, 2}, {32916, false, 1}, {32917, false, 2}};

struct PressureDropCommand {
  int command;
  float pressureDrop;  // [inHg]
};
constexpr PressureDropCommand kPressureDropCommands[] = {{33440, 1.5f}, {33441, 3.0f}};

// Three or four valves per cylinder change how the head breathes: say so.
void NoticeValveCount(const EngineParameters& e) {
  if (!e.intakeValves.IsValid() || !e.exhaustValves.IsValid()) return;
  const int valves = e.intakeValves.GetValue() + e.exhaustValves.GetValue();
  if (valves == 3) ReportNoticeCode(kThreeValveNotice);
  if (valves == 4) ReportNoticeCode(kFourValveNotice);
}

void TakeValvesPerPort(EngineParameters& e) {
  e.intakeValves.SetValue(e.flow.IntakeValvesPerPort());
  e.exhaustValves.SetValue(e.flow.ExhaustValvesPerPort());
}

// "Custom Port Flow...": the editor works on copies; on OK the document takes
// the edited record, and keeps the editor's file name only for data that still
// match that file.
bool OnCustomPortFlow(CVexoDoc& doc) {
  EngineParameters& e = doc.Engine();
  DocumentHost* host = doc.Host();
  if (!host) return false;
  std::optional<PortFlowEdit> edit = host->EditPortFlow(e.flow, FileName(e.airflowFile));
  if (!edit) return false;
  int code = 0;
  if (!edit->flow.Validate(code)) {
    ReportErrorCode(code);
    return false;
  }
  const bool matchesFile = !edit->airflowFile.empty() && !edit->flow.IsModified();
  e.flow = edit->flow;
  e.flow.SetModified(false);
  e.flow.SetUnits(e.metricUnits);
  if (matchesFile) {
    AssignFileName(e.airflowFile, edit->airflowFile);
  } else {
    e.airflowFile.Unassign();
  }
  NameCustomHead(e);
  TakeValvesPerPort(e);
  e.autoValveSizes = false;
  NoticeValveCount(e);
  // The caller marks the change; it is the editor's, not the head type's.
  doc.NameChange("Port Flow", true);
  return true;
}

}  // namespace

void NameCustomHead(EngineParameters& e) {
  // A flow file may carry no description; the head is then named as a copy of a built-in one.
  const std::string& name = e.flow.GetDescription();
  const bool plain = name.empty() || IsBuiltInDescription(name);
  const bool named =
      e.cylinderHeadType.SetSelection(kCustomHeadKey, plain ? kCustomAirflowName : name);
  BRISCA_ASSERT(named);
}

void AssignFileName(CFileSpec& spec, const std::string& name) {
  if (!spec.SetFromText(name)) spec.Unassign();
}

std::string FileName(const CFileSpec& spec) {
  return spec.IsValid() ? spec.GetName() : std::string();
}

bool OnShortBlock(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  if (!doc.ConfirmSpecChange(e.bore)) return false;
  e.shortBlockType.SetSelection(row.item, row.name);
  e.bore.SetValueInSystem(row.Cell(kSbBoreCell), row.unitsFlag == 0);
  e.stroke.SetValueInSystem(row.Cell(kSbStrokeCell), row.unitsFlag == 0);
  e.cylinders.SetValue(static_cast<int>(row.Cell(kSbCylindersCell)));
  e.rodRatio.SetValue(row.Cell(kSbRodRatioCell));
  return true;
}

bool OnRodRatio(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  BRISCA_ASSERT(e.rodRatio.GetUnitCode() == UnitRatio3);
  if (!doc.ConfirmSpecChange(e.rodRatio)) return false;
  e.rodRatio.SetValue(row.Cell(3));
  return true;
}

bool OnCylinderHead(CVexoDoc& doc, int command) {
  EngineParameters& e = doc.Engine();
  if (!doc.ConfirmSpecChange(e.cylinderHeadType)) return false;
  const int key = command - kHeadCommandBase;
  if (key == kCustomHeadKey) return OnCustomPortFlow(doc);
  e.airflowFile.Unassign();
  e.flow.LoadBuiltIn(key);
  e.cylinderHeadType.SetSelection(key, e.flow.GetDescription());
  TakeValvesPerPort(e);
  NoticeValveCount(e);
  return true;
}

bool OnValveCount(CVexoDoc& doc, int command) {
  EngineParameters& e = doc.Engine();
  for (const ValveCountCommand& c : kValveCountCommands) {
    if (c.command != command) continue;
    (c.intake ? e.intakeValves : e.exhaustValves).SetValue(c.valves);
    NoticeValveCount(e);
    return true;
  }
  FatalAssert(__FILE__, __LINE__);
}

bool OnValveDiameter(CVexoDoc& doc, const CatalogueRow& row, bool intake) {
  EngineParameters& e = doc.Engine();
  CFloatPtSpec& target = intake ? e.intakeValveDiameter : e.exhaustValveDiameter;
  if (!doc.ConfirmSpecChange(target)) return false;
  target.SetValueInSystem(row.Cell(3), row.unitsFlag == 0);
  e.autoValveSizes = false;
  return true;
}

bool OnCompressionRatio(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  BRISCA_ASSERT(e.compressionRatio.GetUnitCode() == UnitRatio);
  if (!doc.ConfirmSpecChange(e.compressionRatio)) return false;
  e.compressionRatio.SetValue(row.Cell(3));
  return true;
}

bool OnInductionAirflow(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  if (!doc.ConfirmSpecChange(e.inductionFlow)) return false;
  e.inductionFlow.SetValueInSystem(row.Cell(3), row.unitsFlag == 0);
  e.pressureDrop.SetValueInSystem(row.Cell(4), row.unitsFlag == 0);
  return true;
}

bool OnInductionPressureDrop(CVexoDoc& doc, int command) {
  EngineParameters& e = doc.Engine();
  for (const PressureDropCommand& c : kPressureDropCommands) {
    if (c.command != command) continue;
    if (!doc.ConfirmSpecChange(e.pressureDrop)) return false;
    e.pressureDrop.SetValueInSystem(c.pressureDrop, true);
    return true;
  }
  FatalAssert(__FILE__, __LINE__);
}

bool OnNitrous(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  if (!doc.ConfirmSpecChange(e.nitrousFlowRate)) return false;
  e.nitrousFlowRate.SetValue(row.Cell(3));
  return true;
}

bool OnManifold(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  if (!doc.ConfirmSpecChange(e.manifoldType)) return false;
  e.manifoldType.SetSelection(row.item, row.name);
  if (row.item >= kFirstStackManifold) ReportNoticeCode(kStackManifoldNotice);
  return true;
}

bool OnFuel(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  if (!doc.ConfirmSpecChange(e.fuelType)) return false;
  e.fuelType.SetSelection(row.item, row.name);
  e.nitrousFlowRate.SetValueInSystem(row.Cell(3), row.unitsFlag == 0);
  return true;
}

bool OnExhaustSystem(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  if (!doc.ConfirmSpecChange(e.exhaustSystem)) return false;
  e.exhaustSystem.SetSelection(row.item, row.name);
  return true;
}

bool OnNumberOfCylinders(CVexoDoc& doc, const CatalogueRow& row) {
  EngineParameters& e = doc.Engine();
  if (!doc.ConfirmSpecChange(e.cylinders)) return false;
  e.cylinders.SetValue(static_cast<int>(row.Cell(3)));
  return true;
}

}  // namespace brisca::component
