// The engine document's component commands: dispatch by catalogue category,
// the automatic-value toggles at the head of some menus, and the check marks
// and enabling the menus ask for.

#include "core/document/ComponentHandlers.h"
#include "core/document/CommandIds.h"
#include "core/document/DocumentHost.h"
#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"
#include "core/valvetrain/BuiltInHeads.h"

namespace brisca {
namespace {

using C = CatalogueCategory;

constexpr int kAutoValveSizesCommand = command::kAutoValveSizes;
constexpr int kAutoValveLiftCommand = command::kAutoValveLift;
constexpr int kAutoRunCommand = command::kAutoRun;
constexpr int kAutoRampRateCommand = command::kAutoRampRate;
constexpr int kAutoActivationRpmCommand = command::kAutoActivationRpm;
constexpr int kFirstValveCountCommand = command::kFirstValveCount;
constexpr int kLastValveCountCommand = command::kLastValveCount;
constexpr int kFirstPressureDropCommand = command::kFirstPressureDrop;
constexpr int kLastPressureDropCommand = command::kLastPressureDrop;

bool Dispatch(CVexoDoc& doc, const CatalogueCategoryInfo& info, int command) {
  using namespace component;
  EngineParameters& e = doc.Engine();
  const CatalogueRow& row = ComponentCatalogue::Instance().Row(command);
  switch (info.category) {
    case C::ShortBlocks: return OnShortBlock(doc, row);
    case C::RodRatio: return OnRodRatio(doc, row);
    case C::CylinderHeads: return OnCylinderHead(doc, command);
    case C::IntakeValveDiameter: return OnValveDiameter(doc, row, true);
    case C::ExhaustValveDiameter: return OnValveDiameter(doc, row, false);
    case C::IntakeValveLift: return OnValveLift(doc, row, true);
    case C::ExhaustValveLift: return OnValveLift(doc, row, false);
    case C::CompressionRatio: return OnCompressionRatio(doc, row);
    case C::InductionAirflow: return OnInductionAirflow(doc, row);
    case C::Nitrous: return OnNitrous(doc, row);
    case C::Manifolds: return OnManifold(doc, row);
    case C::ForcedInduction: return OnForcedInduction(doc, row);
    case C::IntercoolerEfficiency: return OnIntercoolerEfficiency(doc, row);
    case C::IntercoolerPressureDrop: return OnPlainValue(doc, e.intercoolerPressureDrop, row);
    case C::TurbineSize: return OnTurbineSize(doc, row);
    case C::TurbineAR: return OnPlainValue(doc, e.turbineAR, row);
    case C::NumberOfTurbos: return OnNumberOfTurbos(doc, row);
    case C::BoostLimit: return OnPlainValue(doc, e.boostLimit, row);
    case C::BeltGearRatio: return OnPlainValue(doc, e.beltGearRatio, row);
    case C::InternalGearRatio: return OnPlainValue(doc, e.internalGearRatio, row);
    case C::NumberOfCylinders: return OnNumberOfCylinders(doc, row);
    case C::Fuels: return OnFuel(doc, row);
    case C::ExhaustSystems: return OnExhaustSystem(doc, row);
    case C::CamTypes:
    case C::TwoLobeCamTypes: return OnCamType(doc, command);
    case C::CamTimingMethod: return OnTimingMethod(doc, row);
    case C::LifterTypes: return OnLifterType(doc, row);
    case C::LifterRampRate: return OnRampRate(doc, row);
    case C::CamAdvance: return OnCamAdvance(doc, row);
    case C::ActivationRpm: return OnActivationRpm(doc, row);
  }
  FatalAssert(__FILE__, __LINE__);
}

// The high-speed rows of the two-lobe cams are catalogue keys only.
bool IsMenuCommand(const CatalogueCategoryInfo& info, int command) {
  return info.category != C::TwoLobeCamTypes || (command - info.firstCommand) % 2 == 0;
}

CCamProfile* EditedRampRateLobe(CVexoDoc& doc) {
  const CFloatPtSpec* spec = component::EditedRampRate(doc);
  CCamshaft& cam = doc.Engine().camshaft;
  if (spec == &cam.lowSpeedLobe.RampRate()) return &cam.lowSpeedLobe;
  if (spec == &cam.highSpeedLobe.RampRate()) return &cam.highSpeedLobe;
  return nullptr;
}

bool IsToggle(int command) {
  return command == kAutoValveSizesCommand || command == kAutoValveLiftCommand ||
         command == kAutoRampRateCommand || command == kAutoActivationRpmCommand;
}

const char* ToggleName(int command) {
  switch (command) {
    case kAutoValveSizesCommand: return "Auto Calculate Valve Sizes";
    case kAutoValveLiftCommand: return "Auto Calculate Valve Lift";
    case kAutoActivationRpmCommand: return "Auto Calculate Activation RPM";
    default: return "Auto Calculate Ramp Rate";
  }
}

void Toggle(CVexoDoc& doc, int command) {
  EngineParameters& e = doc.Engine();
  CCamshaft& cam = e.camshaft;
  doc.NameChange(ToggleName(command));
  switch (command) {
    case kAutoValveSizesCommand: e.autoValveSizes = !e.autoValveSizes; return;
    case kAutoValveLiftCommand: cam.SetAutoValveLift(!cam.lowSpeedLobe.AutoValveLiftOn()); return;
    case kAutoActivationRpmCommand: cam.SetAutoActivationRpm(!cam.autoActivationRpm); return;
    case kAutoRampRateCommand: {
      CCamProfile* lobe = EditedRampRateLobe(doc);
      BRISCA_ASSERT(lobe != nullptr);
      lobe->SetAutoRampRate(!lobe->AutoRampRateOn());
      if (!lobe->AutoRampRateOn() || lobe->CanComputeRampRate()) return;
      // The missing cam specs are entered in the cam manager; Cancel keeps the
      // rate the lobe had.
      if (ReportNoticeCode(kNoticeNoRampRate, true) == MessageButton::Cancel) {
        lobe->SetAutoRampRate(false);
        return;
      }
      if (doc.Host() && doc.Host()->RunCamManager(doc)) doc.SetModified(true);
      return;
    }
    default: FatalAssert(__FILE__, __LINE__);
  }
}

}  // namespace

bool CVexoDoc::OnComponentCommand(int command) {
  const CatalogueCategoryInfo* info = ComponentCatalogue::HandlingCategory(command);
  bool applied = false;
  bool headCommand = false;
  if (info) {
    if (!IsMenuCommand(*info, command)) return false;
    applied = Dispatch(*this, *info, command);
    headCommand = info->category == C::CylinderHeads;
    if (applied) SetUnits(engine_.metricUnits);
  } else if (command >= kFirstValveCountCommand && command <= kLastValveCountCommand) {
    applied = component::OnValveCount(*this, command);
  } else if (command >= kFirstPressureDropCommand && command <= kLastPressureDropCommand) {
    applied = component::OnInductionPressureDrop(*this, command);
    if (applied) SetUnits(engine_.metricUnits);
  } else if (IsToggle(command)) {
    Toggle(*this, command);
    applied = true;
  } else {
    return false;
  }
  // The engine form finishes a command chosen from an edit dialog's menu: it
  // marks the document modified, recalculates and redraws. Head commands also
  // come from the form's own menu, where no dialog will do that.
  if (host_ && host_->EditedSpec()) {
    host_->CloseEditDialog();
  } else if (headCommand && applied) {
    UpdateDerivedValues();
    RedrawViews();
  }
  return applied;
}

bool CVexoDoc::IsCommandChecked(int command) const {
  const CCamshaft& cam = engine_.camshaft;
  switch (command) {
    case kAutoValveSizesCommand: return engine_.autoValveSizes;
    case kAutoValveLiftCommand: return cam.lowSpeedLobe.AutoValveLiftOn();
    case kAutoRunCommand: return engine_.autoRun;
    case kAutoActivationRpmCommand: return cam.autoActivationRpm;
    case kAutoRampRateCommand: {
      const CFloatPtSpec* spec = component::EditedRampRate(*this);
      if (spec == &cam.lowSpeedLobe.RampRate()) return cam.lowSpeedLobe.AutoRampRateOn();
      if (spec == &cam.highSpeedLobe.RampRate()) return cam.highSpeedLobe.AutoRampRateOn();
      return false;
    }
    default: return component::IsCurrentComponent(*this, command);
  }
}

bool CVexoDoc::IsCommandEnabled(int command) const {
  // The file commands need the host's file chooser.
  for (int fileCommand : {command::kAirflowFileOpen, command::kAirflowFileSave,
                          command::kCamFileOpen, command::kCamFileSave})
    if (command == fileCommand) return host_ != nullptr;
  if (command == kAutoValveSizesCommand)
    return engine_.cylinderHeadType.IsValid() && engine_.cylinderHeadType.GetValue() != kCustomHeadKey;
  if (command == kAutoRampRateCommand) return component::EditedRampRate(*this) != nullptr;
  if (IsToggle(command) || command == kAutoRunCommand) return true;
  if (command >= kFirstValveCountCommand && command <= kLastValveCountCommand) return true;
  if (command >= kFirstPressureDropCommand && command <= kLastPressureDropCommand) return true;
  const CatalogueCategoryInfo* info = ComponentCatalogue::HandlingCategory(command);
  if (!info || !IsMenuCommand(*info, command)) return false;
  // These act on the value an edit dialog shows; without one they have no target.
  switch (info->category) {
    case C::IntakeValveLift: return component::EditedLift(*this, true) != nullptr;
    case C::ExhaustValveLift: return component::EditedLift(*this, false) != nullptr;
    case C::LifterRampRate: return component::EditedRampRate(*this) != nullptr;
    case C::CamAdvance: return component::EditedAdvance(*this) != nullptr;
    default: return true;
  }
}

}  // namespace brisca
