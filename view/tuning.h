#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "replay/replay_info.h"
#include "resources/resource.h"

namespace vantor::view {

// Every slider runs from 0 to this.
inline constexpr int SLIDER_MAX = 40;

// Where each slider stands for a stored value: unclamped, so a value
// outside the game's range gives a position outside 0..SLIDER_MAX.
int rideHeightPosition(std::int32_t stored);
int shockStiffnessPosition(std::int32_t stored);  // stored: 16.16 fixed point
int shockTravelPosition(std::int32_t stored);
int toeInPosition(std::int32_t stored);
int brakeBalancePosition(std::int32_t stored);

// One tuning setting, everything every view needs to show it.
struct TuningField {
  std::string_view label;  // the text view's and --diff's
  std::string_view key;    // the JSON line's, under "stored" and "sliders"
  int sliderId;            // the window's trackbar
  std::int32_t (*stored)(const replay::ReplayInfo&);
  int (*position)(std::int32_t stored);
};

template <auto Field>
constexpr std::int32_t storedValue(const replay::ReplayInfo& info) {
  return info.*Field;
}

// The five in the order every view shows them. The window content, the
// text view, the JSON line, --diff and the window's sliders all walk this
// one table, so none of them can pair a value with another's name.
inline constexpr std::array<TuningField, 5> kTuningFields{{
    {"Ride height", "rideHeight", IDC_RIDE_HEIGHT, storedValue<&replay::ReplayInfo::rideHeight>, rideHeightPosition},
    {"Shock stiffness", "shockStiffness", IDC_SHOCK_STIFFNESS, storedValue<&replay::ReplayInfo::shockStiffness>,
     shockStiffnessPosition},
    {"Shock travel", "shockTravel", IDC_SHOCK_TRAVEL, storedValue<&replay::ReplayInfo::shockTravel>,
     shockTravelPosition},
    {"Toe-in", "toeIn", IDC_TOE_IN, storedValue<&replay::ReplayInfo::toeIn>, toeInPosition},
    {"Brake balance", "brakeBalance", IDC_BRAKE_BALANCE, storedValue<&replay::ReplayInfo::brakeBalance>,
     brakeBalancePosition},
}};

}  // namespace vantor::view
