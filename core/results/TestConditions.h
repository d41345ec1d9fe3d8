#pragma once
// The air a power figure holds for, and the standard it may be corrected to.
//
// The model runs in one fixed air (ModelAir: 80 °F, 14.7 psia, dry). Its
// results are never changed; what is displayed, printed and exported goes
// through one scale factor (DisplayScale) chosen by the user's conditions:
//
//   no standard, no weather   1 (the model's own figures)
//   a standard, no weather    CF(model air)                "corrected to <standard>"
//   a weather                 CF(model air) / CF(weather)  "at this weather", by the
//                             chosen standard's law (SAE J1349 when none is chosen)
//
// Every correction factor brings a figure measured in some air to the
// standard's reference air: corrected = measured × CF(air).

#include <optional>
#include <string>
#include <string_view>

#include "core/sim/ResultSet.h"

namespace brisca {

//! The correction standards, in menu order.
enum class CorrectionStandard { Uncorrected, SaeJ1349, SaeJ607, Din70020, Eec80_1269 };

inline constexpr int kCorrectionStandardCount = 5;

//! Pressure and unit factors shared by the conditions and the measured runs.
inline constexpr double kKPaPerInHg = 3.386389;       //!< 1 inHg (at 32 °F) [kPa]
inline constexpr double kKPaPerPsi = 6.894757;        //!< 1 psi [kPa]
inline constexpr double kKWPerHp = 0.745699872;       //!< 1 mechanical hp [kW]
inline constexpr double kKWPerPs = 0.73549875;        //!< 1 metric hp (PS) [kW]
inline constexpr double kNmPerLbFt = 1.3558179483;    //!< 1 lb-ft [N·m]
inline constexpr double kModelPressurePsia = 14.7;    //!< the model's barometric pressure [psia]

//! The air of a test: a stated weather (`weatherGiven`) and the chosen standard.
struct TestConditions {
  CorrectionStandard standard = CorrectionStandard::Uncorrected;
  bool weatherGiven = false;     //!< false: the three values below are not used
  double barometerInHg = 29.92;  //!< total barometric pressure [inHg]
  double temperatureF = 60.0;    //!< air temperature [°F]
  double humidityPercent = 0.0;  //!< relative humidity [%], 0..100

  bool operator==(const TestConditions&) const = default;
};

//! The air the model runs in: 80 °F, 14.7 psia (29.93 inHg), dry; weather given.
TestConditions ModelAir();

//! Saturation vapour pressure of water over a flat water surface at `temperatureC`
//! [hPa]. Buck (1981): e_s = 6.1121·exp(17.502·t / (240.97 + t)).
double SaturationVapourPressureHPa(double temperatureC);
//! Vapour pressure of the air [hPa]: humidity / 100 × e_s(t).
double VapourPressureHPa(const TestConditions& air);
//! Dry-air pressure [hPa]: barometric pressure − vapour pressure.
double DryAirPressureHPa(const TestConditions& air);
//! Relative humidity [%] for a dew point: 100 · e_s(dew point) / e_s(t), at most 100.
double HumidityFromDewPoint(double temperatureF, double dewPointF);
//! Barometric pressure [inHg] of the standard atmosphere (ICAO) at `altitudeM` [m]:
//! p = 101.325 kPa · (1 − 2.25577e-5 · h)^5.25588.
double PressureAtAltitudeInHg(double altitudeM);

//! The standard's correction factor for figures measured in `air`:
//!   SAE J1349 (2004 on)  CF = 1.176·(990/Pd[hPa])·√((t[°C]+273)/298) − 0.176
//!   SAE J607             CF = (29.92/Pd[inHg])·√((t[°F]+460)/520)
//!   DIN 70020            CF = (1013/p[hPa])·√((t[°C]+273)/293)   (total pressure)
//!   EEC 80/1269          CF = (99/Pd[kPa])^1.2·((t[°C]+273)/298)^0.6
//! Uncorrected gives 1.
double CorrectionFactor(CorrectionStandard standard, const TestConditions& air);

//! The standard whose law converts between airs: the chosen one, SAE J1349 when none.
CorrectionStandard LawOf(const TestConditions& conditions);

//! The factor that turns the model's power and torque into the displayed ones
//! (see the table at the top of this file). Exactly 1 with no standard and no weather.
double DisplayScale(const TestConditions& conditions);

//! The model's results as displayed: power, torque, wheel power and wheel
//! torque times DisplayScale; every other quantity, the count and the warnings
//! as they are. The same set back, bit for bit, when nothing is transformed.
ResultSet DisplayedResults(const ResultSet& model, const TestConditions& conditions);

//! Whether DisplayedResults scales `quantity`: brake and wheel power and torque.
bool IsScaledQuantity(ResultArray ResultSet::*quantity);

//! True when DisplayScale is not the identity (a standard or a weather is set).
bool IsTransformed(const TestConditions& conditions);

//! "Uncorrected", "SAE J1349", "SAE J607", "DIN 70020", "EEC 80/1269".
const char* StandardName(CorrectionStandard standard);
//! The command-line key: "uncorrected", "sae-j1349", "sae-j607", "din-70020", "eec-80-1269".
const char* StandardKey(CorrectionStandard standard);
//! The standard of a key (as StandardKey gives it, any letter case); nothing for others.
std::optional<CorrectionStandard> StandardOfKey(std::string_view key);

//! The weather as one line, e.g. "29.52 inHg, 75 °F, 40 % RH" or, metric,
//! "99.97 kPa, 23.9 °C, 40 % RH".
std::string WeatherText(const TestConditions& air, bool metric);
//! The note line that names what the displayed figures hold for, e.g.
//! "Uncorrected (model air: 80 °F, 29.93 inHg, dry)",
//! "Corrected to SAE J1349, factor 0.9823",
//! "At 29.52 inHg, 75 °F, 40 % RH (SAE J1349), factor 0.9612".
std::string ConditionsNote(const TestConditions& conditions, bool metric);

// Typed values as the command line and the measured files write them: a
// number, optional blanks, then a unit (letter case ignored). Nothing for
// anything else or for a value outside the limits given.
//! "29.5inHg", "99kPa", "990hPa", "990mbar", "14.5psi": [inHg], 15..35 inHg.
std::optional<double> ParsePressureInHg(std::string_view text);
//! "85F", "29C" (also "°F", "°C"): [°F], −40..140 °F.
std::optional<double> ParseTemperatureF(std::string_view text);
//! "1600m", "5000ft": [m], −500..6000 m.
std::optional<double> ParseAltitudeM(std::string_view text);
//! "40", "40%": [%], 0..100.
std::optional<double> ParseHumidityPercent(std::string_view text);

}  // namespace brisca
