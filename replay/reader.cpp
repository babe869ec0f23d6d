#include "replay/reader.h"

#include <array>
#include <cstdio>

#include "replay/decode.h"
#include "replay/layout.h"
#include "replay/path_status.h"

namespace vantor::replay {
namespace {


// The first `wanted` bytes of the file, or fewer when it is shorter. A file
// that cannot be opened or read (a directory, a locked file) gives nothing.
template <typename Decode>
int withFileStart(const std::string& path, std::size_t wanted, Decode decode) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return -1;
  std::array<unsigned char, layout::kBytesUsed> buffer;
  std::size_t size = 0;
  while (size < wanted) {
    const std::size_t got = std::fread(buffer.data() + size, 1, wanted - size, file);
    if (got == 0) break;
    size += got;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return -1;
  decode(ReplayBytes(buffer.data(), size));
  return 0;
}

}  // namespace

int load(const std::string& path, ReplayInfo& info) {
  if (pathStatus(path).kind == PathKind::missing) return -1;
  readGearRatios(path, info);
  readMainFields(path, info);
  readRecords(path, info);
  return 0;
}

int readGearRatios(const std::string& path, ReplayInfo& info) {
  return withFileStart(path, layout::kGearPassEnd,
                       [&](ReplayBytes bytes) { decodeGearRatios(bytes, info, stderr); });
}

int readMainFields(const std::string& path, ReplayInfo& info) {
  return withFileStart(path, layout::kMainPassEnd,
                       [&](ReplayBytes bytes) { decodeMainFields(bytes, info); });
}

int readRecords(const std::string& path, ReplayInfo& info) {
  return withFileStart(path, layout::kRecordPassEnd,
                       [&](ReplayBytes bytes) { decodeRecords(bytes, info); });
}

}  // namespace vantor::replay
