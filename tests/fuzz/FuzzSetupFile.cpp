// Iterator setup-file reader: the statements of `iterate --setup`, applied to
// both phases of a series around a fixed engine.

#include <cstdint>
#include <sstream>
#include <string>

#include "core/iterator/IterateSetup.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/SampleDocuments.h"

using namespace brisca;

namespace {

const CVexoDoc& Engine() {
  static const CVexoDoc* engine = [] {
    auto* doc = new CVexoDoc;
    samples::BuildSmallBlockV8(*doc);
    return doc;
  }();
  return *engine;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InstallQuietPresenter();
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  Iterator phase1;
  Iterator phase2;
  IterateSetup setup;
  IterateSetupError error;
  if (!ReadIterateSetup(in, Engine(), phase1, phase2, setup, error)) {
    // A refusal names the statement at fault, or the engine.
    if (error.line < 0 || (error.line > 0 && error.message.empty())) std::abort();
    return 0;
  }
  // What was accepted is a series the command line can count before it runs.
  for (const Iterator* phase : {&phase1, &phase2}) {
    if (phase->SetupTests() < 0 || phase->TestsOutsideLimits() < 0) std::abort();
  }
  return 0;
}
