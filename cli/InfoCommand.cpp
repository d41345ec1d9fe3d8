#include "cli/InfoCommand.h"

#include <cstdio>
#include <string>

#include "cli/EngineCommand.h"
#include "cli/EngineLoader.h"
#include "cli/json/JsonText.h"
#include "core/spec/FloatPtSpec.h"

namespace brisca::cli {
namespace {

constexpr const char* kForcedInductionKinds[] = {"none", "turbocharger", "centrifugal blower",
                                                 "Roots blower", "screw blower"};

// The engine's sections, printed as text or gathered as JSON.
class InfoOut {
 public:
  explicit InfoOut(bool asJson) : json_(asJson) {}

  void Heading(const char* heading) {
    if (!json_) {
      std::printf("\n%s\n", heading);
      return;
    }
    sections_.push_back({{"title", heading}, {"values", json::Json::array()}});
  }
  void Specs(std::initializer_list<const CSimSpec*> specs) {
    for (const CSimSpec* spec : specs) Spec(*spec);
  }
  void Spec(const CSimSpec& spec) {
    if (!json_) {
      std::printf("  %-40s %s\n", spec.GetLabel(), spec.GetTextWithUnits().c_str());
      return;
    }
    json::Json value = {{"label", spec.GetLabel()}, {"text", spec.GetText()}};
    if (const auto* number = dynamic_cast<const CFloatPtSpec*>(&spec)) {
      value["value"] = spec.IsAssigned() ? json::Number(number->GetValue()) : json::Json(nullptr);
      value["unit"] = number->GetUnitLabel();
    }
    Add(std::move(value));
  }
  void Line(const char* label, const std::string& text) {
    if (!json_) {
      std::printf("  %-40s %s\n", label, text.c_str());
      return;
    }
    Add({{"label", label}, {"text", text}});
  }
  void Title(const std::string& title) {
    if (!json_) std::printf("%s\n", title.c_str());
    title_ = title;
  }
  void Notes(const std::string& text) {
    if (!json_) std::printf("\nNotes\n%s\n", text.c_str());
    notes_ = text;
  }
  //! The JSON document, when gathering one.
  void Finish() const {
    if (!json_) return;
    json::Json document = json::EngineDocument(title_);
    document["sections"] = sections_;
    document["notes"] = notes_;
    const std::string text = json::Text(document);
    std::fwrite(text.data(), 1, text.size(), stdout);
  }

 private:
  void Add(json::Json value) {
    if (sections_.empty()) Heading("Engine");
    sections_.back()["values"].push_back(std::move(value));
  }

  bool json_;
  std::string title_;
  std::string notes_;
  json::Json sections_ = json::Json::array();
};

// A lobe's lifts and its events in the convention its primary timing set was
// given in, with what the core derives from them.
void PrintLobe(InfoOut& out, const char* heading, const CCamProfile& lobe) {
  out.Heading(heading);
  out.Specs({&lobe.CamType(), &lobe.LifterType(), &lobe.IntakeLift(), &lobe.ExhaustLift()});
  out.Spec(lobe.Method(TimingSet::Primary));
  for (const CamEvent event : {kIVO, kIVC, kEVO, kEVC}) out.Spec(lobe.Event(TimingSet::Primary, event));
  out.Specs({&lobe.IntakeDuration(), &lobe.ExhaustDuration(), &lobe.IntakeCenterline(),
             &lobe.ExhaustCenterline(), &lobe.LobeCenterAngle(), &lobe.RampRate()});
}

void PrintEngine(const CVexoDoc& doc, InfoOut& out) {
  const EngineParameters& e = doc.Engine();
  out.Title(doc.GetTitle());
  out.Line("Unit system", e.metricUnits ? "metric" : "domestic");
  out.Line("Auto Run", e.autoRun ? "on" : "off");
  out.Heading("Short block");
  out.Specs({&e.shortBlockType, &e.bore, &e.stroke, &e.cylinders, &e.cylinderVolume,
              &e.totalBlockVolume, &e.rodLength, &e.rodRatio});
  out.Heading("Cylinder heads");
  out.Specs({&e.cylinderHeadType, &e.airflowFile, &e.intakeValves, &e.exhaustValves,
              &e.intakeValveDiameter, &e.exhaustValveDiameter, &e.compressionRatio,
              &e.combustionSpace});
  out.Line("Auto Calculate Valve Sizes", e.autoValveSizes ? "on" : "off");
  out.Heading("Induction");
  out.Specs({&e.inductionFlow, &e.pressureDrop, &e.manifoldType, &e.fuelType,
              &e.nitrousFlowRate, &e.forcedInductionType});
  const int kind = e.forcedInductionKind;
  out.Line("Forced induction", kForcedInductionKinds[kind >= 0 && kind <= 4 ? kind : 0]);
  if (kind != kNoForcedInduction) {
    out.Specs({&e.blowerFlowPerRevolution, &e.turbineDiameter, &e.turbineAR, &e.turbos,
                &e.internalGearRatio, &e.beltGearRatio, &e.boostLimit,
                &e.intercoolerEfficiency, &e.intercoolerPressureDrop});
  }
  out.Heading("Exhaust");
  out.Specs({&e.exhaustSystem});
  out.Heading("Camshaft");
  out.Specs({&e.camDataFile});
  out.Line("Two-lobe (variable valve timing)", e.camshaft.variableValveTiming ? "yes" : "no");
  if (e.camshaft.variableValveTiming) out.Specs({&e.camshaft.activationRpm});
  PrintLobe(out, "Low-speed lobe", e.camshaft.lowSpeedLobe);
  if (e.camshaft.variableValveTiming) PrintLobe(out, "High-speed lobe", e.camshaft.highSpeedLobe);
  if (e.notes.IsValid()) {
    out.Notes(e.notes.GetText());
  }
}

}  // namespace

void AddInfoCommand(CLI::App& app, int& status) {
  AddEngineCommand(app, status, "info", "Show an engine's components and derived values",
                   [](const CVexoDoc& engine, bool asJson) {
                     InfoOut out(asJson);
                     PrintEngine(engine, out);
                     out.Finish();
                     return static_cast<int>(kExitOk);
                   });
}

}  // namespace brisca::cli
