#include "view/tuning.h"

#include <bit>
#include <cstdint>

namespace vantor::view {
namespace {

// The game's scale factors, kept in the precision it used: single for the
// slider maximum, K and the offsets, double for the rest. Each formula
// turns the stored value into a percentage of the setting's range in the
// game (the offset moves the range's low end to 0, the factor is 100
// divided by the range's width) and that into a position; the product is
// truncated toward zero, never rounded, so 1.2 stiffness shows 24, not 25.
constexpr auto kSliderMax = static_cast<float>(SLIDER_MAX);
constexpr float kRideHeightOffset = 20.0f;  // -20..+20; the factor is 100 / kSliderMax, as the game wrote it
constexpr float kStiffnessMin = 45875.0f;   // 0.7..1.5 in 16.16: 45875..98304
// 100 / (98304 - 45875), rounded to single precision by the game.
constexpr float kStiffnessScale = std::bit_cast<float>(std::uint32_t{0x3AF9FFC2});
constexpr float kTravelOffset = 30.0f;  // -30..+30
constexpr double kTravelScale = 1.6666666666666667;  // 100 / 60
constexpr float kToeInOffset = 5.0f;  // -5..+5
constexpr double kToeInScale = 10.0;  // 100 / 10
constexpr float kBrakeBalanceMin = 30.0f;  // 30..70
constexpr double kBrakeBalanceScale = 2.5;  // 100 / 40

double percentToSlider() { return static_cast<double>(kSliderMax) * 0.01; }

int truncated(double position) { return static_cast<int>(position); }

}  // namespace

int rideHeightPosition(std::int32_t stored) {
  const auto m = static_cast<double>(kSliderMax);
  return truncated(100.0 / m * (stored + static_cast<double>(kRideHeightOffset)) * percentToSlider());
}

int shockStiffnessPosition(std::int32_t stored) {
  return truncated((stored - static_cast<double>(kStiffnessMin)) * static_cast<double>(kStiffnessScale) *
                   percentToSlider());
}

int shockTravelPosition(std::int32_t stored) {
  return truncated((stored + static_cast<double>(kTravelOffset)) * kTravelScale * percentToSlider());
}

int toeInPosition(std::int32_t stored) {
  return truncated((stored + static_cast<double>(kToeInOffset)) * kToeInScale * percentToSlider());
}

int brakeBalancePosition(std::int32_t stored) {
  return truncated((stored - static_cast<double>(kBrakeBalanceMin)) * kBrakeBalanceScale * percentToSlider());
}

}  // namespace vantor::view
