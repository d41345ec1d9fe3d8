#include "core/results/TestConditions.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "core/base/NumberText.h"

namespace brisca {
namespace {

constexpr double kHPaPerInHg = kKPaPerInHg * 10.0;

double Celsius(double fahrenheit) { return (fahrenheit - 32.0) / 1.8; }
double Fahrenheit(double celsius) { return celsius * 1.8 + 32.0; }

struct StandardRow {
  CorrectionStandard standard;
  const char* name;
  const char* key;
};

constexpr StandardRow kStandards[kCorrectionStandardCount] = {
    {CorrectionStandard::Uncorrected, "Uncorrected", "uncorrected"},
    {CorrectionStandard::SaeJ1349, "SAE J1349", "sae-j1349"},
    {CorrectionStandard::SaeJ607, "SAE J607", "sae-j607"},
    {CorrectionStandard::Din70020, "DIN 70020", "din-70020"},
    {CorrectionStandard::Eec80_1269, "EEC 80/1269", "eec-80-1269"},
};

const StandardRow& RowOf(CorrectionStandard standard) {
  return kStandards[static_cast<int>(standard)];
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The number at the start of `text` and the unit after it (blanks around both
// dropped, letter case lowered); nothing when no number starts the text.
struct NumberAndUnit {
  double value = 0.0;
  std::string unit;
};

std::optional<NumberAndUnit> SplitNumber(std::string_view text) {
  NumberAndUnit parsed;
  const std::size_t used = ParseDoublePrefix(text, parsed.value);
  if (used == 0 || !std::isfinite(parsed.value)) return std::nullopt;
  std::string_view rest = text.substr(used);
  while (!rest.empty() && IsCSpace(rest.front())) rest.remove_prefix(1);
  while (!rest.empty() && IsCSpace(rest.back())) rest.remove_suffix(1);
  parsed.unit = Lower(rest);
  return parsed;
}

std::optional<double> Within(double value, double low, double high) {
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::string Fixed(double value, int decimals) { return FormatFixed(value, decimals); }

}  // namespace

TestConditions ModelAir() {
  TestConditions air;
  air.weatherGiven = true;
  air.barometerInHg = kModelPressurePsia * kKPaPerPsi / kKPaPerInHg;
  air.temperatureF = 80.0;
  air.humidityPercent = 0.0;
  return air;
}

double SaturationVapourPressureHPa(double temperatureC) {
  return 6.1121 * std::exp(17.502 * temperatureC / (240.97 + temperatureC));
}

double VapourPressureHPa(const TestConditions& air) {
  return air.humidityPercent / 100.0 * SaturationVapourPressureHPa(Celsius(air.temperatureF));
}

double DryAirPressureHPa(const TestConditions& air) {
  return air.barometerInHg * kHPaPerInHg - VapourPressureHPa(air);
}

double HumidityFromDewPoint(double temperatureF, double dewPointF) {
  const double ratio = SaturationVapourPressureHPa(Celsius(dewPointF)) /
                       SaturationVapourPressureHPa(Celsius(temperatureF));
  return std::min(100.0, 100.0 * ratio);
}

double PressureAtAltitudeInHg(double altitudeM) {
  return 101.325 * std::pow(1.0 - 2.25577e-5 * altitudeM, 5.25588) / kKPaPerInHg;
}

double CorrectionFactor(CorrectionStandard standard, const TestConditions& air) {
  const double tC = Celsius(air.temperatureF);
  const double dryHPa = DryAirPressureHPa(air);
  switch (standard) {
    case CorrectionStandard::Uncorrected:
      return 1.0;
    case CorrectionStandard::SaeJ1349:
      return 1.176 * (990.0 / dryHPa) * std::sqrt((tC + 273.0) / 298.0) - 0.176;
    case CorrectionStandard::SaeJ607:
      return (29.92 / (dryHPa / kHPaPerInHg)) * std::sqrt((air.temperatureF + 460.0) / 520.0);
    case CorrectionStandard::Din70020:
      return (1013.0 / (air.barometerInHg * kHPaPerInHg)) * std::sqrt((tC + 273.0) / 293.0);
    case CorrectionStandard::Eec80_1269:
      return std::pow(99.0 / (dryHPa / 10.0), 1.2) * std::pow((tC + 273.0) / 298.0, 0.6);
  }
  return 1.0;
}

CorrectionStandard LawOf(const TestConditions& conditions) {
  return conditions.standard == CorrectionStandard::Uncorrected ? CorrectionStandard::SaeJ1349
                                                                : conditions.standard;
}

double DisplayScale(const TestConditions& conditions) {
  const TestConditions model = ModelAir();
  if (conditions.weatherGiven) {
    const CorrectionStandard law = LawOf(conditions);
    return CorrectionFactor(law, model) / CorrectionFactor(law, conditions);
  }
  return CorrectionFactor(conditions.standard, model);
}

namespace {
// The figures a standard corrects: those the brake delivers.
constexpr ResultArray ResultSet::*kScaledQuantities[] = {&ResultSet::power, &ResultSet::wheelPower,
                                                         &ResultSet::torque, &ResultSet::wheelTorque};
}  // namespace

bool IsScaledQuantity(ResultArray ResultSet::*quantity) {
  for (ResultArray ResultSet::*scaled : kScaledQuantities) {
    if (quantity == scaled) return true;
  }
  return false;
}

ResultSet DisplayedResults(const ResultSet& model, const TestConditions& conditions) {
  ResultSet shown = model;
  if (!IsTransformed(conditions)) return shown;
  const double scale = DisplayScale(conditions);
  for (ResultArray ResultSet::*values : kScaledQuantities) {
    for (int k = 0; k < shown.count; ++k) {
      (shown.*values)[k] = static_cast<float>((model.*values)[k] * scale);
    }
  }
  return shown;
}

bool IsTransformed(const TestConditions& conditions) {
  return conditions.weatherGiven || conditions.standard != CorrectionStandard::Uncorrected;
}

const char* StandardName(CorrectionStandard standard) { return RowOf(standard).name; }
const char* StandardKey(CorrectionStandard standard) { return RowOf(standard).key; }

std::optional<CorrectionStandard> StandardOfKey(std::string_view key) {
  const std::string lower = Lower(key);
  for (const StandardRow& row : kStandards) {
    if (lower == row.key) return row.standard;
  }
  return std::nullopt;
}

std::string WeatherText(const TestConditions& air, bool metric) {
  std::string text;
  if (metric) {
    text = Fixed(air.barometerInHg * kKPaPerInHg, 2) + " kPa, " + Fixed(Celsius(air.temperatureF), 1) +
           " \u00B0C";
  } else {
    text = Fixed(air.barometerInHg, 2) + " inHg, " + Fixed(air.temperatureF, 1) + " \u00B0F";
  }
  if (air.humidityPercent <= 0.0) return text + ", dry";
  return text + ", " + Fixed(air.humidityPercent, 0) + " % RH";
}

std::string ConditionsNote(const TestConditions& conditions, bool metric) {
  const std::string factor = ", factor " + Fixed(DisplayScale(conditions), 4);
  if (conditions.weatherGiven) {
    return "At " + WeatherText(conditions, metric) + " (" + StandardName(LawOf(conditions)) + ")" +
           factor;
  }
  if (conditions.standard != CorrectionStandard::Uncorrected) {
    return std::string("Corrected to ") + StandardName(conditions.standard) + factor;
  }
  return "Uncorrected (model air: " + WeatherText(ModelAir(), metric) + ")";
}

std::optional<double> ParsePressureInHg(std::string_view text) {
  const auto parsed = SplitNumber(text);
  if (!parsed) return std::nullopt;
  double inHg = 0.0;
  if (parsed->unit == "inhg" || parsed->unit == "in hg") {
    inHg = parsed->value;
  } else if (parsed->unit == "kpa") {
    inHg = parsed->value / kKPaPerInHg;
  } else if (parsed->unit == "hpa" || parsed->unit == "mbar") {
    inHg = parsed->value / kHPaPerInHg;
  } else if (parsed->unit == "psi" || parsed->unit == "psia") {
    inHg = parsed->value * kKPaPerPsi / kKPaPerInHg;
  } else {
    return std::nullopt;
  }
  return Within(inHg, 15.0, 35.0);
}

std::optional<double> ParseTemperatureF(std::string_view text) {
  const auto parsed = SplitNumber(text);
  if (!parsed) return std::nullopt;
  std::string unit = parsed->unit;
  if (unit.rfind("\u00B0", 0) == 0) unit.erase(0, std::string("\u00B0").size());
  double fahrenheit = 0.0;
  if (unit == "f") {
    fahrenheit = parsed->value;
  } else if (unit == "c") {
    fahrenheit = Fahrenheit(parsed->value);
  } else {
    return std::nullopt;
  }
  return Within(fahrenheit, -40.0, 140.0);
}

std::optional<double> ParseAltitudeM(std::string_view text) {
  const auto parsed = SplitNumber(text);
  if (!parsed) return std::nullopt;
  double metres = 0.0;
  if (parsed->unit == "m") {
    metres = parsed->value;
  } else if (parsed->unit == "ft") {
    metres = parsed->value * 0.3048;
  } else {
    return std::nullopt;
  }
  return Within(metres, -500.0, 6000.0);
}

std::optional<double> ParseHumidityPercent(std::string_view text) {
  const auto parsed = SplitNumber(text);
  if (!parsed || !(parsed->unit.empty() || parsed->unit == "%")) return std::nullopt;
  return Within(parsed->value, 0.0, 100.0);
}

}  // namespace brisca
