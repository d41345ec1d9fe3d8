// Report-settings reader: the settings text of Kalvex.INI and of the engine file.

#include <cstdint>

#include "core/base/FileError.h"
#include "core/reportspecs/ReportSpecs.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace brisca;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InstallQuietPresenter();
  ReportSpecs report;
  try {
    TextReader in = fuzz::ReaderOf(data, size);
    report.ReadText(in);
  } catch (const FileError&) {
    return 0;
  }
  int code = 0;
  report.Validate(code);
  fuzz::CheckRoundTrip(
      report, [](const ReportSpecs& r, TextWriter& out) { r.WriteText(out); },
      [](ReportSpecs& r, TextReader& in) { r.ReadText(in); });
  return 0;
}
