#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <string>
#include <vector>

#include "core/valvetrain/Cam.h"
#include "core/valvetrain/CamSearch.h"
#include "tests/core/valvetrain/CamTestSupport.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;
using testing_support::BuiltInCam;
using testing_support::kProStockCommand;
using testing_support::kStockStreetCommand;
using testing_support::kVvtStreetCommand;

// A folder of cam files: stock (low-speed IVO 20 seat-to-seat, -6 at 0.050),
// pro stock (IVO 48 / 30), a two-lobe cam, one with an incomplete high-speed
// lobe, a text file and a damaged cam file.
class CamSearchTest : public testing::Test {
 protected:
  void SetUp() override {
    Save(BuiltInCam(kStockStreetCommand), "race_big.qcm");
    Save(BuiltInCam(kStockStreetCommand), "big.qcm");
    fs::create_directories(temp_.Path() / "More");
    Save(BuiltInCam(kProStockCommand), "More/BIG_RACE_Pro.QCM");
    Save(BuiltInCam(kVvtStreetCommand), "More/vvt street.qcm");
    CCamshaft incomplete = BuiltInCam(kVvtStreetCommand);
    incomplete.highSpeedLobe.IntakeLift().Unassign();
    Save(incomplete, "vvt half.qcm");
    std::ofstream(temp_.Path() / "race big notes.txt") << "big race\n";
    std::ofstream(temp_.Path() / "damaged.qcm") << "4.2\n1\n";
    criteria_.folder = temp_.Path();
  }

  void Save(CCamshaft cam, const std::string& name) {
    cam.lowSpeedLobe.SetText(kCamApplication, "Hot street and strip");
    ASSERT_TRUE(cam.SaveToFile(temp_.Path() / name));
  }

  std::vector<std::string> Run() {
    std::vector<std::string> names;
    CamSearchCallbacks callbacks;
    callbacks.match = [&](const std::string& name, const fs::path&) { names.push_back(name); };
    callbacks.unreadable = [&](const fs::path& file) {
      unreadable_.push_back(file.filename().string());
      return true;
    };
    progress_ = SearchCamFiles(criteria_, stop_, callbacks);
    std::sort(names.begin(), names.end());
    return names;
  }

  void Range(int row, int choice, float from, float to) {
    criteria_.useSpecs = true;
    criteria_.rows[row].Choose(choice, nullptr);
    criteria_.rows[row].From().SetValue(from);
    criteria_.rows[row].To().SetValue(to);
  }

  TempDir temp_{"brisca-camsearch"};
  CamSearchCriteria criteria_;
  std::atomic<bool> stop_{false};
  CamSearchProgress progress_;
  std::vector<std::string> unreadable_;
};

TEST_F(CamSearchTest, NameWordsMatchInAnyOrderAndCase) {
  criteria_.nameWords = "  big   RACE ";
  EXPECT_EQ(Run(), (std::vector<std::string>{"BIG_RACE_Pro.QCM", "race_big.qcm"}));
  EXPECT_EQ(progress_.filesSearched, 7);  // every file counts, the text file too
  EXPECT_EQ(progress_.matchesFound, 2);
  criteria_.nameWords.clear();
  EXPECT_EQ(Run().size(), 6u);  // every cam file, the damaged one too
}

TEST_F(CamSearchTest, PhraseWordsAreLookedForInTheText) {
  criteria_.phrase = "STRIP hot";
  criteria_.nameWords = "race";
  EXPECT_EQ(Run(), (std::vector<std::string>{"BIG_RACE_Pro.QCM", "race_big.qcm"}));
  criteria_.phrase = "strip drag";
  EXPECT_TRUE(Run().empty());
}

TEST_F(CamSearchTest, SpecRangesUseTheSetOfTheRowsConvention) {
  // Stock: IVO 20 seat-to-seat (primary), -6 at 0.050 (secondary).
  Range(0, 5, -8.0f, -4.0f);  // IVO (0.050-inch)
  std::vector<std::string> found = Run();
  EXPECT_EQ(found, (std::vector<std::string>{"big.qcm", "race_big.qcm"}));
  EXPECT_EQ(unreadable_, std::vector<std::string>{"damaged.qcm"});
  Range(1, 2, 90.0f, 100.0f);  // and IVC (Seat-To-Seat) of pro stock only
  EXPECT_TRUE(Run().empty());
  Range(0, 1, 40.0f, 50.0f);
  EXPECT_EQ(Run(), std::vector<std::string>{"BIG_RACE_Pro.QCM"});
}

TEST_F(CamSearchTest, HighSpeedSearchSkipsIncompleteLobes) {
  criteria_.highSpeedLobes = true;
  Range(0, 1, 20.0f, 30.0f);  // high-speed IVO 26 in both two-lobe files
  EXPECT_EQ(Run(), std::vector<std::string>{"vvt street.qcm"});
}

TEST_F(CamSearchTest, CancelAtAnUnreadableFileStopsTheSearch) {
  Range(0, 1, -10.0f, 80.0f);
  CamSearchCallbacks callbacks;
  int entriesAfterCancel = 0;
  callbacks.unreadable = [&](const fs::path& file) {
    unreadable_.push_back(file.filename().string());
    return false;
  };
  callbacks.progress = [&](const CamSearchProgress&) {
    if (!unreadable_.empty()) ++entriesAfterCancel;
  };
  SearchCamFiles(criteria_, stop_, callbacks);
  EXPECT_EQ(unreadable_, std::vector<std::string>{"damaged.qcm"});
  EXPECT_EQ(entriesAfterCancel, 1);  // the damaged file's own count, then nothing
}

TEST_F(CamSearchTest, StopEndsAfterTheCurrentEntryKeepingTheCounters) {
  CamSearchCallbacks callbacks;
  std::vector<std::int64_t> seen;
  callbacks.progress = [&](const CamSearchProgress& p) {
    seen.push_back(p.filesSearched);
    if (p.filesSearched == 3) stop_ = true;
  };
  progress_ = SearchCamFiles(criteria_, stop_, callbacks);
  EXPECT_EQ(progress_.filesSearched, 3);
  EXPECT_EQ(seen.back(), 3);
}

TEST(CamSearchStart, ChecksFolderAndRanges) {
  CamSearchCriteria criteria;
  EXPECT_EQ(criteria.StartCheck(), 102);
  criteria.folder = "somewhere";
  EXPECT_EQ(criteria.StartCheck(), 0);
  criteria.useSpecs = true;
  EXPECT_FALSE(criteria.SpecsActive());
  criteria.rows[2].Choose(3, nullptr);
  EXPECT_EQ(criteria.StartCheck(), 103);
  criteria.rows[2].From().SetValue(60.0f);
  criteria.rows[2].To().SetValue(50.0f);
  EXPECT_EQ(criteria.StartCheck(), 104);
  criteria.rows[2].To().SetValue(60.0f);
  EXPECT_EQ(criteria.StartCheck(), 0);
}

TEST(CamSpecRowChoice, PresetsTwoDegreesEitherSideWithinTheLimits) {
  CCamshaft cam = BuiltInCam(kStockStreetCommand);
  CCamProfile fifty;
  cam.lowSpeedLobe.ConvertTo(fifty, kFiftyThou);
  CamSpecRow row;
  row.Choose(5, &fifty);  // IVO (0.050-inch): -6
  EXPECT_FLOAT_EQ(row.From().GetValue(), -8.0f);
  EXPECT_FLOAT_EQ(row.To().GetValue(), -4.0f);
  EXPECT_FLOAT_EQ(row.From().GetMin(), -25.0f);
  EXPECT_FLOAT_EQ(row.To().GetMax(), 50.0f);
  // The seat-to-seat EVC of a cam at the lower limit stays inside it.
  cam.lowSpeedLobe.Event(TimingSet::Primary, kEVC).SetValue(-9.0f);
  row.Choose(4, &cam.lowSpeedLobe);
  EXPECT_FLOAT_EQ(row.From().GetValue(), -10.0f);
  EXPECT_FLOAT_EQ(row.To().GetValue(), -7.0f);
  row.Choose(0, &cam.lowSpeedLobe);
  EXPECT_FALSE(row.From().IsValid() || row.To().IsValid());
}

}  // namespace
}  // namespace brisca
