#include "app/file_system_path.h"

#include <windows.h>

#include "replay/long_path.h"

namespace vantor::app {

std::wstring fileSystemPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return replay::extendedLengthPath(full);
}

}  // namespace vantor::app
