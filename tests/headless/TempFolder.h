#pragma once

// A fresh folder of a test's own under the system's temporary folder,
// removed with everything in it when the test ends; other builds may run the
// same suites at the same time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

namespace headless_testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fermat-headless-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp " << pattern;
    // Canonical, so that the program's own resolution of a path compares.
    path_ = std::filesystem::canonical(pattern);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  [[nodiscard]] const std::filesystem::path& path() const noexcept { return path_; }
  [[nodiscard]] std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  // Every name in the folder, hidden ones included; a folder's with a '/'.
  [[nodiscard]] std::set<std::string> names() const {
    std::set<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(path_)) {
      out.insert(e.path().filename().string() + (e.is_directory() ? "/" : ""));
    }
    return out;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace headless_testing
