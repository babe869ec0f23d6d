#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// What vantor-info walks in a folder: its replays (*.rpl, any letter case,
// regular files or links to one) and its subfolders, sorted by name in
// byte order. A FIFO or device named *.rpl would block or never end, and a
// linked folder could make a loop, so neither is listed.
namespace vantor::cli {

class FolderListing {
 public:
  struct Entry {
    std::string_view name;  // ends in a NUL, for the system's calls
    bool isFolder = false;
  };

  // ec is set when the folder cannot be listed. On Windows a name the system
  // cannot convert throws.
  FolderListing(const std::string& folder, std::error_code& ec);

  [[nodiscard]] const std::vector<Entry>& entries() const { return entries_; }

 private:
  void add(std::string_view name, bool isFolder);
  void sortByName();

  std::string names_;  // every name, each followed by a NUL: one allocation for a folder of thousands
  std::vector<std::size_t> starts_;
  std::vector<Entry> entries_;
};

// Whether a file name ends in ".rpl", ASCII letters folded.
bool hasReplayExtension(std::string_view name);

}  // namespace vantor::cli
