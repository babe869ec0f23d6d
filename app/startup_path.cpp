#include "app/startup_path.h"

namespace vantor::app {
namespace {

bool isBlankOrControl(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

}  // namespace

std::string_view commandTail(std::string_view fullCommandLine) {
  std::string_view rest = fullCommandLine;
  if (rest.starts_with('"')) {
    const std::size_t close = rest.find('"', 1);
    rest.remove_prefix(close == std::string_view::npos ? rest.size() : close + 1);
  } else {
    while (!rest.empty() && rest.front() != '\0' && !isBlankOrControl(rest.front())) rest.remove_prefix(1);
  }
  while (!rest.empty() && isBlankOrControl(rest.front())) rest.remove_prefix(1);
  return rest;
}

std::string startupPath(std::string_view commandLine) {
  std::string_view path = commandLine;
  if (const std::size_t open = path.find('"'); open != std::string_view::npos) path.remove_prefix(open + 1);
  if (const std::size_t close = path.rfind('"'); close != std::string_view::npos) path = path.substr(0, close);
  return std::string(path);
}

}  // namespace vantor::app
