#pragma once
// What one simulation pass writes: sixteen arrays of 28 entries, entry k for
// 1000 + 500·k rpm, and the compressor warning states of the pass.

#include <array>

namespace brisca {

inline constexpr int kResultPoints = 28;          //!< 1000..14500 rpm
inline constexpr int kSweepPoints = 29;           //!< 500..14500 rpm; 500 is the warm-up
inline constexpr float kSweepMinRpm = 1000.0f;
inline constexpr float kSweepMaxRpm = 14500.0f;

using ResultArray = std::array<float, kResultPoints>;

struct SimResults {
  ResultArray RPM{};      //!< engine speed [rpm]
  ResultArray HP{};       //!< brake (flywheel) power [HP]
  ResultArray TORQ{};     //!< brake torque [lb-ft]
  ResultArray IMPRES{};   //!< intake manifold absolute pressure [psia]
  ResultArray VEFF{};     //!< volumetric efficiency [%]
  ResultArray IMEP{};     //!< indicated mean effective pressure [psi]
  ResultArray BMEP{};     //!< brake mean effective pressure [psi]
  ResultArray FMEP{};     //!< friction mean effective pressure, pumping removed [psi]
  ResultArray IHP{};      //!< indicated power [HP]
  ResultArray FHP{};      //!< friction power [HP]
  ResultArray PHP{};      //!< pumping power [HP]
  ResultArray MEFF{};     //!< mechanical efficiency BMEP/IMEP [%]
  ResultArray INDFLOW{};  //!< induction airflow [cfm]
  ResultArray PFORCE{};   //!< piston force, IMEP × piston area [lbf]
  ResultArray PSPEED{};   //!< mean piston speed [ft/min]
  ResultArray PMEP{};     //!< pumping mean effective pressure [psi]
  int surge = 0;          //!< compressor surge warning, 0..2
  int choke = 0;          //!< compressor choke warning, 0..2
  int overspeed = 0;      //!< compressor overspeed warning, 0..2
};

}  // namespace brisca
