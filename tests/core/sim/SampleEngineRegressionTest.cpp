// The model pinned on every sample engine in data/: power, torque, volumetric
// efficiency and manifold pressure at six speeds, as a user gets them by opening
// the engine file and running it (boosted engines through their compressor,
// the two-lobe cam merged at its activation speed).
//
// Where the numbers come from: this program's own model, generated once by
// opening each file with CVexoDoc::OnOpenDocument and running it with
// RunSimulation(true, true) (the build of commit 4c5eb34, GCC, x86-64), printed
// with nine significant digits. They are not measurements and no other program
// produced them; they exist so that any change to a constant, table or step
// order of the model fails here. When a change to the model is intended,
// regenerate the table and say why in the commit.
//
// The worked examples of the model's parts (lift profile, valve events, ram
// and exhaust tables, induction restriction, intercooler, screw blower,
// wastegate, valve sizes) are pinned beside their parts in submodels/ and
// induction/.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "core/document/VexoDoc.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

const fs::path kEngineFolder =
    fs::path(BRISCA_FIXTURES_DIR) / ".." / ".." / "data" / "EngineFiles (.QEN)";

struct Point {
  float rpm;
  float power;             //!< [HP]
  float torque;            //!< [lb-ft]
  float ve;                //!< [%]
  float manifoldPressure;  //!< [psia]
};

struct EngineCase {
  const char* file;
  std::vector<Point> points;
};

// clang-format off
const EngineCase kEngines[] = {
    {"Four 1.6L.qen",
     {{2000, 29.4156284, 77.2454376, 58.8839531, 14.6963797},
      {3500, 64.1533737, 96.266716, 75.8740616, 14.6777811},
      {5000, 98.1718216, 103.119682, 87.7273254, 14.6341295},
      {6500, 122.302864, 98.8207169, 92.8746033, 14.5671892},
      {8000, 115.630127, 75.9111786, 85.6246109, 14.5093546},
      {10000, 70.1746826, 36.8557434, 72.8520813, 14.485405}}},
    {"Nitrous V8.qen",
     {{2000, 241.135925, 633.222961, 72.396965, 14.679987},
      {3500, 350.662872, 526.194702, 76.7677231, 14.6282511},
      {5000, 500.715881, 525.951965, 94.3180161, 14.4834547},
      {6500, 440.742096, 356.119598, 81.2914429, 14.3495331},
      {8000, 294.544006, 193.368134, 65.2278442, 14.361496},
      {10000, 76.0279007, 39.9298553, 48.2670975, 14.4029207}}},
    {"Ported V8 Race Cam Methanol.qen",
     {{2000, 139.471039, 366.250946, 69.7286987, 14.6869345},
      {3500, 269.109009, 403.817291, 78.4435425, 14.6469164},
      {5000, 500.13089, 525.337463, 103.377274, 14.5490465},
      {6500, 663.937927, 536.461853, 110.791, 14.3606968},
      {8000, 686.815979, 450.894684, 102.508598, 14.2354603},
      {10000, 542.566406, 284.955872, 83.0759201, 14.2172203}}},
    {"Roots-Blown V8.qen",
     {{2000, 196.411606, 515.776855, 91.9383011, 19.6773853},
      {3500, 395.127869, 592.917603, 113.533264, 23.2375355},
      {5000, 562.004333, 590.329346, 126.87851, 24.0982857},
      {6500, 480.603638, 388.327728, 104.912857, 24.3353539},
      {8000, 357.840759, 234.922455, 85.2984543, 24.3578949},
      {10000, 143.819321, 75.533905, 64.3856812, 24.3897934}}},
    {"Stock Small-Block V8.qen",
     {{2000, 135.006439, 354.526917, 71.8900986, 14.6753483},
      {3500, 225.966782, 339.079285, 76.164093, 14.6051397},
      {5000, 183.845139, 193.110931, 62.6400681, 14.5319843},
      {6500, 46.8258476, 37.8352852, 42.8148994, 14.5633364},
      {8000, 0, 0, 29.1392021, 14.6022682},
      {10000, 0, 0, 17.2049484, 14.6468649}}},
    {"Turbo Four Intercooled.qen",
     {{2000, 44.6893539, 117.35424, 63.5161591, 15.1093464},
      {3500, 134.442978, 201.741287, 101.508629, 19.3015385},
      {5000, 281.186432, 295.358215, 149.156265, 25.3385448},
      {6500, 320.663513, 259.09613, 144.244797, 25.3837757},
      {8000, 304.965057, 200.209564, 128.928177, 25.3124237},
      {10000, 221.121872, 116.133209, 105.453133, 25.2867737}}},
    {"Two-Lobe Cam Four.qen",
     {{2000, 44.4375801, 116.693085, 67.1874466, 14.6950531},
      {3500, 91.0475693, 136.623383, 77.8271103, 14.6796255},
      {5000, 144.663055, 151.954071, 89.0600739, 14.6427345},
      {6500, 198.053375, 160.02713, 97.0259323, 14.5921659},
      {8000, 232.544678, 152.665588, 99.4830322, 14.5031681},
      {10000, 210.792923, 110.708443, 85.9457245, 14.4584475}}},
    {"V12 Stacks.qen",
     {{2000, 156.969009, 412.200623, 81.5222244, 14.5655775},
      {3500, 246.857574, 370.427429, 78.9850464, 14.0078096},
      {5000, 387.513641, 407.044342, 90.8957138, 13.2587271},
      {6500, 556.865601, 449.947418, 102.885948, 11.5956669},
      {8000, 668.827332, 439.085144, 104.97216, 9.67717457},
      {10000, 601.259033, 315.78125, 88.2405396, 9.13666916}}},
};
// clang-format on

// Nine significant digits were stored; a few units in the last place of a float
// allow for a different maths library, any change to the model moves far more.
void ExpectPinned(float actual, float pinned, const char* what) {
  const float tolerance = std::max(std::fabs(pinned) * 2e-6f, 1e-5f);
  EXPECT_NEAR(actual, pinned, tolerance) << what;
}

int IndexOf(float rpm) { return static_cast<int>((rpm - 1000.0f) / 500.0f); }

TEST(SampleEngineRegressionTest, EverySampleEngineGivesItsPinnedResults) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kEngineFolder)) files.push_back(entry.path());
  // Every sample engine has its row: a new sample must be added to the table.
  ASSERT_EQ(files.size(), std::size(kEngines));

  for (const EngineCase& c : kEngines) {
    SCOPED_TRACE(c.file);
    CVexoDoc doc(nullptr);
    ASSERT_TRUE(doc.OnOpenDocument(kEngineFolder / c.file));
    ASSERT_TRUE(doc.RunSimulation(true, true));
    const ResultSet& r = doc.Results();
    ASSERT_EQ(r.count, kResultPoints);
    for (const Point& p : c.points) {
      SCOPED_TRACE(p.rpm);
      const int k = IndexOf(p.rpm);
      ASSERT_EQ(r.rpm[k], p.rpm);
      ExpectPinned(r.power[k], p.power, "power");
      ExpectPinned(r.torque[k], p.torque, "torque");
      ExpectPinned(r.volumetricEfficiency[k], p.ve, "volumetric efficiency");
      ExpectPinned(r.manifoldPressure[k], p.manifoldPressure, "manifold pressure");
    }
  }
  EXPECT_TRUE(presenter.Shown().empty());
}

}  // namespace
}  // namespace brisca
