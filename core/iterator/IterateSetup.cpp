#include "core/iterator/IterateSetup.h"

#include <locale>
#include <sstream>
#include <vector>

#include "core/document/PartCat.h"
#include "core/iterator/ProPresets.h"
#include "core/iterator/QuickPresets.h"

namespace brisca {
namespace {

constexpr int kManifoldItems = 19;  //!< "Manifold Type" items 1..19
constexpr const char* kRangeSuffix = "-range";

//! The words of one statement, numbers read in the C locale.
class Words {
 public:
  explicit Words(const std::string& text) : words_(text) { words_.imbue(std::locale::classic()); }
  bool Key(std::string& key) { return static_cast<bool>(words_ >> key); }
  bool Word(std::string& word) { return static_cast<bool>(words_ >> word); }
  //! Every remaining word as a number; false when one is not a number.
  template <typename T>
  bool Numbers(std::vector<T>& values) {
    for (T x{}; words_ >> x;) values.push_back(x);
    return AtEnd();
  }
  //! Nothing but blanks left.
  bool AtEnd() {
    if (words_.fail() && !words_.eof()) words_.clear();
    words_ >> std::ws;
    return words_.eof();
  }

 private:
  std::istringstream words_;
};

//! A numeric group: the slots of one statement key and the group they enable.
struct NumericGroup {
  const char* key;
  std::vector<int> slots;
  SlotGroup group;
  bool twoLobeCam;        //!< only for an engine with variable valve timing
  bool fixedActivation;   //!< tolerances only, the step is the activation step
};

const std::vector<NumericGroup>& NumericGroups() {
  static const std::vector<NumericGroup> groups = {
      {"cam", {kSlotLowIvo, kSlotLowIvc, kSlotLowEvo, kSlotLowEvc}, SlotGroup::LowSpeedCam, false, false},
      {"cam-high", {kSlotHighIvo, kSlotHighIvc, kSlotHighEvo, kSlotHighEvc}, SlotGroup::HighSpeedCam, true, false},
      {"activation", {kSlotActivationRpm}, SlotGroup::HighSpeedCam, true, true},
      {"bore", {kSlotBore}, SlotGroup::BoreStroke, false, false},
      {"stroke", {kSlotStroke}, SlotGroup::BoreStroke, false, false},
  };
  return groups;
}

const NumericGroup* FindGroup(const std::string& key) {
  for (const NumericGroup& g : NumericGroups()) {
    if (key == g.key) return &g;
  }
  return nullptr;
}

CPartTypeSpec ManifoldEntry(int item) {
  CPartTypeSpec spec("Manifold Type", 1, kManifoldItems);
  std::string name = "Manifold " + std::to_string(item);
  for (const CatalogueRow& row : ComponentCatalogue::Instance().CategoryRows(CatalogueCategory::Manifolds)) {
    if (row.item == item) name = row.name;
  }
  spec.SetSelection(item, name);
  return spec;
}

//! Reads the statements of one setup; each handler returns false with a message.
class SetupReader {
 public:
  SetupReader(const CVexoDoc& engine, Iterator& phase1, Iterator& phase2)
      : engine_(engine), p1_(phase1), p2_(phase2) {}

  bool Read(const std::string& key, Words& words, std::string& message);
  bool DualPhase() const { return dual_ && !singlePhase_; }

 private:
  bool Criterion(Words& words, std::string& message);
  bool Manifolds(Words& words, std::string& message);
  bool Displacement(Words& words, std::string& message);
  bool Phases(Words& words, std::string& message);
  bool Speed(Words& words, std::string& message);
  bool Numeric(const NumericGroup& group, bool absolute, Words& words, std::string& message);

  const CVexoDoc& engine_;
  Iterator& p1_;
  Iterator& p2_;
  bool dual_ = false;
  bool singlePhase_ = false;
};

bool SetupReader::Read(const std::string& key, Words& words, std::string& message) {
  if (key == "criterion") return Criterion(words, message);
  if (key == "manifolds") return Manifolds(words, message);
  if (key == "displacement") return Displacement(words, message);
  if (key == "phases") return Phases(words, message);
  if (key == "speed") return Speed(words, message);
  if (key == "raise-induction-flow") {
    p1_.SetRaiseInductionFlow(true);
    if (words.AtEnd()) return true;
    message = "raise-induction-flow takes nothing more";
    return false;
  }
  const bool absolute = key.size() > std::string(kRangeSuffix).size() && key.ends_with(kRangeSuffix);
  const NumericGroup* group = FindGroup(absolute ? key.substr(0, key.size() - std::string(kRangeSuffix).size()) : key);
  if (!group) {
    message = "unknown statement '" + key + "'";
    return false;
  }
  if (group->twoLobeCam && !engine_.Engine().camshaft.variableValveTiming) {
    message = "'" + key + "' needs a two-lobe cam";
    return false;
  }
  return Numeric(*group, absolute, words, message);
}

bool SetupReader::Criterion(Words& words, std::string& message) {
  std::string name;
  words.Word(name);
  for (int c = 0; c < static_cast<int>(std::size(kCriterionNames)); ++c) {
    if (name == kCriterionNames[c] && words.AtEnd()) {
      ProCriterionPreset(c, p1_, p2_);
      return true;
    }
  }
  message = "unknown criterion '" + name + "'";
  return false;
}

bool SetupReader::Manifolds(Words& words, std::string& message) {
  std::vector<int> items;
  if (!words.Numbers(items) || items.empty()) {
    message = "manifolds ITEM ITEM ...";
    return false;
  }
  p1_.SetListVariable(kSlotManifold, kManifoldItems);
  for (int item : items) {
    if (item < 1 || item > kManifoldItems) {
      message = "manifold items are 1..19";
      return false;
    }
    p1_.AddListEntry(kSlotManifold, ManifoldEntry(item));
  }
  p1_.EnableGroup(SlotGroup::Manifold, true);
  return true;
}

bool SetupReader::Displacement(Words& words, std::string& message) {
  std::string which;
  words.Word(which);
  if ((which != "bore" && which != "stroke") || !words.AtEnd()) {
    message = "displacement bore|stroke";
    return false;
  }
  for (Iterator* it : {&p1_, &p2_}) it->SetConstantDisplacement(which == "bore", which == "stroke");
  return true;
}

bool SetupReader::Phases(Words& words, std::string& message) {
  std::vector<int> n;
  if (!words.Numbers(n) || n.size() != 1 || (n[0] != 1 && n[0] != 2)) {
    message = "phases 1 or 2";
    return false;
  }
  singlePhase_ = n[0] == 1;
  return true;
}

bool SetupReader::Speed(Words& words, std::string& message) {
  std::vector<float> v;
  if (!words.Numbers(v) || v.size() != 2 || !p1_.SetSpeedRange(v[0], v[1]) ||
      !p2_.SetSpeedRange(v[0], v[1])) {
    message = "speed LOW HIGH within 1000..14500, LOW < HIGH";
    return false;
  }
  return true;
}

bool SetupReader::Numeric(const NumericGroup& group, bool absolute, Words& words,
                          std::string& message) {
  std::vector<float> v;
  const bool numbers = words.Numbers(v);
  if (absolute) {
    if (!numbers || v.size() != 3 || !(v[0] <= v[1]) || !(v[2] > 0.0f)) {
      message = "expected MIN MAX STEP, MIN <= MAX, STEP > 0";
      return false;
    }
    for (int slot : group.slots) p1_.SetVariable(slot, (v[0] + v[1]) / 2.0f, (v[1] - v[0]) / 2.0f, v[2]);
    p1_.EnableGroup(group.group, true);
    return true;
  }
  if (group.fixedActivation && numbers && (v.size() == 1 || v.size() == 2)) {
    // Tolerances only: the step is fixed.
    std::vector<float> withSteps{v[0], kActivationRpmStep};
    if (v.size() == 2) withSteps.insert(withSteps.end(), {v[1], kActivationRpmStep});
    v = withSteps;
  } else if (group.fixedActivation) {
    message = "expected TOL [TOL2]";
    return false;
  }
  bool sound = numbers && (v.size() == 2 || v.size() == 4);
  for (std::size_t i = 0; sound && i < v.size(); i += 2) sound = v[i] >= 0.0f && v[i + 1] > 0.0f;
  if (!sound) {
    message = group.fixedActivation ? "expected TOL [TOL2], TOL >= 0"
                                    : "expected TOL STEP [TOL2 STEP2], TOL >= 0, STEP > 0";
    return false;
  }
  for (int slot : group.slots) {
    const float centre = Iterator::ValueOf(slot, engine_);
    p1_.SetVariable(slot, centre, v[0], v[1]);
    if (v.size() == 4) p2_.SetVariable(slot, centre, v[2], v[3]);
  }
  p1_.EnableGroup(group.group, true);
  if (v.size() == 4) {
    p2_.EnableGroup(group.group, true);
    dual_ = true;
  }
  return true;
}

}  // namespace

bool ReadIterateSetup(std::istream& in, const CVexoDoc& engine, Iterator& phase1,
                      Iterator& phase2, IterateSetup& setup, IterateSetupError& error) {
  error = IterateSetupError();
  if (!ProDefaults(engine, phase1, phase2, error.code)) {
    error.message = "the engine does not validate";
    return false;
  }
  SetupReader reader(engine, phase1, phase2);
  std::string text;
  for (int lineNo = 1; std::getline(in, text); ++lineNo) {
    if (const auto hash = text.find('#'); hash != std::string::npos) text.erase(hash);
    Words words(text);
    std::string key;
    if (!words.Key(key)) continue;
    if (!reader.Read(key, words, error.message)) {
      error.line = lineNo;
      return false;
    }
  }
  setup.dualPhase = reader.DualPhase();
  return true;
}

}  // namespace brisca
