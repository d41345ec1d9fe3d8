#include "cli/FileProblems.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/FailureReport.h"
#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/base/MessagePresenter.h"

namespace brisca::cli {

std::string SystemReason(int number) {
  char buffer[256] = {};
  // The GNU strerror_r returns its text, which need not lie in `buffer`.
  return strerror_r(number, buffer, sizeof buffer);
}

void ReportFileProblem(int code, const std::string& path, const std::string& reason) {
  NoteFailurePath(path);
  Message message = ComposeErrorMessage(code);
  // "...Map File.: x.map" reads badly: the sentence's full stop goes too.
  while (!message.text.empty() && (message.text.back() == '\n' || message.text.back() == ' ' ||
                                   message.text.back() == '.'))
    message.text.pop_back();
  message.text += ": " + path;
  if (!reason.empty()) message.text += ": " + reason;
  CurrentPresenter().Show(message);
}

bool CheckInputFile(const std::string& path, int openCode) {
  if (path == "-") return true;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    const int number = errno;
    // A name too long or a link loop: the path cannot even be looked at.
    const bool unusable = number == ENAMETOOLONG || number == ELOOP;
    ReportFileProblem(unusable ? kErrUnusablePath : openCode, path, SystemReason(number));
    return false;
  }
  struct stat info {};
  const bool folder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
  ::close(fd);
  if (folder) {
    ReportFileProblem(openCode, path, SystemReason(EISDIR));
    return false;
  }
  return true;
}

std::string WhyCannotWrite(const std::string& path) {
  namespace fs = std::filesystem;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return SystemReason(EISDIR);
  const std::string parent = fs::path(path).parent_path().string();
  const std::string folder = parent.empty() ? std::string(".") : parent;
  if (::stat(folder.c_str(), &info) != 0) return SystemReason(errno);
  if (!S_ISDIR(info.st_mode)) return SystemReason(ENOTDIR);
  if (::access(folder.c_str(), W_OK) != 0) return SystemReason(errno);
  if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0)
    return SystemReason(errno);
  return {};
}

}  // namespace brisca::cli
