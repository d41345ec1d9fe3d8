#pragma once
// What the chart properties pages share while the sheet is open: the working
// copy of the chart's settings, the documents chosen for comparison slots 1..3,
// the chart's own document title and the other open engine documents.

#include <array>
#include <string>
#include <vector>

#include "core/results/ChartSettings.h"

namespace brisca {

class CVexoDoc;

//! Comparison slots the "Graph Data" page chooses ("Set 2:" .. "Set 4:").
inline constexpr int kChosenSlots = 3;

struct ChartSheetData {
  ChartSettings settings;
  std::array<CVexoDoc*, kChosenSlots> chosen{};  //!< slots 1..3; null is "(None)"
  std::string ownTitle;                          //!< "Set 1:"
  std::vector<CVexoDoc*> others;                 //!< the other open engine documents

  void ClearSlots() { chosen.fill(nullptr); }
};

}  // namespace brisca
