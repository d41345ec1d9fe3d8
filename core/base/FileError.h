#pragma once
// The one error type of the data files. A spec value or record that fails to
// read or write throws it; the file's owner catches it once, closes the file,
// reports the code through ReportErrorCode and returns false.

#include <stdexcept>
#include <string>

namespace brisca {

//! Numbered file error codes (see the message table).
enum FileErrorCode : int {
  kErrOpen = 43,            //!< "Unable to Open the Selected File"
  kErrWrite = 44,           //!< "Unable to Write to the Selected File"
  kErrRead = 45,            //!< "Unable to Read from the Selected File"
  kErrClose = 46,           //!< "Unable to Close the Selected File"
  kErrInvalidValue = 47,    //!< the file holds a value outside its limits
  kErrEngineVersion = 48,   //!< engine file of another version
  kErrFlowVersion = 49,     //!< flow file of another version
  kErrCamVersion = 50,      //!< cam file of another version
};

class FileError : public std::runtime_error {
 public:
  FileError(int code, const char* where)
      : std::runtime_error(std::string(where) + ": file error " + std::to_string(code)),
        code_(code),
        where_(where) {}

  int code() const { return code_; }
  //! The operation that detected the error, e.g. "CFloatPtSpec::Read".
  const char* where() const { return where_; }

 private:
  int code_;
  const char* where_;
};

}  // namespace brisca
