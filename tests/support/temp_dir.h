#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vantor::testing {

// A fresh folder for one test's files, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  [[nodiscard]] std::string path() const { return dir_.string(); }
  // The full path of name inside the folder (not created). Joined as bytes,
  // so that a name in the system's code page reaches the file calls as is.
  [[nodiscard]] std::string pathOf(const std::string& name) const {
    return path() + static_cast<char>(std::filesystem::path::preferred_separator) + name;
  }
  // Writes bytes as name and returns its full path.
  std::string write(const std::string& name, const std::vector<unsigned char>& bytes) const;

 private:
  std::filesystem::path dir_;
};

}  // namespace vantor::testing
