#include "core/iterator/Iterator.h"

#include <algorithm>
#include <cmath>

#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"
#include "core/iterator/EvaluateTogether.h"
#include "core/sim/SimResults.h"
#include "core/sim/induction/CompressorMap.h"

namespace brisca {
namespace {

//! The parameter each slot varies, in slot order.
constexpr std::array<int, kIteratorSlots> kSlotTypes = {
    kVarManifold, kVarLowIvo,  kVarLowIvc,  kVarLowEvo,  kVarLowEvc,  kVarBore,
    kVarStroke,   kVarHighIvo, kVarHighIvc, kVarHighEvo, kVarHighEvc, kVarActivationRpm};

constexpr float kPi = 3.1415927f;
//! Individual-runner and stack manifolds ("Manifold Type" items).
constexpr int kFirstIndividualRunner = 15;
constexpr int kLastIndividualRunner = 19;
//! Limits of the raised induction flow [cfm].
constexpr float kMinRaisedFlow = 100.0f;
constexpr float kMaxRaisedFlow = 4000.0f;

std::unique_ptr<CVexoDoc> CloneDoc(const CVexoDoc& source) {
  auto copy = std::make_unique<CVexoDoc>(nullptr);
  copy->CopyFrom(source);
  return copy;
}

//! Cam event of a cam slot type, and whether it is on the high-speed lobe.
CamEvent EventOf(int type) { return static_cast<CamEvent>((type - kVarLowIvo) % kCamEventCount); }
bool IsHighSpeedType(int type) { return type >= kVarHighIvo && type <= kVarHighEvc; }
bool IsCamType(int type) { return type >= kVarLowIvo && type <= kVarHighEvc; }

CCamProfile& LobeOf(EngineParameters& e, int type) {
  return IsHighSpeedType(type) ? e.camshaft.highSpeedLobe : e.camshaft.lowSpeedLobe;
}
const CCamProfile& LobeOf(const EngineParameters& e, int type) {
  return IsHighSpeedType(type) ? e.camshaft.highSpeedLobe : e.camshaft.lowSpeedLobe;
}

//! A grid value outside the parameter's limits is never set: the parameter is
//! left unassigned, so the test fails validation with that parameter's code,
//! quietly, and the series goes on.
void SetOrUnassign(CFloatPtSpec& spec, float value) {
  if (std::isfinite(value) && spec.InRange(value)) {
    spec.SetValue(std::clamp(value, spec.GetMin(), spec.GetMax()));
  } else {
    spec.Unassign();
  }
}

//! The value SetOrUnassign would set.
bool Settable(const CFloatPtSpec& spec, float value) { return std::isfinite(value) && spec.InRange(value); }

void ClearCalculatorData(EngineParameters& e) {
  e.crDataValid = false;
  e.crMethod = 2;
  for (CFloatPtSpec* spec : e.CalculatorSpecs()) spec->Unassign();
}

std::array<int, 4> GroupSlots(SlotGroup group) {
  switch (group) {
    case SlotGroup::Manifold: return {kSlotManifold, -1, -1, -1};
    case SlotGroup::LowSpeedCam: return {kSlotLowIvo, kSlotLowIvc, kSlotLowEvo, kSlotLowEvc};
    case SlotGroup::HighSpeedCam: return {kSlotHighIvo, kSlotHighIvc, kSlotHighEvo, kSlotHighEvc};
    case SlotGroup::BoreStroke: return {kSlotBore, kSlotStroke, -1, -1};
  }
  return {-1, -1, -1, -1};
}

}  // namespace

Iterator::Iterator() = default;
Iterator::~Iterator() = default;

Iterator::Iterator(const Iterator& other) : BaselineIterator() { *this = other; }

Iterator& Iterator::operator=(const Iterator& other) {
  if (this == &other) return *this;
  baseline_ = other.baseline_;
  baselineNumber_ = other.baselineNumber_;
  baselineMetric_ = other.baselineMetric_;
  baselineTimingMethod_ = other.baselineTimingMethod_;
  working_ = other.working_ ? CloneDoc(*other.working_) : nullptr;
  variables_ = other.variables_;
  active_ = other.active_;
  total_ = other.total_;
  issued_ = other.issued_;
  done_ = other.done_;
  finished_ = other.finished_;
  criterion_ = other.criterion_;
  lowSpeed_ = other.lowSpeed_;
  highSpeed_ = other.highSpeed_;
  for (int i = 0; i < kIteratorResults; ++i) {
    const ResultSlot& from = other.results_[i];
    ResultSlot& to = results_[i];
    to.engine = from.engine ? CloneDoc(*from.engine) : nullptr;
    to.testNumber = from.testNumber;
    to.score = from.score;
    to.keep = from.keep;
  }
  keeper_ = other.keeper_;
  baselineScore_ = other.baselineScore_;
  failedTests_ = other.failedTests_;
  firstFailureCode_ = other.firstFailureCode_;
  failureCounts_ = other.failureCounts_;
  boreDerived_ = other.boreDerived_;
  strokeDerived_ = other.strokeDerived_;
  raiseInductionFlow_ = other.raiseInductionFlow_;
  setUp_ = other.setUp_;
  return *this;
}

void Iterator::Clear() {
  baseline_ = nullptr;
  baselineNumber_ = 0;
  baselineMetric_ = false;
  baselineTimingMethod_ = 0;
  working_.reset();
  for (IterationVariable& v : variables_) v.Clear();
  active_.clear();
  total_ = issued_ = done_ = 0;
  finished_ = false;
  criterion_ = kPeakPower;
  lowSpeed_ = kSweepMinRpm;
  highSpeed_ = kSweepMaxRpm;
  for (ResultSlot& slot : results_) slot = ResultSlot();
  keeper_.Clear();
  baselineScore_ = 0.0f;
  failedTests_ = firstFailureCode_ = 0;
  failureCounts_.clear();
  boreDerived_ = strokeDerived_ = raiseInductionFlow_ = false;
  setUp_ = false;
}

// --- setup --------------------------------------------------------------------

bool Iterator::SetUp(const CVexoDoc& baseline, int& code) {
  if (!baseline.Validate(code)) return false;
  baseline_ = &baseline;
  baselineNumber_ = baseline.GetDocumentNumber();
  baselineMetric_ = baseline.IsMetric();
  baselineTimingMethod_ =
      baseline.Engine().camshaft.lowSpeedLobe.Method(TimingSet::Primary).GetValue();
  if (!working_) working_ = std::make_unique<CVexoDoc>(nullptr);
  working_->CopyFrom(baseline);
  AssignSlotTypes();
  setUp_ = true;
  return true;
}

void Iterator::AssignSlotTypes() {
  const bool vvt = working_->Engine().camshaft.variableValveTiming;
  for (int slot = 0; slot < kIteratorSlots; ++slot) {
    const bool highSpeed = slot >= kSlotHighIvo;
    variables_[slot].SetType(highSpeed && !vvt ? kVarNone : kSlotTypes[slot]);
  }
}

void Iterator::SetVariable(int slot, float centre, float tolerance, float step) {
  variables_.at(slot).SetRange(centre, tolerance, step);
}

void Iterator::Recentre(int slot, float centre) { variables_.at(slot).Recentre(centre); }

float Iterator::ValueOf(int slot, const CVexoDoc& engine) {
  const EngineParameters& e = engine.Engine();
  const int type = kSlotTypes.at(slot);
  if (type == kVarBore) return e.bore.GetValue();
  if (type == kVarStroke) return e.stroke.GetValue();
  if (type == kVarActivationRpm) return e.camshaft.activationRpm.GetValue();
  if (IsCamType(type)) return LobeOf(e, type).Event(TimingSet::Primary, EventOf(type)).GetValue();
  return static_cast<float>(e.manifoldType.GetValue());
}

const char* Iterator::SlotName(int slot) {
  static constexpr std::array<const char*, kIteratorSlots> kNames = {
      "Manifold Type", "IVO",      "IVC",      "EVO",      "EVC",      "Bore",
      "Stroke",        "High IVO", "High IVC", "High EVO", "High EVC", "Activation"};
  return kNames.at(slot);
}

std::string Iterator::SlotUnit(int slot, const CVexoDoc& engine) {
  const EngineParameters& e = engine.Engine();
  const int type = kSlotTypes.at(slot);
  if (type == kVarBore) return e.bore.GetUnitLabel();
  if (type == kVarStroke) return e.stroke.GetUnitLabel();
  if (type == kVarActivationRpm) return e.camshaft.activationRpm.GetUnitLabel();
  if (IsCamType(type)) return LobeOf(e, type).Event(TimingSet::Primary, EventOf(type)).GetUnitLabel();
  return "item";
}

void Iterator::RecentreOn(const CVexoDoc& engine) {
  for (int slot = 0; slot < kIteratorSlots; ++slot) {
    const IterationVariable& v = variables_[slot];
    if (v.Type() != kVarNone && v.Kind() == VariableKind::Range && v.Tolerance() > 0.0f) {
      Recentre(slot, ValueOf(slot, engine));
    }
  }
}

void Iterator::RecentreGroup(SlotGroup group, const CVexoDoc& engine) {
  for (int slot : GroupSlots(group)) {
    if (slot >= 0 && variables_[slot].Kind() == VariableKind::Range) {
      Recentre(slot, ValueOf(slot, engine));
    }
  }
  if (group == SlotGroup::HighSpeedCam) Recentre(kSlotActivationRpm, ValueOf(kSlotActivationRpm, engine));
}

void Iterator::SetListVariable(int slot, int capacity) { variables_.at(slot).SetList(capacity); }
bool Iterator::AddListEntry(int slot, const CPartTypeSpec& entry) {
  return variables_.at(slot).AddEntry(entry);
}
bool Iterator::RemoveListEntry(int slot, int item) { return variables_.at(slot).RemoveEntry(item); }
bool Iterator::ListContains(int slot, int item) const { return variables_.at(slot).Contains(item); }

void Iterator::EnableSlot(int slot, bool enabled) { variables_.at(slot).SetEnabled(enabled); }

void Iterator::EnableGroup(SlotGroup group, bool enabled) {
  if (group == SlotGroup::HighSpeedCam && enabled &&
      !(working_ && working_->Engine().camshaft.variableValveTiming)) {
    return;
  }
  for (int slot : GroupSlots(group)) {
    if (slot >= 0) variables_[slot].SetEnabled(enabled);
  }
  if (group == SlotGroup::HighSpeedCam) variables_[kSlotActivationRpm].SetEnabled(enabled);
}

bool Iterator::IsGroupEnabled(SlotGroup group) const {
  const IterationVariable& v = variables_.at(GroupSlots(group)[0]);
  return v.Type() != kVarNone && v.IsEnabled();
}

void Iterator::SetConstantDisplacement(bool boreDerived, bool strokeDerived) {
  BRISCA_ASSERT(!(boreDerived && strokeDerived));
  boreDerived_ = boreDerived;
  strokeDerived_ = strokeDerived;
  if (!working_) return;
  const int derived = boreDerived ? kSlotBore : strokeDerived ? kSlotStroke : -1;
  if (derived < 0) return;
  IterationVariable& v = variables_[derived];
  SetVariable(derived, ValueOf(derived, *working_), 0.0f, v.Step());
}

bool Iterator::SetCriterion(int criterion) {
  if (criterion < kPeakTorque || criterion > kPowerArea) return false;
  criterion_ = criterion;
  return true;
}

bool Iterator::SetSpeedRange(float low, float high) {
  auto inSweep = [](float s) {
    return s >= kSweepMinRpm && s <= kSweepMaxRpm;
  };
  if (!inSweep(low) || !inSweep(high) || !(low < high)) return false;
  lowSpeed_ = low;
  highSpeed_ = high;
  return true;
}

// --- running ------------------------------------------------------------------

bool Iterator::Validate(int& code) const {
  if (!baseline_ || baseline_->Results().IsEmpty()) {
    code = kErrNoBaseline;
    return false;
  }
  if (!baseline_->Validate(code)) return false;
  // The counts of what Prepare would build, without changing anything.
  std::int64_t total = 1;
  int active = 0;
  for (const IterationVariable& v : variables_) {
    const int n = v.ValueCount();
    if (v.Type() == kVarNone || !v.IsEnabled() || n <= 1) continue;
    ++active;
    total = std::min<std::int64_t>(total * n, kMaxIteratorTests);
  }
  if (active == 0 || total < 2) {
    code = kErrTooFewTests;
    return false;
  }
  if (total >= kMaxIteratorTests) {
    code = kErrTooManyTests;
    return false;
  }
  if (ConstantDisplacement() && variables_[kSlotBore].Tolerance() == 0.0f &&
      variables_[kSlotStroke].Tolerance() == 0.0f) {
    code = kErrNoDisplacementRange;
    return false;
  }
  const IterationVariable& manifolds = variables_[kSlotManifold];
  if (manifolds.IsEnabled() && manifolds.ValueCount() < 2) {
    code = kErrTooFewManifolds;
    return false;
  }
  return true;
}

void Iterator::Prepare() {
  finished_ = false;
  issued_ = done_ = 0;
  for (ResultSlot& slot : results_) {
    slot.testNumber = 0;
    slot.score = 0.0f;
    slot.keep = false;
  }
  keeper_.Clear();
  failedTests_ = firstFailureCode_ = 0;
  failureCounts_.clear();
  active_.clear();
  total_ = 0;
  for (int slot = 0; slot < kIteratorSlots; ++slot) {
    IterationVariable& v = variables_[slot];
    v.Restart();
    if (v.Type() != kVarNone && v.IsEnabled() && v.ValueCount() > 1) active_.push_back(slot);
  }
  if (!active_.empty()) {
    total_ = 1;
    for (int slot : active_) {
      total_ = std::min<std::int64_t>(total_ * variables_[slot].ValueCount(), kMaxIteratorTests);
    }
  }
  baselineScore_ = baseline_ ? Score(*baseline_) : 0.0f;
}

bool Iterator::Advance(int i) {
  IterationVariable& v = variables_[active_[i]];
  if (v.EndReached()) {
    if (i == 0) return false;
    if (!Advance(i - 1)) return false;
    v.Restart();
  } else if (i + 1 < static_cast<int>(active_.size()) && v.Counter() == 0 &&
             variables_[active_[i + 1]].EndReached()) {
    v.SkipFirst();  // its first value was in use while the faster slots went round
  }
  v.MoveNext();
  return true;
}

bool Iterator::NextTest(TestPoint& point) {
  if (finished_ || active_.empty()) {
    finished_ = true;
    return false;
  }
  if (!Advance(static_cast<int>(active_.size()) - 1)) {
    finished_ = true;
    return false;
  }
  point.testNumber = static_cast<int>(++issued_);
  for (int slot : active_) {
    point.values[slot] = variables_[slot].CurrentValue();
    point.entries[slot] = variables_[slot].CurrentEntry();
  }
  return true;
}

void Iterator::Apply(CVexoDoc& work, const TestPoint& point) const {
  EngineParameters& e = work.Engine();
  const EngineParameters& base = baseline_->Engine();
  const bool metric = e.bore.IsMetric();
  // Displacement in the cube of the length unit: in³, or mm³ from cc.
  const float volume = base.totalBlockVolume.GetValue() * (metric ? 1000.0f : 1.0f);
  const float cylinders = static_cast<float>(base.cylinders.GetValue());
  bool lowLobeChanged = false;
  bool highLobeChanged = false;
  for (int slot : active_) {
    const IterationVariable& v = variables_[slot];
    const float value = point.values[slot];
    switch (v.Type()) {
      case kVarBore:
        SetOrUnassign(e.bore, value);
        ClearCalculatorData(e);
        if (strokeDerived_) SetOrUnassign(e.stroke, 4.0f * volume / (kPi * cylinders * value * value));
        break;
      case kVarStroke:
        SetOrUnassign(e.stroke, value);
        ClearCalculatorData(e);
        if (boreDerived_) SetOrUnassign(e.bore, std::sqrt(4.0f * volume / (kPi * cylinders * value)));
        break;
      case kVarManifold: {
        const CPartTypeSpec& manifold = v.Entries().at(point.entries[slot]);
        e.manifoldType = manifold;
        const int item = manifold.GetValue();
        if (raiseInductionFlow_ && item >= kFirstIndividualRunner && item <= kLastIndividualRunner) {
          const float raised = cylinders * base.inductionFlow.GetValue() * 0.5f;
          e.inductionFlow.SetValue(std::clamp(raised, kMinRaisedFlow, kMaxRaisedFlow));
        } else {
          e.inductionFlow = base.inductionFlow;
        }
        break;
      }
      case kVarActivationRpm:
        SetOrUnassign(e.camshaft.activationRpm, value);
        break;
      default:
        if (IsCamType(v.Type())) {
          SetOrUnassign(LobeOf(e, v.Type()).Event(TimingSet::Primary, EventOf(v.Type())), value);
          (IsHighSpeedType(v.Type()) ? highLobeChanged : lowLobeChanged) = true;
        }
        break;
    }
  }
  // Durations, centrelines and overlap of a kept engine describe its new events.
  if (lowLobeChanged) e.camshaft.lowSpeedLobe.ComputeDerived();
  if (highLobeChanged) e.camshaft.highSpeedLobe.ComputeDerived();
}

std::int64_t Iterator::SetupTests() const {
  std::int64_t total = 1;
  int active = 0;
  for (const IterationVariable& v : variables_) {
    if (v.Type() == kVarNone || !v.IsEnabled() || v.ValueCount() <= 1) continue;
    ++active;
    total = std::min<std::int64_t>(total * v.ValueCount(), kMaxIteratorTests);
  }
  return active > 0 ? total : 0;
}

std::int64_t Iterator::TestsOutsideLimits() const {
  if (!baseline_) return 0;
  const EngineParameters& base = baseline_->Engine();
  const bool metric = base.bore.IsMetric();
  const float volume = base.totalBlockVolume.GetValue() * (metric ? 1000.0f : 1.0f);
  const float cylinders = static_cast<float>(base.cylinders.GetValue());
  // A test fails when any of its values does; the values of different slots
  // combine freely, so the tests inside are the product of the values inside.
  std::int64_t inside = 1;
  for (int slot = 0; slot < kIteratorSlots; ++slot) {
    const IterationVariable& v = variables_[slot];
    if (v.Type() == kVarNone || !v.IsEnabled() || v.ValueCount() <= 1) continue;
    const int n = v.ValueCount();
    int good = 0;
    for (int i = 0; i < n; ++i) {
      const float value = v.ValueAt(i);
      bool ok = true;
      switch (v.Type()) {
        case kVarBore:
          ok = Settable(base.bore, value) &&
               (!strokeDerived_ || Settable(base.stroke, 4.0f * volume / (kPi * cylinders * value * value)));
          break;
        case kVarStroke:
          ok = Settable(base.stroke, value) &&
               (!boreDerived_ || Settable(base.bore, std::sqrt(4.0f * volume / (kPi * cylinders * value))));
          break;
        case kVarActivationRpm:
          ok = Settable(base.camshaft.activationRpm, value);
          break;
        default:
          if (IsCamType(v.Type())) ok = Settable(LobeOf(base, v.Type()).Event(TimingSet::Primary, EventOf(v.Type())), value);
          break;
      }
      if (ok) ++good;
    }
    inside *= good;
  }
  return SetupTests() - std::min(inside, SetupTests());
}

TestOutcome Iterator::Evaluate(CVexoDoc& work, const TestPoint& point) const {
  BRISCA_ASSERT(baseline_);
  return Evaluate(work, point, baseline_->ReadCompressorMap());
}

TestOutcome Iterator::Evaluate(CVexoDoc& work, const TestPoint& point,
                               const CompressorMapSupply& maps) const {
  CVexoDoc* const one = &work;
  TestOutcome outcome;
  EvaluateTogether(*this, {&one, 1}, {&point, 1}, maps, {&outcome, 1});
  return outcome;
}

int Iterator::Commit(const TestOutcome& outcome, const EngineParameters* engine) {
  ++done_;
  if (!outcome.ok) {
    if (failedTests_++ == 0) firstFailureCode_ = outcome.failureCode;
    ++failureCounts_[outcome.failureCode];
    return -1;
  }
  if (!WouldKeep(outcome.score)) return -1;
  BRISCA_ASSERT(engine != nullptr);
  return OfferResult(outcome.score, outcome.testNumber, *engine);
}

bool Iterator::Step() {
  TestPoint point;
  if (!NextTest(point)) return false;
  const TestOutcome outcome = Evaluate(*working_, point);
  Commit(outcome, &working_->Engine());
  return true;
}

int Iterator::OfferResult(float score, int testNumber, const EngineParameters& engine) {
  const int slot = keeper_.Offer(score, testNumber);
  if (slot < 0) return -1;
  ResultSlot& r = results_[slot];
  if (!r.engine) r.engine = std::make_unique<CVexoDoc>(nullptr);
  r.engine->Engine() = engine;
  if (baseline_) r.engine->SetTitle(baseline_->GetTitle());
  r.testNumber = testNumber;
  r.score = score;
  r.keep = false;
  return slot;
}

float Iterator::Score(const CVexoDoc& engine) const {
  switch (criterion_) {
    case kPeakTorque: return engine.PeakInWindow(3, lowSpeed_, highSpeed_);
    case kTorqueArea: return engine.AreaInWindow(3, lowSpeed_, highSpeed_);
    case kPeakPower: return engine.PeakInWindow(2, lowSpeed_, highSpeed_);
    default: return engine.AreaInWindow(2, lowSpeed_, highSpeed_);
  }
}

int Iterator::ProgressPercent() const {
  if (total_ == 0) return 0;
  return static_cast<int>(static_cast<double>(done_) / static_cast<double>(total_) * 100.0);
}

// --- results ------------------------------------------------------------------

void Iterator::SetKeep(int slot, bool keep) {
  if (slot >= 0 && slot < keeper_.Count()) results_[slot].keep = keep;
}

void Iterator::KeepBest() { SetKeep(keeper_.BestSlot(), true); }

const CVexoDoc* Iterator::BestEngine() const {
  return keeper_.BestSlot() >= 0 ? results_[keeper_.BestSlot()].engine.get() : nullptr;
}

}  // namespace brisca
