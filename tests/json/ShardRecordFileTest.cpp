// The shard records as files: written and read back bit for bit, the files
// today's program writes still read, damage refused with a reason, and only
// regular files read.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/json/ShardRecordFile.h"
#include "tests/support/SampleShardRecord.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;
using samples::SampleShardRecord;

// The sample record as the first writer of these files laid it out: no
// failure counts.
constexpr const char* kFirstLayout = R"({
  "format": "brisca-iterate-shard",
  "version": 1,
  "kind": "part",
  "phase": 1,
  "shard": 2,
  "shards": 3,
  "total": 100,
  "complete": true,
  "series": {"engine": "/tmp/an \"odd\" engine.qen", "preset": "cam-hp", "setup": "", "data-dir": "", "from": ""},
  "fingerprint": {"build": "4.21 gcc", "engine": "0123456789abcdef", "setup": "fedcba9876543210", "maps": "", "probe": "0x1.99999ap-4", "from": ""},
  "last-test": 100,
  "tests-run": 36,
  "failures": 3,
  "first-failed-test": 20,
  "first-failure-code": 42,
  "admissions": [
    [17, "0x1.99999ap-4"],
    [18, "0x0.022d84p-126"],
    [19, "0x1.e240cap+16"],
    [33, "0x1.e240cap+16"]
  ]
}
)";

void ExpectSameRecord(const ShardRecord& read, const ShardRecord& written) {
  EXPECT_EQ(read.fingerprint, written.fingerprint);
  EXPECT_EQ(read.series, written.series);
  EXPECT_EQ(read.state, written.state);
  EXPECT_EQ(read.total, written.total);
  EXPECT_EQ(read.shard, written.shard);
  EXPECT_EQ(read.complete, written.complete);
}

TEST(ShardRecordFileTest, RecordsReadBackBitForBitAndFilesOfTheFirstLayoutStillRead) {
  TempDir dir;
  const ShardRecord written = SampleShardRecord();
  std::string error;
  ASSERT_TRUE(WriteShardRecord(dir.Path() / "part.json", written, error)) << error;
  ShardRecord read;
  ASSERT_TRUE(ReadShardRecord(dir.Path() / "part.json", read, error)) << error;
  ExpectSameRecord(read, written);
  // The scores keep their exact hexadecimal texts.
  EXPECT_NE(dir.Read("part.json").find("\"0x0.022d84p-126\""), std::string::npos);

  // A record of the first layout kept no failure counts: its failures read
  // as failures of no known reason, none invented.
  TempDir::WriteFile(dir.Path() / "first.json", kFirstLayout);
  ShardRecord first;
  ASSERT_TRUE(ReadShardRecord(dir.Path() / "first.json", first, error)) << error;
  EXPECT_TRUE(first.state.failureCounts.empty());
  EXPECT_EQ(UncountedFailures(first.state), 3);
  ShardRecord uncounted = written;
  uncounted.state.failureCounts.clear();
  ExpectSameRecord(first, uncounted);
}

TEST(ShardRecordFileTest, DamagedRecordsAreRefusedWithAReason) {
  TempDir dir;
  const std::string good = kFirstLayout;
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string s = good;
    const auto at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return s.replace(at, from.size(), to);
  };
  auto counted = [&](const std::string& counts) {
    return replaced("\"first-failure-code\": 42,",
                    "\"first-failure-code\": 42, \"failure-counts\": " + counts + ",");
  };
  const struct {
    const char* name;
    std::string text;
    const char* reason;
  } cases[] = {
      {"cut short", good.substr(0, good.size() / 2), "JSON"},
      {"empty", "", "JSON"},
      {"key twice", replaced("\"phase\": 1,", "\"phase\": 1, \"phase\": 2,"), "JSON"},
      {"nested too deep", replaced("\"maps\": \"\"", "\"maps\": [[[[[[[[[1]]]]]]]]]"), "JSON"},
      {"other format", replaced("brisca-iterate-shard", "something-else"), "format"},
      {"count as a fraction", replaced("\"total\": 100", "\"total\": 100.5"), "total"},
      {"count beyond 64 bits", replaced("\"total\": 100", "\"total\": 18446744073709551615"),
       "total"},
      {"bad score", replaced("[17, \"0x1.99999ap-4\"]", "[17, \"0.1\"]"), "admission 1"},
      {"score not finite", replaced("[17, \"0x1.99999ap-4\"]", "[17, \"0x1p+200\"]"),
       "admission 1"},
      {"score a number", replaced("[17, \"0x1.99999ap-4\"]", "[17, 0.1]"), "admission 1"},
      {"out of order", replaced("[33,", "[5,"), "inconsistent"},
      {"shard beyond count", replaced("\"shard\": 2", "\"shard\": 4"), "shard number"},
      {"complete but short", replaced("\"last-test\": 100", "\"last-test\": 50"), "inconsistent"},
      {"missing field", replaced("\"tests-run\": 36,", ""), "tests-run"},
      {"not an object", "[1, 2]", "the record"},
      {"more failures counted than failed", counted("[[42, 1], [53, 5]]"), "inconsistent"},
      {"failure codes out of order", counted("[[53, 1], [42, 1]]"), "failure count 2"},
      {"failure code twice", counted("[[42, 1], [42, 1]]"), "failure count 2"},
      {"failure count of none", counted("[[42, 0]]"), "failure count 1"},
      {"failure count not a pair", counted("[[42]]"), "failure count 1"},
      {"failure counts not a list", counted("{\"42\": 1}"), "failure-counts"},
  };
  for (const auto& c : cases) {
    const fs::path path = dir.Path() / "bad.json";
    TempDir::WriteFile(path, c.text);
    ShardRecord r;
    std::string error;
    EXPECT_FALSE(ReadShardRecord(path, r, error)) << c.name;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
  }
  ShardRecord r;
  std::string error;
  EXPECT_FALSE(ReadShardRecord(dir.Path() / "absent.json", r, error));
}

// The records are read as every data file is: a pipe or a device is refused.
TEST(ShardRecordFileTest, RecordsAreReadOnlyFromRegularFiles) {
  TempDir dir;
  ASSERT_TRUE(MakeFifo(dir / "part.json"));
  const FifoFeeder feeder(dir / "part.json", "{}");
  for (const fs::path& path : {dir / "part.json", fs::path("/dev/null")}) {
    ShardRecord record;
    std::string error;
    EXPECT_FALSE(ReadShardRecord(path, record, error)) << path;
    EXPECT_EQ(error, "it is not a regular file") << path;
  }
}

}  // namespace
}  // namespace brisca
