#pragma once
// Reads the lines of a data file the way the C library's fscanf and fgets read
// them in the "C" locale, never through the process locale. The whole file is
// held in memory (data files are a few kilobytes) and read from front to back.
//
// Scans follow scanf: "%d" and "%f" skip leading white space and convert the
// longest number that fits, leaving what follows. A "\n" (or blank) in a scanf
// format skips every white-space character after it, blank lines and the
// indentation of the next line included; the *Line scans do that. Where the
// next line must be taken as it is (notes text), scan the numbers alone and
// end the line with EndLine().
//
// Every failure throws FileError 45 naming `where`; the reader is then
// abandoned with the file.

#include <cstddef>
#include <iosfwd>
#include <string>

namespace brisca {

class TextReader {
 public:
  explicit TextReader(std::string text);
  //! Takes the rest of `in`; a stream that cannot be read throws FileError 45.
  explicit TextReader(std::istream& in, const char* where = kWhere);

  //! "%d" / "%f" without throwing: false (position unchanged) when nothing converts.
  bool TryScanInt(int& value);
  bool TryScanFloat(float& value);

  //! "%d"
  int ScanInt(const char* where = kWhere);
  //! "%f" into a 32-bit float.
  float ScanFloat(const char* where = kWhere);
  //! "%d\n"
  int ScanIntLine(const char* where = kWhere);
  //! "%d %f\n": both numbers must convert.
  struct IntFloat {
    int flag;
    float value;
  };
  IntFloat ScanIntFloatLine(const char* where = kWhere);
  //! "%d %d\n": both numbers must convert.
  struct IntInt {
    int first;
    int second;
  };
  IntInt ScanIntIntLine(const char* where = kWhere);

  //! What a blank or "\n" in a scanf format does: skips all white space.
  void SkipSpace();
  //! Takes blanks, tabs and carriage returns up to and including the newline
  //! that ends the current line; anything else, or the end of the file, fails.
  void EndLine(const char* where = kWhere);

  //! fgets with a buffer of maxChars + 1: the characters up to and including
  //! the next newline, at most maxChars of them. The last line may lack its
  //! newline; at the end of the file it fails.
  static constexpr std::size_t kWholeLine = static_cast<std::size_t>(-1);
  std::string ReadLine(const char* where = kWhere, std::size_t maxChars = kWholeLine);
  //! The next character, whatever it is; at the end of the file it fails.
  char ReadChar(const char* where = kWhere);

  bool AtEnd() const { return pos_ >= text_.size(); }
  //! Characters taken so far.
  std::size_t Offset() const { return pos_; }

  //! Operation named by a FileError when the caller names none.
  static constexpr const char* kWhere = "TextReader";

 private:
  std::string text_;
  std::size_t pos_ = 0;
};

}  // namespace brisca
