#include "gui/shell/ColorScheme.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <cmath>

#include "core/base/FatalAssert.h"
#include "core/document/CommandIds.h"
#include "gui/shell/ColorSchemeTable.h"

namespace brisca {
namespace {

int g_activeScheme = 0;

struct SchemeName {
  const char* menuText;
  int command;
};

constexpr SchemeName kSchemeNames[kSchemeCount] = {
    {"Windows Standard &Colors", command::kSchemeWindowsStandard},
    {"Basic Blue Colors", command::kSchemeBasicBlue},
    {"Deep Blue Colors", command::kSchemeDeepBlue},
    {"Orange Original Colors", command::kSchemeOrangeOriginal},
};

double Linear(double channel) {
  return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
  return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

}  // namespace

int ValidScheme(int scheme) { return scheme >= 0 && scheme < kSchemeCount ? scheme : 0; }

int ActiveScheme() { return g_activeScheme; }
void SetActiveScheme(int scheme) { g_activeScheme = ValidScheme(scheme); }

QColor SchemeColor(int entry) { return SchemeColor(g_activeScheme, entry); }

QColor SchemeColor(int scheme, int entry) {
  BRISCA_ASSERT(entry >= 0 && entry < kSchemeEntryCount);
  const SchemeEntry& row = kSchemeEntries[entry];
  const int s = ValidScheme(scheme);
  if (s == 0 && row.paletteRole >= 0 && qGuiApp) {
    return QGuiApplication::palette().color(QPalette::Active,
                                            static_cast<QPalette::ColorRole>(row.paletteRole));
  }
  return QColor(QRgb(row.rgb[static_cast<size_t>(s)]));
}

const char* SchemeEntryUse(int entry) {
  BRISCA_ASSERT(entry >= 0 && entry < kSchemeEntryCount);
  return kSchemeEntries[entry].use;
}

QString SchemeMenuText(int scheme) {
  return QString::fromLatin1(kSchemeNames[ValidScheme(scheme)].menuText);
}

int SchemeCommand(int scheme) { return kSchemeNames[ValidScheme(scheme)].command; }

int SchemeOfCommand(int command) {
  for (int s = 0; s < kSchemeCount; ++s) {
    if (kSchemeNames[s].command == command) return s;
  }
  return -1;
}

const std::vector<SchemeTextPair>& SchemeTextPairs() {
  static const std::vector<SchemeTextPair> pairs = {
      {2, 4},   {3, 5},   {7, 4},   {8, 5},   {9, 4},   {10, 5},  {11, 4},  {12, 5},
      {17, 18}, {8, 1},   {30, 28}, {30, 31}, {34, 33}, {44, 43}, {45, 43}, {46, 43},
      {50, 49}, {52, 51}, {54, 53}, {56, 55}, {58, 57}, {60, 59}, {64, 63}, {66, 65},
      {72, 71}, {74, 73}, {72, 75}, {74, 69}, {80, 79}, {82, 81}, {80, 83}, {82, 77},
      {86, 85}, {88, 87}, {90, 89}, {90, 92}, {94, 93}, {100, 99}, {105, 104},
  };
  return pairs;
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace brisca
