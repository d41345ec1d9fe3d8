#include "gui/valvetrain/AirFlowDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <sstream>
#include <system_error>

#include "core/base/ErrCode.h"
#include "core/base/TextWriter.h"
#include "core/document/ProgramPaths.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/ValueEditGuard.h"
#include "gui/valvetrain/FlowPlot.h"

namespace brisca {
namespace {

constexpr int kResetWarning = 200;
constexpr int kFlowFileModifiedNotice = 108;

const QString kDescriptionPrompt = QStringLiteral("Enter a Description for this Cylinder Head Port Flow Data");
const QString kNotesPrompt = QStringLiteral("Enter Notes for this Cylinder Head Port Flow Data");
const QString kPointsPrompt = QStringLiteral("Select the Number of Intake and Exhaust Airflow Data Points");

// The point count moves only by the dialog's rules: each step is handed over.
class PointCountSpin : public QSpinBox {
 public:
  PointCountSpin(std::function<void(int)> step, QWidget* parent) : QSpinBox(parent), step_(std::move(step)) {
    setRange(kMinFlowPoints, kMaxFlowPoints);
    lineEdit()->setReadOnly(true);
  }
  void stepBy(int steps) override { step_(steps); }

 protected:
  StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

 private:
  std::function<void(int)> step_;
};

QString Text(const CSimSpec& spec) { return QString::fromStdString(spec.GetText()); }
QString Unit(const CFloatPtSpec& spec) { return QString::fromUtf8(spec.GetUnitLabel()); }

std::string FileText(const CCylHeadFlow& flow) {
  std::ostringstream text;
  TextWriter out(text);
  flow.WriteText(out);
  return text.str();
}

}  // namespace

CAirFlowDlg::CAirFlowDlg(DocumentHost& host, const CCylHeadFlow& flow, const std::string& airflowFile,
                         QWidget* parent)
    : QDialog(parent),
      host_(host),
      flow_(flow),
      airflowFile_(airflowFile),
      openedText_(FileText(flow)),
      openedFile_(airflowFile) {
  setWindowTitle(tr("Cylinder Head Port Flow Data"));
  setObjectName(QStringLiteral("airFlowDlg"));

  auto* top = new QGridLayout;
  fileName_ = new QLineEdit(this);
  fileName_->setReadOnly(true);
  fileName_->setFocusPolicy(Qt::NoFocus);
  description_ = new QLineEdit(this);
  points_ = new PointCountSpin([this](int delta) { OnPointStep(delta); }, this);
  top->addWidget(new QLabel(tr("File name:"), this), 0, 0);
  top->addWidget(fileName_, 0, 1, 1, 3);
  top->addWidget(new QLabel(tr("Description:"), this), 1, 0);
  top->addWidget(description_, 1, 1, 1, 3);
  top->addWidget(new QLabel(tr("Data Points:"), this), 2, 0);
  top->addWidget(points_, 2, 1);
  top->setColumnStretch(3, 1);

  auto* sides = new QHBoxLayout;
  sides->addWidget(BuildSide(FlowSide::Intake));
  sides->addWidget(BuildSide(FlowSide::Exhaust));
  plot_ = new FlowPlot(flow_, this);
  sides->addWidget(plot_, 1);

  notes_ = new QPlainTextEdit(this);
  notes_->setTabChangesFocus(true);
  notes_->setFixedHeight(notes_->fontMetrics().lineSpacing() * 3 + 12);
  help_ = new QLabel(this);
  help_->setObjectName(QStringLiteral("helpText"));
  help_->setFrameShape(QFrame::StyledPanel);
  help_->setMinimumHeight(help_->fontMetrics().height() + 6);
  auto* helpRow = new QHBoxLayout;
  helpRow->addWidget(new QLabel(tr("Help Text:"), this));
  helpRow->addWidget(help_, 1);

  auto* buttons = new QHBoxLayout;
  ok_ = new QPushButton(tr("OK"), this);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  auto* saveAs = new QPushButton(tr("Save &As..."), this);
  auto* open = new QPushButton(tr("&Open..."), this);
  calcOthers_ = new QPushButton(tr("Calc Others"), this);
  auto* reset = new QPushButton(tr("Reset All"), this);
  calcOthers_->setEnabled(false);
  for (QPushButton* b : {ok_, cancel, saveAs, open, calcOthers_, reset}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &CAirFlowDlg::OnOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(saveAs, &QPushButton::clicked, this, &CAirFlowDlg::OnSaveAs);
  connect(open, &QPushButton::clicked, this, &CAirFlowDlg::OnOpen);
  connect(calcOthers_, &QPushButton::clicked, this, &CAirFlowDlg::OnCalcOthers);
  connect(reset, &QPushButton::clicked, this, &CAirFlowDlg::OnResetAll);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(sides, 1);
  layout->addWidget(new QLabel(tr("Notes"), this));
  layout->addWidget(notes_);
  layout->addLayout(helpRow);
  layout->addLayout(buttons);

  BuildGuard();
  Refresh();
}

CAirFlowDlg::~CAirFlowDlg() = default;

QWidget* CAirFlowDlg::BuildSide(FlowSide side) {
  SideControls& c = sides_[side == FlowSide::Intake ? 0 : 1];
  auto* box = new QGroupBox(side == FlowSide::Intake ? tr("Intake Valve") : tr("Exhaust Valve"), this);
  auto* grid = new QGridLayout(box);
  const QString prefix = side == FlowSide::Intake ? QStringLiteral("intake") : QStringLiteral("exhaust");
  auto edit = [&](const QString& name) {
    auto* e = new CEditFloatPt(box);
    e->setObjectName(prefix + name);
    e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000.000")) + 16);
    return e;
  };
  c.diameter = edit(QStringLiteral("Diameter"));
  c.pressureDrop = edit(QStringLiteral("PressureDrop"));
  c.diameterUnit = new QLabel(box);
  c.dropUnit = new QLabel(box);
  c.valves = new QComboBox(box);
  c.valves->setObjectName(prefix + QStringLiteral("Valves"));
  c.valves->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
  grid->addWidget(new QLabel(tr("Test Diameter:"), box), 0, 0);
  grid->addWidget(c.diameter, 0, 1);
  grid->addWidget(c.diameterUnit, 0, 2);
  grid->addWidget(new QLabel(tr("Pressure Drop:"), box), 1, 0);
  grid->addWidget(c.pressureDrop, 1, 1);
  grid->addWidget(c.dropUnit, 1, 2);
  grid->addWidget(new QLabel(tr("Valves Per Port:"), box), 2, 0);
  grid->addWidget(c.valves, 2, 1);
  c.liftHeading = new QLabel(box);
  c.flowHeading = new QLabel(box);
  grid->addWidget(c.liftHeading, 3, 0, Qt::AlignRight);
  grid->addWidget(c.flowHeading, 3, 1);
  for (int i = 0; i < kMaxFlowPoints; ++i) {
    c.lift[i] = edit(QStringLiteral("Lift%1").arg(i));
    c.flow[i] = edit(QStringLiteral("Flow%1").arg(i));
    grid->addWidget(c.lift[i], 4 + i, 0, Qt::AlignRight);
    grid->addWidget(c.flow[i], 4 + i, 1);
    c.lift[i]->installEventFilter(this);
  }
  connect(c.valves, &QComboBox::activated, this, [this, side](int index) {
    CIntegerSpec& valves = flow_.ValvesPerPort(side);
    const int chosen = index + 1;
    if (!valves.IsValid() || valves.GetValue() != chosen) flow_.SetModified(true);
    valves.SetValue(chosen);
  });
  return box;
}

void CAirFlowDlg::BuildGuard() {
  guard_ = new ValueEditGuard(this, help_);
  auto accepted = [this](bool changed) { ValueAccepted(changed); };
  for (FlowSide side : {FlowSide::Intake, FlowSide::Exhaust}) {
    const SideControls& c = Side(side);
    guard_->AddValueEdit(c.diameter, [this, side] { return &flow_.TestDiameter(side); }, accepted);
    guard_->AddValueEdit(c.pressureDrop, [this, side] { return &flow_.PressureDrop(side); }, accepted);
    for (int i = 0; i < kMaxFlowPoints; ++i) {
      guard_->AddValueEdit(c.lift[i], [this, side, i] { return &flow_.Lift(side, i); }, accepted);
      guard_->AddValueEdit(c.flow[i], [this, side, i] { return &flow_.Flow(side, i); }, accepted);
    }
    guard_->AddPrompt(c.valves, [this, side] {
      return QString::fromStdString(flow_.ValvesPerPort(side).GetPrompt());
    });
  }
  guard_->AddTextEdit(description_, kDescriptionPrompt, [this](const QString& text) {
    const std::string before = flow_.GetDescription();
    flow_.SetDescription(text.toStdString());
    if (flow_.GetDescription() != before) flow_.SetModified(true);
    description_->setText(QString::fromStdString(flow_.GetDescription()));
  });
  guard_->AddTextEdit(notes_, kNotesPrompt, [this](const QString& text) {
    if (text.toStdString() == flow_.GetNotes()) return;
    flow_.SetNotes(text.toStdString());
    flow_.SetModified(true);
  });
  guard_->AddPrompt(points_, [] { return kPointsPrompt; });
}

void CAirFlowDlg::ValueAccepted(bool changed) {
  if (changed) flow_.SetModified(true);
  plot_->update();
}

void CAirFlowDlg::Refresh() {
  fileName_->setText(QString::fromStdString(airflowFile_));
  description_->setText(QString::fromStdString(flow_.GetDescription()));
  notes_->setPlainText(QString::fromStdString(flow_.GetNotes()));
  points_->blockSignals(true);
  points_->setValue(flow_.GetPointCount());
  points_->blockSignals(false);
  for (FlowSide side : {FlowSide::Intake, FlowSide::Exhaust}) {
    const SideControls& c = Side(side);
    c.diameter->setText(Text(flow_.TestDiameter(side)));
    c.pressureDrop->setText(Text(flow_.PressureDrop(side)));
    c.diameterUnit->setText(Unit(flow_.TestDiameter(side)));
    c.dropUnit->setText(Unit(flow_.PressureDrop(side)));
    const CIntegerSpec& valves = flow_.ValvesPerPort(side);
    c.valves->setCurrentIndex(valves.IsValid() ? valves.GetValue() - 1 : -1);
    c.liftHeading->setText(tr("Lift: %1").arg(Unit(flow_.Lift(side, 0))));
    c.flowHeading->setText(tr("Flow: %1").arg(Unit(flow_.Flow(side, 0))));
    for (int i = 0; i < kMaxFlowPoints; ++i) {
      const bool inUse = i < flow_.GetPointCount();
      c.lift[i]->setText(Text(flow_.Lift(side, i)));
      c.flow[i]->setText(Text(flow_.Flow(side, i)));
      c.lift[i]->setEnabled(inUse);
      c.flow[i]->setEnabled(inUse);
    }
  }
  plot_->update();
}

void CAirFlowDlg::OnPointStep(int delta) {
  if (guard_->LastEditRejected()) {
    CEditFloatPt::Beep();
    return;
  }
  int liftCode = 0;
  flow_.StepPointCount(delta, liftCode);
  Refresh();
  if (liftCode) ReportErrorCode(liftCode);
}

bool CAirFlowDlg::eventFilter(QObject* watched, QEvent* event) {
  auto* lift = qobject_cast<CEditFloatPt*>(watched);
  if (lift && event->type() == QEvent::FocusIn) {
    calcLift_ = lift;
    calcOthers_->setEnabled(true);
  } else if (lift && event->type() == QEvent::FocusOut) {
    if (QApplication::focusWidget() != calcOthers_) calcOthers_->setEnabled(false);
  }
  return QDialog::eventFilter(watched, event);
}

void CAirFlowDlg::OnCalcOthers() {
  if (guard_->LastEditRejected()) return;  // the refused text stays for the user to mend
  if (!calcLift_) return;
  for (FlowSide side : {FlowSide::Intake, FlowSide::Exhaust}) {
    const auto& lifts = Side(side).lift;
    const auto found = std::find(lifts.begin(), lifts.end(), calcLift_);
    if (found == lifts.end()) continue;
    const int row = static_cast<int>(found - lifts.begin());
    int code = 0;
    if (!flow_.CheckLiftStep(side, row, code) || !flow_.ExtendLifts(side, row, code)) {
      ReportErrorCode(code);
    } else {
      flow_.SetModified(true);
      Refresh();
    }
    break;
  }
  calcLift_->setFocus(Qt::OtherFocusReason);
}

void CAirFlowDlg::OnResetAll() {
  if (guard_->LastEditRejected()) return;  // the refused text stays for the user to mend
  if (ReportWarningCode(kResetWarning) != MessageButton::Ok) return;
  airflowFile_.clear();
  flow_.Reset();
  Refresh();
}

std::filesystem::path CAirFlowDlg::FlowFolder() const {
  ProgramPaths paths;
  paths.startupFolder = host_.StartupFolder();
  std::error_code ignored;  // a folder that cannot be made leaves the chooser where it can start
  std::filesystem::create_directories(paths.FlowFolder(), ignored);
  return paths.FlowFolder();
}

void CAirFlowDlg::OnOpen() {
  if (guard_->LastEditRejected()) return;  // the refused text stays for the user to mend
  const std::optional<std::filesystem::path> path = host_.PromptOpenPath(kFlowFileExtension, FlowFolder());
  if (!path) return;
  CCylHeadFlow loaded(flow_);
  if (!loaded.LoadFromFile(*path)) return;
  loaded.SetUnits(flow_.IsMetric());
  flow_ = loaded;
  flow_.SetModified(false);
  airflowFile_ = path->filename().string();
  Refresh();
}

void CAirFlowDlg::OnSaveAs() {
  if (!guard_->CommitFocus(ok_)) return;
  int code = 0;
  if (!flow_.Validate(code)) {
    ReportErrorCode(code);
    return;
  }
  const std::optional<std::filesystem::path> path =
      host_.PromptSavePath(kFlowFileExtension, FlowFolder(), flow_.ProposedFileName(airflowFile_));
  if (!path || !flow_.SaveToFile(*path)) return;
  airflowFile_ = path->filename().string();
  Refresh();
}

void CAirFlowDlg::OnOk() {
  if (!guard_->CommitFocus(ok_)) return;
  int code = 0;
  if (!flow_.Validate(code)) {
    ReportErrorCode(code);
    return;
  }
  if (!airflowFile_.empty() && flow_.IsModified() &&
      ReportNoticeCode(kFlowFileModifiedNotice, true) != MessageButton::Ok) {
    return;
  }
  // OK on the data as they came writes nothing into the engine.
  if (FileText(flow_) != openedText_ || airflowFile_ != openedFile_) result_ = PortFlowEdit{flow_, airflowFile_};
  accept();
}

}  // namespace brisca
