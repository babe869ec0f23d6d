#pragma once

#include <cstdint>
#include <string_view>

namespace vantor::replay {

struct GearStep {
  std::string_view text;  // as shown, at most 5 characters
  std::int32_t key;       // as stored: the step times 65536, truncated toward zero
};

// The index of the step whose key equals value exactly, or -1.
int gearStepIndex(std::int32_t value);

// The text of step index (0..20).
std::string_view gearStepText(int index);

}  // namespace vantor::replay
