#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/reportspecs/ReportSpecs.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = fs::path(BRISCA_FIXTURES_DIR) / "report";

//! A fresh folder under the system's temporary folder, removed with everything in it.
using TempFolder = TempDir;

std::vector<int> Codes(const ScriptedPresenter& presenter) {
  std::vector<int> codes;
  for (const Message& message : presenter.Shown()) codes.push_back(message.code);
  return codes;
}

ReportSpecs Reset(const char* title) {
  ReportSpecs specs;
  specs.Reset(title);
  return specs;
}

TEST(ReportSpecsFileTest, SavedDefaultsComeBackWithTheNewDocumentsTitle) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  TempFolder temp;
  const fs::path folder = temp / "not yet made";
  ReportSpecs saved = Reset("Saved Title");
  saved.company = "Quarry Engines";
  saved.includeTableOfContents = false;
  saved.inputFile = "NotStored.html";
  ASSERT_TRUE(saved.SaveDefaults(folder));
  EXPECT_TRUE(fs::exists(folder / "Kalvex.INI"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  ReportSpecs loaded;
  ASSERT_TRUE(loaded.LoadDefaults("New Engine", folder));
  ReportSpecs expected = saved;
  expected.testTitle = "New Engine";
  expected.inputFile = "DefaultFileInput.html";
  EXPECT_EQ(loaded, expected);
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST(ReportSpecsFileTest, WithoutSavedDefaultsTheBuiltInOnesStandSilently) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  TempFolder temp;
  fs::create_directory(temp / "Kalvex.INI");  // a folder in the file's place cannot be opened either
  for (const fs::path& folder : {temp / "missing", temp.Path()}) {
    ReportSpecs specs;
    specs.company = "left over";
    EXPECT_FALSE(specs.LoadDefaults("Title", folder));
    EXPECT_EQ(specs, Reset("Title"));
  }
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST(ReportSpecsFileTest, ADamagedDefaultsFileIsReportedAndTheBuiltInOnesStand) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  TempFolder temp;
  fs::copy_file(kFixtures / "Kalvex-truncated.INI", temp / "Kalvex.INI");
  ReportSpecs specs;
  EXPECT_FALSE(specs.LoadDefaults("Title", temp.Path()));
  EXPECT_EQ(specs, Reset("Title"));
  EXPECT_EQ(Codes(presenter), std::vector<int>{45});
}

TEST(ReportSpecsFileTest, ASaveThatCannotCreateItsFileIsReportedAndKeepsTheOldFile) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  TempFolder temp;
  std::ofstream(temp / "blocker") << "a file where the folder should be\n";
  EXPECT_FALSE(Reset("T").SaveDefaults(temp / "blocker"));
  fs::create_directory(temp / "Kalvex.INI");
  EXPECT_FALSE(Reset("T").SaveDefaults(temp.Path()));
  EXPECT_TRUE(fs::is_directory(temp / "Kalvex.INI"));
  EXPECT_EQ(Codes(presenter), (std::vector<int>{43, 43}));
}

}  // namespace
}  // namespace brisca
