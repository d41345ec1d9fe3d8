// Cam-file reader (.qcm): the camshaft's text, then its recalculation.

#include <cstdint>

#include "core/base/FileError.h"
#include "core/spec/UnitTable.h"
#include "core/valvetrain/Camshaft.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace brisca;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InstallQuietPresenter();
  CCamshaft cam;
  try {
    TextReader in = fuzz::ReaderOf(data, size);
    cam.ReadText(in);
  } catch (const FileError&) {
    return 0;
  }
  int code = 0;
  cam.Validate(code);
  fuzz::CheckRoundTrip(
      cam, [](const CCamshaft& c, TextWriter& out) { c.WriteText(out); },
      [](CCamshaft& c, TextReader& in) { c.ReadText(in); });
  return 0;
}
