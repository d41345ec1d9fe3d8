#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/document/ContestEntry.h"
#include "core/document/VexoDoc.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDetails =
    "Contest Entry\n"
    "Contest Number: 7\n"
    "Name: Rosa Marsh\n"
    "Address: 12 Mill Lane, Harwick\n"
    "Email: rosa@example.org\n"
    "Phone: 555 0100\n"
    "Rules Read And Acknowledged: Yes\n";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

ContestEntry Entry() {
  ContestEntry entry;
  entry.contestNumber = "7";
  entry.name = "Rosa Marsh";
  entry.address = "12 Mill Lane, Harwick";
  entry.email = "rosa@example.org";
  entry.phone = "555 0100";
  entry.rulesAcknowledged = true;
  return entry;
}

class ContestEntryTest : public ::testing::Test {
 protected:
  ScriptedPresenter presenter;
  ScopedPresenter installed{presenter};
  TempDir folder;
};

TEST_F(ContestEntryTest, ValidationAsksForContestNumberThenRules) {
  struct Case {
    const char* number;
    bool rules;
    int code;  // 0: valid
  };
  const Case cases[] = {{"", true, 162}, {"7a", true, 162}, {" 7", true, 162}, {"", false, 162},
                        {"7", false, 186}, {"0042", true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    ContestEntry entry = Entry();
    entry.contestNumber = c.number;
    entry.rulesAcknowledged = c.rules;
    int code = 0;
    EXPECT_EQ(entry.Validate(code), c.code == 0);
    if (c.code != 0) {
      EXPECT_EQ(code, c.code);
    }
  }
}

TEST_F(ContestEntryTest, EntryFileHoldsTheDetailsAndThenTheEngine) {
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  ASSERT_TRUE(doc.RunSimulation(false, false));
  const fs::path path = folder / "entry.txt";
  ASSERT_TRUE(WriteContestEntry(doc, Entry(), path));
  ASSERT_TRUE(doc.WriteEngineFile(folder / "engine.qen"));

  EXPECT_EQ(ReadAll(path), kDetails + ReadAll(folder / "engine.qen"));
  EXPECT_TRUE(presenter.Shown().empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 2);
}

TEST_F(ContestEntryTest, LineBreaksInADetailStayOnItsLine) {
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  ContestEntry entry = Entry();
  entry.address = "12 Mill Lane,\r\nHarwick";
  const fs::path path = folder / "entry.txt";
  ASSERT_TRUE(WriteContestEntry(doc, entry, path));
  EXPECT_NE(ReadAll(path).find("Address: 12 Mill Lane,  Harwick\nEmail:"), std::string::npos);
}

TEST_F(ContestEntryTest, FailedEntryLeavesTheEarlierFileAndNoScraps) {
  const fs::path path = folder / "entry.txt";
  { std::ofstream(path) << "earlier entry\n"; }
  struct Case {
    const char* name;
    bool buildEngine;
    bool rules;
    int code;
  };
  const Case cases[] = {{"rules not read", true, false, 186},
                        {"engine incomplete", false, true, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    presenter.Clear();
    CVexoDoc doc;
    if (c.buildEngine) samples::BuildSmallBlockV8(doc);
    ContestEntry entry = Entry();
    entry.rulesAcknowledged = c.rules;
    EXPECT_FALSE(WriteContestEntry(doc, entry, path));
    ASSERT_EQ(presenter.Shown().size(), 1u);
    if (c.code > 0) {
      EXPECT_EQ(presenter.Shown().front().code, c.code);
    }
    EXPECT_EQ(ReadAll(path), "earlier entry\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
  }
}

}  // namespace
}  // namespace brisca
