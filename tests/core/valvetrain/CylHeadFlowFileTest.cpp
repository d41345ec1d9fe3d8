#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/base/AtomicFile.h"
#include "core/base/FileError.h"
#include "core/base/TextWriter.h"
#include "core/valvetrain/CylHeadFlow.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

constexpr FlowSide kIn = FlowSide::Intake;
constexpr FlowSide kEx = FlowSide::Exhaust;

const fs::path kFixtures = fs::path(BRISCA_FIXTURES_DIR) / "valvetrain";
const fs::path kSamples = fs::path(BRISCA_FIXTURES_DIR) / ".." / ".." / "data" / "FlowFiles (.QFW)";

//! A fresh folder under the system's temporary folder, removed with everything in it.
using TempFolder = TempDir;

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void PutFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string Written(const CCylHeadFlow& flow) {
  std::ostringstream out;
  TextWriter writer(out);
  flow.WriteText(writer);
  return out.str();
}

std::vector<int> Codes(const ScriptedPresenter& presenter) {
  std::vector<int> codes;
  for (const Message& message : presenter.Shown()) codes.push_back(message.code);
  return codes;
}

CCylHeadFlow Sample() {
  CCylHeadFlow flow;
  flow.LoadBuiltIn(15);
  flow.SetDescription("Ported Four-Valve");
  flow.SetNotes("Ported by hand\nBench: 28 inH2O");
  flow.SetModified(true);
  return flow;
}

TEST(CylHeadFlowFileTest, SavedFileOpensAsTheSameRecord) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  TempFolder folder;
  CCylHeadFlow saved = Sample();
  saved.SetUnits(true);
  ASSERT_TRUE(saved.SaveToFile(folder / "ported.qfw"));
  EXPECT_FALSE(saved.IsModified());
  EXPECT_EQ(FileText(folder / "ported.qfw"), Written(saved));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"ported.qfw"});  // no temporary file left

  CCylHeadFlow opened;
  opened.SetModified(true);
  ASSERT_TRUE(opened.LoadFromFile(folder / "ported.qfw"));
  EXPECT_FALSE(opened.IsModified());
  EXPECT_FALSE(opened.IsMetric());
  EXPECT_EQ(opened.GetNotes(), "Ported by hand\nBench: 28 inH2O");
  EXPECT_EQ(Written(opened), Written(saved));
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST(CylHeadFlowFileTest, SavingReplacesTheOldFileAndKeepsItsPermissions) {
  TempFolder folder;
  const fs::path path = folder / "head.qfw";
  PutFile(path, "old contents\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(Sample().SaveToFile(path));
  EXPECT_EQ(FileText(path), Written(Sample()));
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(folder.Names().size(), 1u);
}

TEST(CylHeadFlowFileTest, SavingThroughALinkReplacesTheLinkedFile) {
  TempFolder folder;
  PutFile(folder / "real.qfw", "old contents\n");
  fs::create_symlink(folder / "real.qfw", folder / "link.qfw");
  ASSERT_TRUE(Sample().SaveToFile(folder / "link.qfw"));
  EXPECT_TRUE(fs::is_symlink(folder / "link.qfw"));
  EXPECT_EQ(FileText(folder / "real.qfw"), Written(Sample()));
}

// Fixture files of other versions and damaged files. A failed open reports
// its code once and leaves the record exactly as it was.
TEST(CylHeadFlowFileTest, FixtureFilesOpenOrGiveTheirCode) {
  const struct {
    const char* file;
    int code;  // 0: opens
  } cases[] = {
      {"flow_old_layout_3_10.qfw", 0},    {"flow_windows_4_05.qfw", 0},
      {"flow_version_4_3.qfw", 49},       {"flow_truncated.qfw", 45},
      {"flow_lift_out_of_range.qfw", 47}, {"flow_long_description.qfw", 45},
      {"flow_binary_junk.qfw", 49},       {"flow_empty.qfw", 45},
      {"flow_no_such_file.qfw", 43},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    ScriptedPresenter presenter;
    ScopedPresenter installed(presenter);
    CCylHeadFlow flow = Sample();
    flow.SetUnits(true);
    const std::string before = Written(flow);
    EXPECT_EQ(flow.LoadFromFile(kFixtures / c.file), c.code == 0);
    EXPECT_EQ(Codes(presenter), c.code == 0 ? std::vector<int>{} : std::vector<int>{c.code});
    if (c.code != 0) {
      EXPECT_EQ(Written(flow), before);
      EXPECT_TRUE(flow.IsMetric());
      EXPECT_TRUE(flow.IsModified());
    }
  }
}

TEST(CylHeadFlowFileTest, OlderLayoutKeepsValvesAndNotes) {
  CCylHeadFlow flow = Sample();  // 2 valves per port, notes
  ASSERT_TRUE(flow.LoadFromFile(kFixtures / "flow_old_layout_3_10.qfw"));
  EXPECT_EQ(flow.GetDescription(), "Old Layout Head");
  EXPECT_EQ(flow.GetPointCount(), 4);
  EXPECT_EQ(flow.Flow(kEx, 3).GetValue(), 125.0f);
  EXPECT_EQ(flow.IntakeValvesPerPort(), 2);
  EXPECT_EQ(flow.ExhaustValvesPerPort(), 2);
  EXPECT_EQ(flow.GetNotes(), "Ported by hand\nBench: 28 inH2O");
  int code = 0;
  EXPECT_TRUE(flow.Validate(code)) << code;
}

TEST(CylHeadFlowFileTest, WindowsLineEndsAreRead) {
  CCylHeadFlow flow;
  ASSERT_TRUE(flow.LoadFromFile(kFixtures / "flow_windows_4_05.qfw"));
  EXPECT_EQ(flow.GetDescription(), "Windows Head");
  EXPECT_EQ(flow.GetNotes(), "Windows notes");
  EXPECT_EQ(flow.IntakeValvesPerPort(), 2);
  EXPECT_EQ(flow.Lift(kIn, 3).GetValue(), 0.4f);
}

TEST(CylHeadFlowFileTest, FoldersAreNotFlowFiles) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  TempFolder folder;
  fs::create_directory(folder / "dir.qfw");
  CCylHeadFlow flow = Sample();
  EXPECT_FALSE(flow.LoadFromFile(folder / "dir.qfw"));
  EXPECT_FALSE(flow.SaveToFile(folder / "dir.qfw"));
  EXPECT_FALSE(flow.SaveToFile(folder / "missing" / "head.qfw"));
  EXPECT_EQ(Codes(presenter), (std::vector<int>{43, 43, 43}));
  EXPECT_TRUE(flow.IsModified());
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"dir.qfw"});
}

TEST(CylHeadFlowFileTest, ReadOnlyFolderKeepsTheOldFile) {
  TempFolder folder;
  const fs::path path = folder / "head.qfw";
  PutFile(path, "old contents\n");
  fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  if (access(folder.Path().c_str(), W_OK) == 0) GTEST_SKIP() << "permissions do not bind this user";
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  EXPECT_FALSE(Sample().SaveToFile(path));
  EXPECT_EQ(Codes(presenter), std::vector<int>{43});
  EXPECT_EQ(FileText(path), "old contents\n");
}

// A write that fails part-way (here the file-size limit, which binds every
// user) must leave the old file whole and no temporary file behind.
TEST(CylHeadFlowFileTest, FailedWriteKeepsTheOldFile) {
  TempFolder folder;
  const fs::path path = folder / "head.qfw";
  PutFile(path, "old contents\n");
  CCylHeadFlow flow = Sample();
  flow.SetNotes(std::string(256 * 1024, 'n'));

  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);
  rlimit previous{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
  rlimit small = previous;
  small.rlim_cur = 64 * 1024;
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = flow.SaveToFile(path);
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(saved);
  EXPECT_EQ(Codes(presenter), std::vector<int>{44});
  EXPECT_TRUE(flow.IsModified());
  EXPECT_EQ(FileText(path), "old contents\n");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"head.qfw"});
}

TEST(CylHeadFlowFileTest, FailedRenameKeepsTheOldFile) {
  TempFolder folder;
  const fs::path path = folder / "head.qfw";
  PutFile(path, "old contents\n");
  AtomicFileWriter file(path, "test");
  file.Stream() << "new contents\n";
  EXPECT_EQ(file.TempPath().parent_path(), folder.Path());
  fs::remove(file.TempPath());  // nothing left to rename
  try {
    file.Commit();
    ADD_FAILURE() << "Commit succeeded";
  } catch (const FileError& error) {
    EXPECT_EQ(error.code(), kErrWrite);
  }
  EXPECT_EQ(FileText(path), "old contents\n");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"head.qfw"});
}

// The files shipped in data/: each is what our writer makes of its record, and
// opens valid. BRISCA_WRITE_FLOW_SAMPLES=1 writes them afresh.
TEST(CylHeadFlowFileTest, SampleFilesAreOurOwn) {
  CCylHeadFlow wedge;
  wedge.LoadBuiltIn(1);
  wedge.SetDescription("Stock Wedge, 2-Valve, As Cast");
  wedge.SetNotes("Production wedge head, stock valves and seats.\nNo porting.");

  CCylHeadFlow hemi;
  hemi.SetPointCount(10);
  hemi.Reset();
  hemi.SetDescription("Ported Hemi, 2-Valve, 2.25/1.94 Valves");
  hemi.TestDiameter(kIn).SetValue(2.25f);
  hemi.TestDiameter(kEx).SetValue(1.94f);
  const float hemiIn[] = {72, 138, 196, 247, 289, 322, 346, 361, 368, 371};
  const float hemiEx[] = {61, 115, 160, 198, 228, 249, 263, 271, 276, 278};
  for (int i = 0; i < 10; ++i) {
    hemi.Lift(kIn, i).SetValue(0.1f * static_cast<float>(i + 1));
    hemi.Lift(kEx, i).SetValue(0.1f * static_cast<float>(i + 1));
    hemi.Flow(kIn, i).SetValue(hemiIn[i]);
    hemi.Flow(kEx, i).SetValue(hemiEx[i]);
  }
  hemi.PressureDrop(kIn).SetValue(28.0f);
  hemi.PressureDrop(kEx).SetValue(28.0f);
  hemi.SetNotes("CNC ported intake and exhaust, 45-degree seats.\nFlowed with a radiused inlet.");

  CCylHeadFlow pentroof;
  pentroof.SetPointCount(6);
  pentroof.Reset();
  pentroof.SetDescription("Four-Valve Pentroof, 1.38/1.14 Valves");
  pentroof.TestDiameter(kIn).SetValue(1.38f);
  pentroof.TestDiameter(kEx).SetValue(1.14f);
  pentroof.ValvesPerPort(kIn).SetValue(2);
  pentroof.ValvesPerPort(kEx).SetValue(2);
  const float fourIn[] = {58, 112, 161, 203, 236, 258};
  const float fourEx[] = {47, 91, 129, 160, 182, 195};
  for (int i = 0; i < 6; ++i) {
    pentroof.Lift(kIn, i).SetValue(0.075f * static_cast<float>(i + 1));
    pentroof.Lift(kEx, i).SetValue(0.075f * static_cast<float>(i + 1));
    pentroof.Flow(kIn, i).SetValue(fourIn[i]);
    pentroof.Flow(kEx, i).SetValue(fourEx[i]);
  }
  pentroof.PressureDrop(kIn).SetValue(28.0f);
  pentroof.PressureDrop(kEx).SetValue(28.0f);

  const struct {
    const char* file;
    CCylHeadFlow* flow;
  } samples[] = {
      {"Stock Wedge 2-Valve.qfw", &wedge},
      {"Ported Hemi 2-Valve.qfw", &hemi},
      {"Four-Valve Pentroof.qfw", &pentroof},
  };
  const char* write = std::getenv("BRISCA_WRITE_FLOW_SAMPLES");
  for (const auto& sample : samples) {
    SCOPED_TRACE(sample.file);
    int code = 0;
    ASSERT_TRUE(sample.flow->Validate(code)) << code;
    if (write != nullptr && std::string(write) == "1") {
      fs::create_directories(kSamples);
      ASSERT_TRUE(sample.flow->SaveToFile(kSamples / sample.file));
    }
    EXPECT_EQ(FileText(kSamples / sample.file), Written(*sample.flow));
    CCylHeadFlow opened;
    ASSERT_TRUE(opened.LoadFromFile(kSamples / sample.file));
    EXPECT_TRUE(opened.Validate(code)) << code;
  }
}

}  // namespace
}  // namespace brisca
