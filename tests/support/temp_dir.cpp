#include "tests/support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <system_error>

#include "tests/support/replay_builder.h"

namespace vantor::testing {

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (;;) {
    dir_ = std::filesystem::temp_directory_path() /
           ("vantor-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    if (std::filesystem::create_directory(dir_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::string TempDir::write(const std::string& name, const std::vector<unsigned char>& bytes) const {
  std::string file = pathOf(name);
  writeFile(file, bytes);
  return file;
}

}  // namespace vantor::testing
