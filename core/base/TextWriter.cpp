#include "core/base/TextWriter.h"

#include <ostream>
#include <string>

#include "core/base/FileError.h"
#include "core/base/NumberText.h"

namespace brisca {

TextWriter::TextWriter(std::ostream& out) : out_(out) {}

void TextWriter::WriteInt(int value, const char* where) {
  WriteLine(FormatInt(value), where);
}

void TextWriter::WriteFloat(double value, const char* where) {
  WriteLine(FormatFixed(value, 6), where);
}

void TextWriter::WriteIntFloat(int flag, double value, const char* where) {
  WriteLine(FormatInt(flag) + ' ' + FormatFixed(value, 6), where);
}

void TextWriter::WriteIntInt(int first, int second, const char* where) {
  WriteLine(FormatInt(first) + ' ' + FormatInt(second), where);
}

void TextWriter::WriteLine(std::string_view text, const char* where) {
  Write(text, where);
  Write("\n", where);
}

void TextWriter::Write(std::string_view text, const char* where) {
  // A stream that failed earlier stays failed: nothing after it reaches the file.
  if (!out_) throw FileError(kErrWrite, where);
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out_) throw FileError(kErrWrite, where);
}

void TextWriter::Flush(const char* where) {
  out_.flush();
  if (!out_) throw FileError(kErrWrite, where);
}

}  // namespace brisca
