#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "replay/tables.h"

namespace vantor::replay {
namespace {

TEST(Tables, TrackKeysMatchExactlyAndCaseSensitively) {
  const std::pair<std::string_view, std::string_view> tracks[] = {
      {"alps", "Alps"}, {"Forest", "Schwarzwald"}, {"foothills", "\x50\x79\x72\xE8\x6E\xE8\x65\x73"},
      {"castle", "Auvergne"}, {"farmland", "Normandie"}, {"canyon", "Corsica"},
      {"coastal", "C\xF4te d'Azur"}, {"industrial", "Zone Industrielle"}, {"AutoBahn", "Autobahn"},
      {"monaco1", "Monte Carlo Circuit 1"}};
  for (const auto& [key, name] : tracks) EXPECT_EQ(trackDisplayName(key), name) << key;
  for (const char* key : {"monaco2", "monaco3", "monaco4", "monaco5"})
    EXPECT_EQ(trackDisplayName(key), "Monte Carlo Circuit " + std::string(1, key[6])) << key;
  for (std::string_view key : {"autobahn", "forest", "ALPS", "alp", "alps ", "monaco6", ""})
    EXPECT_FALSE(trackDisplayName(key)) << key;
}

TEST(Tables, MonteCarloFoldsOnlyAsciiLettersOfTheFirstSix) {
  for (std::string_view key : {"monaco1", "MONACO1", "monaco9", "MoNaCo"}) EXPECT_TRUE(isMonteCarloKey(key)) << key;
  for (std::string_view key : {"monac", "", "m0naco1", "mon\301co1", "nomaco"})
    EXPECT_FALSE(isMonteCarloKey(key)) << key;
  EXPECT_FALSE(isMonteCarloKey(std::string_view("monac\0o1", 8)));
}

TEST(Tables, DirectionFromTheFlagPairOnlyForZeroAndOne) {
  EXPECT_EQ(directionFor(0, 0), "Forward");
  EXPECT_EQ(directionFor(0, 1), "Backward");
  EXPECT_EQ(directionFor(1, 0), "Forward/Mirrored");
  EXPECT_EQ(directionFor(1, 1), "Backward/Mirrored");
  EXPECT_FALSE(directionFor(2, 0));
  EXPECT_FALSE(directionFor(0, -1));
  EXPECT_FALSE(directionFor(1, 256));
}

// Each step is stored as its value times 65536, truncated toward zero:
// -0.05 down to -0.50 first, then 0.00 up to 0.50.
TEST(Tables, GearStepsAreTheTwentyOneHundredthsTruncated) {
  for (int index = 0; index < 21; ++index) {
    const int hundredths = index < 10 ? -5 * (index + 1) : 5 * (index - 10);
    const auto key = static_cast<std::int32_t>(std::trunc(hundredths / 100.0 * 65536));
    char text[16];
    std::snprintf(text, sizeof text, "%s%d.%02d", hundredths < 0 ? "-" : "", std::abs(hundredths) / 100,
                  std::abs(hundredths) % 100);
    EXPECT_EQ(gearStepIndex(key), index) << key;
    EXPECT_EQ(gearStepText(index), text) << index;
  }
  for (std::int32_t value : {3277, 3275, -3277, 1, -1, 32769, 65536, INT32_MIN}) EXPECT_EQ(gearStepIndex(value), -1);
}

TEST(Tables, RecordTimesSplitTheHundredthsTextAsTheGameDoes) {
  const std::pair<std::int32_t, const char*> times[] = {
      {0, "00:00:00"}, {5, "00:00:07"}, {7, "00:00:10"}, {3877, "01:00:57"}, {6400, "01:40:00"},
      {384000, "100:00:00"},
      // The split is made on the text, so a minus sign lands on either side.
      {-80, "00:-1:25"}, {-36, "00:00:56"}, {-3, "00:00:-4"}, {-1, "00:00:-1"}, {-3877, "-1:00:57"},
      // Hundredths wrap around 32 bits.
      {1374389534, "357913:56:46"}, {1374389535, "-357913:-56:48"}, {INT32_MAX, "-156587:-20:98"},
      {INT32_MIN, "156587:20:96"}, {-1374389536, "357913:56:46"}};
  for (const auto& [raw, text] : times) EXPECT_EQ(recordTimeText(raw).view(), text) << raw;
}

}  // namespace
}  // namespace vantor::replay
