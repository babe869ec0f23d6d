#pragma once

#include <string>

namespace vantor::replay {

enum class PathKind { missing, folder, file };

struct PathStatus {
  PathKind kind = PathKind::missing;
  int error = 0;  // the system's errno when missing
};

// What the file system's status query says is at path: nothing, a folder,
// or something else that can be opened as a file. The path is the system's
// narrow form: bytes on POSIX, the ANSI code page on Windows.
PathStatus pathStatus(const std::string& path);

#ifdef _WIN32
// The same for a path in UTF-16, as a console program receives it.
PathStatus pathStatus(const std::wstring& path);
#endif

}  // namespace vantor::replay
