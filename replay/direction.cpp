#include "replay/direction.h"

#include <array>
#include <cstddef>

namespace vantor::replay {
namespace {

// Indexed by mirrored * 2 + backward.
constexpr std::array<std::string_view, 4> kDirections = {
    "Forward", "Backward", "Forward/Mirrored", "Backward/Mirrored"};

constexpr bool isFlag(std::int32_t value) { return value == 0 || value == 1; }

}  // namespace

std::optional<std::string_view> directionFor(std::int32_t mirrored, std::int32_t backward) {
  if (!isFlag(mirrored) || !isFlag(backward)) return std::nullopt;
  return kDirections[static_cast<std::size_t>(mirrored) * 2 + static_cast<std::size_t>(backward)];
}

}  // namespace vantor::replay
