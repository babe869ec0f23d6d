#pragma once

#include <optional>
#include <string_view>

namespace vantor::replay {

struct TrackEntry {
  std::string_view key;          // as a replay stores it; case matters
  std::string_view displayName;  // Windows-1252
};

// The display name of a stored track key, matched exactly; none for an unknown key.
std::optional<std::string_view> trackDisplayName(std::string_view key);

// Whether the key starts with "monaco" in any ASCII letter case. Such tracks
// keep their record times in a table of their own.
bool isMonteCarloKey(std::string_view key);

}  // namespace vantor::replay
