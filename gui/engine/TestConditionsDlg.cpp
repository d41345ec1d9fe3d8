#include "gui/engine/TestConditionsDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <string>

#include "core/base/NumberText.h"
#include "core/results/StandardAtmosphere.h"

namespace brisca {
namespace {

QString Fixed(double value, int decimals) {
  return QString::fromStdString(FormatFixed(value, decimals));
}

// Reads a field as the command line does; a bare number takes the field's own unit.
std::optional<double> Read(std::optional<double> (*parse)(std::string_view), const QString& text,
                           const char* unit) {
  const std::string typed = text.trimmed().toStdString();
  if (typed.empty()) return std::nullopt;
  if (auto value = parse(typed)) return value;
  return parse(typed + unit);
}

QString ModelAirLine() {
  const TestConditions air = ModelAir();
  return QObject::tr("The model runs in dry air at %1 °F and %2 psia (%3 inHg).")
      .arg(Fixed(air.temperatureF, 0), Fixed(kModelPressurePsia, 1), Fixed(air.barometerInHg, 2));
}

}  // namespace

CTestConditionsDlg::CTestConditionsDlg(const TestConditions& conditions, QWidget* parent)
    : QDialog(parent), conditions_(conditions) {
  setObjectName(QStringLiteral("testConditionsDlg"));
  setWindowTitle(tr("Test Conditions"));
  auto* layout = new QVBoxLayout(this);

  auto* form = new QFormLayout;
  standard_ = new QComboBox(this);
  standard_->setObjectName(QStringLiteral("standard"));
  for (int i = 0; i < kCorrectionStandardCount; ++i) {
    standard_->addItem(QString::fromLatin1(StandardName(static_cast<CorrectionStandard>(i))));
  }
  standard_->setCurrentIndex(static_cast<int>(conditions_.standard));
  form->addRow(tr("Standard:"), standard_);
  layout->addLayout(form);

  weather_ = new QGroupBox(tr("State the weather of the test"), this);
  weather_->setObjectName(QStringLiteral("weather"));
  weather_->setCheckable(true);
  weather_->setChecked(conditions_.weatherGiven);
  new QGridLayout(weather_);  // AddField fills it
  AddField(kPressure, tr("Barometric pressure (inHg):"), Fixed(conditions_.barometerInHg, 2), 0);
  AddField(kAltitude, tr("or altitude (m):"),
           Fixed(AltitudeAtPressureM(conditions_.barometerInHg), 0), 1);
  AddField(kTemperature, tr("Air temperature (°F):"), Fixed(conditions_.temperatureF, 1), 2);
  AddField(kHumidity, tr("Relative humidity (%):"), Fixed(conditions_.humidityPercent, 0), 3);
  AddField(kDewPoint, tr("or dew point (°F):"), QString(), 4);
  layout->addWidget(weather_);

  auto* modelAir = new QLabel(ModelAirLine(), this);
  modelAir->setObjectName(QStringLiteral("modelAir"));
  layout->addWidget(modelAir);
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("note"));
  layout->addWidget(note_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CTestConditionsDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CTestConditionsDlg::reject);
  layout->addWidget(buttons);

  connect(standard_, &QComboBox::activated, this, [this](int index) {
    conditions_.standard = static_cast<CorrectionStandard>(index);
    ShowNote();
  });
  connect(weather_, &QGroupBox::toggled, this, [this](bool on) {
    conditions_.weatherGiven = on;
    ShowNote();
  });
  ShowNote();
}

QLineEdit* CTestConditionsDlg::AddField(Field field, const QString& label, const QString& text,
                                        int row) {
  auto* grid = static_cast<QGridLayout*>(weather_->layout());
  auto* edit = new QLineEdit(text, weather_);
  static const char* const kNames[] = {"pressure", "altitude", "temperature", "humidity", "dewPoint"};
  edit->setObjectName(QString::fromLatin1(kNames[field]));
  grid->addWidget(new QLabel(label, weather_), row, 0);
  grid->addWidget(edit, row, 1);
  fields_[field] = edit;
  // textEdited comes only from the user: a text set by the dialog is not typed.
  connect(edit, &QLineEdit::textEdited, this, [this, field] { Edited(field); });
  return edit;
}

std::optional<double> CTestConditionsDlg::Typed(Field field) const {
  const QString text = fields_[field]->text();
  switch (field) {
    case kPressure: return Read(ParsePressureInHg, text, "inHg");
    case kAltitude: return Read(ParseAltitudeM, text, "m");
    case kTemperature:
    case kDewPoint: return Read(ParseTemperatureF, text, "F");
    case kHumidity: return Read(ParseHumidityPercent, text, "%");
    default: return std::nullopt;
  }
}

void CTestConditionsDlg::Edited(Field field) {
  typed_[field] = true;
  const std::optional<double> value = Typed(field);
  if (!value) return;  // taken up again on OK, which refuses it
  switch (field) {
    case kPressure:
      conditions_.barometerInHg = *value;
      fields_[kAltitude]->setText(Fixed(AltitudeAtPressureM(*value), 0));
      typed_[kAltitude] = false;
      break;
    case kAltitude:
      conditions_.barometerInHg = PressureAtAltitudeInHg(*value);
      fields_[kPressure]->setText(Fixed(conditions_.barometerInHg, 2));
      typed_[kPressure] = false;
      break;
    case kTemperature:
      conditions_.temperatureF = *value;
      if (typed_[kDewPoint]) Edited(kDewPoint);  // the humidity follows the new temperature
      break;
    case kHumidity:
      conditions_.humidityPercent = *value;
      fields_[kDewPoint]->clear();
      typed_[kDewPoint] = false;
      break;
    case kDewPoint:
      conditions_.humidityPercent = HumidityFromDewPoint(conditions_.temperatureF, *value);
      fields_[kHumidity]->setText(Fixed(conditions_.humidityPercent, 0));
      typed_[kHumidity] = false;
      break;
    default: break;
  }
  ShowNote();
}

void CTestConditionsDlg::ShowNote() {
  note_->setText(QString::fromStdString(ConditionsNote(conditions_, false)));
}

void CTestConditionsDlg::accept() {
  if (conditions_.weatherGiven) {
    for (int i = 0; i < kFieldCount; ++i) {
      const auto field = static_cast<Field>(i);
      const bool empty = fields_[field]->text().trimmed().isEmpty();  // changes nothing
      if (typed_[field] && !empty && !Typed(field)) {
        QApplication::beep();
        fields_[field]->setFocus();
        fields_[field]->selectAll();
        return;
      }
    }
  }
  QDialog::accept();
}

}  // namespace brisca
