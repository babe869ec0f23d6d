#include "cli/file_system.h"

namespace vantor::cli {

std::filesystem::path toFsPath(const std::string& path) {
#ifdef _WIN32
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
#else
  return std::filesystem::path(path);
#endif
}

std::string fromFsPath(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::u8string utf8 = path.u8string();
  return {utf8.begin(), utf8.end()};
#else
  return path.native();
#endif
}

std::string nameOf(const std::filesystem::path& path) {
#ifdef _WIN32
  return fromFsPath(path.filename());
#else
  // Cut from the system's bytes, which a folder of thousands asks for
  // thousands of times: filename() parses the whole path each time.
  const std::string& full = path.native();
  return full.substr(full.rfind('/') + 1);
#endif
}

bool assignNativePath(replay::NativePath& native, std::string_view path) {
#ifdef _WIN32
  auto converted = nativePath(std::string(path));
  if (converted) native = std::move(*converted);
  return converted.has_value();
#else
  native.assign(path);
  return true;
#endif
}

std::optional<replay::NativePath> nativePath(const std::string& path) {
#ifdef _WIN32
  try {
    return toFsPath(path).native();
  } catch (const std::exception&) {
    return std::nullopt;
  }
#else
  return path;
#endif
}

}  // namespace vantor::cli
