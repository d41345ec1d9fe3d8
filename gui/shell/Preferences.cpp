#include "gui/shell/Preferences.h"

#include <QSettings>

namespace brisca {
namespace {

const QString kGroup = QStringLiteral("Preferences");
const QString kSuppressLowColor = QStringLiteral("SuppressLowClrInfoMsg");
const QString kHighColorMode = QStringLiteral("HighColorModeLastUsed");
const QString kSchemeNumber = QStringLiteral("ColorSchemeNumLastUsed");
const QString kStandard = QStringLiteral("Conditions/Standard");
const QString kWeatherGiven = QStringLiteral("Conditions/WeatherGiven");
const QString kBarometer = QStringLiteral("Conditions/BarometerInHg");
const QString kTemperature = QStringLiteral("Conditions/TemperatureF");
const QString kHumidity = QStringLiteral("Conditions/HumidityPercent");

// A stored number, or `fallback` when it is missing, unreadable or outside `low`..`high`.
double StoredNumber(QSettings& settings, const QString& key, double fallback, double low,
                    double high) {
  bool ok = false;
  const double value = settings.value(key, fallback).toDouble(&ok);
  return ok && value >= low && value <= high ? value : fallback;
}

TestConditions ReadConditions(QSettings& settings) {
  TestConditions conditions;
  const int standard = settings.value(kStandard, 0).toInt();
  if (standard >= 0 && standard < kCorrectionStandardCount) {
    conditions.standard = static_cast<CorrectionStandard>(standard);
  }
  conditions.weatherGiven = settings.value(kWeatherGiven, 0).toInt() != 0;
  conditions.barometerInHg = StoredNumber(settings, kBarometer, conditions.barometerInHg, 15, 35);
  conditions.temperatureF = StoredNumber(settings, kTemperature, conditions.temperatureF, -40, 140);
  conditions.humidityPercent = StoredNumber(settings, kHumidity, conditions.humidityPercent, 0, 100);
  return conditions;
}

}  // namespace

Preferences Preferences::Read(QSettings& settings) {
  Preferences prefs;
  settings.beginGroup(kGroup);
  prefs.suppressLowColorNotice = settings.value(kSuppressLowColor, 0).toInt() != 0;
  prefs.highColorModeLastUsed = settings.value(kHighColorMode, 0).toInt() != 0;
  bool ok = false;
  const int scheme = settings.value(kSchemeNumber, 1).toInt(&ok);
  prefs.colorSchemeLastUsed = ok ? scheme : 0;  // unreadable text counts as out of range
  prefs.conditions = ReadConditions(settings);
  settings.endGroup();
  return prefs;
}

void Preferences::Write(QSettings& settings) const {
  settings.beginGroup(kGroup);
  settings.setValue(kSuppressLowColor, suppressLowColorNotice ? 1 : 0);
  settings.setValue(kHighColorMode, highColorModeLastUsed ? 1 : 0);
  settings.setValue(kSchemeNumber, colorSchemeLastUsed);
  settings.endGroup();
  WriteConditions(settings);
}

void Preferences::WriteConditions(QSettings& settings) const {
  settings.beginGroup(kGroup);
  settings.setValue(kStandard, static_cast<int>(conditions.standard));
  settings.setValue(kWeatherGiven, conditions.weatherGiven ? 1 : 0);
  settings.setValue(kBarometer, conditions.barometerInHg);
  settings.setValue(kTemperature, conditions.temperatureF);
  settings.setValue(kHumidity, conditions.humidityPercent);
  settings.endGroup();
  settings.sync();
}

}  // namespace brisca
