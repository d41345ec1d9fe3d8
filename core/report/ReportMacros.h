#pragma once
// The macros of the report template and what each one gives: the report's
// identity and included pieces, the engine's parameters, and 28 points of
// each result quantity ("_HP1" .. "_HP28"). One table each, in ReportMacros.cpp.
//
// Texts taken from the engine or the settings are made safe for HTML ("<",
// "&", quotes) and their underscores written as "&#95;", so a title or a note
// can neither add markup to the report nor be taken for a macro by the second
// pass. Included pieces (page bottom, table of contents, glossary) are HTML of
// their own and go in unchanged.

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/sim/SimResults.h"

namespace brisca {

class CVexoDoc;
struct ReportSpecs;

//! The "_VERSION" text.
inline constexpr const char* kReportVersionText = "4.21.0705";

//! Numbered messages of the included pieces (ReportErrorCode, "Kalvex Error").
enum ReportPieceErrorCode : int {
  kErrPageBottomOpen = 135,
  kErrPageBottomClose = 136,
  kErrGlossaryOpen = 140,
  kErrGlossaryClose = 141,
  kErrTocOpen = 142,
  kErrTocClose = 143,
};

//! What the macros are resolved against.
struct ReportMacroContext {
  const CVexoDoc* document = nullptr;     //!< not owned, never null when resolving
  const ReportSpecs* settings = nullptr;  //!< not owned, never null when resolving
  std::filesystem::path reportFolder;     //!< where the included pieces are read
  bool nitrous = false;                   //!< "Nitrous Flow Rate" was above 0 at generation
  int countWithoutNitrous = 0;            //!< points of the run without nitrous; 0: it failed
  ResultArray powerWithoutNitrous{};      //!< [HP]
  ResultArray torqueWithoutNitrous{};     //!< [lb-ft]
  std::tm now{};                          //!< local time of "_DATE" and "_TIME"
};

//! Looks `name` up (exact, case-sensitive); false for a name that is no macro.
//! A macro whose value is not known gives "***".
bool ResolveReportMacro(std::string_view name, const ReportMacroContext& context,
                        std::string& text);

//! Every macro name: the single macros in table order, then the result macros
//! stem by stem, points 1 to 28.
std::vector<std::string> ReportMacroNames();
//! How many of ReportMacroNames are single macros (the rest are results).
int SingleReportMacroCount();

//! "Thursday, December 10, 2026" and "02:50 PM", in English whatever the
//! process locale.
std::string FormatReportDate(const std::tm& time);
std::string FormatReportTime(const std::tm& time);
//! `text` made safe inside HTML text and attribute values (see above).
std::string EscapeReportText(std::string_view text);

}  // namespace brisca
