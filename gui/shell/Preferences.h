#pragma once
// The user preferences, kept in the settings store under the organisation
// "Quillon", group "Preferences": read at start, written at exit. The test
// conditions are also written as soon as the user changes them.

#include "core/results/TestConditions.h"

class QSettings;

namespace brisca {

struct Preferences {
  bool suppressLowColorNotice = false;  //!< "SuppressLowClrInfoMsg"
  bool highColorModeLastUsed = false;   //!< "HighColorModeLastUsed": last run had > 256 colours
  int colorSchemeLastUsed = 1;          //!< "ColorSchemeNumLastUsed" (as stored; may be out of range)
  TestConditions conditions;            //!< "Conditions/...": the air the shown figures hold for

  static Preferences Read(QSettings& settings);
  void Write(QSettings& settings) const;
  //! Writes only the test conditions.
  void WriteConditions(QSettings& settings) const;
};

}  // namespace brisca
