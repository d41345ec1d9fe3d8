#pragma once
// One kept result of a test series: the engine as it was simulated, the test
// that produced it and its score.

#include <memory>

#include "core/document/VexoDoc.h"

namespace brisca {

struct ResultSlot {
  std::unique_ptr<CVexoDoc> engine;  //!< the working engine of that test, with its results
  int testNumber = 0;                //!< 1-based test number within the series
  float score = 0.0f;                //!< [criterion unit]
  bool keep = false;                 //!< open as a new document after the dialog closes
};

}  // namespace brisca
