// The checks that gate every run and save. The first failing check decides the
// numbered error the caller shows.
#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"

namespace brisca {
namespace {

struct Check {
  const CSimSpec* spec;
  int code;
};

//! The first check whose spec is not valid sets `code`.
bool RunChecks(std::initializer_list<Check> checks, int& code) {
  for (const Check& c : checks) {
    if (!c.spec->IsValid()) {
      code = c.code;
      return false;
    }
  }
  return true;
}

}  // namespace

bool CVexoDoc::ValidateShortBlock(int& code) const {
  const EngineParameters& e = engine_;
  return RunChecks({{&e.shortBlockType, 1}, {&e.bore, 2}, {&e.stroke, 3}, {&e.cylinders, 4},
                    {&e.rodRatio, 168}},
                   code);
}

bool CVexoDoc::AreDerivedVolumesCurrent() const {
  int code = 0;
  return ValidateShortBlock(code);
}

bool CVexoDoc::ValidateCylinderHead(int& code) const {
  const EngineParameters& e = engine_;
  return RunChecks({{&e.cylinderHeadType, 5}, {&e.intakeValves, 6}, {&e.exhaustValves, 7}}, code) &&
         e.flow.Validate(code) &&
         RunChecks({{&e.intakeValveDiameter, 8}, {&e.exhaustValveDiameter, 9}}, code);
}

bool CVexoDoc::ValidateCompressionRatio(int& code) const {
  return RunChecks({{&engine_.compressionRatio, 10}}, code);
}

bool CVexoDoc::ValidateInduction(int& code) const {
  const EngineParameters& e = engine_;
  if (!RunChecks({{&e.inductionFlow, 11}, {&e.pressureDrop, 12}, {&e.manifoldType, 13},
                  {&e.fuelType, 14}, {&e.nitrousFlowRate, 15}},
                 code)) {
    return false;
  }
  if (e.forcedInductionType.GetValue() == kNoForcedInductionItem) return true;
  const int kind = e.forcedInductionKind;
  BRISCA_ASSERT(kind >= kTurbocharger && kind <= kScrewBlower);
  if (kind != kTurbocharger && !RunChecks({{&e.beltGearRatio, 23}}, code)) return false;
  if (kind == kCentrifugalBlower && !RunChecks({{&e.internalGearRatio, 22}}, code)) return false;
  if (kind == kTurbocharger &&
      !RunChecks({{&e.turbineDiameter, 20}, {&e.turbineAR, 21}, {&e.turbos, 21}}, code)) {
    return false;
  }
  return RunChecks({{&e.boostLimit, 24}, {&e.intercoolerEfficiency, 25},
                    {&e.intercoolerPressureDrop, 18}},
                   code);
}

bool CVexoDoc::ValidateExhaust(int& code) const {
  return RunChecks({{&engine_.exhaustSystem, 26}}, code);
}

bool CVexoDoc::ValidateCamshaft(int& code) const { return engine_.camshaft.Validate(code); }

bool CVexoDoc::Validate(int& code) const {
  return ValidateShortBlock(code) && ValidateCylinderHead(code) && ValidateCompressionRatio(code) &&
         ValidateInduction(code) && ValidateExhaust(code) && ValidateCamshaft(code);
}

}  // namespace brisca
