#include "gui/cam/CamDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <system_error>

#include "core/base/ErrCode.h"
#include "core/document/CamManagerApply.h"
#include "core/document/DocumentHost.h"
#include "core/document/ProgramPaths.h"
#include "core/document/VexoDoc.h"
#include "gui/calculators/CalculatorLayout.h"
#include "gui/cam/CamSearchPropPage.h"
#include "gui/cam/CamSpecsPropPage.h"
#include "gui/cam/CamTimingChart2D.h"
#include "gui/cam/CamTimingPropPage.h"
#include "gui/shell/ValueEditGuard.h"

namespace brisca {
namespace {

constexpr int kMaxCamNameLength = 72;
constexpr int kMaxShortTextLength = 100;
constexpr int kMaxLongTextLength = 1000;
constexpr int kRampPageStep = 10;
constexpr int kNoRampRateNotice = 107;

const char* const kEngineMakes[] = {
    "Acura", "Alfa Romeo", "AMC", "Aston Martin", "Aston Healey", "Audi", "Bently", "BMW", "Bugatti",
    "Buick", "Cadillac", "Chevy", "Chrysler", "Citroen", "Daewoo", "Daihatsu", "Datsun", "Ferrari",
    "Fiat", "Ford", "Ford Focus", "GMC", "Honda", "Hyundai", "Infinity", "Isuzu", "Jaguar", "Kia",
    "Lamborghini", "Lexus", "Lotus", "Mazda", "Maserati", "McLaren", "Merkur", "Mercedes", "MG",
    "Mitsubishi", "Morgan", "Nissan", "Olds", "Peugeot", "Pontiac", "Porsche", "Renault",
    "Rolls-Royce", "Saab", "Subaru", "Suzuki", "Toyota", "Volkswagen", "Volvo"};
const char* const kUsages[] = {
    "Autocross", "Bracket Racing", "Bracket Racing & Marine Use", "Bracket Racing & Super Street",
    "Drag Racing", "Drag Racing & Marine Use", "Drag Racing & Oval Track", "Drag Racing & Pro Street",
    "Fuel Dragster & Funny Car", "Hobby Class Racing", "Hot Street & Drag Racing",
    "Mud Runners & Pullers", "Off Road & Bracket Racing", "Pro Stock", "Pro Stock & Supercharged",
    "Street & Marine Use", "Street High Performance", "Street", "Towing & RV", "Super Gas",
    "Supercharged Fuel", "Supercharged Gas"};
const char* const kRampLabels[6] = {"6  -  Maximum", "5  -  High", "4  -  Medium",
                                    "3  -  Mild",    "2  -  Typical OEM", "1  -  Low"};

QString Q(const std::string& text) { return QString::fromStdString(text); }

QComboBox* TextList(QWidget* parent, const char* const* items, std::size_t count) {
  auto* list = new QComboBox(parent);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  for (std::size_t i = 0; i < count; ++i) list->addItem(QString::fromUtf8(items[i]));
  list->lineEdit()->setMaxLength(kMaxShortTextLength);
  return list;
}

void SetPlainText(QPlainTextEdit* edit, const QString& text) {
  if (edit->toPlainText() != text) edit->setPlainText(text);
}

}  // namespace

CCamDlg::CCamDlg(CVexoDoc& document, QWidget* parent) : QDialog(parent), document_(document) {
  baseTitle_ = QString::fromUtf8("Velmor\u2122");
  setWindowTitle(baseTitle_);
  setObjectName(QStringLiteral("camDlg"));
  help_ = MakeHelpLine(this);
  guard_ = new ValueEditGuard(this, help_);
  LoadCamCopies(document_, copies_);

  auto* left = new QVBoxLayout;
  left->addWidget(BuildDescription());
  left->addWidget(BuildVvt());
  left->addWidget(BuildRampRate(), 1);

  pages_ = new QTabWidget(this);
  specsPage_ = new CCamSpecsPropPage(*this);
  timingPage_ = new CCamTimingPropPage(*this);
  searchPage_ = new CCamSearchPropPage(*this);
  pages_->addTab(specsPage_, tr("  Camshaft Specs  "));
  pages_->addTab(timingPage_, tr("  Valve Event Timing  "));
  pages_->addTab(searchPage_, tr("  Search for Cam File  "));
  chartGroup_ = new QGroupBox(this);
  auto* chartLayout = new QVBoxLayout(chartGroup_);
  chart_ = new CCamTimingChart2D(chartGroup_);
  chart_->setMinimumSize(560, 300);
  chartLayout->addWidget(chart_);
  auto* right = new QVBoxLayout;
  right->addWidget(pages_);
  right->addWidget(chartGroup_, 1);

  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right, 1);

  auto* buttons = new QHBoxLayout;
  auto* open = new QPushButton(tr("&Open"), this);
  auto* save = save_ = new QPushButton(tr("&Save"), this);
  auto* clear = new QPushButton(tr("Clear"), this);
  apply_ = new QPushButton(tr("Apply"), this);
  ok_ = new QPushButton(tr("OK"), this);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  for (QPushButton* b : {open, save, clear}) buttons->addWidget(b);
  buttons->addStretch(1);
  for (QPushButton* b : {apply_, ok_, cancel}) buttons->addWidget(b);
  for (QPushButton* b : {open, save, clear, apply_, ok_, cancel}) b->setAutoDefault(false);
  ok_->setDefault(true);
  connect(open, &QPushButton::clicked, this, &CCamDlg::OnOpen);
  connect(save, &QPushButton::clicked, this, &CCamDlg::OnSave);
  connect(clear, &QPushButton::clicked, this, &CCamDlg::OnClear);
  connect(apply_, &QPushButton::clicked, this, [this] { OnApply(); });
  connect(ok_, &QPushButton::clicked, this, &CCamDlg::OnOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  for (QWidget* w : std::initializer_list<QWidget*>{open, save, clear, apply_, ok_, cancel, pages_->tabBar(),
                                                     specsPage_, timingPage_, chartGroup_})
    searchLocked_.push_back(w);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(MakeHelpRow(this, help_));
  layout->addLayout(buttons);

  BuildGuard();
  Refresh();
}

CCamDlg::~CCamDlg() { searchPage_->EndSearch(); }

QWidget* CCamDlg::BuildDescription() {
  auto* box = new QGroupBox(this);
  auto* grid = new QGridLayout(box);
  fileName_ = new QLineEdit(box);
  fileName_->setReadOnly(true);
  fileName_->setFocusPolicy(Qt::NoFocus);
  camName_ = new QLineEdit(box);
  camName_->setMaxLength(kMaxCamNameLength);
  engine_ = TextList(box, kEngineMakes, std::size(kEngineMakes));
  usage_ = TextList(box, kUsages, std::size(kUsages));
  lifter_ = new QComboBox(box);
  for (const LifterTypeRow& row : LifterTypes()) lifter_->addItem(QString::fromUtf8(row.name), row.code);
  manufacturer_ = new QLineEdit(box);
  manufacturer_->setMaxLength(kMaxShortTextLength);
  emailWeb_ = new QLineEdit(box);
  emailWeb_->setMaxLength(kMaxShortTextLength);
  recommended_ = new QPlainTextEdit(box);
  application_ = new QPlainTextEdit(box);
  for (QPlainTextEdit* edit : {recommended_, application_}) {
    edit->setTabChangesFocus(true);
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 3 + 12);
  }
  int row = 0;
  const auto add = [&](const QString& label, QWidget* w) {
    grid->addWidget(new QLabel(label, box), row, 0);
    grid->addWidget(w, row++, 1);
  };
  add(tr("File name:"), fileName_);
  add(tr("Cam Name:"), camName_);
  add(tr("Engine:"), engine_);
  add(tr("Useage:"), usage_);
  add(tr("Lifter:"), lifter_);
  add(tr("Manuf.:"), manufacturer_);
  add(tr("Email/Web:"), emailWeb_);
  grid->addWidget(new QLabel(tr("Recommended Engine Type:"), box), row++, 0, 1, 2);
  grid->addWidget(recommended_, row++, 0, 1, 2);
  grid->addWidget(new QLabel(tr("Cam Application:"), box), row++, 0, 1, 2);
  grid->addWidget(application_, row++, 0, 1, 2);
  box->setMinimumWidth(300);
  searchLocked_.push_back(box);
  return box;
}

QWidget* CCamDlg::BuildVvt() {
  auto* box = new QGroupBox(this);
  auto* grid = new QGridLayout(box);
  vvt_ = new QCheckBox(tr("Variable Valve Timing"), box);
  lobeButtons_[0] = new QRadioButton(tr("Low Speed Lobe"), box);
  lobeButtons_[1] = new QRadioButton(tr("High Speed Lobe"), box);
  activation_ = new QComboBox(box);
  for (int rpm : ActivationRpmChoices()) activation_->addItem(QString::number(rpm), rpm);
  grid->addWidget(vvt_, 0, 0, 1, 2);
  grid->addWidget(lobeButtons_[0], 1, 0);
  grid->addWidget(lobeButtons_[1], 1, 1);
  grid->addWidget(new QLabel(tr("Activation RPM:"), box), 2, 0);
  grid->addWidget(activation_, 2, 1);
  connect(vvt_, &QCheckBox::clicked, this, [this](bool on) {
    copies_.SetVariableValveTiming(on);
    Refresh();
  });
  for (int lobe : {kLowSpeedLobe, kHighSpeedLobe})
    connect(lobeButtons_[lobe], &QRadioButton::clicked, this, [this, lobe] {
      copies_.SetLobe(lobe);
      Refresh();
    });
  connect(activation_, &QComboBox::activated, this, [this](int index) {
    copies_.ChooseActivationRpm(static_cast<float>(activation_->itemData(index).toInt()));
    Refresh();
  });
  searchLocked_.push_back(box);
  return box;
}

QWidget* CCamDlg::BuildRampRate() {
  auto* box = new QGroupBox(tr("Estimated Lifter Acceleration"), this);
  auto* layout = new QGridLayout(box);
  autoCalc_ = new QRadioButton(tr("Auto Calc."), box);
  manual_ = new QRadioButton(tr("Manual"), box);
  slider_ = new QSlider(Qt::Vertical, box);
  slider_->setRange(kRampSliderMin, kRampSliderMax);
  slider_->setSingleStep(1);
  slider_->setPageStep(kRampPageStep);
  slider_->setTickInterval(kRampPageStep);
  slider_->setTickPosition(QSlider::TicksRight);
  slider_->setInvertedAppearance(true);  // the top shows the highest rate
  slider_->setInvertedControls(true);
  rampValue_ = new QLineEdit(box);
  rampValue_->setReadOnly(true);
  rampValue_->setFocusPolicy(Qt::NoFocus);
  rampValue_->setFixedWidth(rampValue_->fontMetrics().horizontalAdvance(QStringLiteral("00.000")) + 12);
  layout->addWidget(autoCalc_, 0, 0, 1, 2);
  layout->addWidget(manual_, 1, 0, 1, 2);
  auto* labels = new QVBoxLayout;
  for (int i = 0; i < 6; ++i) {
    rampLabels_[i] = new QLabel(QString::fromUtf8(kRampLabels[i]), box);
    if (i > 0) labels->addStretch(1);
    labels->addWidget(rampLabels_[i]);
  }
  layout->addWidget(slider_, 2, 0);
  layout->addLayout(labels, 2, 1);
  layout->addWidget(rampValue_, 3, 0, 1, 2);
  layout->setRowStretch(2, 1);
  slider_->setMinimumHeight(120);
  connect(autoCalc_, &QRadioButton::clicked, this, &CCamDlg::OnAutoCalc);
  connect(manual_, &QRadioButton::clicked, this, &CCamDlg::OnManual);
  connect(slider_, &QSlider::valueChanged, this, &CCamDlg::OnSlider);
  searchLocked_.push_back(box);
  return box;
}

void CCamDlg::BuildGuard() {
  guard_->AddTextEdit(camName_, tr("Enter a Name for this Cam"), [this](const QString& text) {
    const std::string name = text.toStdString();
    if (name != copies_.Shown().CamType().GetName()) copies_.Rename(name);
    Refresh();
  });
  const auto text = [this](QWidget* edit, const QString& prompt, CamText which) {
    const int longest = qobject_cast<QPlainTextEdit*>(edit) ? kMaxLongTextLength : kMaxShortTextLength;
    guard_->AddTextEdit(edit, prompt, [this, which, longest](const QString& value) {
      copies_.SetText(which, value.left(longest).toStdString());
      Refresh();
    });
  };
  text(engine_->lineEdit(), tr("Select or Enter the Engine this Cam fits"), kCamEngine);
  text(usage_->lineEdit(), tr("Select or Enter how this Cam is used"), kCamUsage);
  text(manufacturer_, tr("Enter the Manufacturer of this Cam"), kCamManufacturer);
  text(emailWeb_, tr("Enter the Email or Web Address of the Manufacturer"), kCamEmailWeb);
  text(recommended_, tr("Enter the Recommended Engine Type"), kCamRecommendedEngineType);
  text(application_, tr("Enter the Cam Application"), kCamApplication);
  for (auto [list, which] : {std::pair{engine_, kCamEngine}, std::pair{usage_, kCamUsage}})
    connect(list, &QComboBox::activated, this, [this, list, which](int) {
      copies_.SetText(which, list->currentText().toStdString());
      Refresh();
    });
  connect(lifter_, &QComboBox::activated, this, [this](int index) {
    copies_.SetLifter(lifter_->itemData(index).toInt());
    Refresh();
  });
  guard_->AddPrompt(lifter_, [] { return tr("Select the Lifter Type"); });
  guard_->AddPrompt(activation_, [] { return tr("Select the High Speed Lobe Activation RPM"); });
}

void CCamDlg::Refresh() {
  if (refreshing_) return;
  refreshing_ = true;
  const bool vvt = copies_.VariableValveTiming();
  const int lobe = copies_.Lobe();
  const QString suffix = !vvt ? QString() : lobe == kLowSpeedLobe ? tr(" - Low Speed Lobe") : tr(" - High Speed Lobe");
  setWindowTitle(baseTitle_ + suffix);
  const CCamProfile& shown = copies_.Shown();
  fileName_->setText(Q(copies_.FileName()));
  camName_->setText(shown.CamType().IsValid() ? Q(shown.CamType().GetName()) : QString());
  engine_->setEditText(Q(shown.Text(kCamEngine)));
  usage_->setEditText(Q(shown.Text(kCamUsage)));
  lifter_->setCurrentIndex(shown.LifterType().IsValid() ? lifter_->findData(shown.LifterType().GetValue()) : -1);
  manufacturer_->setText(Q(shown.Text(kCamManufacturer)));
  emailWeb_->setText(Q(shown.Text(kCamEmailWeb)));
  SetPlainText(recommended_, Q(shown.Text(kCamRecommendedEngineType)));
  SetPlainText(application_, Q(shown.Text(kCamApplication)));

  vvt_->setChecked(vvt);
  lobeButtons_[0]->setChecked(lobe == kLowSpeedLobe);
  lobeButtons_[1]->setChecked(lobe == kHighSpeedLobe);
  for (QRadioButton* b : lobeButtons_) b->setEnabled(vvt);
  activation_->setEnabled(vvt);
  const CFloatPtSpec& rpm = copies_.ActivationRpm();
  activation_->setCurrentIndex(rpm.IsValid() ? activation_->findData(static_cast<int>(rpm.GetValue())) : -1);
  RefreshRampRate();

  const QString method = copies_.View() == kSeatToSeat ? tr("Timing Diagram (Seat-To-Seat Timing Specs)")
                                                       : tr("Timing Diagram (0.050-inch Timing Specs)");
  chartGroup_->setTitle(method + suffix);
  chart_->SetProfile(shown);
  specsPage_->Refresh();
  timingPage_->Refresh();
  refreshing_ = false;
}

void CCamDlg::RefreshRampRate() {
  const CCamProfile& shown = copies_.Shown();
  const bool automatic = shown.AutoRampRateOn();
  autoCalc_->setChecked(automatic);
  manual_->setChecked(!automatic);
  slider_->setEnabled(!automatic);
  const CFloatPtSpec& rate = shown.RampRate();
  const QSignalBlocker block(slider_);
  if (rate.IsValid()) {
    slider_->setValue(SliderPositionOfRampRate(rate.GetValue()));
    rampValue_->setText(Q(rate.GetText()));
  } else {
    rampValue_->setText(QStringLiteral("***"));
  }
  for (int i = 0; i < 5; ++i) rampLabels_[i]->setVisible(rate.IsValid());
  rampLabels_[5]->setText(rate.IsValid() ? QString::fromUtf8(kRampLabels[5]) : tr("Undefined"));
}

void CCamDlg::OnViewConvention(int method) {
  copies_.SetView(method);
  Refresh();
}

void CCamDlg::SetSearching(bool searching) {
  for (QWidget* w : searchLocked_) w->setEnabled(!searching);
  if (!searching) Refresh();
}

std::filesystem::path CCamDlg::CamFolder() const {
  ProgramPaths paths;
  paths.startupFolder = document_.Host() ? document_.Host()->StartupFolder() : DefaultStartupFolder();
  std::error_code ignored;  // a folder that cannot be made leaves the chooser where it can start
  std::filesystem::create_directories(paths.CamFolder(), ignored);
  return paths.CamFolder();
}

void CCamDlg::OnOpen() {
  if (guard_->LastEditRejected() || !document_.Host()) return;
  const std::optional<std::filesystem::path> path = document_.Host()->PromptOpenPath(kCamFileExtension, CamFolder());
  if (path) OpenFile(path->parent_path(), path->filename().string());
}

bool CCamDlg::OpenFile(const std::filesystem::path& folder, const std::string& name) {
  if (!copies_.Open(folder, name, document_.IsMetric())) return false;
  Refresh();
  return true;
}

void CCamDlg::OnSave() {
  if (!guard_->CommitFocus(save_) || !document_.Host()) return;
  int code = 0;
  if (!copies_.Validate(code)) {
    ReportErrorCode(code);
    return;
  }
  const std::filesystem::path folder = copies_.Folder().empty() ? CamFolder() : copies_.Folder();
  const std::optional<std::filesystem::path> path =
      document_.Host()->PromptSavePath(kCamFileExtension, folder, copies_.FileName());
  if (path && copies_.Save(*path)) Refresh();
}

void CCamDlg::OnClear() {
  if (guard_->LastEditRejected()) return;
  copies_.Clear();
  searchPage_->Reset();
  Refresh();
}

bool CCamDlg::OnApply() {
  if (!guard_->CommitFocus(apply_)) return false;
  if (!ApplyCamCopies(document_, copies_)) return false;
  document_.UpdateDerivedValues();
  document_.SetUnits(document_.IsMetric());
  if (DocumentHost* host = document_.Host()) host->UpdateAllViews(document_);
  // From here on the copies are the document's: OK without a further edit
  // finds nothing changed and writes nothing.
  LoadCamCopies(document_, copies_);
  Refresh();
  return true;
}

void CCamDlg::OnOk() {
  if (!guard_->CommitFocus(ok_)) return;
  if (ApplyCamCopies(document_, copies_)) accept();
}

void CCamDlg::OnAutoCalc() {
  const bool computed = copies_.AutoRampRate();
  Refresh();
  if (computed) return;
  if (ReportNoticeCode(kNoRampRateNotice, true) == MessageButton::Cancel) {
    OnManual();
    manual_->setFocus();
  }
}

void CCamDlg::OnManual() {
  copies_.ManualRampRate();
  Refresh();
}

void CCamDlg::OnSlider(int position) {
  if (refreshing_) return;
  copies_.SetRampRateFromSlider(position);
  Refresh();
}

void CCamDlg::done(int result) {
  searchPage_->EndSearch();
  QDialog::done(result);
}

bool RunCamManager(CVexoDoc& document, QWidget* parent) {
  CCamDlg dialog(document, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace brisca
