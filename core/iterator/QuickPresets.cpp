#include "core/iterator/QuickPresets.h"

#include <algorithm>

#include "core/document/VexoDoc.h"
#include "core/sim/SimResults.h"

namespace brisca {
namespace {

constexpr float kQuickHalfRange = 500.0f;  //!< [rpm] either side of the peak

void SetCamPhase(Iterator& it, const CVexoDoc& engine, int phase) {
  const bool vvt = engine.Engine().camshaft.variableValveTiming;
  const int first = vvt ? kSlotHighIvo : kSlotLowIvo;
  for (int k = 0; k < kCamEventCount; ++k) {
    it.SetVariable(first + k, Iterator::ValueOf(first + k, engine), kQuickCamSteps[phase].tolerance,
                   kQuickCamSteps[phase].step);
  }
  if (vvt) {
    it.SetVariable(kSlotActivationRpm, Iterator::ValueOf(kSlotActivationRpm, engine), 0.0f,
                   kActivationRpmStep);
  }
  it.EnableGroup(SlotGroup::LowSpeedCam, !vvt);
  it.EnableGroup(SlotGroup::HighSpeedCam, vvt);
  it.EnableGroup(SlotGroup::BoreStroke, false);
}

void SetBoreStrokePhase(Iterator& it, const CVexoDoc& engine, int phase) {
  const QuickBoreSteps& s =
      engine.IsMetric() ? kQuickBoreStepsMetric[phase] : kQuickBoreStepsDomestic[phase];
  it.SetVariable(kSlotBore, Iterator::ValueOf(kSlotBore, engine), s.tolerance, s.step);
  it.SetVariable(kSlotStroke, Iterator::ValueOf(kSlotStroke, engine), 0.0f, s.step);
  it.SetConstantDisplacement(false, true);
  it.EnableGroup(SlotGroup::LowSpeedCam, false);
  it.EnableGroup(SlotGroup::HighSpeedCam, false);
  it.EnableGroup(SlotGroup::BoreStroke, true);
}

}  // namespace

int QuickCriterion(QuickPreset preset) {
  return preset == QuickPreset::CamPower || preset == QuickPreset::BoreStrokePower ? kPeakPower
                                                                                  : kPeakTorque;
}

bool IsCamPreset(QuickPreset preset) {
  return preset == QuickPreset::CamPower || preset == QuickPreset::CamTorque;
}

void QuickSpeedRange(const CVexoDoc& baseline, int criterion, float& low, float& high) {
  const float peak = baseline.SpeedOfPeak(criterion == kPeakPower ? 2 : 3);
  low = std::max(peak - kQuickHalfRange, kSweepMinRpm);
  high = std::min(peak + kQuickHalfRange, kSweepMaxRpm);
}

bool ApplyQuickPreset(const CVexoDoc& baseline, QuickPreset preset, Iterator& phase1,
                      Iterator& phase2, int& code) {
  if (baseline.Results().IsEmpty()) {
    code = kErrNoBaseline;
    return false;
  }
  const int criterion = QuickCriterion(preset);
  float low = 0.0f, high = 0.0f;
  QuickSpeedRange(baseline, criterion, low, high);
  Iterator* phases[2] = {&phase1, &phase2};
  for (int phase = 0; phase < 2; ++phase) {
    Iterator& it = *phases[phase];
    it.Clear();
    if (!it.SetUp(baseline, code)) return false;
    it.EnableGroup(SlotGroup::Manifold, false);
    if (IsCamPreset(preset)) {
      SetCamPhase(it, baseline, phase);
    } else {
      SetBoreStrokePhase(it, baseline, phase);
    }
    it.SetCriterion(criterion);
    it.SetSpeedRange(low, high);
  }
  for (Iterator* it : phases) {
    if (!it->Validate(code)) return false;
    it->Prepare();
  }
  return true;
}

bool BeginPhase2(const Iterator& phase1, Iterator& phase2, int& code) {
  const CVexoDoc* best = phase1.BestEngine();
  if (!best) {
    code = kErrNoBaseline;
    return false;
  }
  if (!phase2.SetUp(*best, code)) return false;
  for (SlotGroup group : {SlotGroup::LowSpeedCam, SlotGroup::HighSpeedCam, SlotGroup::BoreStroke}) {
    if (phase2.IsGroupEnabled(group)) phase2.RecentreGroup(group, *best);
  }
  if (phase2.BoreDerived() || phase2.StrokeDerived()) {
    phase2.SetConstantDisplacement(phase2.BoreDerived(), phase2.StrokeDerived());
  }
  if (!phase2.Validate(code)) return false;
  phase2.Prepare();
  return true;
}

}  // namespace brisca
