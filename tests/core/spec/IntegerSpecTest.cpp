#include "core/spec/IntegerSpec.h"

#include <gtest/gtest.h>

#include <string>

#include "core/base/FatalAssert.h"
#include "tests/core/spec/SpecTestSupport.h"

namespace brisca {
namespace {

using testing_support::ReadCode;
using testing_support::WrittenText;

TEST(IntegerSpecTest, TypedText) {
  const struct {
    const char* text;
    bool accepted;
    int value;
  } cases[] = {
      {"8", true, 8},     {" 4", true, 4},   {"+4", true, 4},  {"8abc", true, 8},
      {"12.9", true, 12}, {"16", true, 16},  {"17", false, 0}, {"0", false, 0},
      {"", false, 0},     {"abc", false, 0}, {"99999999999", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    CIntegerSpec cylinders("Number of Cylinders", 1, 16);
    EXPECT_EQ(cylinders.SetFromText(c.text, /*checkOnly=*/true), c.accepted);
    EXPECT_FALSE(cylinders.IsAssigned());
    EXPECT_EQ(cylinders.SetFromText(c.text), c.accepted);
    EXPECT_EQ(cylinders.IsValid(), c.accepted);
    EXPECT_EQ(cylinders.GetValue(), c.accepted ? c.value : 1);
  }
  // "abc" is no zero, even where zero is allowed.
  CIntegerSpec count("Count", 0, 5);
  EXPECT_FALSE(count.SetFromText("abc"));
}

TEST(IntegerSpecTest, DisplayAndPrompt) {
  CIntegerSpec cylinders("Number of Cylinders", 1, 16);
  EXPECT_EQ(cylinders.GetText(), "***");
  EXPECT_EQ(cylinders.GetPrompt(), "Enter Number of Cylinders Value Within Range: 1 to 16");
  cylinders.SetValue(8);
  EXPECT_EQ(cylinders.GetTextWithUnits(), "8");
}

TEST(IntegerSpecTest, FileFormIsTheValueAlone) {
  CIntegerSpec cylinders("Number of Cylinders", 1, 16);
  cylinders.SetValue(8);
  EXPECT_EQ(WrittenText(cylinders), "8\n");

  CIntegerSpec copy("Number of Cylinders", 1, 16);
  EXPECT_EQ(ReadCode(copy, "  8\n"), 0);
  EXPECT_TRUE(copy.IsValid());
  EXPECT_EQ(copy.GetValue(), 8);

  for (const auto& [text, code] : {std::pair{"17\n", kErrInvalidValue}, std::pair{"x\n", kErrRead},
                                   std::pair{"", kErrRead}}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ReadCode(copy, text), code);
    EXPECT_EQ(copy.GetValue(), 8);
  }
}

TEST(IntegerSpecDeathTest, OutOfRangeIsFatal) {
  EXPECT_EXIT(CIntegerSpec("Number of Cylinders", 1, 16).SetValue(0),
              testing::ExitedWithCode(kFatalAssertExitStatus % 256), "ASSERTION FAILURE");
  EXPECT_EXIT(CIntegerSpec("Number of Cylinders", 16, 1),
              testing::ExitedWithCode(kFatalAssertExitStatus % 256), "ASSERTION FAILURE");
}

}  // namespace
}  // namespace brisca
