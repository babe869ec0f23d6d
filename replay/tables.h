#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "replay/fixed_text.h"

// The game's own codes for tracks, directions, gear steps and lap times,
// and the texts the viewer shows for them. Pure functions over constant
// tables: no state, no files.
namespace vantor::replay {

struct TrackEntry {
  std::string_view key;          // as a replay stores it; case matters
  std::string_view displayName;  // Windows-1252
};

struct GearStep {
  std::string_view text;  // as shown, at most 5 characters
  std::int32_t key;       // as stored: the step times 65536, truncated toward zero
};

// Folds A-Z only, as the "C" locale does; accented letters stay as they are.
constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The display name of a stored track key, matched exactly; none for an unknown key.
std::optional<std::string_view> trackDisplayName(std::string_view key);

// Whether the key starts with "monaco" in any ASCII letter case. Such tracks
// keep their record times in a table of their own.
bool isMonteCarloKey(std::string_view key);

// The direction text for the stored flag pair; none unless both are 0 or 1.
std::optional<std::string_view> directionFor(std::int32_t mirrored, std::int32_t backward);

// The index of the step whose key equals value exactly, or -1.
int gearStepIndex(std::int32_t value);

// The text of step index (0..20).
std::string_view gearStepText(int index);

// Room for the longest, "-357913:-56:48", and more.
using TimeText = FixedText<31>;

// "mm:ss:hh" for a raw time in 1/64 seconds. The text keeps the game's own
// arithmetic, odd results for negative and very large times included, so
// that it reads exactly as the players have always seen it.
TimeText recordTimeText(std::int32_t rawTime);

}  // namespace vantor::replay
