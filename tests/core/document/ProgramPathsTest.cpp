#include "core/document/ProgramPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace brisca {
namespace {

namespace fs = std::filesystem;

TEST(ProgramPathsTest, StartupFolderIsCurrentAndDataLiesBesideTheBuild) {
  const ProgramPaths paths = ProgramPaths::Discover();
  EXPECT_EQ(paths.startupFolder, fs::current_path());
  EXPECT_EQ(paths.EngineFolder(), paths.startupFolder / "EngineFiles (.QEN)");
  EXPECT_EQ(paths.FlowFolder().filename(), "FlowFiles (.QFW)");
  EXPECT_EQ(paths.CamFolder().filename(), "CamFiles (.QCM)");
  // Run from a build, the program data is the source tree's data/ with its maps.
  EXPECT_TRUE(fs::is_directory(paths.MapFolder())) << paths.MapFolder();
  EXPECT_TRUE(fs::exists(paths.MapFolder() / "Garrett-T3-50.map"));
}

TEST(ProgramPathsTest, ReportFolderFollowsXdgDataHome) {
  const char* previousXdg = std::getenv("XDG_DATA_HOME");
  const std::string savedXdg = previousXdg ? previousXdg : "";
  const char* previousHome = std::getenv("HOME");
  const std::string savedHome = previousHome ? previousHome : "";
  setenv("XDG_DATA_HOME", "/tmp/brisca-xdg", 1);
  EXPECT_EQ(ProgramPaths::Discover().reportFolder, fs::path("/tmp/brisca-xdg/brisca/Reports"));
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(ProgramPaths::Discover().reportFolder,
            fs::path("/home/someone/.local/share/brisca/Reports"));
  if (previousXdg) setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
  if (previousHome) setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
}  // namespace brisca
