#include "core/base/AtomicFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/base/FileError.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWhere = "AtomicFileTest";

// Saves "new\n" to `path`: 0, or the FileError's code.
int Save(const fs::path& path) {
  try {
    AtomicFileWriter file(path, kWhere);
    file.Stream() << "new\n";
    file.Commit();
    return 0;
  } catch (const FileError& error) {
    return error.code();
  }
}

int Check(const fs::path& path) {
  try {
    CheckSaveTarget(path, kWhere);
    return 0;
  } catch (const FileError& error) {
    return error.code();
  }
}

// What a save does depends on what the target is: a regular file is replaced
// whole beside itself, through a link that stays; a device, pipe or socket is
// written in place and stays what it was; anything else is refused and left
// alone. Never a link to the system's /dev/null here: a save that renamed over
// a link's target would replace it. The null devices are made in the scratch
// folder (as root; otherwise those rows are skipped).
TEST(AtomicFileTest, WhatTheTargetIsDecidesHowItIsSaved) {
  struct Case {
    const char* name;
    // Makes "target" (and whatever it needs) in `dir`; false: cannot here, skip.
    std::function<bool(const TempDir& dir)> make;
    int code;                           //!< of the save
    fs::file_type typeAfter;            //!< of "target", links not followed
    std::optional<std::string> landed;  //!< the text read where the save went
  };
  auto link = [](const char* to) {
    return [to](const TempDir& dir) {
      fs::create_symlink(to, dir / "target");
      return true;
    };
  };
  auto withRegular = [](const TempDir& dir) {
    dir.Write("file", "old\n");
    return true;
  };
  const Case cases[] = {
      {"new file", [](const TempDir&) { return true; }, 0, fs::file_type::regular, "new\n"},
      {"regular file",
       [](const TempDir& dir) {
         dir.Write("target", "old\n");
         return true;
       },
       0, fs::file_type::regular, "new\n"},
      {"link to a regular file",
       [&](const TempDir& dir) { return withRegular(dir) && link("file")(dir); }, 0,
       fs::file_type::symlink, "new\n"},
      {"dangling link", link("file"), 0, fs::file_type::symlink, "new\n"},
      {"pipe", [](const TempDir& dir) { return MakeFifo(dir / "target"); }, 0, fs::file_type::fifo,
       "new\n"},
      {"link to a pipe",
       [&](const TempDir& dir) { return MakeFifo(dir / "pipe") && link("pipe")(dir); }, 0,
       fs::file_type::symlink, "new\n"},
      {"null device", [](const TempDir& dir) { return MakeNullDevice(dir / "target"); }, 0,
       fs::file_type::character, std::nullopt},
      {"link to a null device",
       [&](const TempDir& dir) { return MakeNullDevice(dir / "null") && link("null")(dir); }, 0,
       fs::file_type::symlink, std::nullopt},
      {"socket (cannot be opened)", [](const TempDir&) { return true; }, kErrOpen,
       fs::file_type::socket, std::nullopt},
      {"folder", [](const TempDir& dir) { return fs::create_directory(dir / "target"); }, kErrOpen,
       fs::file_type::directory, std::nullopt},
      {"link to a folder",
       [&](const TempDir& dir) {
         return fs::create_directory(dir / "folder") && link("folder")(dir);
       },
       kErrOpen, fs::file_type::symlink, std::nullopt},
      {"link loop", link("target"), kErrUnusablePath, fs::file_type::symlink, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const fs::path target = dir / "target";
    // A socket lives as long as its descriptor: made here, not in the table.
    std::unique_ptr<BoundSocket> socket;
    if (c.typeAfter == fs::file_type::socket) {
      socket = std::make_unique<BoundSocket>(target);
      ASSERT_TRUE(socket->Bound());
    }
    if (!c.make(dir)) {
      std::printf("skipped \"%s\": needs root\n", c.name);
      continue;
    }
    // What went into a pipe is read back through a reader opened beforehand.
    const fs::path pipe = fs::exists(dir / "pipe") ? dir / "pipe" : target;
    FifoDrain drain(pipe);

    // The check before the work refuses what the save refuses, but it opens
    // nothing: a socket's refusal only shows when it is opened.
    EXPECT_EQ(Check(target), c.typeAfter == fs::file_type::socket ? 0 : c.code);
    EXPECT_EQ(Save(target), c.code);
    EXPECT_EQ(fs::symlink_status(target).type(), c.typeAfter);
    if (c.landed) {
      const bool toPipe = fs::status(target).type() == fs::file_type::fifo;
      EXPECT_EQ(toPipe ? drain.Take() : TempDir::ReadFile(target), *c.landed);
    }
    for (const std::string& name : dir.Names())
      EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
  }
}

TEST(AtomicFileTest, NamesTooLongAreRefusedWithTheSystemsReason) {
  TempDir dir;
  const fs::path longName = dir / std::string(300, 'n');
  fs::path longPath = dir.Path();
  while (longPath.native().size() <= 4096) longPath /= std::string(200, 'p');
  for (const fs::path& path : {longName, longPath}) {
    try {
      AtomicFileWriter file(path, kWhere);
      ADD_FAILURE() << "saved " << path.native().size() << " bytes' path";
    } catch (const FileError& error) {
      EXPECT_EQ(error.code(), kErrUnusablePath);
      EXPECT_STRNE(error.detail(), "");
    }
  }
}

// A save killed before its rename leaves its temporary file: the next run of
// the program that alone saves that file removes it, and nothing else.
TEST(AtomicFileTest, StaleTemporariesOfOneTargetAreRemoved) {
  TempDir dir;
  dir.Write("progress.json", "{}");
  const char* stale[] = {".progress.json.0123456789abcdef.tmp",
                         ".progress.json.fedcba9876543210.tmp"};
  const char* kept[] = {".progress.json.0123456789abcdeg.tmp", ".progress.json.0123.tmp",
                        ".other.json.0123456789abcdef.tmp", "progress.json",
                        "progress.json.0123456789abcdef.tmp"};
  for (const char* name : stale) dir.Write(name, "partial");
  for (const char* name : kept) dir.Write(name, "keep");

  RemoveStaleTemporaries(dir / "progress.json");

  for (const char* name : stale) EXPECT_FALSE(fs::exists(dir / name)) << name;
  for (const char* name : kept) EXPECT_TRUE(fs::exists(dir / name)) << name;
}

}  // namespace
}  // namespace brisca
