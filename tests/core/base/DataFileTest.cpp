#include "core/base/DataFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/base/FileError.h"
#include "core/base/TextFile.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWhere = "DataFileTest";

std::vector<int> Codes(const ScriptedPresenter& presenter) {
  std::vector<int> codes;
  for (const Message& message : presenter.Shown()) codes.push_back(message.code);
  return codes;
}

// Reads the whole text the way the owners' readers do, line by line.
std::string ReadAll(TextReader& in) {
  std::string text;
  while (!in.AtEnd()) text += in.ReadLine(kWhere);
  return text;
}

TEST(DataFileTest, LoadHandsTheTextOverOrReportsOneCode) {
  struct Case {
    const char* name;
    std::optional<std::string> file;  //!< contents of "data.txt"; none: no such file
    bool folder;                      //!< "data.txt" is a folder
    int raised;                       //!< the reader raises this code (0: none)
    std::vector<int> codes;           //!< reported
    std::optional<std::string> seen;  //!< what the reader saw; none: never called
  };
  const std::string atLimit(kMaxDataFileBytes, 'x');
  const Case cases[] = {
      {"text-mode line ends", "4.2\r\nname\r\nlone\rcr\n", false, 0, {}, "4.2\nname\nlone\rcr\n"},
      {"missing file", std::nullopt, false, 0, {43}, std::nullopt},
      {"folder", std::nullopt, true, 0, {43}, std::nullopt},
      {"exactly the size limit", atLimit, false, 0, {}, atLimit},
      {"one byte over the limit", atLimit + "x", false, 0, {45}, std::nullopt},
      {"reader finds a bad value", "4.2\n", false, kErrInvalidValue, {47}, "4.2\n"},
      {"reader runs out", "", false, kErrRead, {45}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const fs::path path = dir / "data.txt";
    if (c.file) dir.Write("data.txt", *c.file);
    if (c.folder) fs::create_directory(path);
    ScriptedPresenter presenter;
    ScopedPresenter installed(presenter);
    std::optional<std::string> seen;
    const bool loaded = LoadDataFile(path, kWhere, [&](TextReader& in) {
      seen = ReadAll(in);
      if (c.raised != 0) throw FileError(c.raised, kWhere);
    });
    EXPECT_EQ(loaded, c.codes.empty());
    EXPECT_EQ(Codes(presenter), c.codes);
    EXPECT_EQ(seen, c.seen);
  }
}

TEST(DataFileTest, SaveReplacesTheFileWholeOrLeavesTheOldOne) {
  struct Case {
    const char* name;
    const char* target;           //!< inside the scratch folder
    bool folder;                  //!< the target is a folder
    int raised;                   //!< the writer raises this code after writing (0: none)
    rlim_t sizeLimit;             //!< file-size limit while saving (0: none)
    std::vector<int> codes;
    const char* expected;         //!< the target's contents afterwards (nullptr: not a file)
  };
  const Case cases[] = {
      {"saved", "data.txt", false, 0, 0, {}, "new\n"},
      {"no such folder", "missing/data.txt", false, 0, 0, {43}, nullptr},
      {"target is a folder", "data.txt", true, 0, 0, {43}, nullptr},
      {"writer finds a bad value", "data.txt", false, kErrInvalidValue, 0, {47}, "old\n"},
      {"disk full (file-size limit)", "data.txt", false, 0, 4096, {44}, "old\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const fs::path path = dir / c.target;
    if (c.folder) fs::create_directory(path);
    else if (fs::exists(path.parent_path())) dir.Write(c.target, "old\n");
    const std::vector<std::string> namesBefore = dir.Names();

    ScriptedPresenter presenter;
    ScopedPresenter installed(presenter);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (c.sizeLimit != 0) {
      rlimit small = previous;
      small.rlim_cur = c.sizeLimit;
      ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    const bool saved = SaveDataFile(path, kWhere, [&](TextWriter& out) {
      out.WriteLine("new", kWhere);
      if (c.sizeLimit != 0) out.Write(std::string(2 * c.sizeLimit, 'x'), kWhere);
      if (c.raised != 0) throw FileError(c.raised, kWhere);
    });
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(saved, c.codes.empty());
    EXPECT_EQ(Codes(presenter), c.codes);
    if (c.expected != nullptr) {
      EXPECT_EQ(TempDir::ReadFile(path), c.expected);
    }
    EXPECT_EQ(dir.Names(), namesBefore);  // no temporary file left behind, nothing else made
  }
}

}  // namespace
}  // namespace brisca
