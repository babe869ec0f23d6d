#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "replay/path_status.h"

// vantor-info holds paths as the bytes the user gave: the system's own
// bytes on POSIX, UTF-8 on Windows (where the command line arrives as
// UTF-16 and is converted once). These turn them into the system's forms.
namespace vantor::cli {

std::filesystem::path toFsPath(const std::string& path);
std::string fromFsPath(const std::filesystem::path& path);

// The last part of a path that a folder listing gave, in the form above.
std::string nameOf(const std::filesystem::path& path);

// The path as the file functions take it; nothing for a Windows path that
// is no valid UTF-8, which names no file.
std::optional<replay::NativePath> nativePath(const std::string& path);

// The same into a path kept for the next, so that a folder of thousands
// does not make thousands of strings; false where nativePath gives nothing.
bool assignNativePath(replay::NativePath& native, std::string_view path);

// What joins a folder and a name in paths we build: the separator users of
// this system type, so Windows captions show just the file's name.
inline constexpr char kSeparator =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif

}  // namespace vantor::cli
