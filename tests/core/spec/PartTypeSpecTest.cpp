#include "core/spec/PartTypeSpec.h"

#include <gtest/gtest.h>

#include <string>

#include "core/base/FatalAssert.h"
#include "tests/core/spec/SpecTestSupport.h"

namespace brisca {
namespace {

using testing_support::ReadCode;
using testing_support::WrittenText;

CPartTypeSpec Head() { return CPartTypeSpec("Cylinder Head Type", 1, 25); }

TEST(PartTypeSpecTest, TypedTextBecomesTheCustomItem) {
  CPartTypeSpec head = Head();
  EXPECT_EQ(head.GetText(), "***");
  EXPECT_EQ(head.GetPrompt(), "Select or Enter Cylinder Head Type");
  EXPECT_TRUE(head.SetFromText("My Ported Head", /*checkOnly=*/true));
  EXPECT_FALSE(head.IsAssigned());
  EXPECT_TRUE(head.SetFromText("My Ported Head"));
  EXPECT_EQ(head.GetValue(), 25);
  EXPECT_EQ(head.GetText(), "My Ported Head");
  EXPECT_TRUE(head.IsValid());
}

TEST(PartTypeSpecTest, SelectionNeedsANameOnOneLineAndAnItemInRange) {
  const struct {
    int index;
    const char* name;
    bool accepted;
  } cases[] = {
      {3, "Stock Wedge", true}, {1, "x", true},           {0, "Stock Wedge", false},
      {26, "Stock Wedge", false}, {3, "", false},         {3, "two\nlines", false},
      {3, "cr\r", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CPartTypeSpec head = Head();
    EXPECT_EQ(head.SetSelection(c.index, c.name), c.accepted);
    EXPECT_EQ(head.GetValue(), c.accepted ? c.index : 1);
  }
}

TEST(PartTypeSpecTest, FileFormRoundTrip) {
  CPartTypeSpec head = Head();
  ASSERT_TRUE(head.SetSelection(3, "Stock Wedge"));
  EXPECT_EQ(WrittenText(head), "Stock Wedge\n3\n");

  // Names longer than a 79-character line buffer come back whole too.
  const std::string longName(120, 'n');
  CPartTypeSpec custom = Head();
  ASSERT_TRUE(custom.SetFromText(longName));
  for (const CPartTypeSpec* source : {&head, &custom}) {
    CPartTypeSpec copy = Head();
    ASSERT_EQ(ReadCode(copy, WrittenText(*source)), 0);
    EXPECT_EQ(copy.GetName(), source->GetName());
    EXPECT_EQ(copy.GetValue(), source->GetValue());
    EXPECT_TRUE(copy.IsValid());
  }
}

TEST(PartTypeSpecTest, BadFileFormsFailAndLeaveTheSpecAsItWas) {
  const struct {
    const char* text;
    int code;
  } cases[] = {
      {"Stock Wedge\n26\n", kErrInvalidValue},
      {"Stock Wedge\n0\n", kErrInvalidValue},
      {"   \n3\n", kErrInvalidValue},  // no name to write back
      {"Stock Wedge\n", kErrRead},
      {"Stock Wedge\nx\n", kErrRead},
      {"", kErrRead},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CPartTypeSpec head = Head();
    ASSERT_TRUE(head.SetSelection(4, "Kept"));
    EXPECT_EQ(ReadCode(head, c.text), c.code);
    EXPECT_EQ(head.GetName(), "Kept");
    EXPECT_EQ(head.GetValue(), 4);
  }
}

TEST(PartTypeSpecDeathTest, InternalErrorsAreFatal) {
  EXPECT_EXIT(CPartTypeSpec("Cylinder Head Type", 0, 25),
              testing::ExitedWithCode(kFatalAssertExitStatus % 256), "ASSERTION FAILURE");
  EXPECT_EXIT(CPartTypeSpec("Cylinder Head Type", 5, 4),
              testing::ExitedWithCode(kFatalAssertExitStatus % 256), "ASSERTION FAILURE");
  EXPECT_EXIT(WrittenText(Head()), testing::ExitedWithCode(kFatalAssertExitStatus % 256),
              "ASSERTION FAILURE");
}

}  // namespace
}  // namespace brisca
