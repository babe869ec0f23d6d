#include "replay/long_path.h"

#include <algorithm>

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

}  // namespace vantor::replay
