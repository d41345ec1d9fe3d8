#pragma once
// "Velmor™", the cam manager: edits working copies of an engine's camshaft
// (each lobe in both timing conventions), shows its timing diagram, searches
// cam files, opens and saves them, and applies the result to the document on
// Apply and OK. Cancel leaves the document as Apply or OK last left it.

#include <QDialog>

#include <array>
#include <functional>

#include "core/valvetrain/CamWorkingCopies.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace brisca {

class CCamSearchPropPage;
class CCamSpecsPropPage;
class CCamTimingChart2D;
class CCamTimingPropPage;
class CVexoDoc;
class ValueEditGuard;

class CCamDlg : public QDialog {
  Q_OBJECT

 public:
  CCamDlg(CVexoDoc& document, QWidget* parent = nullptr);
  ~CCamDlg() override;

  CamWorkingCopies& Copies() { return copies_; }
  const CamWorkingCopies& Copies() const { return copies_; }
  CVexoDoc& Document() { return document_; }
  ValueEditGuard* Guard() const { return guard_; }
  QLabel* HelpLine() const { return help_; }

  //! Every control, the chart and the pages from the copies.
  void Refresh();
  //! A page's view-convention radio button chosen.
  void OnViewConvention(int method);
  //! Controls other than the search's Stop off while a search runs.
  void SetSearching(bool searching);

  // The buttons.
  void OnOpen();
  //! Opens `name` in `folder` (the search's double-click too).
  bool OpenFile(const std::filesystem::path& folder, const std::string& name);
  void OnSave();
  void OnClear();
  bool OnApply();
  void OnOk();
  void OnAutoCalc();
  void OnManual();
  void OnSlider(int position);

  // Controls, for the desktop tests and the screenshot tour.
  QTabWidget* Pages() const { return pages_; }
  CCamSpecsPropPage* SpecsPage() const { return specsPage_; }
  CCamTimingPropPage* TimingPage() const { return timingPage_; }
  CCamSearchPropPage* SearchPage() const { return searchPage_; }
  CCamTimingChart2D* Chart() const { return chart_; }
  QGroupBox* ChartGroup() const { return chartGroup_; }
  QLineEdit* CamNameEdit() const { return camName_; }
  QComboBox* LifterList() const { return lifter_; }
  QComboBox* EngineList() const { return engine_; }
  QComboBox* UsageList() const { return usage_; }
  QLineEdit* FileNameBox() const { return fileName_; }
  QCheckBox* VvtCheck() const { return vvt_; }
  QRadioButton* LobeButton(int lobe) const { return lobeButtons_[lobe]; }
  QComboBox* ActivationList() const { return activation_; }
  QRadioButton* AutoCalcButton() const { return autoCalc_; }
  QRadioButton* ManualButton() const { return manual_; }
  QSlider* RampSlider() const { return slider_; }
  QLineEdit* RampValueBox() const { return rampValue_; }
  QLabel* RampLabel(int i) const { return rampLabels_[i]; }
  QPushButton* ApplyButton() const { return apply_; }
  QPushButton* OkButton() const { return ok_; }

 protected:
  void done(int result) override;

 private:
  QWidget* BuildDescription();
  QWidget* BuildVvt();
  QWidget* BuildRampRate();
  void BuildGuard();
  void RefreshRampRate();
  std::filesystem::path CamFolder() const;

  CVexoDoc& document_;
  CamWorkingCopies copies_;
  QString baseTitle_;
  ValueEditGuard* guard_ = nullptr;
  QLabel* help_ = nullptr;
  QLineEdit* fileName_ = nullptr;
  QLineEdit* camName_ = nullptr;
  QComboBox* engine_ = nullptr;
  QComboBox* usage_ = nullptr;
  QComboBox* lifter_ = nullptr;
  QLineEdit* manufacturer_ = nullptr;
  QLineEdit* emailWeb_ = nullptr;
  QPlainTextEdit* recommended_ = nullptr;
  QPlainTextEdit* application_ = nullptr;
  QCheckBox* vvt_ = nullptr;
  std::array<QRadioButton*, 2> lobeButtons_{};
  QComboBox* activation_ = nullptr;
  QRadioButton* autoCalc_ = nullptr;
  QRadioButton* manual_ = nullptr;
  QSlider* slider_ = nullptr;
  QLineEdit* rampValue_ = nullptr;
  std::array<QLabel*, 6> rampLabels_{};
  QTabWidget* pages_ = nullptr;
  CCamSpecsPropPage* specsPage_ = nullptr;
  CCamTimingPropPage* timingPage_ = nullptr;
  CCamSearchPropPage* searchPage_ = nullptr;
  QGroupBox* chartGroup_ = nullptr;
  CCamTimingChart2D* chart_ = nullptr;
  std::vector<QWidget*> searchLocked_;  // what a running search disables
  QPushButton* save_ = nullptr;
  QPushButton* apply_ = nullptr;
  QPushButton* ok_ = nullptr;
  bool refreshing_ = false;
};

//! Tools "Velmor™...": the cam manager, modal, over `parent`. True on OK.
bool RunCamManager(CVexoDoc& document, QWidget* parent);

}  // namespace brisca
