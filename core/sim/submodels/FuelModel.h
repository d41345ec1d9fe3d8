#pragma once
// Fuel values and the charge temperature by "Fuel Type" (catalogue value 1..21:
// 1-9 gasoline with or without nitrous, 10-18 methanol with or without nitrous,
// 19 ethanol, 20 propane, 21 natural gas).

namespace brisca::FuelModel {

//! Heating value of the charge [BTU per lbm of fuel-equivalent charge].
float HeatingValue(int fuelType);

//! Mixture ratio from the lifter ramp rate R (richer with faster ramps).
float MixtureRatio(float rampRate);

//! Charge temperature [°R] from the intercooler outlet temperature, fuel and speed:
//! gasoline picks up heat below 5500 rpm, the gaseous fuels up to 5500 rpm and a
//! little above; alcohols arrive at the intercooler temperature.
float ChargeTemperature(float intercoolerOutletTemperature, int fuelType, float rpm);

}  // namespace brisca::FuelModel
