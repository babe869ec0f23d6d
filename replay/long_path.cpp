#include "replay/long_path.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vantor::replay {

namespace {

bool isPrefixed(std::wstring_view path) { return path.starts_with(LR"(\\?\)") || path.starts_with(LR"(\\.\)"); }

}  // namespace

std::wstring extendedLengthPath(std::wstring_view path) {
  if (isPrefixed(path)) return std::wstring(path);
  std::wstring normal(path);
  std::replace(normal.begin(), normal.end(), L'/', L'\\');
  const wchar_t letter = normal.empty() ? L'\0' : static_cast<wchar_t>(normal[0] | 0x20);
  if (letter >= L'a' && letter <= L'z' && normal.substr(1, 2) == LR"(:\)") return LR"(\\?\)" + normal;
  if (normal.starts_with(LR"(\\)") && !isPrefixed(normal)) return LR"(\\?\UNC)" + normal.substr(1);
  return normal;
}

#ifdef _WIN32
std::wstring fileSystemPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return extendedLengthPath(full);
}
#endif

}  // namespace vantor::replay
