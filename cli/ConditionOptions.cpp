#include "cli/ConditionOptions.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace brisca::cli {
namespace {

using Parser = std::optional<double> (*)(std::string_view);

CLI::Validator ValueCheck(Parser parse, const char* forms) {
  return CLI::Validator(
      [parse, forms](std::string& text) -> std::string {
        return parse(text) ? std::string() : std::string("expected a value such as ") + forms + ", not " + text;
      },
      "VALUE", "value with unit");
}

}  // namespace

TestConditions ConditionOptions::Conditions() const {
  TestConditions conditions;
  if (!standard.empty()) conditions.standard = StandardOfKey(standard).value();
  const bool anyWeather = !baro.empty() || !altitude.empty() || !temp.empty() || !humidity.empty();
  if (!anyWeather) return conditions;
  if (baro.empty() && altitude.empty())
    throw CLI::ValidationError("--baro", "a weather needs --baro or --altitude");
  if (temp.empty()) throw CLI::ValidationError("--temp", "a weather needs --temp");
  conditions.weatherGiven = true;
  conditions.barometerInHg = baro.empty() ? PressureAtAltitudeInHg(ParseAltitudeM(altitude).value())
                                          : ParsePressureInHg(baro).value();
  conditions.temperatureF = ParseTemperatureF(temp).value();
  conditions.humidityPercent = humidity.empty() ? 0.0 : ParseHumidityPercent(humidity).value();
  return conditions;
}

void ApplyDisplayConditions(CVexoDoc& doc, const TestConditions& conditions) {
  doc.SetDisplayConditions(conditions);
  if (!IsTransformed(conditions)) return;
  std::printf("power and torque: %s\n", ConditionsNote(conditions, false).c_str());
}

void AddConditionOptions(CLI::App& command, ConditionOptions& options) {
  command.add_option("--standard", options.standard,
                     "Correct power and torque to a standard: sae-j1349, sae-j607, din-70020 or eec-80-1269")
      ->check(CLI::IsMember({"sae-j1349", "sae-j607", "din-70020", "eec-80-1269"}, CLI::ignore_case));
  CLI::Option* baro =
      command.add_option("--baro", options.baro, "Barometric pressure of the weather, e.g. 29.5inHg or 99kPa")
          ->check(ValueCheck(ParsePressureInHg, "29.5inHg, 99kPa or 990hPa"));
  command.add_option("--altitude", options.altitude, "Altitude in place of --baro (standard atmosphere), e.g. 1600m")
      ->check(ValueCheck(ParseAltitudeM, "1600m or 5000ft"))
      ->excludes(baro);
  command.add_option("--temp", options.temp, "Air temperature of the weather, e.g. 85F or 29C")
      ->check(ValueCheck(ParseTemperatureF, "85F or 29C"));
  command.add_option("--humidity", options.humidity, "Relative humidity of the weather, e.g. 40%")
      ->check(ValueCheck(ParseHumidityPercent, "40 or 40%"));
}

}  // namespace brisca::cli
