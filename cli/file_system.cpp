#include "cli/file_system.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <cstdio>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vantor::cli {
namespace {

std::string lastError() { return std::strerror(errno); }

#ifdef _WIN32
// The status query fails for "dir\\" though the folder exists; "C:\\" and
// "\\" keep theirs, since without it they name something else.
std::string withoutTrailingSeparators(std::string path) {
  const auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
  while (path.size() > 1 && isSeparator(path.back()) && !(path.size() == 3 && path[1] == ':')) path.pop_back();
  return path;
}
#endif

}  // namespace

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

PathStatus statusOf(const std::string& path) {
  errno = 0;
#ifdef _WIN32
  struct _stat64 status{};
  int failed = -1;
  errno = ENOENT;
  try {
    if (!path.empty()) failed = _wstat64(toFsPath(withoutTrailingSeparators(path)).c_str(), &status);
  } catch (const std::exception&) {
    errno = EILSEQ;
  }
#else
  struct stat status{};
  const int failed = ::stat(path.c_str(), &status);
#endif
  if (failed != 0) return {PathKind::missing, lastError()};
  return {(status.st_mode & S_IFMT) == S_IFDIR ? PathKind::directory : PathKind::other, {}};
}

std::ptrdiff_t readStreamStart(std::FILE* stream, std::span<unsigned char> buffer, std::string& reason) {
  std::size_t size = 0;
  while (size < buffer.size()) {
    const std::size_t got = std::fread(buffer.data() + size, 1, buffer.size() - size, stream);
    if (got == 0) break;
    size += got;
  }
  if (std::ferror(stream) != 0) {
    reason = lastError();
    return -1;
  }
  return static_cast<std::ptrdiff_t>(size);
}

#ifdef _WIN32
int openFolder(const std::string&) { return kNoFolder; }
void closeFolder(int) {}
std::ptrdiff_t readFileStartAt(int, const std::string&, const std::string& path, std::span<unsigned char> buffer,
                               std::string& reason) {
  return readFileStart(path, buffer, reason);
}

std::ptrdiff_t readFileStart(const std::string& path, std::span<unsigned char> buffer, std::string& reason) {
  std::FILE* file = nullptr;
  try {
    file = _wfopen(toFsPath(path).c_str(), L"rb");
  } catch (const std::exception&) {
    errno = EILSEQ;
  }
  if (file == nullptr) {
    reason = lastError();
    return -1;
  }
  const std::ptrdiff_t size = readStreamStart(file, buffer, reason);
  std::fclose(file);
  return size;
}
#else
int openFolder(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return fd < 0 ? kNoFolder : fd;
}

void closeFolder(int folder) {
  if (folder != kNoFolder) ::close(folder);
}

std::ptrdiff_t readFileStart(const std::string& path, std::span<unsigned char> buffer, std::string& reason) {
  return readFileStartAt(kNoFolder, path, path, buffer, reason);
}

// Plain system calls: no stdio buffer to set up and tear down for each of
// thousands of small reads.
std::ptrdiff_t readFileStartAt(int folder, const std::string& name, const std::string& path,
                               std::span<unsigned char> buffer, std::string& reason) {
  const int fd = folder == kNoFolder ? ::open(path.c_str(), O_RDONLY | O_CLOEXEC)
                                     : ::openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    reason = lastError();
    return -1;
  }
  std::size_t size = 0;
  while (size < buffer.size()) {
    const ssize_t got = ::read(fd, buffer.data() + size, buffer.size() - size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      reason = lastError();
      ::close(fd);
      return -1;
    }
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  ::close(fd);
  return static_cast<std::ptrdiff_t>(size);
}
#endif

}  // namespace vantor::cli
