#include "core/spec/FileSpec.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/core/spec/SpecTestSupport.h"

namespace brisca {
namespace {

using testing_support::ReadCode;
using testing_support::WrittenText;

TEST(FileSpecTest, TextAndPrompt) {
  CFileSpec cam("Cam File");
  EXPECT_EQ(cam.GetText(), "***");
  EXPECT_EQ(cam.GetPrompt(), "Open or Save Cam File");
  EXPECT_FALSE(cam.SetFromText(""));
  EXPECT_FALSE(cam.SetFromText("a\nb"));
  EXPECT_TRUE(cam.SetFromText("x.qcm", /*checkOnly=*/true));
  EXPECT_FALSE(cam.IsValid());
  EXPECT_TRUE(cam.SetFromText("x.qcm"));
  EXPECT_TRUE(cam.IsValid());
  EXPECT_EQ(cam.GetTextWithUnits(), "x.qcm");
}

TEST(FileSpecTest, UnassignedWritesStarsAndReadsBackUnassigned) {
  const CFileSpec cam("Cam File");
  EXPECT_EQ(WrittenText(cam), "0\n***\n");
  CFileSpec copy("Cam File");
  EXPECT_EQ(ReadCode(copy, WrittenText(cam)), 0);
  EXPECT_FALSE(copy.IsAssigned());
  EXPECT_EQ(copy.GetName(), "");
}

TEST(FileSpecTest, AssignedRoundTripsWithLongPaths) {
  const std::string path =
      "/home/someone/Documents/Engines/CamFiles (.QCM)/a rather long cam file name of ours.qcm";
  ASSERT_GT(path.size(), 79u);
  CFileSpec cam("Cam File");
  ASSERT_TRUE(cam.SetFromText(path));
  EXPECT_EQ(WrittenText(cam), "1\n" + path + "\n");
  CFileSpec copy("Cam File");
  EXPECT_EQ(ReadCode(copy, WrittenText(cam)), 0);
  EXPECT_TRUE(copy.IsValid());
  EXPECT_EQ(copy.GetName(), path);
}

TEST(FileSpecTest, FlagZeroSkipsTheLineAndKeepsTheSpec) {
  CFileSpec cam("Cam File");
  ASSERT_TRUE(cam.SetFromText("kept.qcm"));
  EXPECT_EQ(ReadCode(cam, "0\nother.qcm\n"), 0);
  EXPECT_EQ(cam.GetText(), "kept.qcm");
  // Trailing white space (a CR from another system's line end) is trimmed.
  EXPECT_EQ(ReadCode(cam, "1\nnew.qcm \r\n"), 0);
  EXPECT_EQ(cam.GetText(), "new.qcm");
}

TEST(FileSpecTest, TruncatedFileIsReadError) {
  for (const char* text : {"", "1\n", "x\nname\n"}) {
    SCOPED_TRACE(text);
    CFileSpec cam("Cam File");
    ASSERT_TRUE(cam.SetFromText("kept.qcm"));
    EXPECT_EQ(ReadCode(cam, text), kErrRead);
    EXPECT_EQ(cam.GetText(), "kept.qcm");
  }
}

}  // namespace
}  // namespace brisca
