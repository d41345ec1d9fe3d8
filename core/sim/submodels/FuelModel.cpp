#include "core/sim/submodels/FuelModel.h"

namespace brisca::FuelModel {

float HeatingValue(int fuelType) {
  if (fuelType >= 1 && fuelType <= 9) return 19000.0f;
  if (fuelType >= 10 && fuelType <= 18) return 19800.0f;
  if (fuelType == 19) return 19100.0f;
  if (fuelType == 20) return 18600.0f;
  if (fuelType == 21) return 18839.0f;
  return 0.0f;
}

float MixtureRatio(float r) {
  if (r >= 1.0f && r < 2.0f) return static_cast<float>(12.8 - 0.3 * (r - 1.0));
  if (r >= 2.0f && r < 3.0f) return static_cast<float>(12.5 - 0.3 * (r - 2.0));
  if (r >= 3.0f && r < 4.0f) return static_cast<float>(12.2 - 0.3 * (r - 3.0));
  if (r >= 4.0f && r < 5.0f) return static_cast<float>(11.9 - 0.4 * (r - 4.0));
  return static_cast<float>(11.5 - 0.3 * (r - 5.0));
}

float ChargeTemperature(float tic, int fuelType, float rpm) {
  if (fuelType < 10 && rpm < 5500.0f) return static_cast<float>(tic + 70.0 - 0.01272 * rpm);
  if (fuelType == 20 || fuelType == 21) {
    return rpm <= 5500.0f ? static_cast<float>(tic + 90.0 - 0.01272 * rpm) : tic + 20.0f;
  }
  return tic;
}

}  // namespace brisca::FuelModel
