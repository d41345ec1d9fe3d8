#pragma once
// The run without nitrous that an engine file's results block and a report set
// beside the engine as it is: the same engine on the fuel it would burn without
// its nitrous kit.

#include "core/sim/ResultSet.h"

namespace brisca {

class CVexoDoc;

//! A "Fuel Type" item and its name.
struct FuelChoice {
  int item;
  const char* name;
};

//! The fuel of the run without nitrous for fuel item `fuelItem`: "Methanol"
//! (10) for the methanol-with-nitrous fuels 12..17, "Gasoline" (1) for every
//! other.
FuelChoice FuelWithoutNitrous(int fuelItem);

//! Sets "Fuel Type" to FuelWithoutNitrous and "Nitrous Flow Rate" to 0, runs the
//! simulation without messages and keeps the displayed results of that run
//! (an empty set when it failed); then puts fuel and nitrous back exactly as
//! they were and runs again. When that second run fails the document keeps the
//! result sets it had before. Returns the results without nitrous.
ResultSet RunWithoutNitrous(CVexoDoc& doc);

}  // namespace brisca
