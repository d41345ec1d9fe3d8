// Floats in the command line's JSON are written as their shortest text that
// reads back as the same float, integers without ".0", and never per locale.
#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "cli/json/JsonText.h"

namespace brisca::json {
namespace {

TEST(JsonTextTest, FloatsAreWrittenInTheirShortestExactText) {
  const struct {
    float value;
    const char* text;
  } cases[] = {
      {1000.0f, "1000"},          {0.1f, "0.1"},      {83.25f, "83.25"},
      {-12.5f, "-12.5"},          {0.0f, "0"},        {123456.79f, "123456.79"},
      {3.4028235e38f, "3.4028235e+38"},
      {std::numeric_limits<float>::quiet_NaN(), "null"},
      {std::numeric_limits<float>::infinity(), "null"},
  };
  // A comma-decimal locale must not reach the text.
  const char* previous = std::setlocale(LC_ALL, "de_DE.UTF-8");
  for (const auto& c : cases) {
    const std::string text = Number(c.value).dump();
    EXPECT_EQ(text, c.text) << c.value;
    if (std::isfinite(c.value)) {
      float back = 0.0f;
      std::from_chars(text.data(), text.data() + text.size(), back);
      EXPECT_EQ(back, c.value) << text;
    }
  }
  if (previous) std::setlocale(LC_ALL, "C");
}

TEST(JsonTextTest, AFailureIsAnObjectWithItsCodeAndPath) {
  const Json failure = Json::parse(FailureText(43, "File Error: Unable to Open", "x \"y\".qen"));
  EXPECT_EQ(failure["ok"], false);
  EXPECT_EQ(failure["code"], 43);
  EXPECT_EQ(failure["path"], "x \"y\".qen");
  EXPECT_EQ(failure["schema"], kSchemaVersion);
  EXPECT_TRUE(Json::parse(FailureText(42, "run failed", ""))["path"].is_null());
  // Bytes from an old engine file's title that are no UTF-8 do not stop the output.
  EXPECT_NO_THROW(Json::parse(Text(Json{{"engine", std::string("caf\xe9")}})));
}

}  // namespace
}  // namespace brisca::json
