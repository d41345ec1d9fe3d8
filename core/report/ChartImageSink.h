#pragma once
// Where a report gets the pictures of the document's two charts. The desktop
// implements it with its chart layer and saves each chart as a 600 by 550
// pixel bitmap; a host without charts passes none, and the report then says
// in one line that the chart images are missing.

#include <filesystem>

#include "core/results/ChartState.h"

namespace brisca {

class ChartImageSink {
 public:
  virtual ~ChartImageSink() = default;
  //! Saves the picture of chart `role` as a bitmap file at `path` (created or
  //! replaced, whole or not at all). True once written; a file that cannot be
  //! written throws FileError 44 whose detail names the file and the cause.
  virtual bool SaveChartImage(ChartRole role, const std::filesystem::path& path) = 0;
};

}  // namespace brisca
