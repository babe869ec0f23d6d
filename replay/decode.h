#pragma once

#include <cstdio>
#include <span>

#include "replay/replay_info.h"

// The three passes of a load, over bytes already in memory: the file's
// first bytes, as many as it has up to layout::kBytesUsed. The reader runs
// each over its own read of the file; a caller that holds the bytes once
// can run all three and gets the same ReplayInfo.
namespace vantor::replay {

using ReplayBytes = std::span<const unsigned char>;

// Fills the gear slots in slot order. At the first value that is no known
// step it writes kGearRatioError to messages and stops, leaving that slot
// and the later ones as they were; returns false then.
inline constexpr const char* kGearRatioError = "Error in read GearRatio\n";
bool decodeGearRatios(ReplayBytes file, ReplayInfo& info, std::FILE* messages);

// Names, track, tuning values, flags, direction and laps.
void decodeMainFields(ReplayBytes file, ReplayInfo& info);

// The eight record rows, times taken from the table that info.isMonteCarlo picks.
void decodeRecords(ReplayBytes file, ReplayInfo& info);

// All three, in load order; false when the gear pass stopped early.
bool decodeReplay(ReplayBytes file, ReplayInfo& info, std::FILE* messages);

}  // namespace vantor::replay
