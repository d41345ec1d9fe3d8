#include "core/document/RunWithoutNitrous.h"

#include <array>

#include "core/document/VexoDoc.h"

namespace brisca {
namespace {

constexpr int kFirstMethanolNitrousFuel = 12;
constexpr int kLastMethanolNitrousFuel = 17;
constexpr FuelChoice kMethanol{10, "Methanol"};
constexpr FuelChoice kGasoline{1, "Gasoline"};

}  // namespace

FuelChoice FuelWithoutNitrous(int fuelItem) {
  const bool methanol = fuelItem >= kFirstMethanolNitrousFuel && fuelItem <= kLastMethanolNitrousFuel;
  return methanol ? kMethanol : kGasoline;
}

ResultSet RunWithoutNitrous(CVexoDoc& doc) {
  EngineParameters& e = doc.Engine();
  const CPartTypeSpec fuel = e.fuelType;
  CFloatPtSpec nitrous = e.nitrousFlowRate;
  nitrous = e.nitrousFlowRate;  // the copy constructor drops the flag of an invalid value
  const std::array<ResultSet, 3> results = e.results;

  const FuelChoice without = FuelWithoutNitrous(e.fuelType.GetValue());
  e.fuelType.SetSelection(without.item, without.name);
  e.nitrousFlowRate.SetValue(0.0f);
  ResultSet withoutNitrous;
  if (doc.RunSimulation(false, false)) withoutNitrous = doc.Results(ResultSetId::Displayed);

  e.fuelType = fuel;
  e.nitrousFlowRate = nitrous;
  // A run that fails clears the results: the document keeps the ones it had.
  if (!doc.RunSimulation(false, false)) e.results = results;
  return withoutNitrous;
}

}  // namespace brisca
