// Flow-file reader (.qfw): the port-flow record's text.

#include <cstdint>

#include "core/base/FileError.h"
#include "core/valvetrain/CylHeadFlow.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace brisca;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InstallQuietPresenter();
  CCylHeadFlow flow;
  try {
    TextReader in = fuzz::ReaderOf(data, size);
    flow.ReadText(in);
  } catch (const FileError&) {
    return 0;
  }
  int code = 0;
  flow.Validate(code);
  flow.SetUnits(true);
  flow.SetUnits(false);
  fuzz::CheckRoundTrip(
      flow, [](const CCylHeadFlow& f, TextWriter& out) { f.WriteText(out); },
      [](CCylHeadFlow& f, TextReader& in) { f.ReadText(in); });
  return 0;
}
