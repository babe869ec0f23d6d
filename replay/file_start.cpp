#include "replay/file_start.h"

#include <cerrno>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vantor::replay {
namespace {

ReadResult failed() { return {-1, errno}; }

}  // namespace

ReadResult readStreamStart(std::FILE* stream, ReadBuffer buffer) {
  std::size_t size = 0;
  while (size < buffer.size()) {
    const std::size_t got = std::fread(buffer.data() + size, 1, buffer.size() - size, stream);
    if (got == 0) break;
    size += got;
  }
  if (std::ferror(stream) != 0) return failed();
  return {static_cast<std::ptrdiff_t>(size), 0};
}

#ifdef _WIN32
ReadResult readFileStart(const NativePath& path, ReadBuffer buffer) {
  std::FILE* file = _wfopen(path.c_str(), L"rb");
  if (file == nullptr) return failed();
  const ReadResult result = readStreamStart(file, buffer);
  std::fclose(file);
  return result;
}

OpenFolder::OpenFolder(const NativePath&) {}
OpenFolder::~OpenFolder() = default;
ReadResult OpenFolder::readFileStart(const NativePath&, const NativePath& path, ReadBuffer buffer) const {
  return replay::readFileStart(path, buffer);
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
      const ReadResult result = failed();
      ::close(fd);
      return result;
    }
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  ::close(fd);
  return {static_cast<std::ptrdiff_t>(size), 0};
}

}  // namespace

ReadResult readFileStart(const NativePath& path, ReadBuffer buffer) {
  return readDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC), buffer);
}

OpenFolder::OpenFolder(const NativePath& path) : descriptor_(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

OpenFolder::~OpenFolder() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

ReadResult OpenFolder::readFileStart(const NativePath& name, const NativePath& path, ReadBuffer buffer) const {
  if (descriptor_ < 0) return replay::readFileStart(path, buffer);
  return readDescriptor(::openat(descriptor_, name.c_str(), O_RDONLY | O_CLOEXEC), buffer);
}
#endif

}  // namespace vantor::replay
