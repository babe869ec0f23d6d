#include "cli/folder_listing.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "cli/file_system.h"
#include "replay/tables.h"

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace vantor::cli {

bool hasReplayExtension(std::string_view name) {
  constexpr std::string_view kExtension = ".rpl";
  if (name.size() <= kExtension.size()) return false;
  const std::string_view tail = name.substr(name.size() - kExtension.size());
  return std::equal(tail.begin(), tail.end(), kExtension.begin(),
                    [](char a, char b) { return replay::asciiLower(a) == b; });
}

void FolderListing::add(std::string_view name, bool isFolder) {
  starts_.push_back(names_.size());
  names_.append(name).push_back('\0');
  entries_.push_back({{}, isFolder});
}

// The names are pointed at once they are all in place.
void FolderListing::sortByName() {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    entries_[i].name = std::string_view(names_.data() + starts_[i]);
  }
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
}

#ifdef _WIN32
FolderListing::FolderListing(const std::string& folder, std::error_code& ec) {
  namespace fs = std::filesystem;
  fs::directory_iterator it(toFsPath(folder), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const fs::directory_entry& entry = *it;
    std::error_code kindError;
    const bool isFolder = !entry.is_symlink(kindError) && entry.is_directory(kindError);
    const std::string name = nameOf(entry.path());
    if (isFolder) {
      add(name, true);
    } else if (hasReplayExtension(name)) {
      const bool isFile = entry.is_regular_file(kindError) ||
                          (entry.is_symlink(kindError) && fs::is_regular_file(entry.path(), kindError));
      if (isFile) add(name, false);
    }
  }
  sortByName();
}
#else
namespace {

enum class Kind { folder, replay, other };

// From the listing's own type where the file system gives one; a link is
// followed to what it names, a folder's link is not walked.
Kind kindOf(int folder, const dirent& entry) {
  const std::string_view name(entry.d_name);
  unsigned char type = entry.d_type;
  struct stat status {};
  if (type == DT_UNKNOWN && ::fstatat(folder, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) == 0) {
    type = S_ISDIR(status.st_mode) ? DT_DIR : S_ISREG(status.st_mode) ? DT_REG : S_ISLNK(status.st_mode) ? DT_LNK : DT_UNKNOWN;
  }
  if (type == DT_DIR) return Kind::folder;
  if (!hasReplayExtension(name)) return Kind::other;
  if (type == DT_REG) return Kind::replay;
  const bool linksToFile = type == DT_LNK && ::fstatat(folder, entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
  return linksToFile ? Kind::replay : Kind::other;
}

}  // namespace

FolderListing::FolderListing(const std::string& folder, std::error_code& ec) {
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) {
    ec.assign(errno, std::generic_category());
    return;
  }
  const int descriptor = ::dirfd(listing);
  errno = 0;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    const Kind kind = kindOf(descriptor, *entry);
    if (kind != Kind::other) add(name, kind == Kind::folder);
  }
  if (errno != 0) ec.assign(errno, std::generic_category());
  ::closedir(listing);
  sortByName();
}
#endif

}  // namespace vantor::cli
