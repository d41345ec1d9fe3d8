#pragma once
// Constants shared by the cycle model and its sub-models.

namespace brisca {

inline constexpr double kQuarterPi = 0.7853982;          //!< π/4 as the model writes it
inline constexpr double kPi = 3.1415927;
inline constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
inline constexpr double kAmbientTemperature = 539.67;    //!< [°R], 80 °F
inline constexpr double kAmbientPressure = 14.7;         //!< [psia]
inline constexpr double kExhaustTemperature = 1999.67;   //!< [°R]

}  // namespace brisca
