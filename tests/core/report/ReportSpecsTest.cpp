#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/base/FileError.h"
#include "core/reportspecs/ReportSpecs.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {
namespace {

std::string Written(const ReportSpecs& specs) {
  std::ostringstream out;
  TextWriter writer(out);
  specs.WriteText(writer);
  return out.str();
}

int ReadCode(ReportSpecs& specs, std::string text) {
  TextReader reader(std::move(text));
  try {
    specs.ReadText(reader);
  } catch (const FileError& error) {
    return error.code();
  }
  return 0;
}

ReportSpecs Filled() {
  ReportSpecs specs;
  specs.Reset("Big Block 540");
  specs.company = "Quarry Engines";
  specs.addressLine1 = "12 Mill Lane";
  specs.phoneFax = "555-0100 / 555-0101";
  specs.emailWeb = "dyno@example.org";
  specs.tester = "R. Tester";
  specs.includePageBottom = false;
  specs.includeGlossary = true;
  specs.fullGlossary = false;
  specs.miniGlossary = true;
  return specs;
}

TEST(ReportSpecsTest, ClearAndResetGiveTheirColumns) {
  ReportSpecs specs = Filled();
  specs.Clear();
  EXPECT_EQ(specs, ReportSpecs{});
  EXPECT_FALSE(specs.specified);
  EXPECT_TRUE(specs.inputFile.empty());
  EXPECT_TRUE(specs.logoFile.empty());
  EXPECT_TRUE(specs.includeLogo);
  EXPECT_FALSE(specs.includePageBottom);
  EXPECT_FALSE(specs.includeTableOfContents);
  EXPECT_FALSE(specs.includeGlossary);
  EXPECT_FALSE(specs.fullGlossary);
  EXPECT_TRUE(specs.miniGlossary);

  specs.company = "left over";
  specs.Reset("Test 7");
  ReportSpecs expected;
  expected.specified = true;
  expected.inputFile = "DefaultFileInput.html";
  expected.outputFile = "DefaultFileOutput.html";
  expected.testTitle = "Test 7";
  expected.logoFile = "DefaultLogo.bmp";
  expected.includePageBottom = true;
  expected.pageBottomFile = "DefaultCopyright.txt";
  expected.includeTableOfContents = true;
  expected.tableOfContentsFile = "DefaultToc.html";
  expected.includeGlossary = true;
  expected.fullGlossary = true;
  expected.fullGlossaryFile = "DefaultFullGlossary.html";
  expected.miniGlossary = false;
  expected.miniGlossaryFile = "DefaultMiniGlossary.html";
  EXPECT_EQ(specs, expected);

  ReportSpecs copy;
  copy.CopyFrom(Filled());
  EXPECT_EQ(copy, Filled());
}

TEST(ReportSpecsTest, ValidationGivesTheFirstFailingCode) {
  using Edit = std::function<void(ReportSpecs&)>;
  const struct {
    const char* name;
    Edit edit;
    int code;
  } cases[] = {
      {"defaults", [](ReportSpecs&) {}, 0},
      {"no input", [](ReportSpecs& s) { s.inputFile.clear(); }, 131},
      {"input before output", [](ReportSpecs& s) { s.inputFile.clear(); s.outputFile.clear(); }, 131},
      {"no output", [](ReportSpecs& s) { s.outputFile.clear(); }, 132},
      {"output before logo", [](ReportSpecs& s) { s.outputFile.clear(); s.logoFile.clear(); }, 132},
      {"no logo file", [](ReportSpecs& s) { s.logoFile.clear(); }, 133},
      {"logo excluded", [](ReportSpecs& s) { s.logoFile.clear(); s.includeLogo = false; }, 0},
      {"logo before page bottom", [](ReportSpecs& s) { s.logoFile.clear(); s.pageBottomFile.clear(); }, 133},
      {"no page-bottom file", [](ReportSpecs& s) { s.pageBottomFile.clear(); }, 134},
      {"page bottom excluded", [](ReportSpecs& s) { s.pageBottomFile.clear(); s.includePageBottom = false; }, 0},
      {"page bottom before contents", [](ReportSpecs& s) { s.pageBottomFile.clear(); s.tableOfContentsFile.clear(); }, 134},
      {"no contents file", [](ReportSpecs& s) { s.tableOfContentsFile.clear(); }, 137},
      {"contents excluded", [](ReportSpecs& s) { s.tableOfContentsFile.clear(); s.includeTableOfContents = false; }, 0},
      {"contents before glossary", [](ReportSpecs& s) { s.tableOfContentsFile.clear(); s.fullGlossaryFile.clear(); }, 137},
      {"no full-glossary file", [](ReportSpecs& s) { s.fullGlossaryFile.clear(); }, 138},
      {"full before mini", [](ReportSpecs& s) { s.fullGlossaryFile.clear(); s.miniGlossary = true; s.miniGlossaryFile.clear(); }, 138},
      {"mini not chosen", [](ReportSpecs& s) { s.miniGlossaryFile.clear(); }, 0},
      {"no mini-glossary file", [](ReportSpecs& s) { s.fullGlossary = false; s.miniGlossary = true; s.miniGlossaryFile.clear(); }, 139},
      {"glossary excluded", [](ReportSpecs& s) { s.includeGlossary = false; s.fullGlossaryFile.clear(); s.miniGlossary = true; s.miniGlossaryFile.clear(); }, 0},
      // Names are names within the report folder, never paths.
      {"input outside the folder", [](ReportSpecs& s) { s.inputFile = "../template.html"; }, 131},
      {"output as a path", [](ReportSpecs& s) { s.outputFile = "/tmp/out.html"; }, 132},
      {"logo as a Windows path", [](ReportSpecs& s) { s.logoFile = "C:\\logo.bmp"; }, 133},
      {"page bottom ..", [](ReportSpecs& s) { s.pageBottomFile = ".."; }, 134},
  };
  for (const auto& c : cases) {
    ReportSpecs specs;
    specs.Reset("Title");
    c.edit(specs);
    int code = -1;
    EXPECT_EQ(specs.Validate(code), c.code == 0) << c.name;
    EXPECT_EQ(code, c.code) << c.name;
  }
}

TEST(ReportSpecsTest, WritesOneItemPerLineWithStarsForEmptyTexts) {
  EXPECT_EQ(Written(Filled()),
            "1\nBig Block 540\nQuarry Engines\n12 Mill Lane\n***\n555-0100 / 555-0101\n"
            "dyno@example.org\nR. Tester\n***\n"
            "1\nDefaultLogo.bmp\n0\nDefaultCopyright.txt\n1\n1\n0\n1\n");
}

TEST(ReportSpecsTest, ReadingBackKeepsTheNamesThatAreNotStored) {
  ReportSpecs saved = Filled();
  saved.inputFile = "Custom.html";      // not stored
  saved.tableOfContentsFile = "Mine.html";
  saved.designer = std::string(300, 'd');  // longer than a 255-character line buffer
  saved.addressLine2 = "  indented";
  ReportSpecs read;
  read.Reset("");
  ASSERT_EQ(ReadCode(read, Written(saved)), 0);
  ReportSpecs expected = saved;
  expected.inputFile = "DefaultFileInput.html";
  expected.tableOfContentsFile = "DefaultToc.html";
  EXPECT_EQ(read, expected);
}

TEST(ReportSpecsTest, TextsThatCannotStandOnTheirOwnLineStillReadBackInPlace) {
  ReportSpecs saved = Filled();
  saved.company = "two\nlines";
  saved.tester = "   ";     // would read back as empty anyway
  saved.designer = "***";   // the mark of an empty text
  ReportSpecs read;
  ASSERT_EQ(ReadCode(read, Written(saved)), 0);
  EXPECT_EQ(read.company, "two lines");
  EXPECT_EQ(read.tester, "");
  EXPECT_EQ(read.designer, "");
  EXPECT_EQ(read.logoFile, "DefaultLogo.bmp");
  EXPECT_FALSE(read.includePageBottom);
  EXPECT_TRUE(read.miniGlossary);
}

TEST(ReportSpecsTest, ReadsWindowsLineEndsAndFlagsAsOnWhenNonZero) {
  ReportSpecs read;
  const std::string text =
      "7\r\nT\r\nC\r\n***\r\n***\r\n***\r\n***\r\n***\r\n***   \r\n"
      "0\r\nlogo.bmp\r\n-1\r\nbottom.txt\r\n0\r\n2\r\n1\r\n0";
  ASSERT_EQ(ReadCode(read, text), 0);
  EXPECT_TRUE(read.specified);
  EXPECT_EQ(read.testTitle, "T");
  EXPECT_EQ(read.designer, "");
  EXPECT_FALSE(read.includeLogo);
  EXPECT_EQ(read.logoFile, "logo.bmp");
  EXPECT_TRUE(read.includePageBottom);
  EXPECT_TRUE(read.includeGlossary);
  EXPECT_FALSE(read.miniGlossary);
}

TEST(ReportSpecsTest, ATruncatedOrDamagedTextLeavesTheRecordAsItWas) {
  const std::string text = Written(Filled());
  std::vector<std::string> bad;
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == '\n') bad.push_back(text.substr(0, i + 1));
  bad.push_back("x\n" + text.substr(2));                       // flag not a number
  bad.push_back(text.substr(0, text.size() - 2) + "1 junk\n");  // junk after a flag
  bad.push_back("");
  for (const std::string& damaged : bad) {
    ReportSpecs specs;
    specs.Reset("Kept");
    EXPECT_EQ(ReadCode(specs, damaged), kErrRead) << damaged;
    ReportSpecs expected;
    expected.Reset("Kept");
    EXPECT_EQ(specs, expected) << damaged;
  }
}

TEST(ReportSpecsTest, PathsStayInTheReportFolder) {
  const std::filesystem::path folder = "/data/Reports";
  ReportSpecs specs;
  specs.Reset("T");
  EXPECT_EQ(specs.InputPath(folder), folder / "DefaultFileInput.html");
  EXPECT_EQ(ReportSpecs::TempPath(folder), folder / "DefaultTempFile.html");
  EXPECT_EQ(ReportSpecs::LeftChartPath(folder), folder / "DefaultLeftChart.bmp");
  EXPECT_EQ(ReportSpecs::RightChartPath(folder), folder / "DefaultRightChart.bmp");
  EXPECT_EQ(ReportSpecs::DefaultsPath(folder), folder / "Kalvex.INI");
  for (const char* name : {"", ".", "..", "/etc/passwd", "../x", "a/b", "a\\b"})
    EXPECT_TRUE(ReportSpecs::PathInFolder(folder, name).empty()) << name;
  EXPECT_EQ(ReportSpecs::PathInFolder(folder, "My Report.html"), folder / "My Report.html");
}

}  // namespace
}  // namespace brisca
