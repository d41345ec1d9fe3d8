#pragma once
// Files that are not regular files, made in a test's scratch folder: pipes,
// a null device node, a socket. A reader or writer that wrongly opens one must
// fail its test, never hang it, so a pipe always gets a partner that does not
// block either.

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>

namespace brisca {

inline bool MakeFifo(const std::filesystem::path& path) {
  return ::mkfifo(path.c_str(), 0600) == 0;
}

//! A character device like /dev/null (1, 3) in a scratch folder, where saving
//! over it by mistake harms nothing. Only root may make one: false otherwise.
inline bool MakeNullDevice(const std::filesystem::path& path) {
  return ::geteuid() == 0 && ::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
}

//! A listening-less Unix socket bound to `path`; kept until the object goes.
class BoundSocket {
 public:
  explicit BoundSocket(const std::filesystem::path& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = path.string();
    if (fd_ < 0 || name.size() >= sizeof address.sun_path) return;
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    bound_ = ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  }
  ~BoundSocket() {
    if (fd_ >= 0) ::close(fd_);
  }
  BoundSocket(const BoundSocket&) = delete;
  BoundSocket& operator=(const BoundSocket&) = delete;
  bool Bound() const { return bound_; }

 private:
  int fd_;
  bool bound_ = false;
};

//! The reading end of a pipe, open without waiting: a writer that opens the
//! pipe then finds a reader at once, and Take() returns what it wrote.
class FifoDrain {
 public:
  explicit FifoDrain(const std::filesystem::path& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK)) {}
  ~FifoDrain() {
    if (fd_ >= 0) ::close(fd_);
  }
  FifoDrain(const FifoDrain&) = delete;
  FifoDrain& operator=(const FifoDrain&) = delete;
  bool Open() const { return fd_ >= 0; }
  std::string Take() {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;)
      text.append(buffer, static_cast<std::size_t>(n));
    return text;
  }

 private:
  int fd_;
};

//! Writes `text` into a pipe as soon as someone opens it for reading, then
//! closes it, so that a reader that should never have opened the pipe reads
//! the text and ends. Stops looking when it goes.
class FifoFeeder {
 public:
  FifoFeeder(std::filesystem::path path, std::string text)
      : thread_([this, path = std::move(path), text = std::move(text)] { Feed(path, text); }) {}
  ~FifoFeeder() {
    stop_ = true;
    thread_.join();
  }
  FifoFeeder(const FifoFeeder&) = delete;
  FifoFeeder& operator=(const FifoFeeder&) = delete;

 private:
  void Feed(const std::filesystem::path& path, std::string_view text) {
    while (!stop_) {
      // Without a reader a non-blocking open fails (ENXIO): look again shortly.
      const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd < 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        continue;
      }
      [[maybe_unused]] const ssize_t written = ::write(fd, text.data(), text.size());
      ::close(fd);
      return;
    }
  }

  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace brisca
