#include "core/base/TextReader.h"

#include <istream>
#include <iterator>
#include <string_view>
#include <utility>

#include "core/base/FileError.h"
#include "core/base/NumberText.h"

namespace brisca {

TextReader::TextReader(std::string text) : text_(std::move(text)) {}

TextReader::TextReader(std::istream& in, const char* where) {
  text_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) throw FileError(kErrRead, where);
}

bool TextReader::TryScanInt(int& value) {
  const std::size_t used = ParseIntPrefix(std::string_view(text_).substr(pos_), value);
  pos_ += used;
  return used != 0;
}

bool TextReader::TryScanFloat(float& value) {
  const std::size_t used = ParseFloatPrefix(std::string_view(text_).substr(pos_), value);
  pos_ += used;
  return used != 0;
}

int TextReader::ScanInt(const char* where) {
  int value = 0;
  if (!TryScanInt(value)) throw FileError(kErrRead, where);
  return value;
}

float TextReader::ScanFloat(const char* where) {
  float value = 0.0f;
  if (!TryScanFloat(value)) throw FileError(kErrRead, where);
  return value;
}

int TextReader::ScanIntLine(const char* where) {
  const int value = ScanInt(where);
  SkipSpace();
  return value;
}

TextReader::IntFloat TextReader::ScanIntFloatLine(const char* where) {
  IntFloat line{};
  line.flag = ScanInt(where);
  line.value = ScanFloat(where);
  SkipSpace();
  return line;
}

TextReader::IntInt TextReader::ScanIntIntLine(const char* where) {
  IntInt line{};
  line.first = ScanInt(where);
  line.second = ScanInt(where);
  SkipSpace();
  return line;
}

void TextReader::SkipSpace() {
  pos_ += CountLeadingSpace(std::string_view(text_).substr(pos_));
}

void TextReader::EndLine(const char* where) {
  while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r'))
    ++pos_;
  if (pos_ >= text_.size() || text_[pos_] != '\n') throw FileError(kErrRead, where);
  ++pos_;
}

std::string TextReader::ReadLine(const char* where, std::size_t maxChars) {
  if (AtEnd() || maxChars == 0) throw FileError(kErrRead, where);
  const std::size_t newline = text_.find('\n', pos_);
  std::size_t length = (newline == std::string::npos ? text_.size() : newline + 1) - pos_;
  if (length > maxChars) length = maxChars;
  std::string line = text_.substr(pos_, length);
  pos_ += length;
  return line;
}

char TextReader::ReadChar(const char* where) {
  if (AtEnd()) throw FileError(kErrRead, where);
  return text_[pos_++];
}

}  // namespace brisca
