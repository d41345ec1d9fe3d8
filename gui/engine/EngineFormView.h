#pragma once
// The engine form: every parameter of the document in seven painted groups,
// each with its status light, the automatic-value marks, the compressor
// lamps of the last run, and the edit dialogs of the value fields.

#include <QScrollArea>

#include <array>
#include <map>
#include <memory>

#include "gui/engine/EngineFormLayout.h"
#include "gui/shell/ViewRegistry.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace brisca {

class CVexoDoc;
class CLightBar;
class CSimSpecEditCtrl;
class CamLobeControls;
class WarningLamp;

class CEngineFormView : public QScrollArea {
  Q_OBJECT

 public:
  //! Enters itself in the registry's engine-form slot when that is empty.
  CEngineFormView(CVexoDoc& document, ViewRegistry& registry, QWidget* parent = nullptr);
  ~CEngineFormView() override;

  //! Re-reads the document (every document update).
  Q_INVOKABLE void UpdateView();

  CVexoDoc& Document() const { return document_; }
  CSimSpecEditCtrl* Field(int id) const;
  CLightBar* Light(form::GroupIndex group) const { return lights_[group]; }
  WarningLamp* Lamp(int id) const;
  //! The text of label `id` ("(Auto)" marks, timing-set labels).
  QString LabelText(int id) const;
  QRadioButton* RodRadio(bool byRatio) const { return byRatio ? rodRatioRadio_ : rodLengthRadio_; }
  QCheckBox* VariableValveTimingBox() const { return vvtBox_; }
  //! A group's box in form pixels.
  QRect GroupBox(form::GroupIndex group) const { return groups_[group].box; }
  bool IsGroupHot(form::GroupIndex group) const { return groups_[group].hot; }
  //! The etched separators in form pixels.
  const std::vector<QRect>& SeparatorRects() const { return separators_; }
  //! The widget the form paints on (the fields' parent).
  QWidget* Canvas() const { return canvas_; }

  //! Opens the edit dialog of `field` and handles its end (modal).
  void EditField(CSimSpecEditCtrl* field);
  //! Focus to the next (previous) stop as Tab (Shift+Tab) does, wrapping in the
  //! group; `from` is a value field or one of the form's buttons and boxes.
  void MoveFocus(QWidget* from, bool forward);
  //! Focus to the first field of the next (previous) group; false past the last
  //! group or before the first, where the focus stays.
  bool MoveToGroup(QWidget* from, bool forward);
  //! Focus to the first field of `group`.
  void FocusGroup(form::GroupIndex group);
  //! A button of the form (form::kPortFlowButton ...).
  QPushButton* Button(int id) const { return buttons_.at(id); }

  // The canvas' events.
  void PaintCanvas(QPainter& painter);
  void PointerMoved(const QPoint& canvasPos);
  bool FocusNextPrev(bool forward);

 protected:
  void showEvent(QShowEvent* event) override;
  //! The focus given to the form from the keyboard goes on to the stop that last had it.
  void focusInEvent(QFocusEvent* event) override;
  //! The pointer over the form's controls counts as over the form.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct GroupState {
    QRect box;
    bool hot = false;
  };

  int Du(int x) const;    // dialog units to pixels across
  int DuY(int y) const;   // and down
  QRect DuRect(const QRect& rect) const;
  void BuildControls();
  void BindFields();
  void BindRodFields();
  void ComputeTitleSizes();
  void SetGroupHot(int group, bool hot);
  std::array<QRect, 3> HotRects(int group) const;
  //! The widget of a keyboard stop, and the stop of a widget (null: none).
  QWidget* StopWidget(const form::TabStop& stop) const;
  const form::TabStop* StopOf(const QWidget* widget) const;
  //! The group's stops that take the focus now, in the keyboard's order.
  std::vector<QWidget*> GroupRound(int group) const;
  std::pair<int, int> GroupEnds(int group) const;
  void UpdateForcedInduction();
  void UpdateLights();
  void UpdateAutoLabels();
  void UpdateLamps();
  void SetLabel(int id, const QString& text);
  void ShowStatus(const QString& text);
  void OnRodRadio(bool byRatio);
  void OnVariableValveTiming(bool on);
  //! "Port Flow": the flow dialog on the document's head data.
  void OnPortFlow();
  void ApplyLabelColors();

  CVexoDoc& document_;
  ViewRegistry& registry_;
  QWidget* canvas_;
  QFont titleFont_;
  QFont smallFont_;
  int avgCharWidth_ = 0;
  int charHeight_ = 0;
  int titleHeight_ = 0;  // h
  int tabWidth_ = 0;     // W
  int slope_ = 0;        // s
  bool firstPaint_ = true;
  std::map<int, CSimSpecEditCtrl*> fields_;
  std::map<int, QLabel*> labels_;
  std::vector<std::pair<QLabel*, int>> groupLabels_;  // every label and its group
  std::array<CLightBar*, 6> lights_{};
  std::array<GroupState, form::kGroupCount> groups_;
  std::vector<QRect> separators_;
  std::map<int, WarningLamp*> lamps_;
  std::map<int, QPushButton*> buttons_;
  QRadioButton* rodLengthRadio_ = nullptr;
  QRadioButton* rodRatioRadio_ = nullptr;
  QCheckBox* vvtBox_ = nullptr;
  std::unique_ptr<CamLobeControls> lowLobe_;
  std::unique_ptr<CamLobeControls> highLobe_;
};

}  // namespace brisca
