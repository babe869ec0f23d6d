#pragma once

#include <string>

namespace vantor::replay {

// A path as the platform gives it, never narrowed: UTF-16 on Windows, the
// system's bytes elsewhere. (What std::filesystem::path holds, without the
// weight that type adds to a small program.)
#ifdef _WIN32
using NativePath = std::wstring;
#else
using NativePath = std::string;
#endif

enum class PathKind { missing, folder, file };

struct PathStatus {
  PathKind kind = PathKind::missing;
  int error = 0;  // the system's errno when missing
};

// What the file system's status query says is at path: nothing, a folder,
// or something else that can be opened as a file. The path is in the
// system's own form: bytes on POSIX, UTF-16 on Windows.
PathStatus pathStatus(const NativePath& path);

}  // namespace vantor::replay
