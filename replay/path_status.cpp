#include "replay/path_status.h"

#include <sys/stat.h>

#include <cerrno>

namespace vantor::replay {
namespace {

PathKind kindOf(unsigned mode) { return (mode & S_IFMT) == S_IFDIR ? PathKind::folder : PathKind::file; }

}  // namespace

#ifdef _WIN32
namespace {

// The C runtime's status query matches wildcards and a bare drive ("C:",
// that drive's current folder), which name no file for us.
bool namesNoFile(const std::wstring& path) {
  if (path.empty()) return true;
  if (path.find_first_of(L"?*") != std::wstring::npos) return true;
  return path.size() == 2 && path[1] == L':';
}

// The query also fails for "folder\", which a console user types to mean
// the folder. "C:\" and "\" keep their separator: without it they name
// something else.
std::wstring withoutTrailingSeparators(std::wstring path) {
  const auto isSeparator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  while (path.size() > 1 && isSeparator(path.back()) && !(path.size() == 3 && path[1] == L':')) path.pop_back();
  return path;
}

}  // namespace

PathStatus pathStatus(const std::wstring& path) {
  if (namesNoFile(path)) return {PathKind::missing, ENOENT};
  struct _stat64 status{};
  if (_wstat64(withoutTrailingSeparators(path).c_str(), &status) != 0) return {PathKind::missing, errno};
  return {kindOf(status.st_mode), 0};
}
#else
PathStatus pathStatus(const std::string& path) {
  struct stat status{};
  if (::stat(path.c_str(), &status) != 0) return {PathKind::missing, errno};
  return {kindOf(status.st_mode), 0};
}
#endif

}  // namespace vantor::replay
