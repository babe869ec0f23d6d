#include "cli/replay_source.h"

#include <array>

#include "cli/file_system.h"
#include "replay/decode.h"
#include "replay/layout.h"

namespace vantor::cli {
namespace {

using Buffer = std::array<unsigned char, replay::layout::kBytesUsed>;

ReadOutcome decoded(const Buffer& buffer, std::ptrdiff_t size, std::string reason, replay::ReplayInfo& info) {
  if (size < 0) return {false, std::move(reason), true};
  const bool complete = replay::decodeReplay(replay::ReplayBytes(buffer.data(), static_cast<std::size_t>(size)), info);
  return {true, {}, complete};
}

}  // namespace

ReadOutcome readReplayFile(const std::string& path, replay::ReplayInfo& info) {
  Buffer buffer;
  std::string reason;
  const std::ptrdiff_t size = readFileStart(path, buffer, reason);
  return decoded(buffer, size, std::move(reason), info);
}

ReadOutcome readReplayFileAt(int folder, const std::string& name, const std::string& path,
                             replay::ReplayInfo& info) {
  Buffer buffer;
  std::string reason;
  const std::ptrdiff_t size = readFileStartAt(folder, name, path, buffer, reason);
  return decoded(buffer, size, std::move(reason), info);
}

ReadOutcome readReplayStream(std::FILE* stream, replay::ReplayInfo& info) {
  Buffer buffer;
  std::string reason;
  const std::ptrdiff_t size = readStreamStart(stream, buffer, reason);
  return decoded(buffer, size, std::move(reason), info);
}

}  // namespace vantor::cli
