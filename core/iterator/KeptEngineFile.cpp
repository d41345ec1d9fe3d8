#include "core/iterator/KeptEngineFile.h"

#include "core/document/VexoDoc.h"
#include "core/sim/induction/CompressorMap.h"
#include "core/iterator/ResultDocument.h"

namespace brisca {

bool WriteKeptEngineFile(const Iterator& series, int slot, int rank, const CompressorMapSupply& maps,
                         const std::filesystem::path& dir, KeptEngineFile& file) {
  CVexoDoc kept(nullptr);
  ReceiveKeptResult(series, slot, kept);
  const std::string title = ResultDocumentTitle(rank, series.Result(slot).engine->GetTitle());
  kept.SetTitle(title);
  file = KeptEngineFile{title + ".qen", false, 0.0f};
  const std::filesystem::path path = dir / file.name;
  if (!kept.WriteEngineFile(path)) return false;
  CVexoDoc written(nullptr);
  if (!written.OnOpenDocument(path)) return false;
  int code = 0;
  file.ran = written.RunSimulation(maps, code);
  if (!file.ran) return true;  // the file keeps the engine; it stores no results of its own
  file.score = series.Score(written);
  return written.WriteEngineFile(path);
}

}  // namespace brisca
