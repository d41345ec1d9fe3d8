#pragma once
// The one error type of the data files. A spec value or record that fails to
// read or write throws it; the file's owner catches it once, closes the file,
// reports the code through ReportErrorCode and returns false.

#include <stdexcept>
#include <string>
#include <utility>

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
  kErrRemove = 350,         //!< a file of ours that cannot be removed
  kErrNotRegularFile = 351, //!< a device, pipe or socket given as a data file
  kErrUnusablePath = 352,   //!< a name too long, a link loop: the path cannot even be looked at
  kErrOutputFolderIsFile = 353,  //!< an output folder's name is taken by a file
};

class FileError : public std::runtime_error {
 public:
  FileError(int code, const char* where)
      : std::runtime_error(std::string(where) + ": file error " + std::to_string(code)),
        code_(code),
        where_(where) {}
  //! With the system's own words for the cause (shown by the codes that take a detail).
  FileError(int code, const char* where, std::string detail) : FileError(code, where) {
    detail_ = std::move(detail);
  }

  int code() const { return code_; }
  //! The operation that detected the error, e.g. "CFloatPtSpec::Read".
  const char* where() const { return where_; }
  //! The cause in the system's words, or empty; null-terminated for ReportErrorCode.
  const char* detail() const { return detail_.c_str(); }

 private:
  int code_;
  const char* where_;
  std::string detail_;
};

}  // namespace brisca
