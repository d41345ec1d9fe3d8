#include "gui/calculators/CalculatorCommands.h"

#include "core/base/ErrCode.h"
#include "core/document/DocumentHost.h"
#include "core/document/VexoDoc.h"
#include "gui/calculators/AirFlowMathDlg.h"
#include "gui/calculators/CamMathDlg.h"
#include "gui/calculators/CompRatioDlg.h"

namespace brisca {

bool RunCompressionRatioMath(CVexoDoc& document, QWidget* parent) {
  int code = 0;
  if (!document.ValidateShortBlock(code)) {
    ReportErrorCode(kErrCompRatioShortBlock);
    return false;
  }
  CCompRatioDlg dialog(document, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  document.Engine().crDataValid = true;
  document.UpdateDerivedValues();
  document.SetModified(true);
  if (DocumentHost* host = document.Host()) host->UpdateAllViews(document);
  return true;
}

bool RunAirflowMath(CVexoDoc& document, QWidget* parent) {
  CAirFlowMathDlg dialog(document.IsMetric(), parent);
  if (dialog.exec() != QDialog::Accepted || !dialog.Applied()) return false;
  EngineParameters& e = document.Engine();
  const AirflowMathValues& values = dialog.Values();
  e.inductionFlow.SetValueInSystem(values.airflowRate.GetValue(), true);
  e.pressureDrop.SetValueInSystem(AirflowRatingInHg(values.ratingMode), true);
  document.SetUnits(e.metricUnits);
  document.UpdateDerivedValues();
  if (DocumentHost* host = document.Host()) host->UpdateAllViews(document);
  return true;
}

bool RunCamMath(CVexoDoc& document, int lobeIndex, QWidget* parent) {
  CCamshaft& camshaft = document.Engine().camshaft;
  if (lobeIndex == 1 && !camshaft.variableValveTiming) return false;
  CCamMathDlg dialog(lobeIndex == 0 ? camshaft.lowSpeedLobe : camshaft.highSpeedLobe, lobeIndex, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  document.UpdateDerivedValues();
  if (DocumentHost* host = document.Host()) host->UpdateAllViews(document);
  return true;
}

}  // namespace brisca
