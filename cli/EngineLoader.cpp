#include "cli/EngineLoader.h"

#include "cli/FileProblems.h"
#include "cli/StdStreams.h"
#include "core/base/ErrCode.h"
#include "core/document/CompressorMapFile.h"

namespace brisca::cli {
namespace {

// A run reads the engine's compressor map. The core's message for a map that
// cannot be opened names no file (the engine names it by number); here the
// file is named with the system's reason before the run.
bool CheckCompressorMap(const CVexoDoc& doc, const DocumentHost& host) {
  const EngineParameters& e = doc.Engine();
  if (e.forcedInductionKind == kNoForcedInduction || e.compressorMap == 0) return true;
  const std::filesystem::path path = CompressorMapPath(host.MapFolder(), e.compressorMap);
  return path.empty() || CheckInputFile(path.string(), kErrMapOpen);
}

}  // namespace

std::unique_ptr<EngineSession> OpenEngine(const std::filesystem::path& named,
                                          const std::string& dataDir, OpenRun run) {
  if (!CheckInputFile(named.string())) return nullptr;
  // Standard input is read into a scratch file first: the engine reader reads files.
  const InputFile input(named.string(), ".qen");
  if (!input.Ok()) return nullptr;
  const std::filesystem::path& path = input.Path();
  auto session = std::make_unique<EngineSession>();
  session->host.documents = {&session->doc};
  if (!dataDir.empty()) {
    session->host.mapFolder = std::filesystem::path(dataDir) / "Manuals & Videos" / "Maps";
  }
  CVexoDoc& doc = session->doc;
  if (run == OpenRun::AsStored) {
    if (!doc.OnOpenDocument(path)) return nullptr;
    return session;
  }
  doc.SetTitle(path.stem().string());
  if (!doc.ReadEngineFile(path)) return nullptr;
  if (run == OpenRun::Always && !CheckCompressorMap(doc, session->host)) return nullptr;
  // The engine's own Auto Run setting is kept; only this recalculation follows `run`.
  const bool autoRun = doc.GetAutoRun();
  doc.Engine().autoRun = run == OpenRun::Always;
  doc.UpdateDerivedValues();
  doc.Engine().autoRun = autoRun;
  doc.SetModified(false);
  if (run == OpenRun::Always && doc.Results().IsEmpty()) {
    // A failed run already showed 42; a validation failure is shown here.
    int code = 0;
    if (!doc.Validate(code)) ReportErrorCode(code);
    return nullptr;
  }
  return session;
}

void AddDataDirOption(CLI::App& command, std::string& dataDir) {
  command.add_option("--data-dir", dataDir,
                     "Program-data folder to read compressor maps and report templates from");
}

}  // namespace brisca::cli
