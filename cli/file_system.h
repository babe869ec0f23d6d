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

using ReadBuffer = std::span<unsigned char>;

struct ReadResult {
  std::ptrdiff_t size = -1;  // bytes read, or -1 when the file cannot be opened or read
  std::string error;         // why not, from the system
};

// Up to buffer.size() bytes from the start of the file.
ReadResult readFileStart(const std::string& path, ReadBuffer buffer);

// The same from an open stream, for standard input.
ReadResult readStreamStart(std::FILE* stream, ReadBuffer buffer);

// A folder held open while its files are read: the system then looks up one
// name instead of the whole path again. Where that is not to be had, the
// path is opened.
class OpenFolder {
 public:
  explicit OpenFolder(const std::string& path);
  ~OpenFolder();
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;

  // name within the folder; path (the folder joined with name) for messages.
  ReadResult readFileStart(const std::string& name, const std::string& path, ReadBuffer buffer) const;

 private:
  int descriptor_ = -1;
};

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
