// Writes sample cam files into a folder (data/CamFiles (.QCM)/ in the
// repository) with the program's own cam-file writer, so that the cam
// manager's search has a few files to find, one folder deep too. Each cam is a
// built-in cam type with its texts filled in, some ground a little differently.
// Run by hand after a change to the file format:
//
//   cmake --build build/release --target make_sample_cams
//   build/release/tools/make_sample_cams "data/CamFiles (.QCM)"

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/base/MessagePresenter.h"
#include "core/valvetrain/Cam.h"

namespace {

using brisca::CCamProfile;
using brisca::CCamshaft;

// Cam-type menu commands.
constexpr int kStockStreetCam = 32879;
constexpr int kHighPerformanceStreetCam = 32880;
constexpr int kDualPurposeCam = 32881;
constexpr int kCircleTrackCam = 32882;
constexpr int kDragHighSpeedCam = 32883;
constexpr int kProStockCam = 32884;
constexpr int kVvtMaxStreetCam = 33870;
constexpr int kVvtHotStreetCam = 33872;

class PrintingPresenter final : public brisca::MessagePresenter {
 public:
  brisca::MessageButton Show(const brisca::Message& message) override {
    std::fprintf(stderr, "%s\n", brisca::FormatMessageForConsole(message).c_str());
    return brisca::MessageButton::Ok;
  }
};

struct SampleCam {
  const char* file;          // relative to the output folder
  int camType;               // built-in cam type
  const char* name;          // custom name, or nullptr to keep the type's
  float intakeAdvance;       // [deg]
  const char* engine;
  const char* usage;
  const char* recommended;
  const char* application;
  const char* manufacturer;
};

constexpr SampleCam kCams[] = {
    {"Street Economy Hydraulic.qcm", kStockStreetCam, nullptr, 0.0f, "Chevy", "Street",
     "Stock small-block V8, 5.0 to 5.7 litre", "Daily driver, best low-speed torque", "Sample Cams"},
    {"High Performance Street.qcm", kHighPerformanceStreetCam, nullptr, 2.0f, "Ford",
     "Street High Performance", "Small-block V8 with mild heads", "Hot street, stock converter",
     "Sample Cams"},
    {"Dual Purpose Street-Track.qcm", kDualPurposeCam, nullptr, 0.0f, "Chevy",
     "Hot Street & Drag Racing", "Big-bore V8 with ported heads", "Street and strip", "Sample Cams"},
    {"Race/Big Race Solid.qcm", kCircleTrackCam, "Big Race Solid", 4.0f, "Chevy", "Drag Racing & Oval Track",
     "Big-block V8, 7.0 litre and up", "Oval track and bracket racing", "Sample Cams"},
    {"Race/Drag Race High-Speed.qcm", kDragHighSpeedCam, nullptr, 0.0f, "Chevy", "Drag Racing",
     "Race V8 with high compression", "Drag racing above 7000 rpm", "Sample Cams"},
    {"Race/Pro Stock Max Power.qcm", kProStockCam, nullptr, 0.0f, "Chevy", "Pro Stock",
     "Pro Stock V8, 500 ci", "Maximum power, no street use", "Sample Cams"},
    {"VVT Max Street.qcm", kVvtMaxStreetCam, nullptr, 0.0f, "Honda", "Street High Performance",
     "Four-cylinder with variable valve timing", "Street, high-speed lobe from 5500 rpm", "Sample Cams"},
    {"VVT Hot Street-Race.qcm", kVvtHotStreetCam, nullptr, 0.0f, "Honda", "Autocross",
     "Four-cylinder with variable valve timing", "Autocross and track days", "Sample Cams"},
};

CCamshaft Build(const SampleCam& sample) {
  CCamshaft cam;
  cam.LoadCamType(sample.camType);
  for (CCamProfile* lobe : {&cam.lowSpeedLobe, &cam.highSpeedLobe}) {
    if (sample.name) lobe->CamType().SetSelection(brisca::kCustomCamTypeCode, sample.name);
    lobe->IntakeAdvance().SetValue(sample.intakeAdvance);
    lobe->SetText(brisca::kCamEngine, sample.engine);
    lobe->SetText(brisca::kCamUsage, sample.usage);
    lobe->SetText(brisca::kCamRecommendedEngineType, sample.recommended);
    lobe->SetText(brisca::kCamApplication, sample.application);
    lobe->SetText(brisca::kCamManufacturer, sample.manufacturer);
    lobe->ComputeDerived();
  }
  return cam;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
    return 2;
  }
  PrintingPresenter presenter;
  brisca::InstallPresenter(&presenter);
  const std::filesystem::path folder = argv[1];
  int failures = 0;
  for (const SampleCam& sample : kCams) {
    const std::filesystem::path path = folder / sample.file;
    std::filesystem::create_directories(path.parent_path());
    const CCamshaft cam = Build(sample);
    int code = 0;
    if (!cam.Validate(code) || !cam.SaveToFile(path)) {
      std::fprintf(stderr, "%s: not written (%d)\n", sample.file, code);
      ++failures;
      continue;
    }
    std::printf("%s\n", path.string().c_str());
  }
  return failures == 0 ? 0 : 1;
}
