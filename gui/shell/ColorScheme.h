#pragma once
// The colour schemes: four schemes of 106 colour entries each. Every window
// that draws in scheme colours names the entry it uses; the entry numbers are
// the program's, the colours our own. Scheme 0 follows the platform palette.
//
// The scheme in effect is chosen once, when the main frame is created, and
// stays until the program ends: a scheme change takes effect at the next start.

#include <QColor>
#include <QString>

#include <vector>

namespace brisca {

inline constexpr int kSchemeCount = 4;
inline constexpr int kSchemeEntryCount = 106;

//! Scheme numbers outside 0..3 select scheme 0.
int ValidScheme(int scheme);

//! The scheme whose colours are drawn.
int ActiveScheme();
void SetActiveScheme(int scheme);

//! Entry `entry` (0..105) of the active scheme / of `scheme`; an entry outside
//! 0..105 is an internal error (FatalAssert).
QColor SchemeColor(int entry);
QColor SchemeColor(int scheme, int entry);

//! What entry `entry` colours (for the table's readers and the tests).
const char* SchemeEntryUse(int entry);

//! The scheme's menu text and command id; SchemeOfCommand gives -1 for other ids.
QString SchemeMenuText(int scheme);
int SchemeCommand(int scheme);
int SchemeOfCommand(int command);

//! Pairs of entries drawn as text (first) on a background (second): the pairs
//! whose contrast must keep text readable.
struct SchemeTextPair {
  int text;
  int background;
};
const std::vector<SchemeTextPair>& SchemeTextPairs();

//! WCAG contrast ratio of two colours (1..21).
double ContrastRatio(const QColor& a, const QColor& b);

}  // namespace brisca
