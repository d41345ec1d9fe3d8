#include "core/valvetrain/calculators/CamMathCalculator.h"

namespace brisca {

void CamCardToEvents(CCamProfile& lobe) {
  int code = 0;
  if (lobe.CheckCard(code)) {
    lobe.EventsFromCard();
    return;
  }
  for (int e = 0; e < kCamEventCount; ++e)
    lobe.Event(TimingSet::Primary, static_cast<CamEvent>(e)).ResetValue();
}

bool CheckCamMathApply(const CCamProfile& lobe, int& code) {
  if (!lobe.CheckCard(code)) return false;
  if (!lobe.IntakeLift().IsValid()) {
    code = kErrCamIntakeLift;
    return false;
  }
  if (!lobe.ExhaustLift().IsValid()) {
    code = kErrCamExhaustLift;
    return false;
  }
  constexpr int kEventCodes[kCamEventCount] = {kErrCamIVO, kErrCamIVC, kErrCamEVO, kErrCamEVC};
  for (int e = 0; e < kCamEventCount; ++e) {
    if (!lobe.Event(TimingSet::Primary, static_cast<CamEvent>(e)).IsValid()) {
      code = kEventCodes[e];
      return false;
    }
  }
  code = 0;
  return true;
}

}  // namespace brisca
