#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "replay/direction.h"
#include "replay/gear_steps.h"
#include "replay/record_time.h"
#include "replay/tracks.h"

namespace vantor::replay {
namespace {

TEST(TrackTable, EveryKeyGivesItsDisplayName) {
  const std::pair<std::string_view, std::string_view> expected[] = {
      {"alps", "Alps"},
      {"Forest", "Schwarzwald"},
      {"foothills", "\x50\x79\x72\xE8\x6E\xE8\x65\x73"},
      {"castle", "Auvergne"},
      {"farmland", "Normandie"},
      {"canyon", "Corsica"},
      {"coastal", "C\xF4te d'Azur"},
      {"industrial", "Zone Industrielle"},
      {"AutoBahn", "Autobahn"},
      {"monaco1", "Monte Carlo Circuit 1"},
      {"monaco2", "Monte Carlo Circuit 2"},
      {"monaco3", "Monte Carlo Circuit 3"},
      {"monaco4", "Monte Carlo Circuit 4"},
      {"monaco5", "Monte Carlo Circuit 5"},
  };
  for (const auto& [key, name] : expected) {
    ASSERT_TRUE(trackDisplayName(key).has_value()) << key;
    EXPECT_EQ(*trackDisplayName(key), name) << key;
  }
  EXPECT_EQ(trackDisplayName("foothills")->size(), 8u);
}

TEST(TrackTable, MatchesWholeKeysWithTheirCaseOnly) {
  for (std::string_view key : {"autobahn", "forest", "ALPS", "alp", "alps ", "monaco6", "", "industrialXY"}) {
    EXPECT_FALSE(trackDisplayName(key).has_value()) << key;
  }
}

TEST(MonteCarlo, FoldsAsciiCaseOfTheFirstSixLetters) {
  for (std::string_view key : {"monaco1", "MONACO1", "monaco9", "MoNaCo", "monacoXXXXXX"}) {
    EXPECT_TRUE(isMonteCarloKey(key)) << key;
  }
  for (std::string_view key : {"monac", "", "alps", "m0naco1", "nomaco"}) {
    EXPECT_FALSE(isMonteCarloKey(key)) << key;
  }
  // Only A-Z fold: a byte that differs outside that range stays different.
  EXPECT_FALSE(isMonteCarloKey("mon\xC1" "co1"));
  EXPECT_FALSE(isMonteCarloKey(std::string_view("monac\0o1", 8)));
}

TEST(Direction, OnlyZeroAndOneCount) {
  EXPECT_EQ(directionFor(0, 0), "Forward");
  EXPECT_EQ(directionFor(0, 1), "Backward");
  EXPECT_EQ(directionFor(1, 0), "Forward/Mirrored");
  EXPECT_EQ(directionFor(1, 1), "Backward/Mirrored");
  EXPECT_FALSE(directionFor(2, 0).has_value());
  EXPECT_FALSE(directionFor(0, -1).has_value());
  EXPECT_FALSE(directionFor(INT32_MIN, 1).has_value());
  EXPECT_FALSE(directionFor(1, 256).has_value());
}

TEST(GearSteps, EveryStepRoundTripsThroughItsKey) {
  const std::pair<std::int32_t, std::string_view> steps[] = {
      {-3276, "-0.05"},  {-6553, "-0.10"},  {-9830, "-0.15"}, {-13107, "-0.20"}, {-16384, "-0.25"},
      {-19660, "-0.30"}, {-22937, "-0.35"}, {-26214, "-0.40"}, {-29491, "-0.45"}, {-32768, "-0.50"},
      {0, "0.00"},       {3276, "0.05"},    {6553, "0.10"},    {9830, "0.15"},    {13107, "0.20"},
      {16384, "0.25"},   {19660, "0.30"},   {22937, "0.35"},   {26214, "0.40"},   {29491, "0.45"},
      {32768, "0.50"}};
  int index = 0;
  for (const auto& [key, text] : steps) {
    EXPECT_EQ(gearStepIndex(key), index) << key;
    EXPECT_EQ(gearStepText(index), text);
    ++index;
  }
}

TEST(GearSteps, ValuesBetweenStepsAreNotRounded) {
  for (std::int32_t value : {3277, 3275, -3277, -3275, 1, -1, 32769, -32769, 65536, INT32_MIN, INT32_MAX}) {
    EXPECT_EQ(gearStepIndex(value), -1) << value;
  }
}

TEST(RecordTime, ShowsMinutesSecondsAndHundredths) {
  EXPECT_EQ(recordTimeText(0), "00:00:00");
  EXPECT_EQ(recordTimeText(5), "00:00:07");       // 7 hundredths: a one-digit text
  EXPECT_EQ(recordTimeText(6), "00:00:09");
  EXPECT_EQ(recordTimeText(7), "00:00:10");       // first two-digit text
  EXPECT_EQ(recordTimeText(3877), "01:00:57");
  EXPECT_EQ(recordTimeText(6400), "01:40:00");
  EXPECT_EQ(recordTimeText(384000), "100:00:00");  // minutes are not limited to two digits
}

TEST(RecordTime, SplitsNegativeTextsWhereverTheSignFalls) {
  EXPECT_EQ(recordTimeText(-80), "00:-1:25");   // "-125": seconds "-1", hundredths 25
  EXPECT_EQ(recordTimeText(-36), "00:00:56");   // "-56": the sign alone reads as 0
  EXPECT_EQ(recordTimeText(-3), "00:00:-4");    // "-4": the sign goes with the hundredths
  EXPECT_EQ(recordTimeText(-1), "00:00:-1");    // -1.5625 truncates toward zero
  EXPECT_EQ(recordTimeText(-3877), "-1:00:57");
}

TEST(RecordTime, WrapsLikeThirtyTwoBitHundredths) {
  EXPECT_EQ(recordTimeText(1374389534), "357913:56:46");    // 2147483646 hundredths
  EXPECT_EQ(recordTimeText(1374389535), "-357913:-56:48");  // wraps to INT_MIN
  EXPECT_EQ(recordTimeText(INT32_MAX), "-156587:-20:98");   // 3355443198 wraps to -939524098
  EXPECT_EQ(recordTimeText(INT32_MIN), "156587:20:96");      // -3355443200 wraps to 939524096
  EXPECT_EQ(recordTimeText(-1374389536), "357913:56:46");    // -2147483650 wraps to 2147483646
}

}  // namespace
}  // namespace vantor::replay
