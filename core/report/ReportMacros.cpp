#include "core/report/ReportMacros.h"

#include <string>
#include <unordered_map>

#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/base/FileError.h"
#include "core/document/VexoDoc.h"
#include "core/reportspecs/ReportSpecs.h"
#include "core/results/TestConditions.h"
#include "core/base/NumberText.h"
#include "core/base/TextFile.h"

namespace brisca {
namespace {

using Ctx = ReportMacroContext;
using TextFn = std::string (*)(const Ctx&);

// ---- helpers of the tables ------------------------------------------------

const EngineParameters& E(const Ctx& c) { return c.document->Engine(); }
const ReportSpecs& S(const Ctx& c) { return *c.settings; }
const CCamProfile& LS(const Ctx& c) { return E(c).camshaft.lowSpeedLobe; }
const CCamProfile& HS(const Ctx& c) { return E(c).camshaft.highSpeedLobe; }

std::string Text(const CSimSpec& spec) { return EscapeReportText(spec.GetText()); }
std::string Units(const CSimSpec& spec) { return EscapeReportText(spec.GetTextWithUnits()); }
std::string Plain(std::string_view text) { return EscapeReportText(text); }

// A compression-ratio calculator value: known only while the calculator's
// data are valid, and for the method-specific ones only with that method
// (0: either).
std::string Calculator(const Ctx& c, const CFloatPtSpec& spec, int method) {
  const EngineParameters& e = E(c);
  if (!e.crDataValid || (method != 0 && e.crMethod != method)) return kUnassignedText;
  return Units(spec);
}
constexpr int kBuretteMethod = 1;
constexpr int kKnownVolumesMethod = 2;

std::string CalculatorMethod(const Ctx& c) {
  const EngineParameters& e = E(c);
  if (!e.crDataValid) return kUnassignedText;
  if (e.crMethod == kKnownVolumesMethod) return "Known Combustion Volumes";
  if (e.crMethod == kBuretteMethod) return "Burrette Measured Volumes";
  return kUnassignedText;
}

// "None" for both intercooler values while there is no intercooler.
std::string Intercooler(const Ctx& c, const CFloatPtSpec& spec) {
  if (E(c).intercoolerEfficiency.GetValue() == 0.0f) return "None";
  return Units(spec);
}

// A whole piece of the report folder, or empty (after the error is reported)
// when it cannot be read.
std::string IncludedFile(const Ctx& c, const std::string& name, int openCode, int closeCode) {
  try {
    return ReadTextFile(ReportSpecs::PathInFolder(c.reportFolder, name), "CVexoReport::ResolveMacro");
  } catch (const FileError& error) {
    ReportErrorCode(error.code() == kErrClose ? closeCode : openCode);
    return {};
  }
}

std::string Glossary(const Ctx& c) {
  const ReportSpecs& s = S(c);
  if (!s.includeGlossary) return {};
  return IncludedFile(c, s.fullGlossary ? s.fullGlossaryFile : s.miniGlossaryFile, kErrGlossaryOpen,
                      kErrGlossaryClose);
}

std::string LogoFile(const Ctx& c) {
  const ReportSpecs& s = S(c);
  // A name that is not a plain file name would point the report elsewhere.
  if (!s.includeLogo || !ReportSpecs::IsPlainFileName(s.logoFile)) return kReportNullLogoFile;
  return Plain(s.logoFile);
}

// The air the report's power and torque hold for; with nothing chosen, the
// model's own. Domestic like the figures it speaks of.
std::string Conditions(const Ctx& c) {
  return Plain(ConditionsNote(c.document->DisplayConditions(), false));
}

// A note paragraph under the results when their figures are corrected or
// brought to a weather; nothing otherwise, so an uncorrected report reads as before.
std::string ConditionsParagraph(const Ctx& c) {
  if (!IsTransformed(c.document->DisplayConditions())) return {};
  return "<p class=\"note\">" + Conditions(c) + "</p>";
}

std::string Now(const Ctx& c, bool date) {
  return date ? FormatReportDate(c.now) : FormatReportTime(c.now);
}

// ---- single macros -----------------------------------------------------------

struct SingleMacro {
  const char* name;
  TextFn text;
};

// clang-format off
const SingleMacro kSingleMacros[] = {
    // report identity and included pieces
    {"_VERSION", [](const Ctx&) { return std::string(kReportVersionText); }},
    {"_DATE", [](const Ctx& c) { return Now(c, true); }},
    {"_TIME", [](const Ctx& c) { return Now(c, false); }},
    {"_TESTENGINE", [](const Ctx& c) { return Plain(S(c).testTitle); }},
    {"_COMPANYNAME", [](const Ctx& c) { return Plain(S(c).company); }},
    {"_ADDRESSLINE1", [](const Ctx& c) { return Plain(S(c).addressLine1); }},
    {"_ADDRESSLINE2", [](const Ctx& c) { return Plain(S(c).addressLine2); }},
    {"_PHONEFAX", [](const Ctx& c) { return Plain(S(c).phoneFax); }},
    {"_EMAILWEB", [](const Ctx& c) { return Plain(S(c).emailWeb); }},
    {"_TESTEDBY", [](const Ctx& c) { return Plain(S(c).tester); }},
    {"_DESIGNBY", [](const Ctx& c) { return Plain(S(c).designer); }},
    {"_LOGOFILE", LogoFile},
    {"_LEFTCHARTFILE", [](const Ctx&) { return std::string(kReportLeftChartFile); }},
    {"_RIGHTCHARTFILE", [](const Ctx&) { return std::string(kReportRightChartFile); }},
    {"_INCLUDEATBOTTOM", [](const Ctx& c) {
       const ReportSpecs& s = S(c);
       return s.includePageBottom ? IncludedFile(c, s.pageBottomFile, kErrPageBottomOpen, kErrPageBottomClose)
                                  : std::string();
     }},
    {"_TABLEOFCONTENTS", [](const Ctx& c) {
       const ReportSpecs& s = S(c);
       return s.includeTableOfContents ? IncludedFile(c, s.tableOfContentsFile, kErrTocOpen, kErrTocClose)
                                       : std::string();
     }},
    {"_GLOSSARY", Glossary},
    {"_CONDITIONS", Conditions},
    {"_CONDNOTE", ConditionsParagraph},

    // short block
    {"_SBTYPE", [](const Ctx& c) { return Text(E(c).shortBlockType); }},
    {"_SBBORE", [](const Ctx& c) { return Units(E(c).bore); }},
    {"_SBSTROKE", [](const Ctx& c) { return Units(E(c).stroke); }},
    {"_SBNUMCYL", [](const Ctx& c) { return Text(E(c).cylinders); }},
    {"_SBCYLVOL", [](const Ctx& c) { return Units(E(c).cylinderVolume); }},
    {"_SBTOTVOL", [](const Ctx& c) { return Units(E(c).totalBlockVolume); }},
    {"_SBRODLEN", [](const Ctx& c) { return Units(E(c).rodLength); }},
    {"_SBRODRAT", [](const Ctx& c) { return Text(E(c).rodRatio); }},

    // cylinder head and port flow (the flow points are a table of their own)
    {"_CHTYPE", [](const Ctx& c) { return Text(E(c).cylinderHeadType); }},
    {"_CHNUMIV", [](const Ctx& c) { return Text(E(c).intakeValves); }},
    {"_CHNUMEV", [](const Ctx& c) { return Text(E(c).exhaustValves); }},
    {"_CHIVDIA", [](const Ctx& c) { return Units(E(c).intakeValveDiameter); }},
    {"_CHEVDIA", [](const Ctx& c) { return Units(E(c).exhaustValveDiameter); }},
    {"_CHIVTDIA", [](const Ctx& c) { return Units(E(c).flow.TestDiameter(FlowSide::Intake)); }},
    {"_CHIVTP", [](const Ctx& c) { return Units(E(c).flow.PressureDrop(FlowSide::Intake)); }},
    {"_CHIVTNUM", [](const Ctx& c) { return Text(E(c).flow.ValvesPerPort(FlowSide::Intake)); }},
    {"_CHEVTDIA", [](const Ctx& c) { return Units(E(c).flow.TestDiameter(FlowSide::Exhaust)); }},
    {"_CHEVTP", [](const Ctx& c) { return Units(E(c).flow.PressureDrop(FlowSide::Exhaust)); }},
    {"_CHEVTNUM", [](const Ctx& c) { return Text(E(c).flow.ValvesPerPort(FlowSide::Exhaust)); }},
    {"_CHAFNOTES", [](const Ctx& c) { return Plain(E(c).flow.GetNotes()); }},

    // compression ratio
    {"_CRVALUE", [](const Ctx& c) { return Text(E(c).compressionRatio); }},
    {"_CRCYLVOL", [](const Ctx& c) { return Units(E(c).cylinderVolume); }},
    {"_CRTYPE", CalculatorMethod},
    {"_CRCLHVOL", [](const Ctx& c) { return Calculator(c, E(c).chamberVolume, 0); }},
    {"_CRHGVOL", [](const Ctx& c) { return Calculator(c, E(c).gasketVolume, 0); }},
    {"_CRDECKVOL", [](const Ctx& c) { return Calculator(c, E(c).deckVolume, 0); }},
    {"_CRPKSDMEV", [](const Ctx& c) { return Calculator(c, E(c).domeVolume, kKnownVolumesMethod); }},
    {"_CRPKSRLFV", [](const Ctx& c) { return Calculator(c, E(c).reliefsVolume, kKnownVolumesMethod); }},
    {"_CRPKSDECK", [](const Ctx& c) { return Calculator(c, E(c).deckClearance, kKnownVolumesMethod); }},
    {"_CRPBSDIST", [](const Ctx& c) { return Calculator(c, E(c).downBoreDistance, kBuretteMethod); }},
    {"_CRPBSMVOL", [](const Ctx& c) { return Calculator(c, E(c).measuredVolume, kBuretteMethod); }},

    // induction
    {"_IFLOW", [](const Ctx& c) { return Units(E(c).inductionFlow); }},
    {"_IPRES", [](const Ctx& c) { return Units(E(c).pressureDrop); }},
    {"_ITYPE", [](const Ctx& c) { return Text(E(c).manifoldType); }},
    {"_IFUEL", [](const Ctx& c) { return Text(E(c).fuelType); }},
    {"_INITRATE", [](const Ctx& c) { return Units(E(c).nitrousFlowRate); }},
    {"_IFORCED", [](const Ctx& c) { return Text(E(c).forcedInductionType); }},
    {"_TURBSIZE", [](const Ctx& c) { return Units(E(c).turbineDiameter); }},
    {"_ARRATIO", [](const Ctx& c) { return Units(E(c).turbineAR); }},
    {"_NTURBOS", [](const Ctx& c) { return Units(E(c).turbos); }},
    {"_INTERNGR", [](const Ctx& c) { return Units(E(c).internalGearRatio); }},
    {"_IBELTGR", [](const Ctx& c) { return Units(E(c).beltGearRatio); }},
    {"_IBOOST", [](const Ctx& c) { return Units(E(c).boostLimit); }},
    {"_INTRCOOL", [](const Ctx& c) { return Intercooler(c, E(c).intercoolerEfficiency); }},
    {"_ICPD", [](const Ctx& c) { return Intercooler(c, E(c).intercoolerPressureDrop); }},

    // exhaust
    {"_EXHTYPE", [](const Ctx& c) { return Text(E(c).exhaustSystem); }},

    // camshaft: type and cam card of each lobe
    {"_CMTYPE", [](const Ctx& c) { return Text(LS(c).CamType()); }},
    {"_CMLTYPE", [](const Ctx& c) { return Text(LS(c).LifterType()); }},
    {"_CMLCTALS", [](const Ctx& c) { return Text(LS(c).LobeCenterAngle()); }},
    {"_CMOVLLS", [](const Ctx& c) { return Text(LS(c).ValveOverlap()); }},
    {"_CMIARLS", [](const Ctx& c) { return Text(LS(c).IntakeAdvance()); }},
    {"_CMEARLS", [](const Ctx& c) { return Text(LS(c).ExhaustAdvance()); }},
    {"_CMILIFTLS", [](const Ctx& c) { return Units(LS(c).IntakeLift()); }},
    {"_CMELIFTLS", [](const Ctx& c) { return Units(LS(c).ExhaustLift()); }},
    {"_CMIDURLS", [](const Ctx& c) { return Text(LS(c).IntakeDuration()); }},
    {"_CMEDURLS", [](const Ctx& c) { return Text(LS(c).ExhaustDuration()); }},
    {"_CMLCTAHS", [](const Ctx& c) { return Text(HS(c).LobeCenterAngle()); }},
    {"_CMOVLHS", [](const Ctx& c) { return Text(HS(c).ValveOverlap()); }},
    {"_CMIARHS", [](const Ctx& c) { return Text(HS(c).IntakeAdvance()); }},
    {"_CMEARHS", [](const Ctx& c) { return Text(HS(c).ExhaustAdvance()); }},
    {"_CMILIFTHS", [](const Ctx& c) { return Units(HS(c).IntakeLift()); }},
    {"_CMELIFTHS", [](const Ctx& c) { return Units(HS(c).ExhaustLift()); }},
    {"_CMIDURHS", [](const Ctx& c) { return Text(HS(c).IntakeDuration()); }},
    {"_CMEDURHS", [](const Ctx& c) { return Text(HS(c).ExhaustDuration()); }},

    // camshaft: primary (nominal) events and centrelines
    {"_CMTMETHLS", [](const Ctx& c) { return Text(LS(c).Method(TimingSet::Primary)); }},
    {"_CMTMETHHS", [](const Ctx& c) { return Text(HS(c).Method(TimingSet::Primary)); }},
    {"_IVOLS1", [](const Ctx& c) { return Text(LS(c).Event(TimingSet::Primary, kIVO)); }},
    {"_IVCLS1", [](const Ctx& c) { return Text(LS(c).Event(TimingSet::Primary, kIVC)); }},
    {"_EVOLS1", [](const Ctx& c) { return Text(LS(c).Event(TimingSet::Primary, kEVO)); }},
    {"_EVCLS1", [](const Ctx& c) { return Text(LS(c).Event(TimingSet::Primary, kEVC)); }},
    {"_CMICTLLS", [](const Ctx& c) { return Text(LS(c).IntakeCenterline()); }},
    {"_CMECTLLS", [](const Ctx& c) { return Text(LS(c).ExhaustCenterline()); }},
    {"_IVOHS1", [](const Ctx& c) { return Text(HS(c).Event(TimingSet::Primary, kIVO)); }},
    {"_IVCHS1", [](const Ctx& c) { return Text(HS(c).Event(TimingSet::Primary, kIVC)); }},
    {"_EVOHS1", [](const Ctx& c) { return Text(HS(c).Event(TimingSet::Primary, kEVO)); }},
    {"_EVCHS1", [](const Ctx& c) { return Text(HS(c).Event(TimingSet::Primary, kEVC)); }},
    {"_CMICTLHS", [](const Ctx& c) { return Text(HS(c).IntakeCenterline()); }},
    {"_CMECTLHS", [](const Ctx& c) { return Text(HS(c).ExhaustCenterline()); }},

    // camshaft: actual events (nominal plus advance) and centrelines
    {"_IVOTLS", [](const Ctx& c) { return Text(LS(c).ActualEvent(kIVO)); }},
    {"_IVCTLS", [](const Ctx& c) { return Text(LS(c).ActualEvent(kIVC)); }},
    {"_EVOTLS", [](const Ctx& c) { return Text(LS(c).ActualEvent(kEVO)); }},
    {"_EVCTLS", [](const Ctx& c) { return Text(LS(c).ActualEvent(kEVC)); }},
    {"_CMTICTLLS", [](const Ctx& c) { return Text(LS(c).ActualIntakeCenterline()); }},
    {"_CMTECTLLS", [](const Ctx& c) { return Text(LS(c).ActualExhaustCenterline()); }},
    {"_IVOTHS", [](const Ctx& c) { return Text(HS(c).ActualEvent(kIVO)); }},
    {"_IVCTHS", [](const Ctx& c) { return Text(HS(c).ActualEvent(kIVC)); }},
    {"_EVOTHS", [](const Ctx& c) { return Text(HS(c).ActualEvent(kEVO)); }},
    {"_EVCTHS", [](const Ctx& c) { return Text(HS(c).ActualEvent(kEVC)); }},
    {"_CMTICTLHS", [](const Ctx& c) { return Text(HS(c).ActualIntakeCenterline()); }},
    {"_CMTECTLHS", [](const Ctx& c) { return Text(HS(c).ActualExhaustCenterline()); }},

    // camshaft: secondary events, ramp rates, variable valve timing
    {"_CMTMETH2", [](const Ctx& c) { return Text(LS(c).Method(TimingSet::Secondary)); }},
    {"_IVOLS2", [](const Ctx& c) { return Text(LS(c).Event(TimingSet::Secondary, kIVO)); }},
    {"_IVCLS2", [](const Ctx& c) { return Text(LS(c).Event(TimingSet::Secondary, kIVC)); }},
    {"_EVOLS2", [](const Ctx& c) { return Text(LS(c).Event(TimingSet::Secondary, kEVO)); }},
    {"_EVCLS2", [](const Ctx& c) { return Text(LS(c).Event(TimingSet::Secondary, kEVC)); }},
    {"_IVOHS2", [](const Ctx& c) { return Text(HS(c).Event(TimingSet::Secondary, kIVO)); }},
    {"_IVCHS2", [](const Ctx& c) { return Text(HS(c).Event(TimingSet::Secondary, kIVC)); }},
    {"_EVOHS2", [](const Ctx& c) { return Text(HS(c).Event(TimingSet::Secondary, kEVO)); }},
    {"_EVCHS2", [](const Ctx& c) { return Text(HS(c).Event(TimingSet::Secondary, kEVC)); }},
    {"_CMLALS", [](const Ctx& c) { return Text(LS(c).RampRate()); }},
    {"_CMLAHS", [](const Ctx& c) { return Text(HS(c).RampRate()); }},
    {"_VVTYESNO", [](const Ctx& c) { return std::string(E(c).camshaft.variableValveTiming ? "Yes" : "No"); }},
    {"_AUTOLS", [](const Ctx& c) { return std::string(LS(c).AutoRampRateOn() ? "(Auto)" : kUnassignedText); }},
    {"_AUTOHS", [](const Ctx& c) { return std::string(HS(c).AutoRampRateOn() ? "(Auto)" : kUnassignedText); }},
    {"_ACTRPMHS", [](const Ctx& c) { return Text(E(c).camshaft.activationRpm); }},
    {"_NOTES", [](const Ctx& c) { return Text(E(c).notes); }},
};
// clang-format on

// ---- port-flow points: "_CHIVFLOW1" .. "_CHIVFLOW10" and so on ----------------

struct FlowPointMacro {
  const char* prefix;
  FlowSide side;
  bool lift;  //!< the valve lift, else the airflow
};

const FlowPointMacro kFlowPointMacros[] = {
    {"_CHIVFLOW", FlowSide::Intake, false},
    {"_CHIVLIFT", FlowSide::Intake, true},
    {"_CHEVFLOW", FlowSide::Exhaust, false},
    {"_CHEVLIFT", FlowSide::Exhaust, true},
};

// ---- results: stem followed by the point number 1 .. 28 ---------------------

enum class NitrousSplit {
  None,
  WithoutNitrous,  //!< the run without nitrous, else the value itself
  NitrousGain,     //!< the value minus the run without nitrous, else 0
};

struct ResultMacro {
  const char* stem;
  ResultArray ResultSet::*values;
  int decimals;
  float factor = 1.0f;
  NitrousSplit split = NitrousSplit::None;
  ResultArray ReportMacroContext::*withoutNitrous = nullptr;
};

// The rated airflow of a carburettor that would feed the measured induction airflow.
constexpr float kRatedFlowFactor = 1.3f;

const ResultMacro kResultMacros[] = {
    {"_RPM", &ResultSet::rpm, 0},
    {"_HP", &ResultSet::power, 0},
    {"_HPGAS", &ResultSet::power, 0, 1.0f, NitrousSplit::WithoutNitrous, &Ctx::powerWithoutNitrous},
    {"_HPNINC", &ResultSet::power, 0, 1.0f, NitrousSplit::NitrousGain, &Ctx::powerWithoutNitrous},
    {"_TORQ", &ResultSet::torque, 0},
    {"_TQGAS", &ResultSet::torque, 0, 1.0f, NitrousSplit::WithoutNitrous, &Ctx::torqueWithoutNitrous},
    {"_TQNINC", &ResultSet::torque, 0, 1.0f, NitrousSplit::NitrousGain, &Ctx::torqueWithoutNitrous},
    {"_IMPRES", &ResultSet::manifoldPressure, 2},
    {"_VEFF", &ResultSet::volumetricEfficiency, 1},
    {"_BMEP", &ResultSet::bmep, 1},
    {"_IHP", &ResultSet::indicatedPower, 0},
    {"_FHP", &ResultSet::frictionPower, 0},
    {"_PHP", &ResultSet::pumpingPower, 0},
    {"_MEFF", &ResultSet::mechanicalEfficiency, 1},
    {"_INDFLOW", &ResultSet::inductionAirflow, 1},
    {"_RINDFLOW", &ResultSet::inductionAirflow, 0, kRatedFlowFactor},
    {"_PFORCE", &ResultSet::pistonForce, 0},
    {"_PSPEED", &ResultSet::pistonSpeed, 0},
    {"_IMEP", &ResultSet::imep, 1},
    {"_FMEP", &ResultSet::fmep, 1},
    {"_PMEP", &ResultSet::pmep, 1},
};

std::string ResultText(const Ctx& c, const ResultMacro& macro, int point) {
  const ResultSet set = c.document->ShownResults(ResultSetId::Displayed);
  // A cleared set reads as empty whatever its arrays still hold.
  if (point >= set.count) return kUnassignedText;
  const float value = (set.*macro.values)[point] * macro.factor;
  if (macro.split == NitrousSplit::None || !c.nitrous) {
    if (macro.split == NitrousSplit::NitrousGain) return FormatFixed(0.0, macro.decimals);
    return FormatFixed(value, macro.decimals);
  }
  // Without a run without nitrous there is nothing to split by.
  if (point >= c.countWithoutNitrous) return kUnassignedText;
  const float without = (c.*macro.withoutNitrous)[point];
  return FormatFixed(macro.split == NitrousSplit::WithoutNitrous ? without : value - without,
                     macro.decimals);
}

// ---- lookup -------------------------------------------------------------------

enum class MacroKind { Single, FlowPoint, Result };

struct MacroEntry {
  MacroKind kind;
  int row;    //!< row of the kind's table
  int point;  //!< 0-based point of a flow or result macro
};

struct MacroIndex {
  std::vector<std::string> names;
  std::unordered_map<std::string, MacroEntry> entries;
  int singleCount = 0;

  void Add(std::string name, MacroEntry entry) {
    BRISCA_ASSERT(entries.emplace(name, entry).second);
    names.push_back(std::move(name));
  }
};

const MacroIndex& Index() {
  static const MacroIndex index = [] {
    MacroIndex built;
    int row = 0;
    for (const SingleMacro& macro : kSingleMacros) built.Add(macro.name, {MacroKind::Single, row++, 0});
    row = 0;
    for (const FlowPointMacro& macro : kFlowPointMacros) {
      for (int point = 0; point < kMaxFlowPoints; ++point)
        built.Add(macro.prefix + FormatInt(point + 1), {MacroKind::FlowPoint, row, point});
      ++row;
    }
    built.singleCount = static_cast<int>(built.names.size());
    row = 0;
    for (const ResultMacro& macro : kResultMacros) {
      for (int point = 0; point < kResultPoints; ++point)
        built.Add(macro.stem + FormatInt(point + 1), {MacroKind::Result, row, point});
      ++row;
    }
    return built;
  }();
  return index;
}

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

std::string TwoDigits(int value) {
  std::string text = FormatInt(value);
  return text.size() < 2 ? "0" + text : text;
}

}  // namespace

bool ResolveReportMacro(std::string_view name, const ReportMacroContext& context, std::string& text) {
  const MacroIndex& index = Index();
  const auto found = index.entries.find(std::string(name));
  if (found == index.entries.end()) return false;
  BRISCA_ASSERT(context.document != nullptr && context.settings != nullptr);
  const MacroEntry& entry = found->second;
  text = kUnassignedText;
  switch (entry.kind) {
    case MacroKind::Single:
      text = kSingleMacros[entry.row].text(context);
      break;
    case MacroKind::FlowPoint: {
      const FlowPointMacro& macro = kFlowPointMacros[entry.row];
      const CCylHeadFlow& flow = E(context).flow;
      text = Text(macro.lift ? flow.Lift(macro.side, entry.point) : flow.Flow(macro.side, entry.point));
      break;
    }
    case MacroKind::Result:
      text = ResultText(context, kResultMacros[entry.row], entry.point);
      break;
  }
  return true;
}

std::vector<std::string> ReportMacroNames() { return Index().names; }

int SingleReportMacroCount() { return Index().singleCount; }

std::string FormatReportDate(const std::tm& time) {
  const int day = time.tm_wday >= 0 && time.tm_wday < 7 ? time.tm_wday : 0;
  const int month = time.tm_mon >= 0 && time.tm_mon < 12 ? time.tm_mon : 0;
  return std::string(kDayNames[day]) + ", " + kMonthNames[month] + " " + TwoDigits(time.tm_mday) +
         ", " + FormatInt(time.tm_year + 1900);
}

std::string FormatReportTime(const std::tm& time) {
  const int hour12 = time.tm_hour % 12 == 0 ? 12 : time.tm_hour % 12;
  return TwoDigits(hour12) + ":" + TwoDigits(time.tm_min) + (time.tm_hour < 12 ? " AM" : " PM");
}

std::string EscapeReportText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&#39;"; break;
      case '_': escaped += "&#95;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

}  // namespace brisca
