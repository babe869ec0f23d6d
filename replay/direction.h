#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantor::replay {

// The direction text for the stored flag pair; none unless both are 0 or 1.
std::optional<std::string_view> directionFor(std::int32_t mirrored, std::int32_t backward);

}  // namespace vantor::replay
