#pragma once
// Writing JSON: the documents keep their members in the order they are set,
// numbers follow no locale, and a float is written in its shortest text that
// reads back as the same float (1000, 0.1, 83.25), not as the longer double
// it widens to.

#include <string>

#include <nlohmann/json.hpp>

namespace brisca::json {

using Json = nlohmann::ordered_json;

//! Version of the JSON documents the command line prints (doc/formats.md).
inline constexpr int kSchemaVersion = 1;

//! `value` as a JSON number: an integer when it is one, else the double its
//! shortest text reads as; null for NaN and infinity, which JSON lacks.
Json Number(float value);

//! The document as text: two-space indents, a line end at the end. Bytes that
//! are not UTF-8 (an engine title from an old file) are replaced, not fatal.
std::string Text(const Json& document);

//! The start of a successful command's document about an engine:
//! {"schema", "ok": true, "engine": title}.
Json EngineDocument(const std::string& title);

//! {"schema", "ok": false, "code", "message", "path"} of a failed command.
std::string FailureText(int code, const std::string& message, const std::string& path);

}  // namespace brisca::json
