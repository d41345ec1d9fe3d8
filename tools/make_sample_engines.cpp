// Writes the sample engines of data/EngineFiles (.QEN)/ with the program's own
// engine-file writer. Each engine is put together with the component commands
// of the engine form's menus, then run and saved. Run by hand after a change to the file format:
//
//   cmake --build build/release --target make_sample_engines
//   build/release/tools/make_sample_engines "data/EngineFiles (.QEN)"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/document/DocumentHost.h"
#include "core/base/MessagePresenter.h"
#include "core/document/PartCat.h"
#include "core/document/VexoDoc.h"

namespace {

using brisca::CatalogueCategory;
using brisca::CVexoDoc;
using brisca::ComponentCatalogue;

// Menu commands outside the catalogue rows.
constexpr int kAutoValveSizes = 32904;
constexpr int kAutoValveLift = 32905;
constexpr int kTwoIntakeValves = 32915;
constexpr int kTwoExhaustValves = 32917;
// Cam-type menu commands.
constexpr int kStockStreetCam = 32879;
constexpr int kHighPerformanceStreetCam = 32880;
constexpr int kDualPurposeCam = 32881;
constexpr int kCircleTrackCam = 32882;
constexpr int kDragHighSpeedCam = 32883;
constexpr int kVvtMaxStreetCam = 33870;
// Fuel menu commands.
constexpr int kMethanol = 32833;
constexpr int kGasNitrous100 = 32829;

//! Messages of the commands (notices about valve counts and the like) are not
//! questions here; errors are printed.
class GeneratorPresenter final : public brisca::MessagePresenter {
 public:
  brisca::MessageButton Show(const brisca::Message& message) override {
    if (message.kind == brisca::MessageKind::Error) {
      std::fprintf(stderr, "%s\n", brisca::FormatMessageForConsole(message).c_str());
    }
    return brisca::MessageButton::Ok;
  }
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "make_sample_engines: %s\n", what);
  std::exit(1);
}

//! What the engine form does with a chosen menu item: the command, then the recalculation.
void Choose(CVexoDoc& doc, int command) {
  if (!doc.OnComponentCommand(command)) Fail("a component command was refused");
  doc.UpdateDerivedValues();
}

//! The row of `category` named `name`.
int Named(CatalogueCategory category, std::string_view name) {
  for (const brisca::CatalogueRow& row : ComponentCatalogue::Instance().CategoryRows(category)) {
    if (name == row.name) return row.command;
  }
  Fail("no catalogue row of that name");
}

//! The row of `category` whose item is `item`.
int Item(CatalogueCategory category, int item) {
  for (const brisca::CatalogueRow& row : ComponentCatalogue::Instance().CategoryRows(category)) {
    if (row.item == item) return row.command;
  }
  Fail("no catalogue row of that item");
}

//! The row of `category` whose first value (and second, when given) is as asked.
int Valued(CatalogueCategory category, float value, float second = -1.0f) {
  for (const brisca::CatalogueRow& row : ComponentCatalogue::Instance().CategoryRows(category)) {
    if (std::fabs(row.Cell(3) - value) < 1e-4f &&
        (second < 0.0f || std::fabs(row.Cell(4) - second) < 1e-4f)) {
      return row.command;
    }
  }
  Fail("no catalogue row of that value");
}

//! Short block, head, compression, carburettor, manifold, exhaust and cam, as
//! the menus of the engine form would choose them.
struct Build {
  const char* shortBlock;
  int head;
  bool fourValves;
  float compressionRatio;
  float cfm;
  int manifold;
  int exhaust;
  int cam;
};

void Assemble(CVexoDoc& doc, const Build& b) {
  Choose(doc, Named(CatalogueCategory::ShortBlocks, b.shortBlock));
  Choose(doc, Item(CatalogueCategory::CylinderHeads, b.head));
  if (b.fourValves) {
    Choose(doc, kTwoIntakeValves);
    Choose(doc, kTwoExhaustValves);
  }
  if (!doc.GetAutoValveSizes()) Choose(doc, kAutoValveSizes);
  Choose(doc, Valued(CatalogueCategory::CompressionRatio, b.compressionRatio));
  Choose(doc, Valued(CatalogueCategory::InductionAirflow, b.cfm, 1.5f));
  Choose(doc, Item(CatalogueCategory::Manifolds, b.manifold));
  Choose(doc, Item(CatalogueCategory::ExhaustSystems, b.exhaust));
  Choose(doc, b.cam);
  if (!doc.IsCommandChecked(kAutoValveLift)) Choose(doc, kAutoValveLift);
}

void SetNotes(CVexoDoc& doc, const char* text) { doc.Engine().notes.SetFromText(text); }

void StockSmallBlock(CVexoDoc& doc) {
  Assemble(doc, {"Chevy 350", 1, false, 9.5f, 750.0f, 2, 4, kStockStreetCam});
  SetNotes(doc, "Stock 350 ci small block: stock wedge heads, street cam, 750 cfm four-barrel.");
}

void PortedMethanolV8(CVexoDoc& doc) {
  Assemble(doc, {"Chevy 350", 7, false, 12.5f, 1100.0f, 7, 9, kDragHighSpeedCam});
  Choose(doc, kMethanol);
  SetNotes(doc, "Fully ported wedge heads, high-speed drag cam, methanol, open headers.");
}

void Four16(CVexoDoc& doc) {
  Assemble(doc, {"Acura 1.6L", 22, true, 10.0f, 400.0f, 12, 2, kHighPerformanceStreetCam});
  SetNotes(doc, "1.6 litre sixteen-valve four.");
}

void TwoLobeFour(CVexoDoc& doc) {
  Assemble(doc, {"Honda 1.8L VTEC", 23, true, 10.5f, 500.0f, 11, 5, kVvtMaxStreetCam});
  SetNotes(doc, "1.8 litre four with a two-lobe cam switching to its high-speed lobe.");
}

void TurboFour(CVexoDoc& doc) {
  Assemble(doc, {"Ford Focus 2.3L", 22, true, 8.5f, 600.0f, 8, 8, kHighPerformanceStreetCam});
  Choose(doc, Named(CatalogueCategory::ForcedInduction, "Turbo-Garrett-T3-60"));
  Choose(doc, Valued(CatalogueCategory::TurbineSize, 2.52f));
  Choose(doc, Valued(CatalogueCategory::TurbineAR, 0.63f));
  Choose(doc, Valued(CatalogueCategory::NumberOfTurbos, 1.0f));
  Choose(doc, Valued(CatalogueCategory::BoostLimit, 12.0f));
  Choose(doc, Valued(CatalogueCategory::IntercoolerEfficiency, 70.0f));
  Choose(doc, Valued(CatalogueCategory::IntercoolerPressureDrop, 1.0f));
  SetNotes(doc, "2.3 litre four, T3-60 turbocharger at 12 psi, air-to-air intercooler.");
}

void RootsV8(CVexoDoc& doc) {
  Assemble(doc, {"Chevy 350", 5, false, 8.5f, 1100.0f, 1, 8, kDualPurposeCam});
  Choose(doc, Named(CatalogueCategory::ForcedInduction, "Roots- Weiand 871"));
  Choose(doc, Valued(CatalogueCategory::BoostLimit, 10.0f));
  SetNotes(doc, "350 ci small block under a belt-driven Roots blower, 10 psi limit.");
}

void V12Stacks(CVexoDoc& doc) {
  Assemble(doc, {"Ferrari 5.0L", 24, true, 11.5f, 1100.0f, 16, 10, kCircleTrackCam});
  SetNotes(doc, "Five-litre V12 on long velocity stacks without a plenum.");
}

void NitrousV8(CVexoDoc& doc) {
  Assemble(doc, {"Chevy 350", 4, false, 10.0f, 850.0f, 5, 8, kDualPurposeCam});
  Choose(doc, kGasNitrous100);
  SetNotes(doc, "350 ci small block with a 100 HP nitrous kit.");
}

struct Sample {
  const char* name;
  void (*build)(CVexoDoc&);
};

// The first one is what ./run shows without a display.
constexpr Sample kSamples[] = {
    {"Stock Small-Block V8", StockSmallBlock},
    {"Ported V8 Race Cam Methanol", PortedMethanolV8},
    {"Four 1.6L", Four16},
    {"Two-Lobe Cam Four", TwoLobeFour},
    {"Turbo Four Intercooled", TurboFour},
    {"Roots-Blown V8", RootsV8},
    {"V12 Stacks", V12Stacks},
    {"Nitrous V8", NitrousV8},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
    return 2;
  }
  GeneratorPresenter presenter;
  brisca::InstallPresenter(&presenter);
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  int failures = 0;
  for (const Sample& sample : kSamples) {
    brisca::HeadlessHost host;
    CVexoDoc doc(&host);
    host.documents = {&doc};
    doc.SetTitle(sample.name);
    doc.Report().Reset(sample.name);
    doc.Engine().autoRun = false;  // build quietly, run once at the end
    sample.build(doc);
    doc.UpdateDerivedValues();
    doc.Engine().autoRun = true;
    const std::filesystem::path path = folder / (std::string(sample.name) + ".qen");
    if (!doc.RunSimulation(true, true) || !doc.OnSaveDocument(path)) {
      std::fprintf(stderr, "%s: not written\n", sample.name);
      ++failures;
      continue;
    }
    std::printf("%s\n", path.string().c_str());
  }
  return failures == 0 ? 0 : 1;
}
