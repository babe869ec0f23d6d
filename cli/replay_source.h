#pragma once

#include <cstdio>
#include <string>

#include "replay/replay_info.h"

namespace vantor::cli {

struct ReadOutcome {
  bool read = false;          // false: the file could not be opened or read
  std::string reason;         // why not, from the system
  bool gearsComplete = true;  // false: a gear value was no known step
};

// Reads the start of the file once and decodes the three passes from that
// one buffer: for a file that does not change meanwhile, the same as
// replay::load into the same info.
ReadOutcome readReplayFile(const std::string& path, replay::ReplayInfo& info);

// The same for a file that a folder walk found: name within folder (see
// openFolder), path for the messages.
ReadOutcome readReplayFileAt(int folder, const std::string& name, const std::string& path, replay::ReplayInfo& info);

// The same for a replay arriving on a stream (standard input).
ReadOutcome readReplayStream(std::FILE* stream, replay::ReplayInfo& info);

}  // namespace vantor::cli
