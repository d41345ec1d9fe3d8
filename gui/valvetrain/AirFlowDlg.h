#pragma once
// "Cylinder Head Port Flow Data": edits a copy of a document's port-flow record
// and its "Airflow File" name. The document changes only through what OK hands
// back (Result); Cancel leaves it as it was. Values are checked as their edits
// are left; the plot beside the table follows the accepted values.

#include <QDialog>

#include <array>
#include <optional>
#include <string>

#include "core/document/DocumentHost.h"
#include "core/valvetrain/CylHeadFlow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace brisca {

class CEditFloatPt;
class FlowPlot;
class ValueEditGuard;

class CAirFlowDlg : public QDialog {
  Q_OBJECT

 public:
  //! `host` answers the file choosers and tells the start-up folder.
  CAirFlowDlg(DocumentHost& host, const CCylHeadFlow& flow, const std::string& airflowFile,
              QWidget* parent = nullptr);
  ~CAirFlowDlg() override;

  //! What OK accepted; nothing before OK, after Cancel, or after OK when the
  //! data and the file name are still those the dialog was opened with.
  const std::optional<PortFlowEdit>& Result() const { return result_; }
  //! The working copy and file name as they stand.
  const CCylHeadFlow& Flow() const { return flow_; }
  const std::string& AirflowFile() const { return airflowFile_; }

  // Controls, for the desktop tests and the screenshot tour.
  CEditFloatPt* LiftEdit(FlowSide side, int row) const { return Side(side).lift[row]; }
  CEditFloatPt* FlowEdit(FlowSide side, int row) const { return Side(side).flow[row]; }
  CEditFloatPt* DiameterEdit(FlowSide side) const { return Side(side).diameter; }
  CEditFloatPt* PressureDropEdit(FlowSide side) const { return Side(side).pressureDrop; }
  QComboBox* ValvesList(FlowSide side) const { return Side(side).valves; }
  QSpinBox* PointSpin() const { return points_; }
  QLineEdit* DescriptionEdit() const { return description_; }
  QPlainTextEdit* NotesEdit() const { return notes_; }
  QLineEdit* FileNameBox() const { return fileName_; }
  QLabel* HelpLine() const { return help_; }
  QPushButton* CalcOthersButton() const { return calcOthers_; }
  QPushButton* OkButton() const { return ok_; }
  FlowPlot* Plot() const { return plot_; }

  //! The buttons' commands.
  void OnOk();
  void OnCalcOthers();
  void OnResetAll();
  void OnOpen();
  void OnSaveAs();
  //! The point-count spin stepped by `delta`.
  void OnPointStep(int delta);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct SideControls {
    CEditFloatPt* diameter = nullptr;
    CEditFloatPt* pressureDrop = nullptr;
    QLabel* diameterUnit = nullptr;
    QLabel* dropUnit = nullptr;
    QLabel* liftHeading = nullptr;
    QLabel* flowHeading = nullptr;
    QComboBox* valves = nullptr;
    std::array<CEditFloatPt*, kMaxFlowPoints> lift{};
    std::array<CEditFloatPt*, kMaxFlowPoints> flow{};
  };

  const SideControls& Side(FlowSide side) const {
    return side == FlowSide::Intake ? sides_[0] : sides_[1];
  }
  QWidget* BuildSide(FlowSide side);
  void BuildGuard();
  void Refresh();
  void ValueAccepted(bool changed);
  std::filesystem::path FlowFolder() const;

  DocumentHost& host_;
  CCylHeadFlow flow_;
  std::string airflowFile_;
  std::string openedText_;  // the record's file text when the dialog opened
  std::string openedFile_;
  std::optional<PortFlowEdit> result_;
  std::array<SideControls, 2> sides_;
  QLineEdit* fileName_ = nullptr;
  QLineEdit* description_ = nullptr;
  QSpinBox* points_ = nullptr;
  QPlainTextEdit* notes_ = nullptr;
  QLabel* help_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* calcOthers_ = nullptr;
  FlowPlot* plot_ = nullptr;
  ValueEditGuard* guard_ = nullptr;
  CEditFloatPt* calcLift_ = nullptr;  // the lift edit "Calc Others" extends from
};

}  // namespace brisca
