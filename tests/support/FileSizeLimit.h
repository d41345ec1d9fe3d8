#pragma once
// A full disk for one scope: files this process writes may not grow past
// `bytes`, and a write beyond it fails with EFBIG instead of killing the
// process with SIGXFSZ. Both the limit and the signal's handler come back
// when the object goes.

#include <sys/resource.h>

#include <csignal>
#include <cstddef>

namespace brisca {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::size_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
    set_ = ::getrlimit(RLIMIT_FSIZE, &previous_) == 0;
    rlimit small = previous_;
    small.rlim_cur = bytes;
    set_ = set_ && ::setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit() {
    if (set_) ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  //! False when the limit could not be set: the test has no full disk.
  bool Set() const { return set_; }

 private:
  void (*handler_)(int);
  rlimit previous_{};
  bool set_ = false;
};

}  // namespace brisca
