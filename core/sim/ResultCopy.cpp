#include "core/sim/ResultCopy.h"

namespace brisca {

int CopyResultArray(const SimResults& results, const ResultArray& source, ResultArray& destination,
                    float minRpm, float maxRpm, float scale, float offset) {
  int count = 0;
  for (int k = 0; k < kResultPoints; ++k) {
    const float rpm = results.RPM[k];
    if (rpm >= minRpm && rpm <= maxRpm) {
      destination[count++] = source[k] * scale + offset;
    }
  }
  return count;
}

int FillResultSet(const SimResults& r, ResultSet& set, float minRpm, float maxRpm) {
  auto copy = [&](const ResultArray& from, ResultArray& to, float scale = 1.0f, float offset = 0.0f) {
    return CopyResultArray(r, from, to, minRpm, maxRpm, scale, offset);
  };
  set.count = copy(r.RPM, set.rpm);
  copy(r.HP, set.power);
  copy(r.HP, set.wheelPower, kWheelFactor);
  copy(r.TORQ, set.torque);
  copy(r.TORQ, set.wheelTorque, kWheelFactor);
  copy(r.IMPRES, set.manifoldPressure);
  copy(r.IMPRES, set.boost, 1.0f, -kAtmosphere);
  copy(r.VEFF, set.volumetricEfficiency);
  copy(r.IHP, set.indicatedPower);
  copy(r.FHP, set.frictionPower);
  copy(r.PHP, set.pumpingPower);
  copy(r.MEFF, set.mechanicalEfficiency);
  copy(r.INDFLOW, set.inductionAirflow);
  copy(r.PFORCE, set.pistonForce);
  copy(r.PSPEED, set.pistonSpeed);
  copy(r.BMEP, set.bmep);
  copy(r.IMEP, set.imep);
  copy(r.FMEP, set.fmep);
  copy(r.PMEP, set.pmep);
  set.surge = r.surge;
  set.choke = r.choke;
  set.overspeed = r.overspeed;
  return set.count;
}

}  // namespace brisca
