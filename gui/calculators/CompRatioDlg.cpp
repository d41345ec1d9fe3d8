#include "gui/calculators/CompRatioDlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <cstring>
#include <tuple>

#include "core/base/ErrCode.h"
#include "core/document/VexoDoc.h"
#include "gui/calculators/CompRatioPicture.h"
#include "gui/calculators/CalculatorLayout.h"
#include "gui/shell/EditFloatPt.h"
#include "gui/shell/ValueEditGuard.h"

namespace brisca {
namespace {

constexpr int kVolumeDecimals = 2;

// One row of a method's page: an input with its marker (0: none), or a result.
struct PageRow {
  int marker;
  const char* text;
  int input;  // CCompRatioDlg::Input, or -1 for the deck volume, -2 for the gasket volume
};

constexpr int kDeckRow = -1;
constexpr int kGasketRow = -2;

constexpr PageRow kSpecsKnownRows[] = {
    {1, "Head Chamber Volume:", CCompRatioDlg::kChamber},
    {2, "Dome Volume:", CCompRatioDlg::kDome},
    {3, "Valve Reliefs Volume:", CCompRatioDlg::kReliefs},
    {4, "Deck Clearance @ TDC:", CCompRatioDlg::kDeckClearance},
    {0, "Calculated Deck Volume @ TDC:", kDeckRow},
    {5, "Head Gasket Bore:", CCompRatioDlg::kGasketBore},
    {6, "Head Gasket Thickness:", CCompRatioDlg::kGasketThickness},
    {0, "Head Gasket Volume:", kGasketRow},
};

constexpr PageRow kBuretteRows[] = {
    {1, "Head Chamber Volume:", CCompRatioDlg::kChamber},
    {2, "Piston Down Bore From TDC For Burrette Measurement:", CCompRatioDlg::kDownBore},
    {0, "Measured Liquid Volume Above Piston:", CCompRatioDlg::kMeasured},
    {0, "Calculated Deck Volume @ TDC:", kDeckRow},
    {3, "Head Gasket Bore:", CCompRatioDlg::kGasketBore},
    {4, "Head Gasket Thickness:", CCompRatioDlg::kGasketThickness},
    {0, "Head Gasket Volume:", kGasketRow},
};

QString Shown(const CFloatPtSpec& spec) {
  return spec.IsAssigned() ? QString::fromStdString(spec.GetText()) : QString();
}

QString WithUnits(const CFloatPtSpec& spec) {
  return spec.IsAssigned() ? QString::fromStdString(spec.GetTextWithUnits()) : QString();
}

QLineEdit* ResultBox(QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::NoFocus);
  return box;
}

CompRatioInputs CopyInputs(const EngineParameters& e) {
  return CompRatioInputs{e.crMethod == kBuretteMethod ? kBuretteMethod : kPistonDeckSpecsMethod,
                         e.bore, e.cylinderVolume, e.chamberVolume, e.gasketBore, e.gasketThickness,
                         e.domeVolume, e.reliefsVolume, e.deckClearance, e.downBoreDistance,
                         e.measuredVolume};
}

}  // namespace

CCompRatioDlg::CCompRatioDlg(CVexoDoc& document, QWidget* parent)
    : QDialog(parent), document_(document), inputs_(CopyInputs(document.Engine())) {
  setWindowTitle(tr("Compression Ratio Calculator"));
  setObjectName(QStringLiteral("compRatioDlg"));
  const EngineParameters& e = document_.Engine();
  help_ = MakeHelpLine(this);
  guard_ = new ValueEditGuard(this, help_);

  auto* current = new QGroupBox(tr("Current Engine Specs"), this);
  auto* currentGrid = new QGridLayout(current);
  const std::pair<const char*, const CFloatPtSpec*> engineRows[] = {
      {"Bore:", &e.bore},
      {"Stroke:", &e.stroke},
      {"Cylinder Vol:", &e.cylinderVolume},
      {"Combustion Vol:", &e.combustionSpace},
      {"Total Vol:", &e.totalBlockVolume},
      {"Compression Ratio:", &e.compressionRatio},
  };
  int row = 0;
  for (auto [text, spec] : engineRows) {
    currentGrid->addWidget(new QLabel(tr(text), current), row % 3, (row / 3) * 2);
    auto* value = new QLabel(QString::fromStdString(spec->GetTextWithUnits()), current);
    value->setObjectName(QStringLiteral("current%1").arg(row));
    currentGrid->addWidget(value, row % 3, (row / 3) * 2 + 1);
    ++row;
  }
  currentGrid->setColumnStretch(1, 1);
  currentGrid->setColumnStretch(3, 1);

  auto* methodLabel = new QLabel(tr("Select Method of Compression Ratio Calculation:"), this);
  methods_[1] = new QRadioButton(tr("Piston Dome/Deck/Relief Specs Known"), this);
  methods_[0] = new QRadioButton(tr("Measure Piston Dome/Reliefs With Burrette"), this);
  auto* methodGroup = new QButtonGroup(this);
  auto* methodRow = new QHBoxLayout;
  for (int method : {kPistonDeckSpecsMethod, kBuretteMethod}) {
    methodGroup->addButton(methods_[method - 1]);
    methodRow->addWidget(methods_[method - 1]);
    connect(methods_[method - 1], &QRadioButton::clicked, this, [this, method] { OnMethod(method); });
  }
  methodRow->addStretch(1);

  auto* volumes = new QGroupBox(tr("Compression Ratio Volumes"), this);
  pages_ = new QStackedWidget(volumes);
  pages_->addWidget(BuildPage(kBuretteMethod));
  pages_->addWidget(BuildPage(kPistonDeckSpecsMethod));
  (new QVBoxLayout(volumes))->addWidget(pages_);

  auto* calculated = new QGroupBox(tr("Calculated New Compression Ratio"), this);
  auto* calcRow = new QHBoxLayout(calculated);
  const int resultWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000.00 cc")) + 12;
  swept_ = ResultBox(calculated);
  total_ = ResultBox(calculated);
  ratio_ = ResultBox(calculated);
  swept_->setObjectName(QStringLiteral("sweptVolume"));
  for (auto [text, box] : {std::pair{"Swept Cylinder Vol:", swept_}, std::pair{"Total Combustion Vol:", total_},
                           std::pair{"Compression Ratio:", ratio_}}) {
    calcRow->addWidget(new QLabel(tr(text), calculated));
    box->setMinimumWidth(resultWidth);
    calcRow->addWidget(box, 1);
  }

  QHBoxLayout* helpRow = MakeHelpRow(this, help_);

  const CalculatorButtons buttons = MakeApplyCancelRow(this);
  apply_ = buttons.apply;
  connect(apply_, &QPushButton::clicked, this, &CCompRatioDlg::OnApply);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(current);
  layout->addWidget(methodLabel);
  layout->addLayout(methodRow);
  layout->addWidget(volumes, 1);
  layout->addWidget(calculated);
  layout->addLayout(helpRow);
  layout->addLayout(buttons.row);

  openedMethod_ = inputs_.method;
  OnMethod(inputs_.method);
  methods_[inputs_.method - 1]->setFocus();
  help_->clear();
}

CFloatPtSpec& CCompRatioDlg::Spec(Input input) {
  CFloatPtSpec* specs[kInputCount] = {&inputs_.chamberVolume, &inputs_.gasketBore,
                                      &inputs_.gasketThickness, &inputs_.domeVolume,
                                      &inputs_.reliefsVolume, &inputs_.deckClearance,
                                      &inputs_.downBoreDistance, &inputs_.measuredVolume};
  return *specs[input];
}

QWidget* CCompRatioDlg::BuildPage(int method) {
  auto* page = new QWidget(pages_);
  auto* grid = new QGridLayout;
  pictures_[method - 1] = new CCompRatioPicture(method, page);
  auto* layout = new QHBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(pictures_[method - 1], 1);
  layout->addLayout(grid);

  auto addRows = [&](const auto& rows) {
    int r = 0;
    for (const PageRow& row : rows) {
      if (row.marker) {
        auto* marker = new QLabel(QString::number(row.marker), page);
        marker->setAlignment(Qt::AlignCenter);
        marker->setStyleSheet(QStringLiteral("QLabel { color: #b03020; font-weight: bold; }"));
        grid->addWidget(marker, r, 0);
      }
      auto* label = new QLabel(tr(row.text), page);
      // Only the long burette texts take two lines.
      label->setWordWrap(std::strlen(row.text) > 35);
      grid->addWidget(label, r, 1);
      QLineEdit* box = nullptr;
      QString unit;
      if (row.input >= 0) {
        const auto input = static_cast<Input>(row.input);
        auto* edit = new CEditFloatPt(page);
        edits_[method - 1][input] = edit;
        unit = QString::fromUtf8(Spec(input).GetUnitLabel());
        const bool rounded = input == kChamber || input == kMeasured;
        guard_->AddValueEdit(
            edit, [this, input] { return &Spec(input); },
            [this, input, edit, rounded](bool) {
              if (rounded) {
                // These two volumes keep two decimals, as typed into a burette log.
                CFloatPtSpec& spec = Spec(input);
                spec.SetValueRounded(spec.GetValue(), kVolumeDecimals);
                edit->setText(Shown(spec));
              }
              Recompute();
              help_->clear();
            });
        box = edit;
      } else {
        box = ResultBox(page);
        (row.input == kDeckRow ? deckBox_ : gasketBox_)[method - 1] = box;
        unit = QString::fromUtf8(results_.deckVolume.GetUnitLabel());
      }
      box->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000.000")));
      box->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000.000")));
      grid->addWidget(box, r, 2);
      grid->addWidget(new QLabel(unit, page), r, 3);
      ++r;
    }
    grid->setRowStretch(r, 1);
  };
  if (method == kBuretteMethod) {
    addRows(kBuretteRows);
  } else {
    addRows(kSpecsKnownRows);
  }
  grid->setColumnMinimumWidth(0, fontMetrics().horizontalAdvance(QStringLiteral("00")));
  grid->setColumnMinimumWidth(3, fontMetrics().horizontalAdvance(QStringLiteral("mm")) + 4);
  return page;
}

void CCompRatioDlg::OnMethod(int method) {
  inputs_.method = method;
  methods_[method - 1]->setChecked(true);
  pages_->setCurrentIndex(method == kBuretteMethod ? 0 : 1);
  FillInputs();
  Recompute();
}

void CCompRatioDlg::FillInputs() {
  for (int i = 0; i < kInputCount; ++i) {
    if (CEditFloatPt* edit = edits_[inputs_.method - 1][i]) edit->setText(Shown(Spec(static_cast<Input>(i))));
  }
}

void CCompRatioDlg::Recompute() {
  // Metric lengths are switched to inches inside the computation and back.
  ComputeCompressionRatio(inputs_, results_);
  const int page = inputs_.method - 1;
  deckBox_[page]->setText(Shown(results_.deckVolume));
  gasketBox_[page]->setText(Shown(results_.headGasketVolume));
  swept_->setText(WithUnits(inputs_.cylinderVolume));
  total_->setText(WithUnits(results_.totalVolume));
  const bool infinite = results_.totalVolume.IsValid() && results_.totalVolume.GetValue() == 0.0f;
  ratio_->setText(infinite ? QStringLiteral("Infinity") : Shown(results_.compressionRatio));
}

void CCompRatioDlg::OnApply() {
  if (!guard_->CommitFocus(apply_)) return;
  int code = 0;
  if (!CheckCompressionRatioApply(inputs_, results_, document_.Engine().compressionRatio, code)) {
    ReportErrorCode(code);
    return;
  }
  if (Changed()) WriteDocument();
  accept();
}

bool CCompRatioDlg::Changed() const { return guard_->ValuesChanged() || inputs_.method != openedMethod_; }

void CCompRatioDlg::WriteDocument() {
  EngineParameters& e = document_.Engine();
  auto store = [](CFloatPtSpec& target, const CFloatPtSpec& value) {
    if (value.IsValid()) {
      target.SetValue(value.GetValue());
    } else {
      target.Unassign();
    }
  };
  e.crMethod = inputs_.method;
  store(e.chamberVolume, inputs_.chamberVolume);
  store(e.gasketBore, inputs_.gasketBore);
  store(e.gasketThickness, inputs_.gasketThickness);
  const bool specsKnown = inputs_.method == kPistonDeckSpecsMethod;
  for (auto [target, value, used] :
       {std::tuple{&e.domeVolume, &inputs_.domeVolume, specsKnown},
        std::tuple{&e.reliefsVolume, &inputs_.reliefsVolume, specsKnown},
        std::tuple{&e.deckClearance, &inputs_.deckClearance, specsKnown},
        std::tuple{&e.downBoreDistance, &inputs_.downBoreDistance, !specsKnown},
        std::tuple{&e.measuredVolume, &inputs_.measuredVolume, !specsKnown}}) {
    if (used) {
      store(*target, *value);
    } else {
      target->Unassign();
    }
  }
  store(e.gasketVolume, results_.headGasketVolume);
  store(e.deckVolume, results_.deckVolume);
  store(e.combustionSpace, results_.totalVolume);
  store(e.compressionRatio, results_.compressionRatio);
}

}  // namespace brisca
