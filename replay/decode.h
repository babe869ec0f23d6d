#pragma once

#include <cstdio>
#include <span>

#include "replay/replay_info.h"

// Decoding a replay from bytes already in memory: the file's first bytes,
// as many as it has up to layout::kBytesUsed. The reader, vantor-info and
// the web page each read them once and decode them into an empty record.
namespace vantor::replay {

using ReplayBytes = std::span<const unsigned char>;

// Three passes in this order: the gear slots, then names, track, tuning
// values, flags, direction and laps, then the eight record rows (times from
// the table that the track picks). The gear pass fills the slots in slot
// order; at the first value that is no known step it writes
// kGearRatioError to messages and stops, leaving that slot and the later
// ones as they were, and the answer is false. Bytes past the end of file
// leave what info held (see field_io.h).
inline constexpr const char* kGearRatioError = "Error in read GearRatio\n";
bool decodeReplay(ReplayBytes file, ReplayInfo& info, std::FILE* messages);

}  // namespace vantor::replay
