// Engine-file reader: the text of a .qen file, then what opening does with it.

#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "core/document/EngineFileText.h"
#include "core/base/FileError.h"
#include "core/document/VexoDoc.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace brisca;

namespace {

EngineFileRecords RecordsOf(CVexoDoc& doc) {
  return {doc.Engine(), doc.Chart(ChartRole::First), doc.Chart(ChartRole::Second), doc.Report()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InstallQuietPresenter();
  CVexoDoc doc;
  try {
    TextReader in = fuzz::ReaderOf(data, size);
    ReadEngineText(in, RecordsOf(doc));
  } catch (const FileError&) {
    return 0;
  }
  // What opening does after reading, short of running the simulation.
  doc.SetUnits(doc.Engine().metricUnits);
  doc.Engine().autoRun = false;
  doc.UpdateDerivedValues();
  int code = 0;
  doc.Validate(code);

  doc.SetUnits(false);
  std::ostringstream text;
  TextWriter writer(text);
  const ResultSet empty;
  WriteEngineText(writer, RecordsOf(doc), doc.IsMetric(), {false, &empty, &empty});
  CVexoDoc again;
  try {
    TextReader in(text.str());
    ReadEngineText(in, RecordsOf(again));
  } catch (...) {
    std::abort();
  }
  return 0;
}
