#include "gui/shell/Preferences.h"

#include <QSettings>

namespace brisca {
namespace {

const QString kGroup = QStringLiteral("Preferences");
const QString kSuppressLowColor = QStringLiteral("SuppressLowClrInfoMsg");
const QString kHighColorMode = QStringLiteral("HighColorModeLastUsed");
const QString kSchemeNumber = QStringLiteral("ColorSchemeNumLastUsed");

}  // namespace

Preferences Preferences::Read(QSettings& settings) {
  Preferences prefs;
  settings.beginGroup(kGroup);
  prefs.suppressLowColorNotice = settings.value(kSuppressLowColor, 0).toInt() != 0;
  prefs.highColorModeLastUsed = settings.value(kHighColorMode, 0).toInt() != 0;
  bool ok = false;
  const int scheme = settings.value(kSchemeNumber, 1).toInt(&ok);
  prefs.colorSchemeLastUsed = ok ? scheme : 0;  // unreadable text counts as out of range
  settings.endGroup();
  return prefs;
}

void Preferences::Write(QSettings& settings) const {
  settings.beginGroup(kGroup);
  settings.setValue(kSuppressLowColor, suppressLowColorNotice ? 1 : 0);
  settings.setValue(kHighColorMode, highColorModeLastUsed ? 1 : 0);
  settings.setValue(kSchemeNumber, colorSchemeLastUsed);
  settings.endGroup();
  settings.sync();
}

}  // namespace brisca
