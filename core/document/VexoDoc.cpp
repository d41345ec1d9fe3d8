#include "core/document/VexoDoc.h"

#include <algorithm>
#include <atomic>
#include <utility>

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
  // A refused change leaves no name behind for the next one.
  auto refuse = [this] {
    changeName_.clear();
    return false;
  };
  // A change to the Pro Iterator's baseline invalidates its results.
  bool markBaselineChanged = false;
  if (iterators_[0] && iterators_[0]->HoldsResults() && !baselineChanged_) {
    if (ReportWarningCode(205) == MessageButton::Cancel) return refuse();
    markBaselineChanged = true;
  }
  const bool boreOrStroke = &spec == &engine_.bore || &spec == &engine_.stroke;
  bool clearCalculator = false;
  if (boreOrStroke && engine_.crDataValid) {
    if (ReportWarningCode(203) == MessageButton::Cancel) return refuse();
    clearCalculator = true;
  }
  if (&spec == &engine_.compressionRatio && engine_.crDataValid) {
    if (ReportWarningCode(202) == MessageButton::Cancel) return refuse();
    clearCalculator = true;
  }
  if (clearCalculator) ClearCalculatorData();
  if (markBaselineChanged) baselineChanged_ = true;
  if (spec.GetLabel()) NameChange(spec.GetLabel());
  return true;
}

void CVexoDoc::SetModified(bool modified) {
  if (modified != modified_) {
    modified_ = modified;
    if (host_) host_->ModifiedChanged(*this);
  }
  if (modified) ++changesMarked_;
  if (!host_) return;
  if (modified) {
    host_->ChangeMade(*this);
  } else {
    host_->MarkedUnmodified(*this);
  }
}

DocumentState CVexoDoc::State() const { return {engine_, report_, charts_}; }

void CVexoDoc::RestoreState(const DocumentState& state) {
  engine_ = state.engine;
  report_ = state.report;
  charts_ = state.charts;
  baselineChanged_ = true;
}

void CVexoDoc::NameChange(const std::string& name, bool replace) {
  if (replace || changeName_.empty()) changeName_ = name;
}

std::string CVexoDoc::TakeChangeName() { return std::exchange(changeName_, {}); }

NamedChange::NamedChange(CVexoDoc& document, std::string name)
    : document_(document), name_(std::move(name)), marked_(document.changesMarked_) {
  document_.changeName_ = name_;
}

NamedChange::~NamedChange() {
  if (document_.changesMarked_ == marked_ && document_.changeName_ == name_) document_.changeName_.clear();
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

bool CVexoDoc::OnClearComponents() {
  // A cleared engine counts as unchanged, so unsaved work would go unasked.
  if (modified_ && host_ && !host_->SaveModified(*this)) return false;
  // A step of its own that leaves a clean engine behind.
  changeName_ = "Clear Components";
  if (host_) host_->ChangeMade(*this);
  ClearComponents();
  SetUnits(engine_.metricUnits);
  SetModified(false);
  RedrawViews();
  return true;
}

// --- Result queries ---------------------------------------------------------

namespace {

//! The set a result quantity belongs to and its array there.
struct QuantitySource {
  const ResultSet& set;
  const ResultArray& values;
};

QuantitySource SourceOf(const CVexoDoc& doc, int quantity) {
  const ResultSet& d = doc.Results(ResultSetId::Displayed);
  const ResultSet& low = doc.Results(ResultSetId::LowSpeedLobe);
  const ResultSet& high = doc.Results(ResultSetId::HighSpeedLobe);
  switch (quantity) {
    case 1: return {d, d.rpm};
    case 2: return {d, d.power};
    case 3: return {d, d.torque};
    case 4: return {d, d.manifoldPressure};
    case 5: return {d, d.boost};
    case 6: return {d, d.volumetricEfficiency};
    case 7: return {d, d.imep};
    case 8: return {d, d.bmep};
    case 9: return {d, d.fmep};
    case 10: return {d, d.indicatedPower};
    case 11: return {d, d.frictionPower};
    case 12: return {d, d.pumpingPower};
    case 13: return {d, d.mechanicalEfficiency};
    case 14: return {d, d.inductionAirflow};
    case 15: return {d, d.pistonForce};
    case 16: return {d, d.pistonSpeed};
    case 17: return {d, d.pmep};
    case 18: return {d, d.wheelPower};
    case 19: return {low, low.power};
    case 20: return {high, high.power};
    case 21: return {low, low.torque};
    case 22: return {high, high.torque};
    case 23: return {d, d.wheelTorque};
    default: break;
  }
  FatalAssert(__FILE__, __LINE__);
}

}  // namespace

ResultArray CVexoDoc::GetResultArray(int quantity) const {
  const QuantitySource source = SourceOf(*this, quantity);
  // Points at or past the count do not exist, whatever the array still holds
  // from an earlier run.
  ResultArray values{};
  std::copy_n(source.values.begin(), source.set.count, values.begin());
  return values;
}

int CVexoDoc::ResultCount(int quantity) const { return SourceOf(*this, quantity).set.count; }

float CVexoDoc::ResultAt(int quantity, int index) const {
  BRISCA_ASSERT(index >= 0 && index < kResultPoints);
  const QuantitySource source = SourceOf(*this, quantity);
  return index < source.set.count ? source.values[index] : 0.0f;
}

float CVexoDoc::PeakInWindow(int quantity, float low, float high) const {
  BRISCA_ASSERT(quantity >= 2 && quantity <= 9);
  BRISCA_ASSERT(low >= kSweepMinRpm && low < high && high <= kSweepMaxRpm);
  const QuantitySource source = SourceOf(*this, quantity);
  const ResultArray& rpm = source.set.rpm;
  float peak = 0.0f;
  for (int k = 0; k < source.set.count; ++k) {
    if (rpm[k] >= low && rpm[k] <= high) peak = std::max(peak, source.values[k]);
  }
  return peak;
}

float CVexoDoc::SpeedOfPeak(int quantity) const {
  BRISCA_ASSERT(quantity == 2 || quantity == 3);
  const QuantitySource source = SourceOf(*this, quantity);
  if (source.set.count == 0) return 0.0f;
  int best = 0;
  float bestValue = 0.0f;
  for (int k = 0; k < source.set.count; ++k) {
    if (source.values[k] > bestValue) {
      best = k;
      bestValue = source.values[k];
    }
  }
  return source.set.rpm[best];
}

float CVexoDoc::AreaInWindow(int quantity, float low, float high) const {
  BRISCA_ASSERT(quantity >= 2 && quantity <= 9);
  const QuantitySource source = SourceOf(*this, quantity);
  const ResultArray& rpm = source.set.rpm;
  const ResultArray& values = source.values;
  // Each segment [x_i, x_i+1] starting inside [low, high) adds its triangle,
  // and its rectangle where y_i is positive.
  double area = 0.0;
  for (int k = 0; k + 1 < source.set.count; ++k) {
    if (rpm[k] >= low && rpm[k] < high) {
      const double dx = static_cast<double>(rpm[k + 1]) - rpm[k];
      area += (static_cast<double>(values[k + 1]) - values[k]) * dx / 2.0;
      if (values[k] > 0.0f) area += values[k] * dx;
    }
  }
  return static_cast<float>(area * 0.001);
}

}  // namespace brisca
