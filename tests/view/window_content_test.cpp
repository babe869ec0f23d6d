#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "view/window_content.h"

namespace vantor::view {
namespace {

TEST(WindowContent, CaptionShowsTheNameAfterTheLastBackslashButTheFirst) {
  const std::pair<std::string_view, std::string_view> captions[] = {
      {"C:\\Replays\\race.rpl", "Vantor : [race.rpl]"}, {"race.rpl", "Vantor : [race.rpl]"},
      {"\\race.rpl", "Vantor : [\\race.rpl]"},          {"C:/Replays/race.rpl", "Vantor : [C:/Replays/race.rpl]"},
      {"a\\b\\", "Vantor : []"},                         {"", "Vantor : []"}};
  for (const auto& [path, caption] : captions) EXPECT_EQ(makeWindowContent(path, {}).caption, caption) << path;
  const std::string longName(300, 'n');
  EXPECT_EQ(captionFor("C:\\" + longName), "Vantor : [" + longName.substr(0, 245));
}

struct Case {
  std::int32_t stored;
  int position;
};

// Each slider's stored range maps onto 0..40; the products are truncated
// toward zero, so 1.2 stiffness shows 24, not 25.
TEST(WindowContent, SliderPositionsTruncateTheScaledStoredValue) {
  const auto position = [](auto field, std::int32_t stored) {
    Tuning tuning;
    tuning.*field = static_cast<std::remove_reference_t<decltype(tuning.*field)>>(stored);
    return sliderPositions(tuning);
  };
  for (const Case c : {Case{0, 20}, {-20, 0}, {20, 40}, {-21, -1}, {19, 39}, {-32768, -32748}}) {
    EXPECT_EQ(position(&Tuning::rideHeight, c.stored).rideHeight, c.position) << c.stored;
  }
  for (const Case c : {Case{65536, 15}, {45875, 0}, {98304, 40}, {78643, 24}, {91750, 34}, {52428, 4}, {0, -34},
                       {INT32_MIN, -1638428}, {INT32_MAX, 1638358}}) {
    EXPECT_EQ(position(&Tuning::shockStiffness, c.stored).shockStiffness, c.position) << c.stored;
  }
  for (const Case c : {Case{0, 20}, {-30, 0}, {30, 40}, {1, 20}, {-29, 0}, {-31, 0}, {-32, -1}, {32767, 21864}}) {
    EXPECT_EQ(position(&Tuning::shockTravel, c.stored).shockTravel, c.position) << c.stored;
  }
  for (const Case c : {Case{-4, 4}, {5, 40}, {-5, 0}, {-6, -4}, {32767, 131088}}) {
    EXPECT_EQ(position(&Tuning::toeIn, c.stored).toeIn, c.position) << c.stored;
  }
  for (const Case c : {Case{50, 20}, {30, 0}, {70, 40}, {29, -1}, {31, 1}, {-32768, -32798}}) {
    EXPECT_EQ(position(&Tuning::brakeBalance, c.stored).brakeBalance, c.position) << c.stored;
  }
  EXPECT_EQ(sliderPositions({20, 45875, -30, 5, 50}), (SliderPositions{40, 0, 0, 40, 20}));
}

}  // namespace
}  // namespace vantor::view
