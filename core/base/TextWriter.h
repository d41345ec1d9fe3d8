#pragma once
// Writes the lines of a data file in the fixed C formats, never through the
// process locale. Every write checks the stream: a write the stream refuses
// throws FileError 44. A buffered stream may only notice a full disk when it
// is flushed, so the file's owner ends with Flush() before it closes the file.

#include <iosfwd>
#include <string_view>

namespace brisca {

class TextWriter {
 public:
  //! Writes to `out`, which must outlive the writer.
  explicit TextWriter(std::ostream& out);

  //! "%d\n"
  void WriteInt(int value, const char* where = kWhere);
  //! "%f\n": six decimals, C rounding.
  void WriteFloat(double value, const char* where = kWhere);
  //! "%d %f\n"
  void WriteIntFloat(int flag, double value, const char* where = kWhere);
  //! "%d %d\n"
  void WriteIntInt(int first, int second, const char* where = kWhere);
  //! "%s\n": the text as it is (line breaks inside it included), then a newline.
  void WriteLine(std::string_view text, const char* where = kWhere);
  //! The text as it is, no newline added.
  void Write(std::string_view text, const char* where = kWhere);
  //! Pushes buffered text to the file; failure throws FileError 44.
  void Flush(const char* where = kWhere);

  //! Operation named by a FileError when the caller names none.
  static constexpr const char* kWhere = "TextWriter";

 private:
  std::ostream& out_;
};

}  // namespace brisca
