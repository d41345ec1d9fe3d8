#include "core/iterator/ProPresets.h"

#include "core/document/VexoDoc.h"
#include "core/iterator/QuickPresets.h"
#include "core/sim/SimResults.h"

namespace brisca {

bool ProDefaults(const CVexoDoc& baseline, Iterator& phase1, Iterator& phase2, int& code) {
  for (Iterator* it : {&phase1, &phase2}) {
    it->Clear();
    if (!it->SetUp(baseline, code)) return false;
    for (SlotGroup g : {SlotGroup::Manifold, SlotGroup::LowSpeedCam, SlotGroup::HighSpeedCam,
                        SlotGroup::BoreStroke}) {
      it->EnableGroup(g, false);
    }
    it->SetListVariable(kSlotManifold, 19);
    it->SetCriterion(kPeakPower);
    it->SetSpeedRange(kSweepMinRpm, kSweepMaxRpm);
  }
  return true;
}

void ProCamTimingPreset(const CVexoDoc& engine, Iterator& phase1, Iterator& phase2) {
  const bool vvt = engine.Engine().camshaft.variableValveTiming;
  const int first = vvt ? kSlotHighIvo : kSlotLowIvo;
  Iterator* phases[2] = {&phase1, &phase2};
  for (int phase = 0; phase < 2; ++phase) {
    Iterator& it = *phases[phase];
    for (int k = 0; k < kCamEventCount; ++k) {
      it.SetVariable(first + k, Iterator::ValueOf(first + k, engine), kProCamTolerance[phase],
                     kProCamStep[phase]);
    }
    if (vvt) {
      it.SetVariable(kSlotActivationRpm, Iterator::ValueOf(kSlotActivationRpm, engine), 0.0f,
                     kActivationRpmStep);
      it.EnableGroup(SlotGroup::LowSpeedCam, false);
    }
    it.EnableGroup(vvt ? SlotGroup::HighSpeedCam : SlotGroup::LowSpeedCam, true);
  }
}

void ProInductionPreset(const CVexoDoc& engine, const std::vector<CPartTypeSpec>& manifolds,
                        Iterator& phase1) {
  const int own = engine.Engine().manifoldType.GetValue();
  phase1.SetListVariable(kSlotManifold, static_cast<int>(manifolds.size()));
  for (const CPartTypeSpec& m : manifolds) {
    if (m.GetValue() != own) phase1.AddListEntry(kSlotManifold, m);
  }
  phase1.EnableGroup(SlotGroup::Manifold, true);
}

void ProBoreStrokePreset(const CVexoDoc& engine, Iterator& phase1, Iterator& phase2) {
  Iterator* phases[2] = {&phase1, &phase2};
  for (int phase = 0; phase < 2; ++phase) {
    const QuickBoreSteps& s =
        engine.IsMetric() ? kQuickBoreStepsMetric[phase] : kQuickBoreStepsDomestic[phase];
    Iterator& it = *phases[phase];
    it.SetConstantDisplacement(false, false);
    for (int slot : {kSlotBore, kSlotStroke}) {
      it.SetVariable(slot, Iterator::ValueOf(slot, engine), s.tolerance, s.step);
    }
    it.EnableGroup(SlotGroup::BoreStroke, true);
  }
}

void ProCriterionPreset(int criterion, Iterator& phase1, Iterator& phase2) {
  phase1.SetCriterion(criterion);
  phase2.SetCriterion(criterion);
}

void SetGroupMode(SlotGroup group, GroupMode mode, Iterator& phase1, Iterator& phase2) {
  phase1.EnableGroup(group, mode != GroupMode::Exclude);
  phase2.EnableGroup(group, mode == GroupMode::Dual && group != SlotGroup::Manifold);
}

bool IsDualPhase(const Iterator& phase2) {
  for (SlotGroup g : {SlotGroup::LowSpeedCam, SlotGroup::HighSpeedCam, SlotGroup::BoreStroke}) {
    if (phase2.IsGroupEnabled(g)) return true;
  }
  return false;
}

}  // namespace brisca
