#include "replay/path_status.h"

#include <sys/stat.h>

#include <cerrno>
#include <string_view>

#ifdef _WIN32
#include <io.h>
#endif

namespace vantor::replay {
namespace {

PathKind kindOf(unsigned mode) { return (mode & S_IFMT) == S_IFDIR ? PathKind::folder : PathKind::file; }

}  // namespace

#ifdef _WIN32
namespace {

// The form that lifts the 260-character limit: "\\?\C:\..." and
// "\\?\UNC\server\share\...". Its "?" is no wildcard.
constexpr std::wstring_view kExtendedPrefix = L"\\\\?\\";

std::wstring_view withoutExtendedPrefix(std::wstring_view path) {
  return path.starts_with(kExtendedPrefix) ? path.substr(kExtendedPrefix.size()) : path;
}

// The C runtime's status query matches wildcards and a bare drive ("C:",
// that drive's current folder), which name no file for us.
bool namesNoFile(std::wstring_view path) {
  path = withoutExtendedPrefix(path);
  if (path.empty()) return true;
  if (path.find_first_of(L"?*") != std::wstring_view::npos) return true;
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

// The status query refuses any name that holds a "?", the extended form's
// among them; the folder search takes that form as it is.
PathStatus extendedPathStatus(const std::wstring& path) {
  _wfinddata64_t found{};
  const intptr_t search = _wfindfirst64(path.c_str(), &found);
  if (search == -1) return {PathKind::missing, errno};
  _findclose(search);
  return {(found.attrib & _A_SUBDIR) != 0 ? PathKind::folder : PathKind::file, 0};
}

}  // namespace

PathStatus pathStatus(const std::wstring& path) {
  if (namesNoFile(path)) return {PathKind::missing, ENOENT};
  const std::wstring query = withoutTrailingSeparators(path);
  if (query.starts_with(kExtendedPrefix)) return extendedPathStatus(query);
  struct _stat64 status{};
  if (_wstat64(query.c_str(), &status) != 0) return {PathKind::missing, errno};
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
