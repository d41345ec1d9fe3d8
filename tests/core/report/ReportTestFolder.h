#pragma once
// A scratch report folder for the report tests, removed with its contents.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace brisca::testing {

class ReportTestFolder {
 public:
  ReportTestFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("brisca-kalvex-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~ReportTestFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ReportTestFolder(const ReportTestFolder&) = delete;
  ReportTestFolder& operator=(const ReportTestFolder&) = delete;

  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
  const std::filesystem::path& Path() const { return path_; }

  void Write(std::string_view name, std::string_view text) const { WriteFile(path_ / name, text); }
  std::string Read(std::string_view name) const { return ReadFile(path_ / name); }

  static void WriteFile(const std::filesystem::path& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
  }
  static std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path path_;
};

}  // namespace brisca::testing
