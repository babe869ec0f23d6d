#include "replay/path_status.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>

#include "replay/long_path.h"
#else
#include <sys/stat.h>
#endif

namespace vantor::replay {

#ifdef _WIN32
namespace {

// Wildcards and a bare drive ("C:", that drive's current folder) name no
// file for us.
bool namesNoFile(const std::wstring& path) {
  if (path.empty()) return true;
  if (path.find_first_of(L"?*") != std::wstring::npos) return true;
  return path.size() == 2 && path[1] == L':';
}

// "folder\", as a console user types it, means the folder, yet "file\"
// names nothing. "C:\" and "\" keep their separator: without it they name
// something else.
std::wstring withoutTrailingSeparators(std::wstring path) {
  const auto isSeparator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  while (path.size() > 1 && isSeparator(path.back()) && !(path.size() == 3 && path[1] == L':')) path.pop_back();
  return path;
}

}  // namespace

// Asked of the system itself: msvcrt's status query refuses a name with a
// "?", and the form without the length limit starts with one. Like that
// query, this answers ENOENT to whatever fails.
PathStatus pathStatus(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA status{};
  if (namesNoFile(path) ||
      !GetFileAttributesExW(fileSystemPath(withoutTrailingSeparators(path)).c_str(), GetFileExInfoStandard, &status))
    return {PathKind::missing, ENOENT};
  return {(status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::folder : PathKind::file, 0};
}
#else
PathStatus pathStatus(const std::string& path) {
  struct stat status{};
  if (::stat(path.c_str(), &status) != 0) return {PathKind::missing, errno};
  return {(status.st_mode & S_IFMT) == S_IFDIR ? PathKind::folder : PathKind::file, 0};
}
#endif

}  // namespace vantor::replay
