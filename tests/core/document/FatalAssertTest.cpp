#include "core/base/FatalAssert.h"

#include <gtest/gtest.h>

#include <stdexcept>

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

// The last catch of a program's main: the exception's own words, then the
// assertion's text and status, never std::terminate's abort (status 134).
TEST(FatalAssertDeathTest, UncaughtExceptionEndsAsAnAssertion) {
  EXPECT_EXIT(
      {
        try {
          throw std::runtime_error("disk on fire");
        } catch (...) {
          FatalUncaughtException(__FILE__, __LINE__);
        }
      },
      testing::ExitedWithCode(kFatalAssertExitStatus % 256),
      "uncaught exception: disk on fire\n(.|\n)*ASSERTION FAILURE");
}

}  // namespace
}  // namespace brisca
