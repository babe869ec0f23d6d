#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tests/support/replay_builder.h"

namespace vantor::testing {

// A fresh folder for one test's files, removed with everything in it at the end.
class TempDir {
 public:
  TempDir() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    do {
      dir_ = std::filesystem::temp_directory_path() / ("vantor-test-" + stamp + "-" + std::to_string(counter++));
    } while (!std::filesystem::create_directory(dir_));
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  [[nodiscard]] std::string path() const { return dir_.string(); }
  // The full path of name inside the folder (not created). Joined as bytes,
  // so that a name in the system's code page reaches the file calls as is.
  [[nodiscard]] std::string pathOf(const std::string& name) const {
    return path() + static_cast<char>(std::filesystem::path::preferred_separator) + name;
  }
  // Writes bytes as name and returns its full path.
  std::string write(const std::string& name, const std::vector<unsigned char>& bytes) const {
    writeFile(pathOf(name), bytes);
    return pathOf(name);
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace vantor::testing
