#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "replay/held.h"
#include "replay/replay_info.h"

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

// One tuning setting, everything every screen needs to show it.
struct TuningField {
  std::string_view label;        // the text view's and --diff's
  std::string_view sliderLabel;  // beside its slider, in the window and on the page
  std::string_view key;          // the JSON line's, under "stored" and "sliders"
  std::int32_t (*storedIn)(const replay::ReplayInfo&);
  bool (*heldIn)(const replay::HeldValues&);
  int (*position)(std::int32_t stored);
};

template <auto Field>
constexpr std::int32_t storedValue(const replay::ReplayInfo& info) {
  return info.*Field;
}

template <auto Field>
constexpr bool heldValue(const replay::HeldValues& held) {
  return held.*Field;
}

// The five in the order every screen shows them. The window content, the
// text view, the JSON line, --diff, the window's sliders and the page all
// walk this one table, so none of them can pair a value with another's name.
inline constexpr std::array<TuningField, 5> kTuningFields{{
    {"Ride height", "Shocks - Ride Height", "rideHeight", storedValue<&replay::ReplayInfo::rideHeight>,
     heldValue<&replay::HeldValues::rideHeight>,
     rideHeightPosition},
    {"Shock stiffness", "Shocks - Stiffness", "shockStiffness", storedValue<&replay::ReplayInfo::shockStiffness>,
     heldValue<&replay::HeldValues::shockStiffness>,
     shockStiffnessPosition},
    {"Shock travel", "Shocks - Travel", "shockTravel", storedValue<&replay::ReplayInfo::shockTravel>,
     heldValue<&replay::HeldValues::shockTravel>,
     shockTravelPosition},
    {"Toe-in", "Steering - Toe In", "toeIn", storedValue<&replay::ReplayInfo::toeIn>,
     heldValue<&replay::HeldValues::toeIn>, toeInPosition},
    {"Brake balance", "Brake Balance", "brakeBalance", storedValue<&replay::ReplayInfo::brakeBalance>,
     heldValue<&replay::HeldValues::brakeBalance>,
     brakeBalancePosition},
}};

}  // namespace vantor::view
