#include "gui/engine/EngineFormView.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include <algorithm>

#include "core/base/FatalAssert.h"
#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "gui/calculators/CalculatorCommands.h"
#include "gui/engine/CamLobeControls.h"
#include "gui/engine/LightBar.h"
#include "gui/engine/SimSpecEditCtrl.h"
#include "gui/engine/SimSpecEditDlg.h"
#include "gui/engine/WarningLamp.h"
#include "gui/shell/ColorScheme.h"
#include "gui/shell/DesktopHost.h"

namespace brisca {
namespace {

using namespace form;
using Ctrl = CSimSpecEditCtrl;

constexpr int kLightWidthDu = 4;
// The form font's average character width, in pixels at 96 dots per inch.
constexpr double kFormCharWidth = 6.0;
constexpr double kSmallestFallbackPoints = 6.0;
constexpr double kFallbackStep = 0.25;

const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

int AverageCharWidth(const QFont& font) {
  return (QFontMetrics(font).horizontalAdvance(kLetters) / 26 + 1) / 2;
}

// "MS Sans Serif" 8 pt; where the platform substitutes another face, the
// largest size of it whose characters are no wider, so the form keeps its
// proportions (at any scaling: the width follows the screen's resolution).
QFont FormFont(const QWidget& widget) {
  QFont font(QStringLiteral("MS Sans Serif"), 8);
  if (QFontInfo(font).family() == font.family()) return font;
  const double target = kFormCharWidth * widget.logicalDpiX() / 96.0;
  while (font.pointSizeF() > kSmallestFallbackPoints && AverageCharWidth(font) > target) {
    font.setPointSizeF(font.pointSizeF() - kFallbackStep);
  }
  return font;
}

// The canvas the form paints on; it hands its events to the view.
class FormCanvas : public QWidget {
 public:
  FormCanvas(CEngineFormView& view) : view_(view) {
    setObjectName(QStringLiteral("engineFormCanvas"));
    setMouseTracking(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    view_.PaintCanvas(painter);
  }
  void mouseMoveEvent(QMouseEvent* event) override { view_.PointerMoved(event->position().toPoint()); }
  void leaveEvent(QEvent*) override { view_.PointerMoved(QPoint(-1000, -1000)); }
  bool focusNextPrevChild(bool next) override { return view_.FocusNextPrev(next); }

 private:
  CEngineFormView& view_;
};

}  // namespace

CEngineFormView::CEngineFormView(CVexoDoc& document, ViewRegistry& registry, QWidget* parent)
    : QScrollArea(parent), document_(document), registry_(registry), canvas_(new FormCanvas(*this)) {
  setObjectName(QStringLiteral("engineFormView"));
  registry_.Register(ViewSlot::EngineForm, this);
  canvas_->setFont(FormFont(*canvas_));
  titleFont_ = QFont(QStringLiteral("Arial"), 11, 900, true);
  smallFont_ = QFont(QStringLiteral("Arial"), 8, 400, true);
  smallFont_.setUnderline(true);
  const QFontMetrics metrics(canvas_->font());
  // Dialog units: the average width of the letters and the height of the form font.
  avgCharWidth_ = AverageCharWidth(canvas_->font());
  charHeight_ = metrics.height();
  // The groups end 18 dialog units short of the template's right edge; the form
  // is as wide as they are so it fits its column without a horizontal scroll bar.
  canvas_->resize(Du(kFormWidth - 16), DuY(kFormHeight));
  QPalette colors = canvas_->palette();
  colors.setColor(QPalette::Window, SchemeColor(1));
  canvas_->setPalette(colors);
  canvas_->setAutoFillBackground(true);
  setWidget(canvas_);
  setWidgetResizable(false);
  BuildControls();
  ComputeTitleSizes();
  BindFields();
  UpdateView();
}

CEngineFormView::~CEngineFormView() { registry_.Unregister(this); }

int CEngineFormView::Du(int x) const { return x * avgCharWidth_ / 4; }
int CEngineFormView::DuY(int y) const { return y * charHeight_ / 8; }
QRect CEngineFormView::DuRect(const QRect& r) const {
  return QRect(Du(r.x()), DuY(r.y()), Du(r.width()), DuY(r.height()));
}

CSimSpecEditCtrl* CEngineFormView::Field(int id) const {
  auto found = fields_.find(id);
  return found == fields_.end() ? nullptr : found->second;
}

WarningLamp* CEngineFormView::Lamp(int id) const {
  auto found = lamps_.find(id);
  return found == lamps_.end() ? nullptr : found->second;
}

QString CEngineFormView::LabelText(int id) const {
  auto found = labels_.find(id);
  BRISCA_ASSERT(found != labels_.end());
  return found->second->text();
}

void CEngineFormView::BuildControls() {
  const auto groups = Groups();
  auto groupOfPoint = [&](QPoint duPoint) {
    for (int g = 0; g < kGroupCount; ++g) {
      if (groups[g].box.contains(duPoint)) return g;
    }
    return 0;
  };
  for (int g = 0; g < kGroupCount; ++g) {
    groups_[g].box = DuRect(groups[g].box);
    if (groups[g].lightId == 0) continue;
    auto* light = new CLightBar(canvas_);
    light->setObjectName(QStringLiteral("light%1").arg(groups[g].lightId));
    const QRect& box = groups_[g].box;
    light->setGeometry(box.left() + 1, box.top() + 2, Du(kLightWidthDu), box.height() - 3);
    lights_[g] = light;
  }
  for (const FieldPlace& place : Fields()) {
    auto* field = new Ctrl(document_, place.id, canvas_);
    field->setGeometry(DuRect(place.box));
    connect(field, &Ctrl::EditRequested, this, &CEngineFormView::EditField);
    connect(field, &Ctrl::StatusText, this, &CEngineFormView::ShowStatus);
    fields_[place.id] = field;
  }
  for (const LabelPlace& place : Labels()) {
    auto* label = new QLabel(QString::fromUtf8(place.text), canvas_);
    label->setFont(place.small ? smallFont_ : canvas_->font());
    const QFontMetrics metrics(label->font());
    const int width = std::max(metrics.horizontalAdvance(label->text()),
                               place.id ? metrics.horizontalAdvance(QStringLiteral("(Not Defined):")) : 0) + 2;
    const int x = place.rightAligned ? Du(place.x) - width : Du(place.x);
    label->setGeometry(x, DuY(place.y), width, DuY(kFieldHeight));
    label->setAlignment((place.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (place.id) {
      label->setObjectName(QStringLiteral("label%1").arg(place.id));
      labels_[place.id] = label;
    }
    groupLabels_.emplace_back(label, groupOfPoint(QPoint(place.x, place.y)));
  }
  for (const SeparatorPlace& place : Separators()) {
    separators_.push_back(QRect(Du(place.x), DuY(place.y), Du(place.width), 2));
  }
  for (const ButtonPlace& place : Buttons()) {
    auto* button = new QPushButton(QString::fromUtf8(place.text), canvas_);
    button->setGeometry(DuRect(place.box));
    button->setObjectName(QStringLiteral("button%1").arg(place.id));
    // Enter presses a focused button as it opens a focused field.
    button->setAutoDefault(true);
    buttons_[place.id] = button;
    if (place.id == kPortFlowButton) {
      connect(button, &QPushButton::clicked, this, &CEngineFormView::OnPortFlow);
    } else if (place.id == kCrCalcButton) {
      connect(button, &QPushButton::clicked, this, [this] { RunCompressionRatioMath(document_, this); });
    } else if (place.id == kVelmorButton) {
      connect(button, &QPushButton::clicked, this, [this] { document_.OnCamManager(); });
    }
  }
  for (const LampPlace& place : Lamps()) {
    auto* label = new QLabel(QString::fromUtf8(place.text), canvas_);
    label->setFont(smallFont_);
    const int width = QFontMetrics(smallFont_).horizontalAdvance(label->text()) + 2;
    label->setGeometry(Du(place.x), DuY(place.labelY), width, DuY(kFieldHeight));
    groupLabels_.emplace_back(label, kInductionGroup);
    auto* lamp = new WarningLamp(canvas_);
    lamp->setObjectName(QStringLiteral("lamp%1").arg(place.id));
    lamp->move(Du(place.x) + (width - WarningLamp::kSize) / 2, DuY(place.lampY));
    lamps_[place.id] = lamp;
  }
  // Rod radio buttons sit left of their labels; the V-V-T box left of its heading.
  auto radioBeside = [&](int fieldId) {
    auto* radio = new QRadioButton(canvas_);
    const QRect field = Field(fieldId)->geometry();
    const QSize size = radio->sizeHint();
    QLabel* label = nullptr;
    for (auto& [candidate, group] : groupLabels_) {
      if (candidate->geometry().top() == field.top() && candidate->geometry().right() < field.left() &&
          (!label || candidate->geometry().right() > label->geometry().right())) {
        label = candidate;
      }
    }
    BRISCA_ASSERT(label != nullptr);
    radio->setGeometry(label->geometry().left() - size.width() - 1,
                       field.center().y() - size.height() / 2, size.width(), size.height());
    return radio;
  };
  rodLengthRadio_ = radioBeside(1032);
  rodRatioRadio_ = radioBeside(1027);
  rodLengthRadio_->setObjectName(QStringLiteral("radio2544"));
  rodRatioRadio_->setObjectName(QStringLiteral("radio2543"));
  connect(rodLengthRadio_, &QRadioButton::clicked, this, [this] { OnRodRadio(false); });
  connect(rodRatioRadio_, &QRadioButton::clicked, this, [this] { OnRodRadio(true); });
  vvtBox_ = new QCheckBox(canvas_);
  vvtBox_->setObjectName(QStringLiteral("check2556"));
  const QSize boxSize = vvtBox_->sizeHint();
  vvtBox_->setGeometry(Du(198), DuY(330) + (DuY(kFieldHeight) - boxSize.height()) / 2,
                       boxSize.width(), boxSize.height());
  connect(vvtBox_, &QCheckBox::clicked, this, &CEngineFormView::OnVariableValveTiming);

  for (QWidget* child : canvas_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    child->installEventFilter(this);
  }
  for (auto& [id, field] : fields_) field->setMouseTracking(true);

  auto find = [this](int id) { return Field(id); };
  CCamshaft& cam = document_.Engine().camshaft;
  lowLobe_ = std::make_unique<CamLobeControls>(document_, cam.lowSpeedLobe, false, find);
  highLobe_ = std::make_unique<CamLobeControls>(document_, cam.highSpeedLobe, true, find);
  ApplyLabelColors();
}

void CEngineFormView::ComputeTitleSizes() {
  const QFontMetrics metrics(titleFont_);
  int tallest = 0;
  int widest = 0;
  for (const GroupPlace& group : Groups()) {
    tallest = std::max(tallest, metrics.boundingRect(QString::fromUtf8(group.title)).height());
    widest = std::max(widest, metrics.horizontalAdvance(QString::fromUtf8(group.title)));
  }
  titleHeight_ = tallest * 7 / 10;
  tabWidth_ = widest + 2 * lights_[0]->width();
  slope_ = titleHeight_ + (3 * titleHeight_) / 4;
  BRISCA_ASSERT(titleHeight_ > 0 && tabWidth_ > 0 && slope_ > 0);
}

void CEngineFormView::BindFields() {
  EngineParameters& e = document_.Engine();
  const int sb = Groups()[kShortBlockGroup].id;
  const int heads = Groups()[kHeadsGroup].id;
  const int comp = Groups()[kCompressionGroup].id;
  const int ind = Groups()[kInductionGroup].id;
  const int exh = Groups()[kExhaustGroup].id;
  const int cam = Groups()[kCamshaftGroup].id;
  const int notes = Groups()[kNotesGroup].id;
  constexpr int kShow = Ctrl::kDisplayOnly;
  constexpr int kMenu = Ctrl::kMenuOnly;
  constexpr int kType = Ctrl::kTypeOrMenu;
  const int valveMode = e.autoValveSizes ? kMenu : kType;

  Field(1014)->BindSpec(sb, e.shortBlockType, kType, 106);
  Field(1017)->BindSpec(sb, e.cylinders, kType, 262);
  Field(1022)->BindSpec(sb, e.bore, kType, 0);
  Field(1026)->BindSpec(sb, e.stroke, kType, 0);
  BindRodFields();
  Field(1034)->BindSpec(sb, std::as_const(e.totalBlockVolume), kShow, 0);
  Field(1036)->BindSpec(heads, std::as_const(e.cylinderHeadType), kMenu, 119);
  Field(1056)->BindSpec(heads, std::as_const(e.intakeValves), kShow, 0);
  Field(1068)->BindSpec(heads, std::as_const(e.exhaustValves), kShow, 0);
  Field(1038)->BindSpec(heads, e.intakeValveDiameter, valveMode, 152);
  Field(1040)->BindSpec(heads, e.exhaustValveDiameter, valveMode, 153);
  Field(1042)->BindSpec(comp, e.compressionRatio, kType, 126);
  Field(1044)->BindSpec(comp, std::as_const(e.combustionSpace), kShow, 0);
  Field(1031)->BindSpec(comp, std::as_const(e.cylinderVolume), kShow, 0);
  Field(1048)->BindSpec(ind, std::as_const(e.manifoldType), kMenu, 123);
  Field(1046)->BindSpec(ind, e.inductionFlow, kType, 124);
  Field(1057)->BindSpec(ind, std::as_const(e.pressureDrop), kMenu, 156);
  Field(1050)->BindSpec(ind, std::as_const(e.fuelType), kMenu, 122);
  Field(1052)->BindSpec(ind, e.nitrousFlowRate, kType, 265);
  Field(1070)->BindSpec(ind, std::as_const(e.forcedInductionType), kMenu, 150);
  Field(1094)->BindSpec(ind, e.turbineDiameter, kType, 255);
  Field(1095)->BindSpec(ind, e.turbineAR, kType, 256);
  Field(1096)->BindSpec(ind, e.turbos, kType, 258);
  Field(1088)->BindSpec(ind, e.internalGearRatio, kType, 261);
  Field(1090)->BindSpec(ind, e.beltGearRatio, kType, 260);
  Field(1086)->BindSpec(ind, e.boostLimit, kType, 259);
  Field(1072)->BindSpec(ind, e.intercoolerEfficiency, kType, 151);
  Field(1074)->BindSpec(ind, e.intercoolerPressureDrop, kType, 254);
  Field(1060)->BindSpec(exh, std::as_const(e.exhaustSystem), kMenu, 125);
  lowLobe_->Bind(cam, e.camshaft.lowSpeedLobe.AutoValveLiftOn());
  highLobe_->Bind(cam, e.camshaft.lowSpeedLobe.AutoValveLiftOn());
  Field(1179)->BindSpec(cam, std::as_const(e.camshaft.activationRpm), kMenu, 257);
  Field(1664)->BindSpec(notes, e.notes, kType, 0);
  rodRatioRadio_->setChecked(e.rodByRatio);
  rodLengthRadio_->setChecked(!e.rodByRatio);
  vvtBox_->setChecked(e.camshaft.variableValveTiming);
}

void CEngineFormView::BindRodFields() {
  EngineParameters& e = document_.Engine();
  const int sb = Groups()[kShortBlockGroup].id;
  if (e.rodByRatio) {
    Field(1027)->BindSpec(sb, e.rodRatio, Ctrl::kTypeOrMenu, 226);
    Field(1032)->BindSpec(sb, e.rodLength, Ctrl::kDisplayOnly, 0);
  } else {
    Field(1032)->BindSpec(sb, e.rodLength, Ctrl::kTypeOrMenu, 0);
    Field(1027)->BindSpec(sb, e.rodRatio, Ctrl::kDisplayOnly, 0);
  }
  Field(1027)->repaint();
  Field(1032)->repaint();
}

void CEngineFormView::OnRodRadio(bool byRatio) {
  document_.Engine().rodByRatio = byRatio;
  BindRodFields();
}

void CEngineFormView::OnPortFlow() {
  // The cylinder-head menu's "Custom Port Flow..." item.
  constexpr int kCustomPortFlowCommand = 32819;
  if (!document_.OnComponentCommand(kCustomPortFlowCommand)) return;
  document_.SetModified(true);
}

void CEngineFormView::OnVariableValveTiming(bool on) {
  const NamedChange name(document_, "Variable Valve Timing");
  document_.Engine().camshaft.variableValveTiming = on;
  document_.SetModified(true);
  document_.UpdateDerivedValues();
  if (DocumentHost* host = document_.Host()) {
    host->UpdateAllViews(document_);
  } else {
    UpdateView();
  }
}

void CEngineFormView::UpdateView() {
  EngineParameters& e = document_.Engine();
  for (int id : {1014, 1017, 1022, 1026, 1032, 1027, 1034, 1036, 1056, 1068, 1038, 1040}) {
    Field(id)->RefreshText(true);
  }
  const int valveMode = e.autoValveSizes ? Ctrl::kMenuOnly : Ctrl::kTypeOrMenu;
  Field(1038)->SetEditMode(valveMode);
  Field(1040)->SetEditMode(valveMode);
  for (int id : {1042, 1044, 1031, 1048, 1046, 1057, 1050, 1052, 1070, 1094, 1095, 1096, 1088,
                 1090, 1086}) {
    Field(id)->RefreshText(true);
  }
  if (!document_.AreDerivedVolumesCurrent()) {
    // They still hold the previous block's volumes; the stored values stay as they are.
    Field(1034)->ShowUnknown(true);
    Field(1031)->ShowUnknown(true);
    if (!e.crDataValid) Field(1044)->ShowUnknown(true);
  }
  if (e.intercoolerEfficiency.GetValue() != 0.0f) {
    Field(1072)->RefreshText(true);
    Field(1074)->RefreshText(true);
  } else {
    Field(1072)->SetShownText(QStringLiteral("None"));
    Field(1074)->SetShownText(QStringLiteral("None"));
  }
  UpdateForcedInduction();
  Field(1060)->RefreshText(true);
  const int fuel = e.fuelType.GetValue();
  const bool nitrousFuel =
      e.fuelType.IsValid() && fuel != 1 && fuel != 10 && fuel != 19 && fuel != 20 && fuel != 21;
  Field(1052)->setEnabled(nitrousFuel);
  const bool vvt = e.camshaft.variableValveTiming;
  highLobe_->SetEnabled(vvt);
  Field(1179)->setEnabled(vvt);
  const bool autoLift = e.camshaft.lowSpeedLobe.AutoValveLiftOn();
  lowLobe_->Refresh(autoLift);
  highLobe_->Refresh(autoLift);
  Field(1179)->RefreshText(true);
  if (vvtBox_->isChecked() != vvt) vvtBox_->setChecked(vvt);
  const CCamProfile& low = e.camshaft.lowSpeedLobe;
  auto methodText = [](const CPartTypeSpec& method) {
    return method.GetValue() == 1 ? QStringLiteral("(Seat-to-Seat):") : QStringLiteral("(0.050-inch):");
  };
  if (low.Method(TimingSet::Primary).IsValid()) {
    SetLabel(kSimulationTimingLabel, methodText(low.Method(TimingSet::Primary)));
    SetLabel(kAdditionalTimingLabel, methodText(low.Method(TimingSet::Secondary)));
  } else {
    SetLabel(kSimulationTimingLabel, QStringLiteral("(Not Defined):"));
    SetLabel(kAdditionalTimingLabel, QStringLiteral("(Not Defined):"));
  }
  Field(1664)->RefreshText(false);
  // The hints name the ranges in the units now shown.
  for (auto& [id, field] : fields_) field->RefreshToolTip();
  UpdateLights();
  UpdateAutoLabels();
  UpdateLamps();
}

void CEngineFormView::UpdateForcedInduction() {
  const EngineParameters& e = document_.Engine();
  const int kind = e.forcedInductionKind;
  const bool noneItem = e.forcedInductionType.GetValue() == kNoForcedInductionItem;
  BRISCA_ASSERT(kind >= kNoForcedInduction && kind <= kScrewBlower);
  BRISCA_ASSERT((kind == kNoForcedInduction) == noneItem);
  const bool turbo = kind == kTurbocharger;
  const bool anyBlower = kind != kNoForcedInduction;
  for (int id : {1094, 1095, 1096}) Field(id)->setEnabled(turbo);
  Field(1088)->setEnabled(kind == kCentrifugalBlower);
  Field(1090)->setEnabled(kind >= kCentrifugalBlower);
  for (int id : {1086, 1072, 1074}) Field(id)->setEnabled(anyBlower);
  Field(1070)->setEnabled(true);
}

void CEngineFormView::UpdateLights() {
  int code = 0;
  lights_[kShortBlockGroup]->SetOn(document_.ValidateShortBlock(code));
  lights_[kHeadsGroup]->SetOn(document_.ValidateCylinderHead(code));
  lights_[kCompressionGroup]->SetOn(document_.ValidateCompressionRatio(code));
  lights_[kInductionGroup]->SetOn(document_.ValidateInduction(code));
  lights_[kExhaustGroup]->SetOn(document_.ValidateExhaust(code));
  lights_[kCamshaftGroup]->SetOn(document_.ValidateCamshaft(code));
}

void CEngineFormView::UpdateAutoLabels() {
  const EngineParameters& e = document_.Engine();
  auto mark = [](bool on) { return on ? QStringLiteral("(Auto)") : QStringLiteral(" "); };
  SetLabel(1062, mark(e.autoValveSizes));
  SetLabel(1063, mark(e.autoValveSizes));
  SetLabel(1064, mark(e.camshaft.lowSpeedLobe.AutoValveLiftOn()));
  SetLabel(1215, mark(e.camshaft.lowSpeedLobe.AutoRampRateOn()));
  SetLabel(1216, mark(e.camshaft.highSpeedLobe.AutoRampRateOn()));
  SetLabel(1067, mark(e.camshaft.autoActivationRpm));
}

void CEngineFormView::UpdateLamps() {
  const ResultSet& results = document_.Results();
  // A cleared set keeps the states of its last run; without results no warning stands.
  const bool none = results.IsEmpty();
  auto color = [none](int state) {
    if (none) return WarningLamp::kGreen;
    return state == 2 ? WarningLamp::kRed : state == 1 ? WarningLamp::kYellow : WarningLamp::kGreen;
  };
  Lamp(kSurgeLamp)->SetLampColor(color(results.surge));
  Lamp(kChokeLamp)->SetLampColor(!none && results.choke != 0 ? WarningLamp::kYellow : WarningLamp::kGreen);
  Lamp(kOverspeedLamp)->SetLampColor(color(results.overspeed));
}

void CEngineFormView::SetLabel(int id, const QString& text) {
  QLabel* label = labels_.at(id);
  if (label->text() != text) label->setText(text);
}

void CEngineFormView::ShowStatus(const QString& text) {
  if (auto* frame = qobject_cast<QMainWindow*>(window())) frame->statusBar()->showMessage(text);
}

void CEngineFormView::ApplyLabelColors() {
  for (auto& [label, group] : groupLabels_) {
    QPalette colors = label->palette();
    colors.setColor(QPalette::WindowText, SchemeColor(groups_[group].hot ? 7 : 8));
    label->setPalette(colors);
  }
  for (QAbstractButton* button : {static_cast<QAbstractButton*>(rodLengthRadio_),
                                  static_cast<QAbstractButton*>(rodRatioRadio_),
                                  static_cast<QAbstractButton*>(vvtBox_)}) {
    QPalette colors = button->palette();
    colors.setColor(QPalette::WindowText, SchemeColor(8));
    button->setPalette(colors);
  }
}

void CEngineFormView::showEvent(QShowEvent* event) {
  QScrollArea::showEvent(event);
  if (firstPaint_) {
    firstPaint_ = false;
    Field(1014)->setFocus(Qt::OtherFocusReason);
  }
}

// ---- painting and the pointer ---------------------------------------------

bool CEngineFormView::eventFilter(QObject* watched, QEvent* event) {
  auto* child = qobject_cast<QWidget*>(watched);
  if (child && child->parentWidget() == canvas_) {
    if (event->type() == QEvent::KeyPress && StopOf(child)) {
      // Ctrl+PageDown/PageUp step through the groups; past the last group or
      // before the first the key goes on to the pane, which changes tabs.
      auto* key = static_cast<QKeyEvent*>(event);
      const bool pageKey = key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp;
      if (pageKey && key->modifiers() == Qt::ControlModifier) {
        if (!MoveToGroup(child, key->key() == Qt::Key_PageDown)) key->ignore();
        return true;
      }
    }
    if (event->type() == QEvent::Enter) {
      PointerMoved(child->mapTo(canvas_, static_cast<QEnterEvent*>(event)->position().toPoint()));
    } else if (event->type() == QEvent::MouseMove) {
      PointerMoved(child->mapTo(canvas_, static_cast<QMouseEvent*>(event)->position().toPoint()));
    }
  }
  return QScrollArea::eventFilter(watched, event);
}

void CEngineFormView::PaintCanvas(QPainter& painter) {
  const auto places = Groups();
  const int h = titleHeight_;
  const int w = tabWidth_;
  const int s = slope_;
  for (int g = 0; g < kGroupCount; ++g) {
    const QRect& box = groups_[g].box;
    const int l = box.left(), t = box.top(), r = box.left() + box.width(), b = box.top() + box.height();
    const QColor fill = SchemeColor(groups_[g].hot ? 4 : 5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRect(QRect(QPoint(l, t + h), QPoint(r, b)));
    painter.drawRect(QRect(QPoint(l, t), QPoint(l + w, t + h)));
    painter.drawPolygon(QPolygon({QPoint(l + w, t), QPoint(l + w, t + h), QPoint(l + w + s, t + h)}));
    painter.drawRect(QRect(QPoint(l + w + s, b), QPoint(r, b + h)));
    painter.drawPolygon(QPolygon({QPoint(l + w, b), QPoint(l + w + s, b), QPoint(l + w + s, b + h)}));
    painter.setPen(QPen(SchemeColor(6), 1));
    painter.drawPolyline(QPolygon({QPoint(l, t), QPoint(l + w, t), QPoint(l + w + s, t + h), QPoint(r, t + h)}));
    painter.drawPolyline(QPolygon({QPoint(l, b), QPoint(l + w, b), QPoint(l + w + s, b + h), QPoint(r, b + h)}));
    painter.setFont(titleFont_);
    painter.setPen(SchemeColor(groups_[g].hot ? 2 : 3));
    painter.drawText(QRect(l + 15, t + 2, w + s, 4 * h), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromUtf8(places[g].title));
  }
  for (const QRect& separator : separators_) {
    bool hot = false;
    for (const GroupState& group : groups_) hot = hot || (group.hot && group.box.contains(separator.topLeft()));
    painter.setPen(SchemeColor(hot ? 21 : 22));
    painter.drawLine(separator.left(), separator.top(), separator.right(), separator.top());
    painter.setPen(SchemeColor(hot ? 19 : 20));
    painter.drawLine(separator.left(), separator.top() + 1, separator.right(), separator.top() + 1);
  }
}

std::array<QRect, 3> CEngineFormView::HotRects(int group) const {
  const QRect& box = groups_[group].box;
  const int l = box.left(), t = box.top(), r = box.left() + box.width(), b = box.top() + box.height();
  return {QRect(QPoint(l, t + titleHeight_), QPoint(r, b)),
          QRect(QPoint(l, t), QPoint(l + tabWidth_ + slope_, t + titleHeight_)),
          QRect(QPoint(l + tabWidth_, b), QPoint(r, b + titleHeight_))};
}

void CEngineFormView::PointerMoved(const QPoint& canvasPos) {
  for (int g = 0; g < kGroupCount; ++g) {
    bool inside = false;
    for (const QRect& rect : HotRects(g)) inside = inside || rect.contains(canvasPos);
    if (inside != groups_[g].hot) SetGroupHot(g, inside);
  }
}

void CEngineFormView::SetGroupHot(int group, bool hot) {
  groups_[group].hot = hot;
  if (group < static_cast<int>(lights_.size()) && lights_[group]) lights_[group]->SetHot(hot);
  const int groupId = Groups()[group].id;
  for (auto& [id, field] : fields_) {
    if (field->GroupId() == groupId) field->SetGroupHot(hot);
  }
  if (hot) {
    auto* focused = qobject_cast<Ctrl*>(QApplication::focusWidget());
    if (focused && focused->parentWidget() == canvas_ &&
        !HotRects(group)[0].contains(focused->geometry().topLeft())) {
      focused->clearFocus();
      canvas_->setFocus();
    }
  }
  ApplyLabelColors();
  canvas_->update();
}

// ---- editing and the keyboard ----------------------------------------------

void CEngineFormView::EditField(CSimSpecEditCtrl* field) {
  BRISCA_ASSERT(field && !field->IsEditing());
  if (CSimSpecEditDlg::Open()) return;
  field->ShowPrompt();
  CSimSpecEditDlg dialog(document_, *field, this);
  field->SetDialog(&dialog);
  auto* host = dynamic_cast<DesktopHost*>(document_.Host());
  // The document finds the edited value through the host; it owns the value.
  if (host) host->SetEditDialog(const_cast<CSimSpec*>(field->Spec()), [&dialog] { dialog.PostCloseAccepted(); });
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (host) host->SetEditDialog(nullptr, {});
  field->SetDialog(nullptr);
  field->update();
  if (!accepted) return;
  if (dialog.Stored()) {
    document_.SetModified(true);
    document_.UpdateDerivedValues();
    if (DocumentHost* documentHost = document_.Host()) {
      documentHost->UpdateAllViews(document_);
    } else {
      UpdateView();
    }
  }
  MoveFocus(field, true);
}

QWidget* CEngineFormView::StopWidget(const TabStop& stop) const {
  if (stop.field) return Field(stop.id);
  switch (stop.id) {
    case kRodLengthRadio: return rodLengthRadio_;
    case kRodRatioRadio: return rodRatioRadio_;
    case kVariableValveTimingBox: return vvtBox_;
    default: return Button(stop.id);
  }
}

const TabStop* CEngineFormView::StopOf(const QWidget* widget) const {
  if (!widget || widget->parentWidget() != canvas_) return nullptr;
  for (const TabStop& stop : TabStops()) {
    if (StopWidget(stop) == widget) return &stop;
  }
  return nullptr;
}

std::vector<QWidget*> CEngineFormView::GroupRound(int group) const {
  // The fields after the group's last field (which follows the engine) are out
  // of the round; the buttons and boxes are always in it.
  const int last = GroupEnds(group).second;
  std::vector<QWidget*> round;
  bool pastLast = false;
  for (const TabStop& stop : TabStops()) {
    if (stop.group != group || (stop.field && pastLast)) continue;
    pastLast = pastLast || (stop.field && stop.id == last);
    QWidget* widget = StopWidget(stop);
    if (widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus) round.push_back(widget);
  }
  return round;
}

std::pair<int, int> CEngineFormView::GroupEnds(int group) const {
  const EngineParameters& e = document_.Engine();
  switch (group) {
    case kShortBlockGroup: return {1014, e.rodByRatio ? 1027 : 1032};
    case kHeadsGroup: return {1036, 1040};
    case kCompressionGroup: return {1042, 1042};
    case kInductionGroup:
      return {1048, e.forcedInductionType.GetValue() == kNoForcedInductionItem ? 1070 : 1074};
    case kExhaustGroup: return {1060, 1060};
    case kCamshaftGroup: return {1122, e.camshaft.variableValveTiming ? 1203 : 1188};
    default: return {1664, 1664};
  }
}

void CEngineFormView::MoveFocus(QWidget* from, bool forward) {
  const TabStop* stop = StopOf(from);
  BRISCA_ASSERT(stop != nullptr);
  const std::vector<QWidget*> round = GroupRound(stop->group);
  BRISCA_ASSERT(!round.empty());
  const auto at = std::find(round.begin(), round.end(), from);
  QWidget* target = round.front();
  if (at != round.end()) {
    const int count = static_cast<int>(round.size());
    const int index = static_cast<int>(at - round.begin());
    target = round[(index + (forward ? 1 : count - 1)) % count];
  }
  if (target != from) {
    target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    ensureWidgetVisible(target);
  }
}

bool CEngineFormView::MoveToGroup(QWidget* from, bool forward) {
  const TabStop* stop = StopOf(from);
  BRISCA_ASSERT(stop != nullptr);
  const int group = stop->group + (forward ? 1 : -1);
  if (group < 0 || group >= kGroupCount) return false;
  FocusGroup(static_cast<GroupIndex>(group));
  return true;
}

void CEngineFormView::FocusGroup(form::GroupIndex group) {
  CSimSpecEditCtrl* target = Field(GroupEnds(group).first);
  target->setFocus(Qt::OtherFocusReason);
  ensureWidgetVisible(target);
}

bool CEngineFormView::FocusNextPrev(bool forward) {
  QWidget* focused = QApplication::focusWidget();
  if (!StopOf(focused)) {
    Field(1014)->setFocus(Qt::TabFocusReason);
    return true;
  }
  MoveFocus(focused, forward);
  return true;
}

void CEngineFormView::focusInEvent(QFocusEvent* event) {
  QScrollArea::focusInEvent(event);
  // A click on the form's empty space leaves the focus where the click put it.
  if (event->reason() == Qt::MouseFocusReason) return;
  QWidget* last = canvas_->focusWidget();
  if (!StopOf(last) || !last->isEnabled() || last->focusPolicy() == Qt::NoFocus) last = Field(1014);
  last->setFocus(event->reason());
  ensureWidgetVisible(last);
}

}  // namespace brisca
