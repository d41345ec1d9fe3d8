#pragma once
// Writing a spec value to text and reading it back, for the file-form tests.

#include <sstream>
#include <string>
#include <utility>

#include "core/base/FileError.h"
#include "core/spec/SimSpec.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca::testing_support {

inline std::string WrittenText(const CSimSpec& spec) {
  std::ostringstream out;
  TextWriter writer(out);
  spec.Write(writer);
  return out.str();
}

//! Reads `spec` from `text`; returns the FileError code thrown, or 0.
inline int ReadCode(CSimSpec& spec, std::string text) {
  TextReader reader(std::move(text));
  try {
    spec.Read(reader);
  } catch (const FileError& error) {
    return error.code();
  }
  return 0;
}

}  // namespace brisca::testing_support
