#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/report/MacroProcessor.h"
#include "tests/core/report/ReportTestFolder.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;
using testing::ReportTestFolder;

//! Knows a few macros and remembers every name it was asked about.
class TableResolver : public CReportMacroProcessor {
 public:
  bool ResolveMacro(std::string_view name, std::string& text) override {
    asked.emplace_back(name);
    static const std::map<std::string, std::string, std::less<>> kTable = {
        {"_RPM1", "1000"}, {"_HP1", "250"}, {"_HP2", "260"}, {"_EMPTY", ""}};
    const auto found = kTable.find(name);
    if (found == kTable.end()) return false;
    text = found->second;
    return true;
  }
  std::vector<std::string> asked;
};

int OpenDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

TEST(MacroProcessorTest, ReplacesKnownMacrosAndCopiesEverythingElse) {
  const std::string longName = "_" + std::string(400, 'A');
  struct Case {
    std::string input;
    std::string expected;
  };
  const Case cases[] = {
      {"<td>_RPM1</td><td>_HP1 HP</td>", "<td>1000</td><td>250 HP</td>"},
      {"_HP1_HP2", "_HP1_HP2"},                  // one name, unknown
      {"_hp1 and my_file_name", "_hp1 and my_file_name"},
      {"_HP1x", "250x"},                         // lower case ends a macro
      {"_UNKNOWNNAME stays", "_UNKNOWNNAME stays"},
      {"ends with _HP2", "ends with 260"},       // the end of the input ends it
      {"[_EMPTY]", "[]"},
      {"_", "_"},
      {"__HP1", "__HP1"},
      {"\xC2\xB5_HP1\r\n", "\xC2\xB5" "250\r\n"},
      {"", ""},
      {longName + " _HP1", longName + " 250"},  // too long to name anything
      {longName, longName},
  };
  ReportTestFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input.substr(0, 40));
    ScriptedPresenter presenter;
    ScopedPresenter installed(presenter);
    folder.Write("in.html", c.input);
    TableResolver resolver;
    ASSERT_TRUE(resolver.Process(folder / "in.html", folder / "out.html"));
    EXPECT_EQ(folder.Read("out.html"), c.expected);
    EXPECT_TRUE(presenter.Shown().empty());
  }
}

TEST(MacroProcessorTest, AsksTheResolverForWholeNamesOnly) {
  ReportTestFolder folder;
  folder.Write("in.html", "a _HP1_HP2 b _RPM1.");
  TableResolver resolver;
  ASSERT_TRUE(resolver.Process(folder / "in.html", folder / "out.html"));
  EXPECT_EQ(resolver.asked, (std::vector<std::string>{"_HP1_HP2", "_RPM1"}));
}

TEST(MacroProcessorTest, FailuresAreReportedAndBothFilesClosed) {
  ReportTestFolder folder;
  // Big enough that a full device refuses it before the final flush as well.
  folder.Write("in.html", std::string(200000, 'x') + " _HP1");
  fs::create_directories(folder / "a folder");
  struct Case {
    const char* what;
    fs::path input;
    fs::path output;
    int code;
  };
  const Case cases[] = {
      {"missing template", folder / "missing.html", folder / "out.html", 123},
      {"template is a folder", folder / "a folder", folder / "out.html", 123},
      {"output folder missing", folder / "in.html", folder / "none" / "out.html", 126},
      {"output is a folder", folder / "in.html", folder / "a folder", 126},
      {"empty output path", folder / "in.html", fs::path(), 126},
      {"output is the template", folder / "in.html", folder / "." / "in.html", 126},
      {"device full", folder / "in.html", "/dev/full", 127},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.output == "/dev/full" && !fs::exists("/dev/full")) continue;
    ScriptedPresenter presenter;
    ScopedPresenter installed(presenter);
    const int before = OpenDescriptors();
    TableResolver resolver;
    EXPECT_FALSE(resolver.Process(c.input, c.output));
    ASSERT_EQ(presenter.Shown().size(), 1u);
    EXPECT_EQ(presenter.Shown().front().code, c.code);
    EXPECT_EQ(OpenDescriptors(), before);
  }
  EXPECT_EQ(fs::file_size(folder / "in.html"), 200005u);
}

// A report that cannot be written whole leaves the previous one as it was and
// nothing beside it: a full disk while writing, and one that shows only when
// the last of the buffer goes out.
TEST(MacroProcessorTest, AFailedReportLeavesThePreviousOneWhole) {
  for (const std::size_t length : {std::size_t{200000}, std::size_t{3000}}) {
    SCOPED_TRACE(length);
    ReportTestFolder folder;
    folder.Write("in.html", std::string(length, 'x') + " _HP1");
    folder.Write("out.html", "the previous report\n");
    const std::vector<std::string> namesBefore = folder.Names();
    ScriptedPresenter presenter;
    ScopedPresenter installed(presenter);
    TableResolver resolver;
    {
      const FileSizeLimit full(2048);
      ASSERT_TRUE(full.Set());
      EXPECT_FALSE(resolver.Process(folder / "in.html", folder / "out.html"));
    }
    ASSERT_EQ(presenter.Shown().size(), 1u);
    EXPECT_EQ(presenter.Shown().front().code, 127);
    EXPECT_EQ(ReportTestFolder::ReadFile(folder / "out.html"), "the previous report\n");
    EXPECT_EQ(folder.Names(), namesBefore);
  }
}

}  // namespace
}  // namespace brisca
