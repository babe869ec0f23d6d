#include "replay/reader.h"

#include <array>
#include <cstdio>

#include "replay/decode.h"
#include "replay/file_start.h"
#include "replay/layout.h"

namespace vantor::replay {

int load(const NativePath& path, DecodedReplay& replay) {
  // The status query keeps its own rules for wildcards and bare drives,
  // and a folder is no replay however it opens.
  if (pathStatus(path).kind != PathKind::file) return -1;
  std::array<unsigned char, layout::kBytesUsed> buffer;
  const ReadResult read = readFileStart(path, buffer);
  if (read.bytesHeld < 0) return -1;
  replay = decodeFile(ReplayBytes(buffer.data(), static_cast<std::size_t>(read.bytesHeld)));
  if (!replay.gearsComplete) std::fputs(kGearRatioError, stderr);
  return static_cast<int>(replay.bytesHeld);
}

}  // namespace vantor::replay
