#pragma once
// The three user preferences, kept in the settings store under the
// organisation "Quillon", group "Preferences": read at start, written at exit.

class QSettings;

namespace brisca {

struct Preferences {
  bool suppressLowColorNotice = false;  //!< "SuppressLowClrInfoMsg"
  bool highColorModeLastUsed = false;   //!< "HighColorModeLastUsed": last run had > 256 colours
  int colorSchemeLastUsed = 1;          //!< "ColorSchemeNumLastUsed" (as stored; may be out of range)

  static Preferences Read(QSettings& settings);
  void Write(QSettings& settings) const;
};

}  // namespace brisca
