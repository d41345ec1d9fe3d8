#include "core/results/TestConditions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace brisca {
namespace {

// The same air typed in either unit system, and each standard's factor for it.
// Expected factors are worked from the four formulas in TestConditions.h with
// a calculator: vapour pressure from Buck (1981), Pd = p − e, t in °C or °F as
// the formula takes it. Rows A..C sit on a standard's own reference air, where
// that standard's factor is exactly 1.
struct AirRow {
  const char* name;
  const char* baro;
  const char* temp;
  const char* humidity;
  double j1349, j607, din70020, eec80_1269;
};

const AirRow kAirs[] = {
    // A: 990 hPa dry at 25 °C, the SAE J1349 and EEC reference (Pd 990 hPa, 298 K).
    {"A metric", "99kPa", "25C", "0", 1.00000, 1.04004, 1.03193, 1.00000},
    {"A US", "29.23468inHg", "77F", "0%", 1.00000, 1.04004, 1.03193, 1.00000},
    // B: 29.92 inHg dry at 60 °F, the SAE J607 reference.
    {"B US", "29.92inHg", "60F", "0", 0.95471, 1.00000, 0.99218, 0.95396},
    {"B metric", "101.3208kPa", "15.5556C", "0", 0.95471, 1.00000, 0.99218, 0.95396},
    // C: 1013 hPa at 20 °C, the DIN 70020 reference.
    {"C metric", "1013hPa", "20C", "0", 0.96362, 1.00787, 1.00000, 0.96299},
    {"C US", "29.91387 inHg", "68 F", "0", 0.96362, 1.00787, 1.00000, 0.96299},
    // D: a mild humid day; e = 0.40 × 29.64 hPa = 11.85 hPa, Pd = 987.81 hPa.
    {"D US", "29.52inHg", "75F", "40%", 1.00041, 1.04040, 1.02005, 1.00042},
    {"D metric", "99.9662kPa", "23.8889C", "40", 1.00041, 1.04040, 1.02005, 1.00042},
    // E: hot, humid and high; e = 0.80 × 56.24 hPa = 44.99 hPa, Pd = 805.01 hPa.
    {"E metric", "850mbar", "35C", "80%", 1.29434, 1.30032, 1.22189, 1.30741},
    {"E US", "25.10049inHg", "95F", "80", 1.29434, 1.30032, 1.22189, 1.30741},
};

TestConditions AirOf(const AirRow& row) {
  TestConditions air;
  air.weatherGiven = true;
  air.barometerInHg = ParsePressureInHg(row.baro).value();
  air.temperatureF = ParseTemperatureF(row.temp).value();
  air.humidityPercent = ParseHumidityPercent(row.humidity).value();
  return air;
}

TEST(TestConditionsTest, EachStandardsFactorMatchesItsFormulaInBothUnitSystems) {
  for (const AirRow& row : kAirs) {
    SCOPED_TRACE(row.name);
    const TestConditions air = AirOf(row);
    EXPECT_NEAR(CorrectionFactor(CorrectionStandard::SaeJ1349, air), row.j1349, 5e-5);
    EXPECT_NEAR(CorrectionFactor(CorrectionStandard::SaeJ607, air), row.j607, 5e-5);
    EXPECT_NEAR(CorrectionFactor(CorrectionStandard::Din70020, air), row.din70020, 5e-5);
    EXPECT_NEAR(CorrectionFactor(CorrectionStandard::Eec80_1269, air), row.eec80_1269, 5e-5);
    EXPECT_EQ(CorrectionFactor(CorrectionStandard::Uncorrected, air), 1.0);
  }
}

TEST(TestConditionsTest, VapourPressureDewPointAndAltitude) {
  // Buck (1981) at 0, 25 and 100 °C: 6.1121, 31.670 and 1036.2 hPa (worked by hand).
  EXPECT_NEAR(SaturationVapourPressureHPa(0.0), 6.1121, 1e-4);
  EXPECT_NEAR(SaturationVapourPressureHPa(25.0), 31.670, 1e-3);
  EXPECT_NEAR(SaturationVapourPressureHPa(100.0), 1036.16, 1e-2);
  // A dew point at the air temperature is saturated air; the dew point of 40 % at 25 °C
  // is where e_s falls to 12.668 hPa, 10.48 °C.
  EXPECT_NEAR(HumidityFromDewPoint(77.0, 77.0), 100.0, 1e-9);
  EXPECT_NEAR(HumidityFromDewPoint(77.0, 10.48 * 1.8 + 32.0), 40.0, 0.05);
  EXPECT_EQ(HumidityFromDewPoint(60.0, 70.0), 100.0);
  // ICAO standard atmosphere: sea level 29.921 inHg, 1600 m 24.664 inHg (83.52 kPa).
  EXPECT_NEAR(PressureAtAltitudeInHg(0.0), 29.921, 1e-3);
  EXPECT_NEAR(PressureAtAltitudeInHg(ParseAltitudeM("1600m").value()), 24.664, 1e-3);
  EXPECT_NEAR(ParseAltitudeM("5000ft").value(), 1524.0, 1e-9);
}

// The model's air is 80 °F, 14.7 psia = 29.93 inHg, dry; J1349 corrects it by
// 1.176 · 990/1013.53 · √(299.67/298) − 0.176 = 0.97591 (worked by hand).
TEST(TestConditionsTest, DisplayScaleIsOneUntilAStandardOrAWeatherIsChosen) {
  const TestConditions model = ModelAir();
  EXPECT_NEAR(model.barometerInHg, 29.93, 5e-3);
  EXPECT_EQ(model.temperatureF, 80.0);
  EXPECT_EQ(model.humidityPercent, 0.0);

  TestConditions conditions;
  EXPECT_EQ(DisplayScale(conditions), 1.0);
  EXPECT_FALSE(IsTransformed(conditions));
  EXPECT_EQ(ConditionsNote(conditions, false),
            "Uncorrected (model air: 29.93 inHg, 80.0 \u00B0F, dry)");

  conditions.standard = CorrectionStandard::SaeJ1349;
  EXPECT_NEAR(DisplayScale(conditions), 0.97591, 5e-5);
  EXPECT_EQ(ConditionsNote(conditions, false), "Corrected to SAE J1349, factor 0.9759");

  // A weather: the model's figures moved to that air by the chosen law, and by
  // J1349's when none is chosen. The model's own air as the weather changes nothing.
  conditions = AirOf(kAirs[6]);  // D: 29.52 inHg, 75 °F, 40 %
  const double j1349 = 0.97591 / 1.00041;
  EXPECT_NEAR(DisplayScale(conditions), j1349, 5e-5);
  conditions.standard = CorrectionStandard::Din70020;
  EXPECT_NEAR(DisplayScale(conditions), 1.01078 / 1.02005, 5e-5);
  EXPECT_EQ(ConditionsNote(conditions, true),
            "At 99.97 kPa, 23.9 \u00B0C, 40 % RH (DIN 70020), factor 0.9909");
  TestConditions atModelAir = ModelAir();
  atModelAir.standard = CorrectionStandard::SaeJ607;
  EXPECT_NEAR(DisplayScale(atModelAir), 1.0, 1e-12);
}

// Only the four power and torque figures move; with nothing chosen the set
// comes back exactly as the model left it.
TEST(TestConditionsTest, DisplayedResultsScaleOnlyPowerAndTorque) {
  ResultSet model;
  model.count = 2;
  model.rpm = {3000, 4000};
  model.power = {200, 300};
  model.wheelPower = {170, 255};
  model.torque = {350.1f, 393.9f};
  model.wheelTorque = {297.6f, 334.8f};
  model.manifoldPressure = {14.5f, 14.4f};
  model.bmep = {150, 160};
  const ResultSet same = DisplayedResults(model, TestConditions{});
  EXPECT_EQ(same.power, model.power);
  EXPECT_EQ(same.torque, model.torque);

  TestConditions j1349;
  j1349.standard = CorrectionStandard::SaeJ1349;
  const ResultSet shown = DisplayedResults(model, j1349);
  const double scale = DisplayScale(j1349);
  for (int k = 0; k < 2; ++k) {
    EXPECT_FLOAT_EQ(shown.power[k], model.power[k] * scale);
    EXPECT_FLOAT_EQ(shown.wheelPower[k], model.wheelPower[k] * scale);
    EXPECT_FLOAT_EQ(shown.torque[k], model.torque[k] * scale);
    EXPECT_FLOAT_EQ(shown.wheelTorque[k], model.wheelTorque[k] * scale);
  }
  EXPECT_EQ(shown.rpm, model.rpm);
  EXPECT_EQ(shown.manifoldPressure, model.manifoldPressure);
  EXPECT_EQ(shown.bmep, model.bmep);
  EXPECT_EQ(shown.count, 2);
}

TEST(TestConditionsTest, TypedValuesNeedAKnownUnitAndASensibleValue) {
  struct Row {
    const char* text;
    std::optional<double> (*parse)(std::string_view);
    std::optional<double> expected;
  };
  const Row rows[] = {
      {"29.5inHg", ParsePressureInHg, 29.5},
      {" 29.5 INHG ", ParsePressureInHg, 29.5},
      {"14.7psi", ParsePressureInHg, 14.7 * kKPaPerPsi / kKPaPerInHg},
      {"29.5", ParsePressureInHg, std::nullopt},        // no unit
      {"29.5 furlongs", ParsePressureInHg, std::nullopt},
      {"295inHg", ParsePressureInHg, std::nullopt},      // far outside any weather
      {"0kPa", ParsePressureInHg, std::nullopt},
      {"nan kPa", ParsePressureInHg, std::nullopt},
      {"inHg", ParsePressureInHg, std::nullopt},
      {"85F", ParseTemperatureF, 85.0},
      {"29C", ParseTemperatureF, 84.2},
      {"29 \u00B0C", ParseTemperatureF, 84.2},
      {"85", ParseTemperatureF, std::nullopt},
      {"85K", ParseTemperatureF, std::nullopt},
      {"400F", ParseTemperatureF, std::nullopt},
      {"1600m", ParseAltitudeM, 1600.0},
      {"-100 m", ParseAltitudeM, -100.0},
      {"1600", ParseAltitudeM, std::nullopt},
      {"90000ft", ParseAltitudeM, std::nullopt},
      {"40", ParseHumidityPercent, 40.0},
      {"40 %", ParseHumidityPercent, 40.0},
      {"140%", ParseHumidityPercent, std::nullopt},
      {"40 RH", ParseHumidityPercent, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const std::optional<double> value = row.parse(row.text);
    ASSERT_EQ(value.has_value(), row.expected.has_value());
    if (value) {
      EXPECT_NEAR(*value, *row.expected, 1e-9);
    }
  }
  EXPECT_EQ(StandardOfKey("SAE-J1349"), CorrectionStandard::SaeJ1349);
  EXPECT_EQ(StandardOfKey("eec-80-1269"), CorrectionStandard::Eec80_1269);
  EXPECT_EQ(StandardOfKey("j1349"), std::nullopt);
  for (int s = 0; s < kCorrectionStandardCount; ++s) {
    const auto standard = static_cast<CorrectionStandard>(s);
    EXPECT_EQ(StandardOfKey(StandardKey(standard)), standard);
  }
}

}  // namespace
}  // namespace brisca
