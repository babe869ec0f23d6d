#pragma once

#include <functional>
#include <string>

namespace vantor::cli {

// Calls onReplay with the path of every .rpl file (any letter case) under
// folder, in path order (component by component, byte order), each path
// being folder joined with the file's relative path. Only the names of one
// folder at a time are held. Folders that cannot be listed go to onError
// with the reason; linked folders are not followed, so a link loop cannot
// trap the walk. Stops early when onReplay returns false.
struct FoundReplay {
  const std::string& path;  // folder joined with the relative path
  int folder;               // the open folder that holds it (see openFolder), or kNoFolder
  const std::string& name;  // its name in that folder
};

struct WalkHandlers {
  std::function<bool(const FoundReplay& replay)> onReplay;
  std::function<void(const std::string& path, const std::string& reason)> onError;
};

// False when onReplay asked to stop.
bool walkReplays(const std::string& folder, const WalkHandlers& handlers);

// Whether a file name ends in ".rpl", ASCII letters folded.
bool hasReplayExtension(std::string_view name);

}  // namespace vantor::cli
