#include "replay/gear_steps.h"

#include <array>
#include <cstddef>

namespace vantor::replay {
namespace {

constexpr std::array<GearStep, 21> kGearSteps = {{
    {"-0.05", -3276},  {"-0.10", -6553},  {"-0.15", -9830},  {"-0.20", -13107},
    {"-0.25", -16384}, {"-0.30", -19660}, {"-0.35", -22937}, {"-0.40", -26214},
    {"-0.45", -29491}, {"-0.50", -32768}, {"0.00", 0},       {"0.05", 3276},
    {"0.10", 6553},    {"0.15", 9830},    {"0.20", 13107},   {"0.25", 16384},
    {"0.30", 19660},   {"0.35", 22937},   {"0.40", 26214},   {"0.45", 29491},
    {"0.50", 32768},
}};

}  // namespace

int gearStepIndex(std::int32_t value) {
  for (std::size_t i = 0; i < kGearSteps.size(); ++i) {
    if (kGearSteps[i].key == value) return static_cast<int>(i);
  }
  return -1;
}

std::string_view gearStepText(int index) {
  return kGearSteps.at(static_cast<std::size_t>(index)).text;
}

}  // namespace vantor::replay
