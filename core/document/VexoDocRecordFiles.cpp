// The document's commands for the flow file and the cam file: the user picks
// the file through the host, the record reads or writes it, and the document
// takes the result. Nothing changes on a cancel or a failure.
#include <filesystem>
#include <optional>
#include <string>

#include "core/base/ErrCode.h"
#include "core/document/ComponentHandlers.h"
#include "core/document/DocumentHost.h"
#include "core/document/ProgramPaths.h"
#include "core/document/VexoDoc.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

ProgramPaths PathsOf(const DocumentHost& host) {
  ProgramPaths paths;
  paths.startupFolder = host.StartupFolder();
  return paths;
}

// A record that fails its checks is not written: say why and refuse.
template <typename Record>
bool CheckBeforeSaving(const Record& record) {
  int code = 0;
  if (record.Validate(code)) return true;
  ReportErrorCode(code);
  return false;
}

}  // namespace

void CVexoDoc::FinishFileCommand(bool recalculate) {
  SetModified(true);
  if (recalculate) UpdateDerivedValues();
  SetUnits(engine_.metricUnits);
  RedrawViews();
}

bool CVexoDoc::OnAirflowFileOpen() {
  const NamedChange name(*this, "Airflow File");
  EngineParameters& e = engine_;
  if (!host_ || !ConfirmSpecChange(e.cylinderHeadType)) return false;
  const std::optional<fs::path> path =
      host_->PromptOpenPath(kFlowFileExtension, PathsOf(*host_).FlowFolder());
  if (!path) return false;
  CCylHeadFlow flow(e.flow);
  if (!flow.LoadFromFile(*path)) return false;

  e.flow = flow;
  component::AssignFileName(e.airflowFile, path->filename().string());
  component::NameCustomHead(e);
  if (!e.intakeValves.IsValid() || !e.exhaustValves.IsValid()) {
    e.intakeValves.SetValue(1);
    e.exhaustValves.SetValue(1);
  }
  // Custom flow data are never sized automatically (the menu item is disabled for them).
  e.autoValveSizes = false;
  FinishFileCommand(true);
  return true;
}

bool CVexoDoc::OnAirflowFileSave() {
  EngineParameters& e = engine_;
  if (!host_ || !CheckBeforeSaving(e.flow)) return false;
  const std::optional<fs::path> path =
      host_->PromptSavePath(kFlowFileExtension, PathsOf(*host_).FlowFolder(),
                            e.flow.ProposedFileName(component::FileName(e.airflowFile)));
  if (!path || !e.flow.SaveToFile(*path)) return false;
  component::AssignFileName(e.airflowFile, path->filename().string());
  FinishFileCommand(false);
  return true;
}

bool CVexoDoc::OnCamFileOpen() {
  const NamedChange name(*this, "Cam Data File");
  EngineParameters& e = engine_;
  if (!host_ || !ConfirmSpecChange(e.camshaft.lowSpeedLobe.CamType())) return false;
  const std::optional<fs::path> path =
      host_->PromptOpenPath(kCamFileExtension, PathsOf(*host_).CamFolder());
  if (!path) return false;
  CCamshaft camshaft;  // a failed read leaves the document's camshaft untouched
  if (!camshaft.LoadFromFile(*path)) return false;

  e.camshaft.CopyFrom(camshaft);
  component::AssignFileName(e.camDataFile, path->filename().string());
  FinishFileCommand(true);
  return true;
}

bool CVexoDoc::OnCamFileSave() {
  EngineParameters& e = engine_;
  if (!host_ || !CheckBeforeSaving(e.camshaft)) return false;
  const std::optional<fs::path> path = host_->PromptSavePath(
      kCamFileExtension, PathsOf(*host_).CamFolder(), component::FileName(e.camDataFile));
  if (!path || !e.camshaft.SaveToFile(*path)) return false;
  component::AssignFileName(e.camDataFile, path->filename().string());
  FinishFileCommand(false);
  return true;
}

}  // namespace brisca
