#include "gui/calculators/CalculatorCommands.h"

#include <sstream>
#include <string>

#include "core/base/ErrCode.h"
#include "core/base/TextWriter.h"
#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "gui/calculators/AirFlowMathDlg.h"
#include "gui/calculators/CamMathDlg.h"
#include "gui/calculators/CompRatioDlg.h"

namespace brisca {
namespace {

// A value as the engine file holds it: what decides whether the document changed.
std::string FileForm(const CFloatPtSpec& spec) {
  std::ostringstream text;
  TextWriter out(text);
  spec.Write(out);
  return text.str();
}

}  // namespace

bool RunCompressionRatioMath(CVexoDoc& document, QWidget* parent) {
  int code = 0;
  if (!document.ValidateShortBlock(code)) {
    ReportErrorCode(kErrCompRatioShortBlock);
    return false;
  }
  const NamedChange name(document, "Compression Ratio Math");
  CCompRatioDlg dialog(document, parent);
  if (dialog.exec() != QDialog::Accepted || !dialog.Changed()) return false;
  document.Engine().crDataValid = true;
  document.UpdateDerivedValues();
  document.SetModified(true);
  if (DocumentHost* host = document.Host()) host->UpdateAllViews(document);
  return true;
}

bool RunAirflowMath(CVexoDoc& document, QWidget* parent) {
  const NamedChange name(document, "Airflow Math");
  CAirFlowMathDlg dialog(document.IsMetric(), parent);
  if (dialog.exec() != QDialog::Accepted || !dialog.Applied()) return false;
  EngineParameters& e = document.Engine();
  const AirflowMathValues& values = dialog.Values();
  const std::string before = FileForm(e.inductionFlow) + FileForm(e.pressureDrop);
  e.inductionFlow.SetValueInSystem(values.airflowRate.GetValue(), true);
  e.pressureDrop.SetValueInSystem(AirflowRatingInHg(values.ratingMode), true);
  document.SetUnits(e.metricUnits);
  if (FileForm(e.inductionFlow) + FileForm(e.pressureDrop) == before) return false;
  document.UpdateDerivedValues();
  document.SetModified(true);
  if (DocumentHost* host = document.Host()) host->UpdateAllViews(document);
  return true;
}

bool RunCamMath(CVexoDoc& document, int lobeIndex, QWidget* parent) {
  CCamshaft& camshaft = document.Engine().camshaft;
  if (lobeIndex == 1 && !camshaft.variableValveTiming) return false;
  const NamedChange name(document, "Cam Math");
  CCamMathDlg dialog(lobeIndex == 0 ? camshaft.lowSpeedLobe : camshaft.highSpeedLobe, lobeIndex, parent);
  if (dialog.exec() != QDialog::Accepted || !dialog.Changed()) return false;
  document.UpdateDerivedValues();
  document.SetModified(true);
  if (DocumentHost* host = document.Host()) host->UpdateAllViews(document);
  return true;
}

}  // namespace brisca
