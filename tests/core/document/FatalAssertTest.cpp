#include "core/base/FatalAssert.h"

#include <gtest/gtest.h>

namespace brisca {
namespace {

TEST(FatalAssertTest, TextNamesFileWithoutFolderAndLine) {
  const std::string text = FatalAssertText("/home/dev/brisca/core/spec/SimSpec.cpp", 123);
  EXPECT_EQ(text.rfind("File: SimSpec.cpp \nLine#: 123 \n\n", 0), 0u) << text;
  // Four lines that ask the user to note and report follow the blank line.
  const std::string tail = text.substr(text.find("\n\n") + 2);
  EXPECT_EQ(std::count(tail.begin(), tail.end(), '\n'), 3);
  EXPECT_EQ(FatalAssertTitle(), "ASSERTION FAILURE");
}

TEST(FatalAssertDeathTest, EndsProcessWithStatus9999ModuloByte) {
  EXPECT_EXIT(BRISCA_ASSERT(1 + 1 == 3), testing::ExitedWithCode(kFatalAssertExitStatus % 256),
              "ASSERTION FAILURE");
}

}  // namespace
}  // namespace brisca
