#pragma once
// For tests only: start-up actions that the desktop tests cannot perform
// through the window on a display without input tools. main() takes them from
// $BRISCA_TEST_HOOK; users have no reason to set it. Actions, separated by ';':
//   edit:<parameter>=<text>   types <text> into the active engine's parameter
//                             named <parameter> (e.g. "edit:Bore=4.125"): the
//                             engine is modified as by the form
//   write:<file>              writes the active engine's engine file to <file>
//                             without saving the document (it stays modified)
// An action that fails is printed on standard error and the rest are skipped.

#include <QString>

namespace brisca {

class CMainFrame;

//! Runs `script` against the active document; false when an action failed.
bool RunTestScript(CMainFrame& frame, const QString& script);

}  // namespace brisca
