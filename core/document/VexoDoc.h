#pragma once
// The engine document: one open engine. It holds every engine parameter as a
// spec value, the chosen components, the port-flow record and the camshaft,
// the results of the last run and a few settings, and keeps them consistent:
// derived values, confirmation before a change invalidates other data, unit
// switching, validation and the simulation run.
//
// Every change to a parameter is preceded by ConfirmSpecChange and followed by
// UpdateDerivedValues. Code that computes with parameters switches the document
// to domestic units first and back to the user's system afterwards.

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "core/document/BaselineIterator.h"
#include "core/document/EngineParameters.h"
#include "core/reportspecs/ReportSpecs.h"
#include "core/results/ChartState.h"
#include "core/results/TestConditions.h"

namespace brisca {

class DocumentHost;
struct CompressorMapSupply;

//! Everything a change to the document can touch and taking it back restores:
//! the engine as it stands (parameters, derived values, results), the report
//! settings and both charts' settings. Not the iterators, title or number.
struct DocumentState {
  EngineParameters engine;
  ReportSpecs report;
  std::array<ChartState, 2> charts;
};

//! Which of the document's result sets.
enum class ResultSetId { Displayed = 0, LowSpeedLobe = 1, HighSpeedLobe = 2 };

class CVexoDoc {
 public:
  //! A cleared engine with the next document number. `host` may be null (no
  //! application: no open-document list, no dialogs).
  explicit CVexoDoc(DocumentHost* host = nullptr);
  CVexoDoc(const CVexoDoc&) = delete;
  CVexoDoc& operator=(const CVexoDoc&) = delete;

  // --- Engine -------------------------------------------------------------
  EngineParameters& Engine() { return engine_; }
  const EngineParameters& Engine() const { return engine_; }

  const std::string& GetTitle() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }
  int GetDocumentNumber() const { return documentNumber_; }
  bool IsModified() const { return modified_; }
  //! A change of the flag is told to the host at once, so every mark of it follows.
  //! Marking it modified also tells the host that a change was made (each
  //! time); clearing it tells the host the engine now matches its file.
  void SetModified(bool modified);
  //! The engine, its derived values and results, report and chart settings as they are.
  DocumentState State() const;
  //! Puts `state` back in full (no recalculation: it carries its own derived
  //! values and results). The Pro Iterator's baseline counts as changed.
  void RestoreState(const DocumentState& state);
  //! What the change being made is called ("Bore", "Units", ...). The first
  //! name given since the last TakeChangeName wins; ConfirmSpecChange names it
  //! after its parameter's label. `replace` names it whatever it was called.
  void NameChange(const std::string& name, bool replace = false);
  //! The name given to the change and forgets it; empty when none was given.
  std::string TakeChangeName();
  bool IsMetric() const { return engine_.metricUnits; }
  bool GetAutoRun() const { return engine_.autoRun; }
  bool GetAutoValveSizes() const { return engine_.autoValveSizes; }
  bool GetBaselineChanged() const { return baselineChanged_; }
  void SetBaselineChanged(bool changed) { baselineChanged_ = changed; }
  DocumentHost* Host() const { return host_; }

  //! Report settings: the engine file stores them; copies of the engine do not
  //! take them. Cleared (not specified) in a new or cleared document and after
  //! reading a file that has none: the first report fills them from the saved
  //! defaults, with the title the document has then.
  ReportSpecs& Report() { return report_; }
  const ReportSpecs& Report() const { return report_; }
  //! Settings of the first (left) and second (right) chart, saved with the engine.
  ChartState& Chart(ChartRole role) { return charts_[role == ChartRole::First ? 0 : 1]; }
  const ChartState& Chart(ChartRole role) const { return charts_[role == ChartRole::First ? 0 : 1]; }

  //! The application's open documents include `document` (false without a host).
  bool IsDocumentOpen(const CVexoDoc* document) const;
  //! `document` is open and carries document number `number` (number 0 is a FatalAssert).
  bool IsSameDocument(const CVexoDoc* document, int number) const;

  //! The phase-1 and phase-2 iterators of the Pro Iterator; empty until it takes
  //! this document as its baseline.
  std::unique_ptr<BaselineIterator>& Iterator(int phase) { return iterators_.at(phase); }

  //! The reset of every component (a new engine).
  void ClearComponents();
  //! Switches every switchable parameter, the port-flow record and the camshaft.
  void SetUnits(bool metric);
  //! Copies the engine of `source` (not its number, views, report settings,
  //! iterators or baseline flag); the two must differ.
  void CopyFrom(const CVexoDoc& source);
  //! Switches every automatic calculation off so received values stay as they are.
  void ClearAutoFlags();

  //! Asks before `spec` changes; false means the user cancelled and nothing may change.
  bool ConfirmSpecChange(const CSimSpec& spec);
  //! Rod geometry, volumes, combustion space, automatic sizes and lifts, cam
  //! derived values; runs the simulation when Auto Run is on; re-applies the units.
  void UpdateDerivedValues();

  // --- Validation ---------------------------------------------------------
  //! The first failing check decides `code`; changes nothing.
  bool Validate(int& code) const;
  bool ValidateShortBlock(int& code) const;
  bool ValidateCylinderHead(int& code) const;
  bool ValidateCompressionRatio(int& code) const;
  bool ValidateInduction(int& code) const;
  bool ValidateExhaust(int& code) const;
  bool ValidateCamshaft(int& code) const;
  //! The volumes (and a combustion space worked out from them) fit the short
  //! block only while it validates: when it stops validating they keep the
  //! values of the block they were derived from, which views must not show as
  //! the engine's.
  bool AreDerivedVolumesCurrent() const;

  // --- Simulation ---------------------------------------------------------
  //! Validates, reads the compressor map once, runs one pass (two with
  //! high-speed lobes, merged at the activation speed) and fills the result
  //! sets; shows the validation code or code 42 when asked. A map that cannot
  //! be read is shown always, once for each model pass that needed it. All
  //! result sets are cleared when a pass fails.
  bool RunSimulation(bool showValidationErrors, bool showRunFailure);
  //! The same run with a map read beforehand (by ReadCompressorMap of the
  //! engine this one was copied from), for runs away from the document's own
  //! thread: shows nothing; on failure `failureCode` is the validation code,
  //! the map's code (173, 45, 46) or 42.
  bool RunSimulation(const CompressorMapSupply& maps, int& failureCode);
  //! The compressor map this engine's runs use, read from the host's map
  //! folder; none (and no error) without forced induction or a map number.
  //! Shows nothing.
  CompressorMapSupply ReadCompressorMap() const;

  const ResultSet& Results(ResultSetId which = ResultSetId::Displayed) const {
    return engine_.results[static_cast<int>(which)];
  }
  ResultSet& Results(ResultSetId which = ResultSetId::Displayed) {
    return engine_.results[static_cast<int>(which)];
  }

  //! The air the shown figures hold for: the application's choice, kept for
  //! display only. Never saved, never part of State(), never copied with the
  //! engine; the results, runs and iterator scores stay the model's.
  const TestConditions& DisplayConditions() const { return displayConditions_; }
  void SetDisplayConditions(const TestConditions& conditions) { displayConditions_ = conditions; }
  //! Results(which) as tables, charts, print and report show them: power and
  //! torque through DisplayedResults. Bit for bit Results(which) when nothing
  //! is transformed.
  ResultSet ShownResults(ResultSetId which = ResultSetId::Displayed) const {
    return DisplayedResults(Results(which), displayConditions_);
  }

  //! The 28 values of one result quantity: 1 speed, 2 power, 3 torque, 4 manifold
  //! pressure, 5 boost, 6 VE, 7 IMEP, 8 BMEP, 9 FMEP, 10 indicated, 11 friction,
  //! 12 pumping power, 13 mechanical efficiency, 14 airflow, 15 piston force,
  //! 16 piston speed, 17 PMEP, 18 wheel power, 19/20 power and 21/22 torque of
  //! the low/high-speed lobe, 23 wheel torque. Points at or past the count of
  //! the quantity's set do not exist and read as 0 (all of a cleared set).
  ResultArray GetResultArray(int quantity) const;
  //! Points in use of the set holding `quantity`; 0 for a cleared set.
  int ResultCount(int quantity) const;
  //! Value of result quantity (as GetResultArray) at point `index` 0..27; 0
  //! at or past the count.
  float ResultAt(int quantity, int index) const;
  //! Result queries read only the points in use: an empty set gives 0.
  //! Largest value (at least 0) of quantity 2..9 at speeds within [low, high].
  float PeakInWindow(int quantity, float low, float high) const;
  //! Speed of the highest power (2) or torque (3): the first on ties, point 0
  //! when nothing is above 0; 0 for an empty set.
  float SpeedOfPeak(int quantity) const;
  //! Trapezoid area of quantity 2..9 over [low, high] × 0.001.
  float AreaInWindow(int quantity, float low, float high) const;

  // --- Commands -----------------------------------------------------------
  //! "Run!": RunSimulation(true, true), then the views redraw.
  bool OnRun();
  //! "Auto Run" toggle.
  void OnAutoRun();
  //! Units menu: 0 domestic, 1 metric. Asks about Total Block Volume first.
  void OnUnits(bool metric);
  //! "Clear Components": a new engine, unmodified. Unsaved changes are first
  //! put to the host's SaveModified; false (nothing changed) when it keeps them.
  bool OnClearComponents();

  //! "Airflow File" "Open...": a flow file the user chooses becomes the custom
  //! port flow ("Cylinder Head Type" 25, automatic valve sizes off, valve counts
  //! that are not valid set to 1). "Save...": the record, once it validates, to
  //! a file the user chooses. "Cam Data File" "Open..." / "Save...": the same for
  //! the camshaft. Each names the file in the document on success; a cancel or
  //! a reported failure leaves the document as it was and returns false.
  bool OnAirflowFileOpen();
  bool OnAirflowFileSave();
  bool OnCamFileOpen();
  bool OnCamFileSave();
  //! The cam manager (Tools "Velmor™...", the form's "Velmor" button) through
  //! the host; on OK the engine is recalculated and redrawn. False when the
  //! host has no cam manager or the user cancelled.
  bool OnCamManager();

  //! A component-menu command (short block, head, cam, fuel, forced induction,
  //! …): fills the document from the component catalogue. False when the
  //! command is not a component command of this document or the user cancelled.
  bool OnComponentCommand(int command);
  //! Whether a menu item shows a check mark / is enabled for this document. A
  //! component item is checked while the engine has that component (or value).
  bool IsCommandChecked(int command) const;
  bool IsCommandEnabled(int command) const;

  // --- Engine file --------------------------------------------------------
  //! Writes the engine as version "4.2" (appending to `path` when `append`);
  //! reports a file error by its code and returns false.
  bool WriteEngineFile(const std::filesystem::path& path, bool append = false);
  //! Reads an engine file of any accepted version into this document; on any
  //! error the document is left as it was, the code is reported and false returned.
  bool ReadEngineFile(const std::filesystem::path& path);
  //! Save: Validate (its code reported), warning 204 when there are no results
  //! (Cancel refuses), then WriteEngineFile; unmodified on success.
  bool OnSaveDocument(const std::filesystem::path& path);
  //! Open: ReadEngineFile, then UpdateDerivedValues; unmodified on success.
  bool OnOpenDocument(const std::filesystem::path& path);

 private:
  friend class NamedChange;
  void ClearCalculatorData();
  void UpdateRodGeometry();
  void UpdateVolumes();
  void UpdateAutomaticValues();
  void UpdateActivationSpeed();
  //! RunSimulation after validation: shows the map's code (when `showMapErrors`)
  //! and 42 (when `showRunFailure`); `failureCode` as above.
  bool RunPasses(const CompressorMapSupply& maps, bool showMapErrors, bool showRunFailure,
                 int& failureCode);
  void RedrawViews();
  //! After a file command changed the engine: modified, recalculated, redrawn.
  void FinishFileCommand(bool recalculate);

  DocumentHost* host_;
  std::string title_;
  int documentNumber_;
  bool modified_ = false;
  std::string changeName_;
  int changesMarked_ = 0;  //!< SetModified(true) calls so far
  bool baselineChanged_ = true;  //!< changed since the Pro Iterator took it as baseline
  EngineParameters engine_;
  ReportSpecs report_;
  TestConditions displayConditions_;  //!< display only (ShownResults)
  std::array<std::unique_ptr<BaselineIterator>, 2> iterators_;
  std::array<ChartState, 2> charts_{ChartState::Defaults(ChartRole::First),
                                    ChartState::Defaults(ChartRole::Second)};
};

//! Names the change a command makes while it runs, whatever its parameters'
//! checks would call it. A command that ends without marking the document
//! modified leaves no name behind.
class NamedChange {
 public:
  NamedChange(CVexoDoc& document, std::string name);
  ~NamedChange();
  NamedChange(const NamedChange&) = delete;
  NamedChange& operator=(const NamedChange&) = delete;

 private:
  CVexoDoc& document_;
  std::string name_;
  int marked_;
};

}  // namespace brisca
