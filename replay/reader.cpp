#include "replay/reader.h"

#include <array>
#include <cstdio>
#include <optional>

#include "replay/decode.h"
#include "replay/layout.h"
#include "replay/long_path.h"

namespace vantor::replay {
namespace {

std::FILE* openForReading(const NativePath& path) {
#ifdef _WIN32
  return _wfopen(fileSystemPath(path).c_str(), L"rb");
#else
  return std::fopen(path.c_str(), "rb");
#endif
}

// How many of the file's first bytes fill buffer, or nothing when the file
// cannot be opened or read.
std::optional<std::size_t> readStart(const NativePath& path, std::span<unsigned char> buffer) {
  std::FILE* file = openForReading(path);
  if (file == nullptr) return std::nullopt;
  std::size_t size = 0;
  while (size < buffer.size()) {
    const std::size_t got = std::fread(buffer.data() + size, 1, buffer.size() - size, file);
    if (got == 0) break;
    size += got;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return size;
}

}  // namespace

int load(const NativePath& path, ReplayInfo& info) {
  // The status query keeps its own rules for wildcards and bare drives,
  // and a folder is no replay however it opens.
  if (pathStatus(path).kind != PathKind::file) return -1;
  std::array<unsigned char, layout::kBytesUsed> buffer;
  const std::optional<std::size_t> size = readStart(path, buffer);
  if (!size) return -1;
  info = ReplayInfo{};
  decodeReplay(ReplayBytes(buffer.data(), *size), info, stderr);
  return static_cast<int>(*size);
}

}  // namespace vantor::replay
