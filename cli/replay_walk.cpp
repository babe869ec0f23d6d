#include "cli/replay_walk.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "cli/file_system.h"

namespace vantor::cli {
namespace {

namespace fs = std::filesystem;

struct Entry {
  std::string name;
  bool folder = false;
};

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A replay is a regular file, or a link to one; a FIFO or device named
// *.rpl would block or never end, so it is left out.
bool isReplayFile(const fs::directory_entry& entry) {
  std::error_code ec;
  if (entry.is_regular_file(ec)) return true;
  return entry.is_symlink(ec) && fs::is_regular_file(entry.path(), ec);
}

bool listFolder(const std::string& folder, std::vector<Entry>& entries, const WalkHandlers& handlers) {
  std::error_code ec;
  fs::directory_iterator it(toFsPath(folder), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const fs::directory_entry& entry = *it;
    std::error_code kindError;
    const bool folderEntry = !entry.is_symlink(kindError) && entry.is_directory(kindError);
    std::string name = fromFsPath(entry.path().filename());
    if (folderEntry) {
      entries.push_back({std::move(name), true});
    } else if (hasReplayExtension(name) && isReplayFile(entry)) {
      entries.push_back({std::move(name), false});
    }
  }
  if (ec) {
    handlers.onError(folder, ec.message());
    return false;
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return true;
}

std::string joined(const std::string& folder, const std::string& name) {
  const bool endsInSeparator = !folder.empty() && (folder.back() == '/' || folder.back() == kSeparator);
  return endsInSeparator ? folder + name : folder + kSeparator + name;
}

}  // namespace

bool hasReplayExtension(std::string_view name) {
  constexpr std::string_view kExtension = ".rpl";
  if (name.size() <= kExtension.size()) return false;
  const std::string_view tail = name.substr(name.size() - kExtension.size());
  return std::equal(tail.begin(), tail.end(), kExtension.begin(), [](char a, char b) { return lowerAscii(a) == b; });
}

bool walkReplays(const std::string& folder, const WalkHandlers& handlers) {
  std::vector<Entry> entries;
  try {
    if (!listFolder(folder, entries, handlers)) return true;
  } catch (const std::exception& error) {  // a name the system cannot convert
    handlers.onError(folder, error.what());
    return true;
  }
  const int handle = openFolder(folder);
  bool goOn = true;
  for (const Entry& entry : entries) {
    const std::string path = joined(folder, entry.name);
    goOn = entry.folder ? walkReplays(path, handlers) : handlers.onReplay({path, handle, entry.name});
    if (!goOn) break;
  }
  closeFolder(handle);
  return goOn;
}

}  // namespace vantor::cli
