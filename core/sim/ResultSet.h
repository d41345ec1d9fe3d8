#pragma once
// The document's copy of one run's results, read by tables, charts, iterators
// and reports. A cleared set has count 0 and reads as empty whatever its arrays hold.

#include "core/sim/SimResults.h"

namespace brisca {

struct ResultSet {
  int count = 0;                    //!< points in use, 0..28
  ResultArray rpm{};                //!< [rpm]
  ResultArray power{};              //!< flywheel [HP]
  ResultArray wheelPower{};         //!< 0.85 × flywheel [HP]
  ResultArray torque{};             //!< flywheel [lb-ft]
  ResultArray wheelTorque{};        //!< 0.85 × flywheel [lb-ft]
  ResultArray manifoldPressure{};   //!< [psia]
  ResultArray boost{};              //!< manifold pressure − 14.7 [psi]
  ResultArray volumetricEfficiency{};  //!< [%]
  ResultArray indicatedPower{};     //!< [HP]
  ResultArray frictionPower{};      //!< [HP]
  ResultArray pumpingPower{};       //!< [HP]
  ResultArray mechanicalEfficiency{};  //!< [%]
  ResultArray inductionAirflow{};   //!< [cfm]
  ResultArray pistonForce{};        //!< [lbf]
  ResultArray pistonSpeed{};        //!< [ft/min]
  ResultArray bmep{};               //!< [psi]
  ResultArray imep{};               //!< [psi]
  ResultArray fmep{};               //!< [psi]
  ResultArray pmep{};               //!< [psi]
  int surge = 0;
  int choke = 0;
  int overspeed = 0;

  void Clear() { count = 0; }
  bool IsEmpty() const { return count == 0; }
  friend bool operator==(const ResultSet&, const ResultSet&) = default;
};

}  // namespace brisca
