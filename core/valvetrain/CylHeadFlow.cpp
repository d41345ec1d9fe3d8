#include "core/valvetrain/CylHeadFlow.h"

#include <algorithm>
#include <utility>

#include "core/base/FatalAssert.h"
#include "core/base/NumberText.h"
#include "core/valvetrain/BuiltInHeads.h"

namespace brisca {
namespace {

// What differs between the two sides: labels, diameter limits and message numbers.
struct PortRow {
  const char* diameterLabel;
  float diameterMin;  //!< [in]
  float diameterMax;  //!< [in]
  const char* dropLabel;
  const char* valvesLabel;
  const char* flowLabel;
  const char* liftLabel;
  int diameterCode;
  int dropCode;
  int valvesCode;
  int liftCode;
  int flowCode;
  int notRisingCode;
};

constexpr PortRow kIntakeRow = {"Intake Valve Test Diameter",
                                0.75f,
                                4.0f,
                                "Intake Test Pressure Drop",
                                "Number of Intake Valves Per Port",
                                "Intake Valve Airflow",
                                "Intake Valve Lift",
                                kErrIntakeTestDiameter,
                                kErrIntakePressureDrop,
                                kErrIntakeValvesPerPort,
                                kErrIntakeLift,
                                kErrIntakeFlow,
                                kErrIntakeLiftsNotRising};

constexpr PortRow kExhaustRow = {"Exhaust Valve Test Diameter",
                                 0.5f,
                                 3.25f,
                                 "Exhaust Test Pressure Drop",
                                 "Number of Exhaust Valves Per Port",
                                 "Exhaust Valve Airflow",
                                 "Exhaust Valve Lift",
                                 kErrExhaustTestDiameter,
                                 kErrExhaustPressureDrop,
                                 kErrExhaustValvesPerPort,
                                 kErrExhaustLift,
                                 kErrExhaustFlow,
                                 kErrExhaustLiftsNotRising};

constexpr FlowSide kSides[] = {FlowSide::Intake, FlowSide::Exhaust};

// Limits shared by both sides.
constexpr float kDropMin = 1.0f;   // [inH2O]
constexpr float kDropMax = 75.0f;  // [inH2O]
constexpr int kValvesMin = 1;
constexpr int kValvesMax = 3;
constexpr float kFlowMin = 1.0f;    // [cfm]
constexpr float kFlowMax = 750.0f;  // [cfm]
constexpr float kLiftMin = 0.01f;   // [in]
constexpr float kLiftMax = 1.5f;    // [in]

// Default points of Reset.
constexpr float kDefaultLiftSpacing = 0.05f;  // [in]
constexpr float kDefaultFlow = 100.0f;        // [cfm]

// Characters a file name may not hold on the systems our files travel to.
constexpr std::string_view kForbiddenFileNameChars = "\\/:*?<>|";

const PortRow& Row(FlowSide side) { return side == FlowSide::Intake ? kIntakeRow : kExhaustRow; }

template <std::size_t... I>
std::array<CFloatPtSpec, sizeof...(I)> MakePoints(const char* label, UnitCode domesticUnit,
                                                  float min, float max, UnitCode metricUnit,
                                                  float factor, std::index_sequence<I...>) {
  return {{((void)I, CFloatPtSpec(label, domesticUnit, min, max, metricUnit, factor))...}};
}

CCylHeadFlow::PortData MakePort(const PortRow& row) {
  const auto points = std::make_index_sequence<kMaxFlowPoints>{};
  return CCylHeadFlow::PortData{
      CFloatPtSpec(row.diameterLabel, UnitInch, row.diameterMin, row.diameterMax, UnitMillimeter,
                   kInchToMillimeter),
      CFloatPtSpec(row.dropLabel, UnitInH2O, kDropMin, kDropMax, UnitCmH2O, kInH2OToCmH2O),
      CIntegerSpec(row.valvesLabel, kValvesMin, kValvesMax),
      MakePoints(row.flowLabel, UnitCfm, kFlowMin, kFlowMax, UnitCfm, kSameUnit, points),
      MakePoints(row.liftLabel, UnitInch, kLiftMin, kLiftMax, UnitMillimeter, kInchToMillimeter,
                 points)};
}

void ConvertPort(CCylHeadFlow::PortData& port, bool domestic) {
  port.testDiameter.SetUnitSystem(domestic);
  port.pressureDrop.SetUnitSystem(domestic);
  for (CFloatPtSpec& point : port.flow) point.SetUnitSystem(domestic);
  for (CFloatPtSpec& point : port.lift) point.SetUnitSystem(domestic);
}

// Length of the longest prefix of `text` within `limit` bytes that does not
// end inside a UTF-8 sequence.
std::size_t Utf8Prefix(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  std::size_t end = limit;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return end;
}

std::string TrimBothEnds(std::string_view text) {
  text.remove_prefix(CountLeadingSpace(text));
  return TrimTrailingSpace(text);
}

}  // namespace

CCylHeadFlow::CCylHeadFlow() : intake_(MakePort(kIntakeRow)), exhaust_(MakePort(kExhaustRow)) {
  AssignDefaultScalars();
}

CCylHeadFlow::CCylHeadFlow(const CCylHeadFlow& other) : CCylHeadFlow() { CopyFrom(other); }

CCylHeadFlow& CCylHeadFlow::operator=(const CCylHeadFlow& other) {
  CopyFrom(other);
  return *this;
}

void CCylHeadFlow::CopyFrom(const CCylHeadFlow& other) {
  if (this == &other) return;
  modified_ = other.modified_;
  description_ = other.description_;
  notes_ = other.notes_;
  metricUnits_ = other.metricUnits_;
  pointCount_ = other.pointCount_;
  intake_ = other.intake_;
  exhaust_ = other.exhaust_;
}

// The record must be domestic here: the values are domestic lower limits.
void CCylHeadFlow::AssignDefaultScalars() {
  for (FlowSide side : kSides) {
    PortData& port = Port(side);
    port.testDiameter.SetValue(Row(side).diameterMin);
    port.pressureDrop.SetValue(kDropMin);
    port.valvesPerPort.SetValue(kValvesMin);
  }
}

void CCylHeadFlow::Reset() {
  const bool wasMetric = metricUnits_;
  SetUnits(false);
  description_.clear();
  notes_.clear();
  AssignDefaultScalars();
  for (FlowSide side : kSides) {
    PortData& port = Port(side);
    for (int i = 0; i < pointCount_; ++i) {
      port.lift[i].SetValue(kDefaultLiftSpacing * static_cast<float>(i + 1));
      port.flow[i].SetValue(kDefaultFlow);
    }
  }
  SetUnits(wasMetric);
}

void CCylHeadFlow::LoadBuiltIn(int key) {
  const BuiltInHead* head = FindBuiltInHead(key);
  BRISCA_ASSERT(head != nullptr);
  const bool wasMetric = metricUnits_;
  SetUnits(false);
  description_ = head->description;
  notes_.clear();
  SetPointCount(kBuiltInPointCount);
  for (FlowSide side : kSides) {
    const BuiltInPort& source = side == FlowSide::Intake ? head->intake : head->exhaust;
    PortData& port = Port(side);
    port.testDiameter.SetValue(source.testDiameter);
    port.pressureDrop.SetValue(source.pressureDrop);
    port.valvesPerPort.SetValue(source.valvesPerPort);
    for (int i = 0; i < kBuiltInPointCount; ++i) {
      port.lift[i].SetValue((*source.lift)[i]);
      port.flow[i].SetValue(source.flow[i]);
    }
  }
  SetUnits(wasMetric);
}

const char* CCylHeadFlow::BuiltInDescription(int key) {
  const BuiltInHead* head = FindBuiltInHead(key);
  BRISCA_ASSERT(head != nullptr);
  return head->description;
}

void CCylHeadFlow::SetPointCount(int n) {
  BRISCA_ASSERT(n >= kMinFlowPoints && n <= kMaxFlowPoints);
  pointCount_ = n;
  for (FlowSide side : kSides) {
    for (int i = n; i < kMaxFlowPoints; ++i) {
      Port(side).lift[i].ResetValue();
      Port(side).flow[i].ResetValue();
    }
  }
}

bool CCylHeadFlow::StepPointCount(int delta, int& liftCode) {
  liftCode = 0;
  const int newCount =
      std::clamp(pointCount_ + std::clamp(delta, -1, 1), kMinFlowPoints, kMaxFlowPoints);
  if (newCount == pointCount_) return false;
  const bool grew = newCount > pointCount_;
  SetPointCount(newCount);
  modified_ = true;
  if (grew) {
    for (FlowSide side : kSides) {
      int code = 0;
      if (!ExtendLifts(side, newCount - 2, code) && liftCode == 0) liftCode = code;
      Port(side).flow[newCount - 1] = Port(side).flow[newCount - 2];
    }
  }
  return true;
}

bool CCylHeadFlow::ExtendLifts(FlowSide side, int index, int& code) {
  BRISCA_ASSERT(index >= 0 && index < kMaxFlowPoints);
  auto& lift = Port(side).lift;
  code = 0;
  if (!lift[index].IsValid() || (index > 0 && !lift[index - 1].IsValid())) {
    code = Row(side).liftCode;
    return false;
  }
  // Working in the current unit gives the same lifts as working in inches:
  // the step and the limits scale alike.
  const float step =
      index == 0 ? lift[0].GetValue() : lift[index].GetValue() - lift[index - 1].GetValue();
  if (!(step > 0.0f)) {
    code = Row(side).notRisingCode;
    return false;
  }
  for (int i = index + 1; i < pointCount_; ++i) {
    lift[i].SetValue(std::clamp(lift[i - 1].GetValue() + step, lift[i].GetMin(), lift[i].GetMax()));
  }
  return true;
}

bool CCylHeadFlow::CheckLiftStep(FlowSide side, int index, int& code) const {
  BRISCA_ASSERT(index >= 0 && index < kMaxFlowPoints);
  const auto& lift = Port(side).lift;
  if (index == 0 || lift[index].GetValue() - lift[index - 1].GetValue() > 0.0f) return true;
  code = Row(side).notRisingCode;
  return false;
}

bool CCylHeadFlow::CheckLiftsAscending(FlowSide side, int& code) const {
  for (int i = 1; i < pointCount_; ++i) {
    if (!CheckLiftStep(side, i, code)) return false;
  }
  return true;
}

bool CCylHeadFlow::Validate(int& code) const {
  code = MissingValueCode();
  if (code != 0) return false;
  return CheckLiftsAscending(FlowSide::Intake, code) &&
         CheckLiftsAscending(FlowSide::Exhaust, code);
}

// The first missing or invalid value, in the order the user is told about them.
int CCylHeadFlow::MissingValueCode() const {
  if (description_.empty()) return kErrFlowDescription;
  for (FlowSide side : kSides) {
    const PortData& port = Port(side);
    if (!port.testDiameter.IsValid()) return Row(side).diameterCode;
    if (!port.pressureDrop.IsValid()) return Row(side).dropCode;
    if (!port.valvesPerPort.IsValid()) return Row(side).valvesCode;
  }
  for (int i = 0; i < pointCount_; ++i) {
    for (FlowSide side : kSides) {
      if (!Port(side).lift[i].IsValid()) return Row(side).liftCode;
      if (!Port(side).flow[i].IsValid()) return Row(side).flowCode;
    }
  }
  return 0;
}

void CCylHeadFlow::SetUnits(bool metric) {
  ConvertPort(intake_, !metric);
  ConvertPort(exhaust_, !metric);
  metricUnits_ = metric;
}

int CCylHeadFlow::IntakeValvesPerPort() const {
  BRISCA_ASSERT(intake_.valvesPerPort.IsValid());
  return intake_.valvesPerPort.GetValue();
}

int CCylHeadFlow::ExhaustValvesPerPort() const {
  BRISCA_ASSERT(exhaust_.valvesPerPort.IsValid());
  return exhaust_.valvesPerPort.GetValue();
}

void CCylHeadFlow::SetDescription(std::string_view description) {
  std::string line(description);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  line = TrimBothEnds(line);
  line.resize(Utf8Prefix(line, kMaxDescriptionLength));
  description_ = TrimTrailingSpace(line);
}

std::string CCylHeadFlow::ProposedFileName(std::string_view defaultName) const {
  if (!defaultName.empty()) return std::string(defaultName);
  std::string name = description_;
  for (char& c : name) {
    if (kForbiddenFileNameChars.find(c) != std::string_view::npos) c = '_';
  }
  return name;
}

CFloatPtSpec& CCylHeadFlow::Lift(FlowSide side, int i) {
  BRISCA_ASSERT(i >= 0 && i < kMaxFlowPoints);
  return Port(side).lift[i];
}

const CFloatPtSpec& CCylHeadFlow::Lift(FlowSide side, int i) const {
  BRISCA_ASSERT(i >= 0 && i < kMaxFlowPoints);
  return Port(side).lift[i];
}

CFloatPtSpec& CCylHeadFlow::Flow(FlowSide side, int i) {
  BRISCA_ASSERT(i >= 0 && i < kMaxFlowPoints);
  return Port(side).flow[i];
}

const CFloatPtSpec& CCylHeadFlow::Flow(FlowSide side, int i) const {
  BRISCA_ASSERT(i >= 0 && i < kMaxFlowPoints);
  return Port(side).flow[i];
}

}  // namespace brisca
