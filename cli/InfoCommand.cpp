#include "cli/InfoCommand.h"

#include <cstdio>
#include <memory>
#include <string>

#include "cli/EngineLoader.h"

namespace brisca::cli {
namespace {

constexpr const char* kForcedInductionKinds[] = {"none", "turbocharger", "centrifugal blower",
                                                 "Roots blower", "screw blower"};

void PrintHeading(const char* heading) { std::printf("\n%s\n", heading); }

void PrintSpecs(std::initializer_list<const CSimSpec*> specs) {
  for (const CSimSpec* spec : specs) {
    std::printf("  %-40s %s\n", spec->GetLabel(), spec->GetTextWithUnits().c_str());
  }
}

void PrintLine(const char* label, const std::string& value) {
  std::printf("  %-40s %s\n", label, value.c_str());
}

void PrintLobe(const char* heading, const CCamProfile& lobe) {
  PrintHeading(heading);
  PrintSpecs({&lobe.CamType(), &lobe.LifterType(), &lobe.IntakeLift(), &lobe.ExhaustLift(),
              &lobe.LobeCenterAngle(), &lobe.RampRate()});
}

void PrintEngine(const CVexoDoc& doc) {
  const EngineParameters& e = doc.Engine();
  std::printf("%s\n", doc.GetTitle().c_str());
  PrintLine("Unit system", e.metricUnits ? "metric" : "domestic");
  PrintLine("Auto Run", e.autoRun ? "on" : "off");
  PrintHeading("Short block");
  PrintSpecs({&e.shortBlockType, &e.bore, &e.stroke, &e.cylinders, &e.cylinderVolume,
              &e.totalBlockVolume, &e.rodLength, &e.rodRatio});
  PrintHeading("Cylinder heads");
  PrintSpecs({&e.cylinderHeadType, &e.airflowFile, &e.intakeValves, &e.exhaustValves,
              &e.intakeValveDiameter, &e.exhaustValveDiameter, &e.compressionRatio,
              &e.combustionSpace});
  PrintLine("Auto Calculate Valve Sizes", e.autoValveSizes ? "on" : "off");
  PrintHeading("Induction");
  PrintSpecs({&e.inductionFlow, &e.pressureDrop, &e.manifoldType, &e.fuelType,
              &e.nitrousFlowRate, &e.forcedInductionType});
  const int kind = e.forcedInductionKind;
  PrintLine("Forced induction", kForcedInductionKinds[kind >= 0 && kind <= 4 ? kind : 0]);
  if (kind != kNoForcedInduction) {
    PrintSpecs({&e.blowerFlowPerRevolution, &e.turbineDiameter, &e.turbineAR, &e.turbos,
                &e.internalGearRatio, &e.beltGearRatio, &e.boostLimit,
                &e.intercoolerEfficiency, &e.intercoolerPressureDrop});
  }
  PrintHeading("Exhaust");
  PrintSpecs({&e.exhaustSystem});
  PrintHeading("Camshaft");
  PrintSpecs({&e.camDataFile});
  PrintLine("Two-lobe (variable valve timing)", e.camshaft.variableValveTiming ? "yes" : "no");
  if (e.camshaft.variableValveTiming) PrintSpecs({&e.camshaft.activationRpm});
  PrintLobe("Low-speed lobe", e.camshaft.lowSpeedLobe);
  if (e.camshaft.variableValveTiming) PrintLobe("High-speed lobe", e.camshaft.highSpeedLobe);
  if (e.notes.IsValid()) {
    PrintHeading("Notes");
    std::printf("%s\n", e.notes.GetText().c_str());
  }
}

}  // namespace

void AddInfoCommand(CLI::App& app, int& status) {
  auto engine = std::make_shared<std::string>();
  CLI::App* command =
      app.add_subcommand("info", "Show an engine's components and derived values");
  command->add_option("engine", *engine, "Engine file (.qen)")->required();
  command->callback([engine, &status] {
    const std::unique_ptr<EngineSession> session = OpenEngine(*engine, "", OpenRun::Never);
    if (!session) {
      status = kExitEngineError;
      return;
    }
    PrintEngine(session->doc);
    status = kExitOk;
  });
}

}  // namespace brisca::cli
