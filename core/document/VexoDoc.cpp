#include "core/document/VexoDoc.h"

#include <algorithm>
#include <atomic>

#include "core/document/DocumentHost.h"
#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/document/PartCat.h"

namespace brisca {
namespace {

// Document numbers only grow, so a closed and reopened document is never
// mistaken for its predecessor.
std::atomic<int> g_nextDocumentNumber{1};

constexpr const char* kGasolineName = "Gasoline";
constexpr const char* kNoForcedInductionName = "None";
constexpr int kGasolineItem = 1;

}  // namespace

CVexoDoc::CVexoDoc(DocumentHost* host)
    : host_(host), title_("Untitled"), documentNumber_(g_nextDocumentNumber++) {
  CheckCatalogueRanges();
  ClearComponents();
}

void CVexoDoc::ClearCalculatorData() {
  engine_.crDataValid = false;
  engine_.crMethod = 2;
  for (CFloatPtSpec* spec : engine_.CalculatorSpecs()) spec->Unassign();
}

void CVexoDoc::ClearComponents() {
  EngineParameters& e = engine_;
  for (CSimSpec* spec : std::initializer_list<CSimSpec*>{
           &e.shortBlockType, &e.bore, &e.stroke, &e.cylinders, &e.cylinderVolume,
           &e.totalBlockVolume, &e.rodLength, &e.rodRatio}) {
    spec->Unassign();
  }
  e.rodByRatio = true;
  e.cylinderHeadType.Unassign();
  e.intakeValves.Unassign();
  e.exhaustValves.Unassign();
  e.airflowFile.Unassign();
  e.flow.Reset();
  e.intakeValveDiameter.Unassign();
  e.exhaustValveDiameter.Unassign();
  e.compressionRatio.Unassign();
  e.combustionSpace.Unassign();
  ClearCalculatorData();
  for (CSimSpec* spec : std::initializer_list<CSimSpec*>{
           &e.inductionFlow, &e.pressureDrop, &e.manifoldType, &e.fuelType, &e.nitrousFlowRate}) {
    spec->Unassign();
  }
  e.forcedInductionType.SetSelection(kNoForcedInductionItem, kNoForcedInductionName);
  e.forcedInductionKind = kNoForcedInduction;
  e.blowerFlowPerRevolution.ResetValue();
  e.compressorMap = 0;
  e.blowerEfficiency = 0.0f;
  e.blowerMaxSpeed = 0.0f;
  e.turbineDiameter.ResetValue();
  e.turbineAR.ResetValue();
  e.turbos.Unassign();
  for (CFloatPtSpec* spec : {&e.internalGearRatio, &e.beltGearRatio, &e.boostLimit,
                             &e.intercoolerEfficiency, &e.intercoolerPressureDrop}) {
    spec->ResetValue();
  }
  e.exhaustSystem.Unassign();
  e.camDataFile.Unassign();
  e.camshaft.Clear();
  e.notes.Unassign();
  SetUnits(false);
  e.autoValveSizes = false;
  e.autoRun = true;
  for (ResultSet& set : e.results) set.Clear();
  report_.Clear();  // the first report fills them from the saved defaults
  for (auto& iterator : iterators_) iterator.reset();
  baselineChanged_ = true;
  e.fuelType.SetSelection(kGasolineItem, kGasolineName);
  e.nitrousFlowRate.SetValue(0.0f);
  e.rodRatio.SetValue(kDefaultRodRatio);
}

void CVexoDoc::SetUnits(bool metric) {
  engine_.metricUnits = metric;
  engine_.ConvertUnits(metric);
}

void CVexoDoc::CopyFrom(const CVexoDoc& source) {
  BRISCA_ASSERT(&source != this);
  title_ = source.title_;
  engine_ = source.engine_;
}

void CVexoDoc::ClearAutoFlags() {
  engine_.autoValveSizes = false;
  engine_.camshaft.lowSpeedLobe.SetAutoValveLift(false);
  engine_.camshaft.highSpeedLobe.SetAutoValveLift(false);
  engine_.camshaft.lowSpeedLobe.SetAutoRampRate(false);
  engine_.camshaft.highSpeedLobe.SetAutoRampRate(false);
  engine_.camshaft.autoActivationRpm = false;
}

bool CVexoDoc::IsDocumentOpen(const CVexoDoc* document) const {
  if (!host_ || !document) return false;
  const std::vector<CVexoDoc*> open = host_->OpenDocuments();
  return std::find(open.begin(), open.end(), document) != open.end();
}

bool CVexoDoc::IsSameDocument(const CVexoDoc* document, int number) const {
  BRISCA_ASSERT(number != 0);
  return IsDocumentOpen(document) && document->GetDocumentNumber() == number;
}

bool CVexoDoc::ConfirmSpecChange(const CSimSpec& spec) {
  // A change to the Pro Iterator's baseline invalidates its results.
  bool markBaselineChanged = false;
  if (iterators_[0] && iterators_[0]->HoldsResults() && !baselineChanged_) {
    if (ReportWarningCode(205) == MessageButton::Cancel) return false;
    markBaselineChanged = true;
  }
  const bool boreOrStroke = &spec == &engine_.bore || &spec == &engine_.stroke;
  bool clearCalculator = false;
  if (boreOrStroke && engine_.crDataValid) {
    if (ReportWarningCode(203) == MessageButton::Cancel) return false;
    clearCalculator = true;
  }
  if (&spec == &engine_.compressionRatio && engine_.crDataValid) {
    if (ReportWarningCode(202) == MessageButton::Cancel) return false;
    clearCalculator = true;
  }
  if (clearCalculator) ClearCalculatorData();
  if (markBaselineChanged) baselineChanged_ = true;
  return true;
}

void CVexoDoc::RedrawViews() {
  if (host_) host_->UpdateAllViews(*this);
}

bool CVexoDoc::OnRun() {
  const bool ok = RunSimulation(true, true);
  RedrawViews();
  return ok;
}

void CVexoDoc::OnAutoRun() { engine_.autoRun = !engine_.autoRun; }

void CVexoDoc::OnUnits(bool metric) {
  if (metric != engine_.metricUnits && ConfirmSpecChange(engine_.totalBlockVolume)) {
    SetUnits(metric);
  }
  RedrawViews();
}

void CVexoDoc::OnClearComponents() {
  ClearComponents();
  SetUnits(engine_.metricUnits);
  modified_ = false;
  RedrawViews();
}

// --- Result queries ---------------------------------------------------------

const ResultArray& CVexoDoc::GetResultArray(int quantity) const {
  const ResultSet& d = Results(ResultSetId::Displayed);
  const ResultSet& low = Results(ResultSetId::LowSpeedLobe);
  const ResultSet& high = Results(ResultSetId::HighSpeedLobe);
  switch (quantity) {
    case 1: return d.rpm;
    case 2: return d.power;
    case 3: return d.torque;
    case 4: return d.manifoldPressure;
    case 5: return d.boost;
    case 6: return d.volumetricEfficiency;
    case 7: return d.imep;
    case 8: return d.bmep;
    case 9: return d.fmep;
    case 10: return d.indicatedPower;
    case 11: return d.frictionPower;
    case 12: return d.pumpingPower;
    case 13: return d.mechanicalEfficiency;
    case 14: return d.inductionAirflow;
    case 15: return d.pistonForce;
    case 16: return d.pistonSpeed;
    case 17: return d.pmep;
    case 18: return d.wheelPower;
    case 19: return low.power;
    case 20: return high.power;
    case 21: return low.torque;
    case 22: return high.torque;
    case 23: return d.wheelTorque;
    default: break;
  }
  FatalAssert(__FILE__, __LINE__);
}

float CVexoDoc::ResultAt(int quantity, int index) const {
  BRISCA_ASSERT(index >= 0 && index < kResultPoints);
  return GetResultArray(quantity)[index];
}

float CVexoDoc::PeakInWindow(int quantity, float low, float high) const {
  BRISCA_ASSERT(quantity >= 2 && quantity <= 9);
  BRISCA_ASSERT(low >= kSweepMinRpm && low < high && high <= kSweepMaxRpm);
  const ResultArray& rpm = GetResultArray(1);
  const ResultArray& values = GetResultArray(quantity);
  float peak = 0.0f;
  for (int k = 0; k < kResultPoints; ++k) {
    if (rpm[k] >= low && rpm[k] <= high) peak = std::max(peak, values[k]);
  }
  return peak;
}

float CVexoDoc::SpeedOfPeak(int quantity) const {
  BRISCA_ASSERT(quantity == 2 || quantity == 3);
  const ResultSet& d = Results();
  const ResultArray& values = GetResultArray(quantity);
  int best = 0;
  float bestValue = 0.0f;
  for (int k = 0; k < d.count; ++k) {
    if (values[k] > bestValue) {
      best = k;
      bestValue = values[k];
    }
  }
  return d.rpm[best];
}

float CVexoDoc::AreaInWindow(int quantity, float low, float high) const {
  BRISCA_ASSERT(quantity >= 2 && quantity <= 9);
  const ResultArray& rpm = GetResultArray(1);
  const ResultArray& values = GetResultArray(quantity);
  // Each segment [x_i, x_i+1] starting inside [low, high) adds its triangle,
  // and its rectangle where y_i is positive.
  double area = 0.0;
  for (int k = 0; k + 1 < kResultPoints; ++k) {
    if (rpm[k] >= low && rpm[k] < high) {
      const double dx = static_cast<double>(rpm[k + 1]) - rpm[k];
      area += (static_cast<double>(values[k + 1]) - values[k]) * dx / 2.0;
      if (values[k] > 0.0f) area += values[k] * dx;
    }
  }
  return static_cast<float>(area * 0.001);
}

}  // namespace brisca
