#pragma once
// One test series over a baseline engine: up to twelve varied parameters,
// every combination simulated on a private copy of the engine, each result
// scored by one criterion, the ten best engines kept.
//
// The combinations are enumerated like an odometer: the last active slot
// changes fastest, the first slowest. Each test starts from a fresh copy of
// the baseline engine with every active value applied, so a test's result
// depends only on its combination - whichever working copy or thread runs it.
//
// Single-threaded use is Step(); IteratorRunner splits a test into NextTest
// (enumeration), Evaluate (on any working copy, const) and Commit (in
// test-number order).

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/document/BaselineIterator.h"
#include "core/iterator/IterationVariable.h"
#include "core/iterator/KeepTen.h"
#include "core/iterator/ResultSlot.h"

namespace brisca {

class CVexoDoc;
struct CompressorMapSupply;
struct EngineParameters;

inline constexpr int kIteratorSlots = 12;
inline constexpr int kIteratorResults = kKeptResults;
//! A series of this many tests or more is refused (code 86).
inline constexpr std::int64_t kMaxIteratorTests = 300000000;

//! Slot numbers, in the fixed slot order.
enum IteratorSlot : int {
  kSlotManifold = 0,
  kSlotLowIvo = 1,
  kSlotLowIvc = 2,
  kSlotLowEvo = 3,
  kSlotLowEvc = 4,
  kSlotBore = 5,
  kSlotStroke = 6,
  kSlotHighIvo = 7,
  kSlotHighIvc = 8,
  kSlotHighEvo = 9,
  kSlotHighEvc = 10,
  kSlotActivationRpm = 11,
};

//! Slot groups that are enabled and disabled together.
enum class SlotGroup { Manifold, LowSpeedCam, HighSpeedCam, BoreStroke };

//! Scoring criteria.
enum Criterion : int {
  kPeakTorque = 0,
  kTorqueArea = 1,
  kPeakPower = 2,
  kPowerArea = 3,
};

//! Numbered messages of a series.
enum IteratorErrorCode : int {
  kErrNoBaseline = 62,
  kErrTooFewTests = 63,
  kErrRunFailure = 42,
  kErrTooManyTests = 86,
  kErrNoDisplacementRange = 109,
  kErrTooFewManifolds = 110,
};

//! The values of one combination, by slot.
struct TestPoint {
  int testNumber = 0;                                //!< 1-based
  std::array<float, kIteratorSlots> values{};        //!< numeric value [parameter unit]
  std::array<int, kIteratorSlots> entries{};         //!< list entry index
};

//! What one test produced.
struct TestOutcome {
  int testNumber = 0;
  bool ok = false;       //!< the engine validated and the simulation ran
  int failureCode = 0;   //!< validation code, or 42 when the simulation failed
  float score = 0.0f;
};

class Iterator : public BaselineIterator {
 public:
  Iterator();
  ~Iterator() override;
  //! Deep copy: working engine and kept engines included.
  Iterator(const Iterator& other);
  Iterator& operator=(const Iterator& other);

  bool HoldsResults() const override { return keeper_.Count() > 0; }

  //! Back to the initial state: no baseline, no setup, no results, defaults.
  void Clear();

  // --- setup ----------------------------------------------------------------
  //! Validates `baseline` (false with its code, nothing changed), records it
  //! (not owned) and copies it into the working engine. Slot types follow the
  //! engine: the high-speed slots only with variable valve timing. Variables
  //! already set are kept as they are.
  bool SetUp(const CVexoDoc& baseline, int& code);
  bool IsSetUp() const { return setUp_; }
  const CVexoDoc* Baseline() const { return baseline_; }
  int BaselineNumber() const { return baselineNumber_; }
  bool BaselineMetric() const { return baselineMetric_; }
  int BaselineTimingMethod() const { return baselineTimingMethod_; }
  const CVexoDoc& WorkingEngine() const { return *working_; }

  //! A numeric slot: centre ± tolerance in steps. The grid stays centred where
  //! it reaches past the parameter's limits; a test with such a value counts
  //! as a failed test and its value is never set into the engine.
  void SetVariable(int slot, float centre, float tolerance, float step);
  void Recentre(int slot, float centre);
  //! Re-centres every typed numeric slot with a tolerance on `engine`'s value.
  void RecentreOn(const CVexoDoc& engine);
  //! Re-centres the slots of `group` on `engine`'s values.
  void RecentreGroup(SlotGroup group, const CVexoDoc& engine);
  //! The current value of slot's parameter in `engine` (numeric slots).
  static float ValueOf(int slot, const CVexoDoc& engine);
  //! Short name of the parameter a slot varies ("Manifold Type", "IVO", "Bore", …).
  static const char* SlotName(int slot);
  //! Unit label of slot's parameter in `engine`'s current units ("item" for the manifold).
  static std::string SlotUnit(int slot, const CVexoDoc& engine);
  void SetListVariable(int slot, int capacity);
  bool AddListEntry(int slot, const CPartTypeSpec& entry);
  bool RemoveListEntry(int slot, int item);
  bool ListContains(int slot, int item) const;
  const IterationVariable& Variable(int slot) const { return variables_.at(slot); }

  void EnableSlot(int slot, bool enabled);
  //! The high-speed group is enabled only on an engine with variable valve timing.
  void EnableGroup(SlotGroup group, bool enabled);
  bool IsGroupEnabled(SlotGroup group) const;

  //! Bore derived from the stroke, or stroke from the bore (never both); the
  //! derived slot is re-centred with tolerance 0 so it drops out. Both false: off.
  void SetConstantDisplacement(bool boreDerived, bool strokeDerived);
  bool ConstantDisplacement() const { return boreDerived_ || strokeDerived_; }
  bool BoreDerived() const { return boreDerived_; }
  bool StrokeDerived() const { return strokeDerived_; }
  void SetRaiseInductionFlow(bool raise) { raiseInductionFlow_ = raise; }
  bool RaiseInductionFlow() const { return raiseInductionFlow_; }

  //! Criterion 0..3 (false otherwise, unchanged).
  bool SetCriterion(int criterion);
  int GetCriterion() const { return criterion_; }
  //! Speeds within 1000..14500 rpm, low < high (false otherwise, unchanged).
  bool SetSpeedRange(float low, float high);
  float LowSpeed() const { return lowSpeed_; }
  float HighSpeed() const { return highSpeed_; }

  // --- running --------------------------------------------------------------
  //! The first failing check: 62 no baseline (or it has no results), the
  //! baseline's own code, 63 fewer than 2 tests, 86 too many, 109 constant
  //! displacement without a bore or stroke range, 110 an enabled manifold slot
  //! with fewer than two manifolds.
  bool Validate(int& code) const;
  //! Resets positions, results and counts, rebuilds the active list and the
  //! total, scores the baseline.
  void Prepare();
  //! One test on the working engine. False when the series was already finished
  //! or finished now without a test.
  bool Step();

  //! Advances the odometer; false (and finished) when the series is over.
  bool NextTest(TestPoint& point);
  //! Simulates `point` on `work` (any document but the baseline), showing no
  //! message: a failure's code (validation, compressor map, 42) goes into the
  //! outcome. `maps` is the baseline's compressor map, read once for many
  //! tests. Safe to call from several threads on different documents.
  TestOutcome Evaluate(CVexoDoc& work, const TestPoint& point, const CompressorMapSupply& maps) const;
  //! The same, reading the baseline's compressor map for this one test.
  TestOutcome Evaluate(CVexoDoc& work, const TestPoint& point) const;
  //! Writes `point`'s values into `work`, which holds the baseline's engine.
  void Apply(CVexoDoc& work, const TestPoint& point) const;
  //! Counts the test done and offers its engine to the result slots; `engine`
  //! is needed only when `outcome.ok` and WouldKeep(score). Returns the slot
  //! that took the result, or −1.
  int Commit(const TestOutcome& outcome, const EngineParameters* engine);
  //! A result with this score would be kept now (and so possibly later).
  bool WouldKeep(float score) const { return keeper_.WouldKeep(score); }
  //! Offers a result: replaces the worst of ten kept only when strictly better.
  //! Returns the slot used, or −1 when dropped.
  int OfferResult(float score, int testNumber, const EngineParameters& engine);

  //! The criterion's score of an engine's displayed results.
  float Score(const CVexoDoc& engine) const;

  const std::vector<int>& ActiveSlots() const { return active_; }
  std::int64_t TotalTests() const { return total_; }
  std::int64_t TestsDone() const { return done_; }
  bool IsFinished() const { return finished_; }
  //! trunc(done / total × 100), 0 when the total is 0.
  int ProgressPercent() const;
  int FailedTests() const { return failedTests_; }
  int FirstFailureCode() const { return firstFailureCode_; }
  //! Failed tests by failure code, since the last Prepare.
  const std::map<int, int>& FailureCounts() const { return failureCounts_; }
  //! Tests of the series as set up now (whether prepared or not) with a value
  //! outside its parameter's limits, a derived bore or stroke included: each
  //! of them fails. 0 without a baseline.
  std::int64_t TestsOutsideLimits() const;
  //! Tests of the series as set up now (Prepare's total).
  std::int64_t SetupTests() const;

  // --- results --------------------------------------------------------------
  int KeptCount() const { return keeper_.Count(); }
  const ResultSlot& Result(int slot) const { return results_.at(slot); }
  void SetKeep(int slot, bool keep);
  //! Marks the best kept result to be opened.
  void KeepBest();
  int BestSlot() const { return keeper_.BestSlot(); }
  int WorstSlot() const { return keeper_.WorstSlot(); }
  float BestScore() const { return keeper_.BestScore(); }
  float WorstScore() const { return keeper_.WorstScore(); }
  float BaselineScore() const { return baselineScore_; }
  //! The engine of the best result, or null before anything was kept.
  const CVexoDoc* BestEngine() const;

 private:
  void AssignSlotTypes();
  bool Advance(int i);

  const CVexoDoc* baseline_ = nullptr;  //!< not owned
  int baselineNumber_ = 0;
  bool baselineMetric_ = false;         //!< unit system at setup
  int baselineTimingMethod_ = 0;        //!< "Camshaft Timing Method" at setup
  std::unique_ptr<CVexoDoc> working_;   //!< private copy simulated by Step
  std::array<IterationVariable, kIteratorSlots> variables_;
  std::vector<int> active_;             //!< active slots, in slot order
  std::int64_t total_ = 0;
  std::int64_t issued_ = 0;             //!< combinations handed out by NextTest
  std::int64_t done_ = 0;               //!< tests committed
  bool finished_ = false;
  int criterion_ = kPeakPower;
  float lowSpeed_ = 1000.0f;            //!< [rpm]
  float highSpeed_ = 14500.0f;          //!< [rpm]
  std::array<ResultSlot, kIteratorResults> results_;
  KeepTen keeper_;                      //!< which slot holds which result
  float baselineScore_ = 0.0f;
  int failedTests_ = 0;
  int firstFailureCode_ = 0;
  std::map<int, int> failureCounts_;   //!< failed tests by code
  bool boreDerived_ = false;
  bool strokeDerived_ = false;
  bool raiseInductionFlow_ = false;
  bool setUp_ = false;
};

}  // namespace brisca
