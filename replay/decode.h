#pragma once

#include <cstddef>
#include <cstdio>
#include <span>
#include <string_view>

#include "replay/held.h"
#include "replay/replay_info.h"

// Decoding a replay from bytes already in memory: the file's first bytes,
// as many as it has up to layout::kBytesUsed. The window, vantor-info and
// the web page each read them once and decode them with decodeFile.
namespace vantor::replay {

// Three passes in this order: the gear slots, then names, track, tuning
// values, flags, direction and laps, then the eight record rows (times from
// the table that the track picks). The gear pass fills the slots in slot
// order; at the first value that is no known step it writes
// kGearRatioError to messages (unless null) and stops, leaving that slot
// and the later ones as they were, and the answer is false. Bytes past the
// end of file leave what info held (see field_io.h).
inline constexpr const char* kGearRatioError = "Error in read GearRatio\n";
bool decodeReplay(ReplayBytes file, ReplayInfo& info, std::FILE* messages);

// One file's first bytes decoded into a fresh record, so that nothing of
// another file reaches it.
struct DecodedReplay {
  ReplayInfo info;
  std::size_t bytesHeld = 0;  // of the layout::kBytesUsed a replay has: fewer when cut short
  bool gearsComplete = true;  // false after an unknown gear step
  HeldValues held;            // which of info's values the file holds
};
DecodedReplay decodeFile(ReplayBytes file);

// What every screen says, after kGearRatioError, of a file whose gears are
// not complete.
inline constexpr std::string_view kGearNote =
    "gear ratio not a known step; that gear and the ones after it are left empty";

}  // namespace vantor::replay
