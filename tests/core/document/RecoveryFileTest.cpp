// The recovery file: complete and incomplete engines read back as they were
// (assigned flags included), and damaged files refused by number without
// touching the document they were read into.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/base/FileError.h"
#include "core/base/TextFile.h"
#include "core/document/RecoveryFile.h"
#include "core/document/VexoDoc.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;
using std::chrono::sys_seconds;

const sys_seconds kTime = std::chrono::sys_days(std::chrono::year(2026) / 12 / 11) +
                          std::chrono::hours(6) + std::chrono::minutes(5) + std::chrono::seconds(9);

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

class RecoveryFileTest : public ::testing::Test {
 protected:
  fs::path Path(const std::string& name) const { return folder_ / name; }

  //! Writes `doc`, reads it into a new document, writes that again; both texts must agree.
  void ExpectRoundTrip(const CVexoDoc& doc, const fs::path& original) {
    WriteRecoveryFile(Path("first"), doc, original, kTime);
    CVexoDoc back;
    const RecoveryInfo info = ReadRecoveryFile(Path("first"), back);
    EXPECT_EQ(info.title, doc.GetTitle());
    EXPECT_EQ(info.originalPath, original);
    EXPECT_EQ(info.savedAt, kTime);
    EXPECT_EQ(back.GetTitle(), doc.GetTitle());
    EXPECT_EQ(back.IsMetric(), doc.IsMetric());
    WriteRecoveryFile(Path("second"), back, original, kTime);
    EXPECT_EQ(ReadAll(Path("second")), ReadAll(Path("first")));
  }

  ScriptedPresenter presenter_;
  ScopedPresenter installed_{presenter_};
  TempDir folder_{"brisca-recovery-file"};
};

TEST_F(RecoveryFileTest, CompleteMetricEngineReadsBackAsItWas) {
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  doc.SetUnits(true);
  doc.SetTitle("Small\\Block\nline two");  // escapes survive
  ExpectRoundTrip(doc, "/engines/small block.qen");

  CVexoDoc back;
  ReadRecoveryFile(Path("first"), back);
  EXPECT_FLOAT_EQ(back.Engine().bore.GetValue(), doc.Engine().bore.GetValue());
  EXPECT_EQ(back.Engine().cylinderHeadType.GetName(), doc.Engine().cylinderHeadType.GetName());
  int code = 0;
  EXPECT_TRUE(back.Validate(code)) << code;
}

// A half-built engine: components never chosen, values typed and values still
// unassigned. None of it fits an engine file; all of it comes back.
TEST_F(RecoveryFileTest, IncompleteEngineKeepsItsUnassignedValues) {
  CVexoDoc doc;
  doc.SetTitle("Brisca1");
  ASSERT_TRUE(doc.Engine().bore.SetFromText("4.125"));
  ASSERT_TRUE(doc.Engine().cylinders.SetFromText("8"));
  ASSERT_TRUE(doc.Engine().manifoldType.SetFromText("My own manifold"));
  ASSERT_TRUE(doc.Engine().notes.SetFromText("first line\n  second"));
  ASSERT_TRUE(doc.Engine().shortBlockType.GetName().empty());
  ExpectRoundTrip(doc, {});

  CVexoDoc back;
  ReadRecoveryFile(Path("first"), back);
  const EngineParameters& e = back.Engine();
  EXPECT_TRUE(e.bore.IsAssigned());
  EXPECT_FLOAT_EQ(e.bore.GetValue(), 4.125f);
  EXPECT_TRUE(e.cylinders.IsAssigned());
  EXPECT_FALSE(e.stroke.IsAssigned());
  EXPECT_FALSE(e.intakeValves.IsAssigned());  // an integer the engine text would mark assigned
  EXPECT_FALSE(e.shortBlockType.IsAssigned());
  EXPECT_TRUE(e.shortBlockType.GetName().empty());  // never chosen, not "***"
  EXPECT_EQ(e.manifoldType.GetName(), "My own manifold");
  EXPECT_EQ(e.notes.GetText(), "first line\n  second");
}

// A component chosen and then cleared keeps its name but not its assignment.
TEST_F(RecoveryFileTest, ClearedComponentStaysUnassigned) {
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  doc.ClearComponents();
  ASSERT_FALSE(doc.Engine().shortBlockType.GetName().empty());
  ExpectRoundTrip(doc, "/e.qen");
  CVexoDoc back;
  ReadRecoveryFile(Path("first"), back);
  EXPECT_FALSE(back.Engine().shortBlockType.IsAssigned());
  EXPECT_EQ(back.Engine().shortBlockType.GetName(), doc.Engine().shortBlockType.GetName());
}

// Each damage is refused with its number; the document read into stays new.
TEST_F(RecoveryFileTest, DamagedFilesAreRefusedByNumber) {
  CVexoDoc doc;
  samples::BuildSmallBlockV8(doc);
  doc.SetTitle("V8");
  WriteRecoveryFile(Path("good"), doc, "/e.qen", kTime);
  const std::string good = ReadAll(Path("good"));
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
  };

  struct Case {
    const char* name;
    std::string text;
    int code;
  };
  const Case cases[] = {
      {"empty", "", kErrRead},
      {"another file", "4.2\n0\n", kErrRead},
      {"cut after the header", good.substr(0, good.find("1 Bore")), kErrRead},
      {"cut in the engine text", good.substr(0, good.size() / 2), kErrRead},
      {"unknown layout", replaced("File\n1\n", "File\n2\n"), kErrRead},
      {"bad time", replaced("2026-12-11T06:05:09Z", "yesterday"), kErrRead},
      {"impossible date", replaced("2026-12-11T", "2026-02-31T"), kErrInvalidValue},
      {"bad escape", replaced("\nV8\n", "\nV8\\q\n"), kErrRead},
      {"label out of order", replaced("1 Bore\n", "1 Stroke\n"), kErrRead},
      {"flag out of range", replaced("1 Bore\n", "7 Bore\n"), kErrInvalidValue},
      {"never chosen on a value", replaced("1 Bore\n", "2 Bore\n"), kErrInvalidValue},
      {"trailing text", good + "more\n", kErrRead},
      {"oversized", good + std::string(kMaxDataFileBytes, ' '), kErrRead},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteAll(Path("bad"), c.text);
    CVexoDoc target;
    const float bore = target.Engine().bore.GetValue();
    try {
      ReadRecoveryFile(Path("bad"), target);
      ADD_FAILURE() << "read";
    } catch (const FileError& error) {
      EXPECT_EQ(error.code(), c.code);
    }
    EXPECT_FALSE(target.Engine().bore.IsAssigned());
    EXPECT_EQ(target.Engine().bore.GetValue(), bore);
    EXPECT_NE(target.GetTitle(), "V8");
  }
}

TEST_F(RecoveryFileTest, MissingFileIsRefusedAndFailedWriteLeavesNoFile) {
  CVexoDoc doc;
  try {
    ReadRecoveryFile(Path("none"), doc);
    ADD_FAILURE() << "read";
  } catch (const FileError& error) {
    EXPECT_EQ(error.code(), kErrOpen);
  }
  EXPECT_THROW(WriteRecoveryFile(Path("no folder") / "file", doc, {}, kTime), FileError);
  EXPECT_FALSE(fs::exists(Path("no folder")));
}

}  // namespace
}  // namespace brisca
