#include <bit>
#include <cstdint>

#include "view/window_content.h"

namespace vantor::view {
namespace {

// The game's scale factors, kept in the precision it used: single for the
// slider maximum, K and the offsets, double for the rest. Each formula turns
// the stored value into a percentage of the setting's range and that into
// a position; the product is truncated toward zero, never rounded, so
// 1.2 stiffness shows 24, not 25.
constexpr float kSliderMax = static_cast<float>(SLIDER_MAX);
constexpr float kStiffnessScale = std::bit_cast<float>(std::uint32_t{0x3AF9FFC2});
constexpr float kStiffnessMin = 45875.0f;  // 0.7 in 16.16
constexpr float kRideHeightOffset = 20.0f;
constexpr float kTravelOffset = 30.0f;
constexpr float kToeInOffset = 5.0f;
constexpr float kBrakeBalanceMin = 30.0f;

double percentToSlider() { return static_cast<double>(kSliderMax) * 0.01; }

int truncated(double position) { return static_cast<int>(position); }

}  // namespace

SliderPositions sliderPositions(const Tuning& stored) {
  const double s = percentToSlider();
  const auto m = static_cast<double>(kSliderMax);
  SliderPositions p;
  p.rideHeight = truncated(100.0 / m * (stored.rideHeight + static_cast<double>(kRideHeightOffset)) * s);
  p.shockStiffness = truncated((stored.shockStiffness - static_cast<double>(kStiffnessMin)) *
                               static_cast<double>(kStiffnessScale) * s);
  p.shockTravel = truncated((stored.shockTravel + static_cast<double>(kTravelOffset)) * 1.6666666666666667 * s);
  p.toeIn = truncated((stored.toeIn + static_cast<double>(kToeInOffset)) * 10.0 * s);
  p.brakeBalance = truncated((stored.brakeBalance - static_cast<double>(kBrakeBalanceMin)) * 2.5 * s);
  return p;
}

}  // namespace vantor::view
