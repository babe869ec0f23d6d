#include "app/startup_path.h"

namespace vantor::app {
namespace {

bool isBlankOrControl(wchar_t c) { return c >= 1 && c <= 32; }

}  // namespace

std::wstring_view commandTail(std::wstring_view fullCommandLine) {
  std::wstring_view rest = fullCommandLine;
  if (rest.starts_with(L'"')) {
    const std::size_t close = rest.find(L'"', 1);
    rest.remove_prefix(close == std::wstring_view::npos ? rest.size() : close + 1);
  } else {
    while (!rest.empty() && rest.front() != L'\0' && !isBlankOrControl(rest.front())) rest.remove_prefix(1);
  }
  while (!rest.empty() && isBlankOrControl(rest.front())) rest.remove_prefix(1);
  return rest;
}

std::wstring startupPath(std::wstring_view commandLine) {
  std::wstring_view path = commandLine;
  if (const std::size_t open = path.find(L'"'); open != std::wstring_view::npos) path.remove_prefix(open + 1);
  if (const std::size_t close = path.rfind(L'"'); close != std::wstring_view::npos) path = path.substr(0, close);
  return std::wstring(path);
}

}  // namespace vantor::app
