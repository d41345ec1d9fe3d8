#include "cli/json/JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace brisca::json {

Json Number(float value) {
  if (!std::isfinite(value)) return nullptr;
  // Integers below 2^53 are exact as doubles and read as such: written with no ".0".
  if (value == std::trunc(value) && std::fabs(value) < 9.0e15f && !(value == 0 && std::signbit(value)))
    return static_cast<std::int64_t>(value);
  char buffer[64];
  const auto written = std::to_chars(std::begin(buffer), std::end(buffer), value);
  double wide = 0.0;
  std::from_chars(buffer, written.ptr, wide);
  return wide;
}

std::string Text(const Json& document) {
  return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

Json EngineDocument(const std::string& title) {
  Json document;
  document["schema"] = kSchemaVersion;
  document["ok"] = true;
  document["engine"] = title;
  return document;
}

std::string FailureText(int code, const std::string& message, const std::string& path) {
  Json failure;
  failure["schema"] = kSchemaVersion;
  failure["ok"] = false;
  failure["code"] = code;
  failure["message"] = message;
  failure["path"] = path.empty() ? Json(nullptr) : Json(path);
  return Text(failure);
}

}  // namespace brisca::json
