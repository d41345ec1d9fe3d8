#include "core/base/TextWriter.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

#include "core/base/FileError.h"

namespace brisca {
namespace {

TEST(TextWriterTest, WritesTheCFormats) {
  std::ostringstream out;
  TextWriter writer(out);
  writer.WriteInt(-12);
  writer.WriteFloat(3.5f);
  writer.WriteIntFloat(1, 76.2f);
  writer.WriteIntInt(0, 3);
  writer.WriteLine("two\nlines");
  writer.Write("raw");
  writer.Flush();
  EXPECT_EQ(out.str(), "-12\n3.500000\n1 76.199997\n0 3\ntwo\nlines\nraw");
}

// A device that takes nothing, like a full disk.
class RefusingBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(TextWriterTest, RefusedWriteIsWriteError) {
  RefusingBuffer device;
  std::ostream out(&device);
  TextWriter writer(out);
  try {
    writer.WriteIntFloat(1, 3.5, "CFloatPtSpec::Write");
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_EQ(error.code(), kErrWrite);
    EXPECT_STREQ(error.where(), "CFloatPtSpec::Write");
  }
}

}  // namespace
}  // namespace brisca
