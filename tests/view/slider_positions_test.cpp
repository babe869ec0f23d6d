#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "view/window_content.h"

namespace vantor::view {
namespace {

using replay::ReplayInfo;

struct Example {
  std::int32_t stored;
  int position;
};

SliderPositions positionsOf(void (*set)(ReplayInfo&, std::int32_t), std::int32_t stored) {
  ReplayInfo info;
  set(info, stored);
  return sliderPositions(info);
}

TEST(SliderPositions, RideHeightMapsMinusTwentyToTwentyOntoTheSlider) {
  const auto set = [](ReplayInfo& info, std::int32_t v) { info.rideHeight = static_cast<std::int16_t>(v); };
  for (const Example e : {Example{0, 20}, {-20, 0}, {20, 40}, {-21, -1}, {-19, 1}, {19, 39}, {21, 41},
                          {-32768, -32748}, {32767, 32787}}) {
    EXPECT_EQ(positionsOf(set, e.stored).rideHeight, e.position) << "ride height " << e.stored;
  }
}

TEST(SliderPositions, StiffnessTruncatesValuesThatFallJustBelowAWholeNumber) {
  const auto set = [](ReplayInfo& info, std::int32_t v) { info.shockStiffness = v; };
  // 0.8, 0.9, 1.2, 1.3, 1.4 and 2.0 as stored land a hair under 5, 10, 25, 30, 35 and 65.
  for (const Example e : {Example{65536, 15}, {45875, 0}, {98304, 40}, {78643, 24}, {91750, 34}, {52428, 4},
                          {58982, 9}, {85196, 29}, {45874, 0}, {0, -34}, {98305, 40}, {131072, 64}}) {
    EXPECT_EQ(positionsOf(set, e.stored).shockStiffness, e.position) << "stiffness " << e.stored;
  }
}

TEST(SliderPositions, StiffnessOfAnyThirtyTwoBitValueIsAPlainNumber) {
  const auto set = [](ReplayInfo& info, std::int32_t v) { info.shockStiffness = v; };
  EXPECT_EQ(positionsOf(set, std::numeric_limits<std::int32_t>::min()).shockStiffness, -1638428);
  EXPECT_EQ(positionsOf(set, std::numeric_limits<std::int32_t>::max()).shockStiffness, 1638358);
}

TEST(SliderPositions, TravelMapsMinusThirtyToThirtyOntoTheSlider) {
  const auto set = [](ReplayInfo& info, std::int32_t v) { info.shockTravel = static_cast<std::int16_t>(v); };
  // Truncation goes toward zero: -31 is two thirds below 0 and still shows 0.
  for (const Example e : {Example{0, 20}, {-30, 0}, {30, 40}, {1, 20}, {-29, 0}, {29, 39}, {-31, 0}, {-32, -1},
                          {31, 40}, {32, 41}, {-32768, -21825}, {32767, 21864}}) {
    EXPECT_EQ(positionsOf(set, e.stored).shockTravel, e.position) << "travel " << e.stored;
  }
}

TEST(SliderPositions, ToeInMapsMinusFiveToFiveOntoTheSlider) {
  const auto set = [](ReplayInfo& info, std::int32_t v) { info.toeIn = static_cast<std::int16_t>(v); };
  for (const Example e : {Example{-4, 4}, {5, 40}, {-5, 0}, {0, 20}, {-6, -4}, {6, 44}, {32767, 131088}}) {
    EXPECT_EQ(positionsOf(set, e.stored).toeIn, e.position) << "toe-in " << e.stored;
  }
}

TEST(SliderPositions, BrakeBalanceMapsThirtyToSeventyOntoTheSlider) {
  const auto set = [](ReplayInfo& info, std::int32_t v) { info.brakeBalance = static_cast<std::int16_t>(v); };
  for (const Example e : {Example{50, 20}, {30, 0}, {70, 40}, {29, -1}, {31, 1}, {71, 41}, {0, -30},
                          {-32768, -32798}}) {
    EXPECT_EQ(positionsOf(set, e.stored).brakeBalance, e.position) << "brake balance " << e.stored;
  }
}

TEST(SliderPositions, EachSliderReadsOnlyItsOwnValue) {
  ReplayInfo info;
  info.rideHeight = 20;
  info.shockStiffness = 45875;
  info.shockTravel = -30;
  info.toeIn = 5;
  info.brakeBalance = 50;
  EXPECT_EQ(sliderPositions(info), (SliderPositions{40, 0, 0, 40, 20}));
}

TEST(SliderPositions, TheSliderMaximumIsForty) { EXPECT_EQ(SLIDER_MAX, 40); }

}  // namespace
}  // namespace vantor::view
