#include "core/base/TextReader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/base/FileError.h"

namespace brisca {
namespace {

int ErrorCodeOf(void (*read)(TextReader&), const std::string& text) {
  TextReader reader(text);
  try {
    read(reader);
  } catch (const FileError& error) {
    return error.code();
  }
  return 0;
}

TEST(TextReaderTest, LineScansSkipAllWhiteSpaceAfterTheirNumbers) {
  // A "\n" in a scanf format also eats blank lines and the next line's indentation.
  TextReader reader("  1 3.5\n\n   12\r\n-4 7\n\t name line\n");
  const TextReader::IntFloat line = reader.ScanIntFloatLine();
  EXPECT_EQ(line.flag, 1);
  EXPECT_EQ(line.value, 3.5f);
  EXPECT_EQ(reader.ScanIntLine(), 12);
  const TextReader::IntInt pair = reader.ScanIntIntLine();
  EXPECT_EQ(pair.first, -4);
  EXPECT_EQ(pair.second, 7);
  EXPECT_EQ(reader.ReadLine(), "name line\n");
  EXPECT_TRUE(reader.AtEnd());
}

TEST(TextReaderTest, EndLineStopsRightAfterTheNewline) {
  TextReader reader("1 5 \r\n\n ab");
  EXPECT_EQ(reader.ScanInt(), 1);
  EXPECT_EQ(reader.ScanInt(), 5);
  reader.EndLine();
  EXPECT_EQ(reader.ReadChar(), '\n');
  EXPECT_EQ(reader.ReadChar(), ' ');
}

TEST(TextReaderTest, ReadLineBehavesAsFgets) {
  const std::string longLine(100, 'x');
  TextReader reader(longLine + "\nlast");
  // With an 80-byte buffer fgets takes 79 characters, then the rest of the line.
  EXPECT_EQ(reader.ReadLine(TextReader::kWhere, 79), std::string(79, 'x'));
  EXPECT_EQ(reader.ReadLine(TextReader::kWhere, 79), std::string(21, 'x') + "\n");
  EXPECT_EQ(reader.ReadLine(), "last");  // the last line may lack its newline

  TextReader whole(longLine + "\n");
  EXPECT_EQ(whole.ReadLine(), longLine + "\n");
}

TEST(TextReaderTest, TryScanLeavesThePositionWhenNothingConverts) {
  TextReader reader("  abc");
  int i = 0;
  float f = 0.0f;
  EXPECT_FALSE(reader.TryScanInt(i));
  EXPECT_FALSE(reader.TryScanFloat(f));
  EXPECT_EQ(reader.Offset(), 0u);
}

TEST(TextReaderTest, FailuresAreReadErrors) {
  const struct {
    const char* name;
    void (*read)(TextReader&);
    const char* text;
  } cases[] = {
      {"int at end", [](TextReader& r) { r.ScanInt(); }, "  \n"},
      {"int of letters", [](TextReader& r) { r.ScanInt(); }, "x1"},
      {"int too large", [](TextReader& r) { r.ScanInt(); }, "99999999999"},
      {"float of letters", [](TextReader& r) { r.ScanFloat(); }, "abc"},
      {"float nan", [](TextReader& r) { r.ScanFloat(); }, "nan"},
      {"flag without value", [](TextReader& r) { r.ScanIntFloatLine(); }, "1\n"},
      {"flag with letters", [](TextReader& r) { r.ScanIntFloatLine(); }, "1 abc\n"},
      {"second int missing", [](TextReader& r) { r.ScanIntIntLine(); }, "1\n"},
      {"line at end", [](TextReader& r) { r.ReadLine(); }, ""},
      {"char at end", [](TextReader& r) { r.ReadChar(); }, ""},
      {"end line at end", [](TextReader& r) { r.EndLine(); }, "  "},
      {"end line before text", [](TextReader& r) { r.EndLine(); }, " x\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ErrorCodeOf(c.read, c.text), kErrRead);
  }
}

TEST(TextReaderTest, ReadsTheRestOfAStream) {
  std::istringstream in("7\n");
  TextReader reader(in);
  EXPECT_EQ(reader.ScanIntLine(), 7);
  EXPECT_TRUE(reader.AtEnd());
}

}  // namespace
}  // namespace brisca
