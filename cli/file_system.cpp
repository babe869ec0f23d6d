#include "cli/file_system.h"

#include <cerrno>
#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vantor::cli {
namespace {

ReadResult failed() { return {-1, std::strerror(errno)}; }

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

ReadResult readStreamStart(std::FILE* stream, ReadBuffer buffer) {
  std::size_t size = 0;
  while (size < buffer.size()) {
    const std::size_t got = std::fread(buffer.data() + size, 1, buffer.size() - size, stream);
    if (got == 0) break;
    size += got;
  }
  if (std::ferror(stream) != 0) return failed();
  return {static_cast<std::ptrdiff_t>(size), {}};
}

#ifdef _WIN32
ReadResult readFileStart(const std::string& path, ReadBuffer buffer) {
  std::FILE* file = nullptr;
  try {
    file = _wfopen(toFsPath(path).c_str(), L"rb");
  } catch (const std::exception&) {
    errno = EILSEQ;
  }
  if (file == nullptr) return failed();
  ReadResult result = readStreamStart(file, buffer);
  std::fclose(file);
  return result;
}

OpenFolder::OpenFolder(const std::string&) {}
OpenFolder::~OpenFolder() = default;
ReadResult OpenFolder::readFileStart(const std::string&, const std::string& path, ReadBuffer buffer) const {
  return cli::readFileStart(path, buffer);
}
#else
namespace {

// Plain system calls: no stdio buffer to set up and tear down for each of
// thousands of small reads.
ReadResult readDescriptor(int fd, ReadBuffer buffer) {
  if (fd < 0) return failed();
  std::size_t size = 0;
  while (size < buffer.size()) {
    const ssize_t got = ::read(fd, buffer.data() + size, buffer.size() - size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ReadResult result = failed();
      ::close(fd);
      return result;
    }
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  ::close(fd);
  return {static_cast<std::ptrdiff_t>(size), {}};
}

}  // namespace

ReadResult readFileStart(const std::string& path, ReadBuffer buffer) {
  return readDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC), buffer);
}

OpenFolder::OpenFolder(const std::string& path) : descriptor_(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

OpenFolder::~OpenFolder() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

ReadResult OpenFolder::readFileStart(const std::string& name, const std::string& path, ReadBuffer buffer) const {
  if (descriptor_ < 0) return cli::readFileStart(path, buffer);
  return readDescriptor(::openat(descriptor_, name.c_str(), O_RDONLY | O_CLOEXEC), buffer);
}
#endif

}  // namespace vantor::cli
