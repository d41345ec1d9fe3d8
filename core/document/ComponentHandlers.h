#pragma once
// The component-command handlers of the engine document, one per catalogue
// category. Each confirms the change of its target parameter, then stores the
// row's values; it returns false when the user cancelled (nothing changed).
// Closing the edit dialog and the recalculation that follows are the caller's
// (CVexoDoc::OnComponentCommand).

#include <string>

#include "core/document/PartCat.h"

namespace brisca {

class CVexoDoc;
class CFileSpec;
class CFloatPtSpec;
struct EngineParameters;

namespace component {

//! Short blocks, rod ratio, heads, valves, compression, induction, manifold,
//! fuel, exhaust and cylinder count.
bool OnShortBlock(CVexoDoc& doc, const CatalogueRow& row);
bool OnRodRatio(CVexoDoc& doc, const CatalogueRow& row);
bool OnCylinderHead(CVexoDoc& doc, int command);
bool OnValveCount(CVexoDoc& doc, int command);
bool OnValveDiameter(CVexoDoc& doc, const CatalogueRow& row, bool intake);
bool OnCompressionRatio(CVexoDoc& doc, const CatalogueRow& row);
bool OnInductionAirflow(CVexoDoc& doc, const CatalogueRow& row);
bool OnInductionPressureDrop(CVexoDoc& doc, int command);
bool OnNitrous(CVexoDoc& doc, const CatalogueRow& row);
bool OnManifold(CVexoDoc& doc, const CatalogueRow& row);
bool OnFuel(CVexoDoc& doc, const CatalogueRow& row);
bool OnExhaustSystem(CVexoDoc& doc, const CatalogueRow& row);
bool OnNumberOfCylinders(CVexoDoc& doc, const CatalogueRow& row);

//! Forced induction and its settings.
bool OnForcedInduction(CVexoDoc& doc, const CatalogueRow& row);
bool OnIntercoolerEfficiency(CVexoDoc& doc, const CatalogueRow& row);
//! Intercooler pressure drop, turbine A/R, boost limit, belt and internal gear ratio.
bool OnPlainValue(CVexoDoc& doc, CFloatPtSpec& target, const CatalogueRow& row);
bool OnTurbineSize(CVexoDoc& doc, const CatalogueRow& row);
bool OnNumberOfTurbos(CVexoDoc& doc, const CatalogueRow& row);

//! Camshaft.
bool OnCamType(CVexoDoc& doc, int command);
bool OnTimingMethod(CVexoDoc& doc, const CatalogueRow& row);
bool OnLifterType(CVexoDoc& doc, const CatalogueRow& row);
bool OnValveLift(CVexoDoc& doc, const CatalogueRow& row, bool intake);
bool OnRampRate(CVexoDoc& doc, const CatalogueRow& row);
bool OnCamAdvance(CVexoDoc& doc, const CatalogueRow& row);
bool OnActivationRpm(CVexoDoc& doc, const CatalogueRow& row);

//! "Cylinder Head Type" item 25, named with the port-flow record's description
//! or, when that is empty or the description of a built-in head, "Custom Airflow".
void NameCustomHead(EngineParameters& e);
//! Stores `name` (a file name without folder) in `spec`; a name the spec
//! cannot hold (empty, or with a line break) leaves it unassigned.
void AssignFileName(CFileSpec& spec, const std::string& name);
//! The name a file spec holds; empty when it is not valid.
std::string FileName(const CFileSpec& spec);

//! The engine has `command`'s item now: its chosen part, or the value it holds
//! (shown as the item would leave it). False for commands of no component menu.
bool IsCurrentComponent(const CVexoDoc& doc, int command);

//! The spec the open edit dialog edits, when it is one of the document's valve
//! lifts (of the given side), ramp rates or advance values; else nullptr.
CFloatPtSpec* EditedLift(const CVexoDoc& doc, bool intake);
CFloatPtSpec* EditedRampRate(const CVexoDoc& doc);
CFloatPtSpec* EditedAdvance(const CVexoDoc& doc);

}  // namespace component
}  // namespace brisca
