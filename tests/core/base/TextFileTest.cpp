#include "core/base/TextFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>

#include "core/base/FileError.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWhere = "TextFileTest";
constexpr std::size_t kLimit = 10;

// Reads `path` with a 10-byte limit: the text, or "error N".
std::string Read(const fs::path& path) {
  try {
    return ReadTextFile(path, kWhere, kLimit);
  } catch (const FileError& error) {
    return "error " + std::to_string(error.code());
  }
}

// Only a regular file is read: a pipe would wait for its writer (here a writer
// is ready, so that a reader that opens it ends instead of hanging), a device
// may never end. Every file is held to the limit the caller states.
TEST(TextFileTest, OnlyRegularFilesAreReadAndNoneBeyondTheLimit) {
  struct Case {
    const char* name;
    std::function<fs::path(const TempDir& dir)> make;  //!< the path to read; empty: skip
    std::string expected;
  };
  auto file = [](const std::string& text) {
    return [text](const TempDir& dir) { return dir.Write("data", text); };
  };
  auto pipe = [](const TempDir& dir) { return MakeFifo(dir / "data") ? dir / "data" : fs::path(); };
  const Case cases[] = {
      {"regular file", file("4.2\n"), "4.2\n"},
      {"exactly the limit", file(std::string(kLimit, 'x')), std::string(kLimit, 'x')},
      {"one byte over the limit", file(std::string(kLimit + 1, 'x')), "error 45"},
      {"link to a regular file",
       [](const TempDir& dir) {
         dir.Write("file", "4.2\n");
         fs::create_symlink("file", dir / "data");
         return dir / "data";
       },
       "4.2\n"},
      {"missing", [](const TempDir& dir) { return dir / "data"; }, "error 43"},
      {"folder",
       [](const TempDir& dir) {
         fs::create_directory(dir / "data");
         return dir / "data";
       },
       "error 43"},
      {"pipe", pipe, "error 351"},
      {"link to a pipe",
       [](const TempDir& dir) {
         if (!MakeFifo(dir / "pipe")) return fs::path();
         fs::create_symlink("pipe", dir / "data");
         return dir / "data";
       },
       "error 351"},
      {"null device node",
       [](const TempDir& dir) { return MakeNullDevice(dir / "data") ? dir / "data" : fs::path(); },
       "error 351"},
      {"/dev/zero", [](const TempDir&) { return fs::path("/dev/zero"); }, "error 351"},
      {"link loop",
       [](const TempDir& dir) {
         fs::create_symlink("data", dir / "data");
         return dir / "data";
       },
       "error 352"},
      {"name over 255 bytes", [](const TempDir& dir) { return dir / std::string(300, 'n'); },
       "error 352"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const fs::path path = c.make(dir);
    if (path.empty()) {
      std::printf("skipped \"%s\": needs root\n", c.name);
      continue;
    }
    std::unique_ptr<FifoFeeder> feeder;
    std::error_code ec;
    if (fs::status(path, ec).type() == fs::file_type::fifo)
      feeder = std::make_unique<FifoFeeder>(path, "4.2\n");
    EXPECT_EQ(Read(path), c.expected);
  }
}

}  // namespace
}  // namespace brisca
