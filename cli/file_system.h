#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

// The few file-system calls vantor-info makes, over paths held as the bytes
// the user gave: the system's own bytes on POSIX, UTF-8 on Windows (where
// the command line arrives as UTF-16 and is converted once).
namespace vantor::cli {

enum class PathKind { missing, directory, other };

struct PathStatus {
  PathKind kind = PathKind::missing;
  std::string reason;  // why it is missing, from the system
};

PathStatus statusOf(const std::string& path);

// Up to buffer.size() bytes from the start of the file; the count read, or
// -1 with reason set when it cannot be opened or read.
std::ptrdiff_t readFileStart(const std::string& path, std::span<unsigned char> buffer, std::string& reason);

// The same for a file named within a folder opened with openFolder: the
// system then looks up one name instead of the whole path again. Without
// such a folder (kNoFolder) the path is opened.
inline constexpr int kNoFolder = -1;
int openFolder(const std::string& path);
void closeFolder(int folder);
std::ptrdiff_t readFileStartAt(int folder, const std::string& name, const std::string& path,
                               std::span<unsigned char> buffer, std::string& reason);

// The same from an open stream, for standard input.
std::ptrdiff_t readStreamStart(std::FILE* stream, std::span<unsigned char> buffer, std::string& reason);

std::filesystem::path toFsPath(const std::string& path);
std::string fromFsPath(const std::filesystem::path& path);

// What joins a folder and a name in paths we build: the separator users of
// this system type, so Windows captions show just the file's name.
inline constexpr char kSeparator =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif

}  // namespace vantor::cli
