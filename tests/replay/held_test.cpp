// Which values a file cut short holds, at the edges of each kind. The
// offsets are the file format's, written out.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "replay/decode.h"
#include "tests/support/replay_builder.h"

namespace vantor::replay {
namespace {

HeldValues heldIn(const testing::ReplayBuilder& replay, std::size_t size) {
  return decodeFile(replay.firstBytes(size)).held;
}

TEST(HeldValues, ANumberNeedsAllItsBytesATextItsNulOrItsWidthAMadeValueAllItIsMadeOf) {
  const auto replay = testing::sampleReplay().driverName("Ab").carName("Fifteen letters");
  const auto held = [&](std::size_t size) { return heldIn(replay, size); };
  EXPECT_FALSE(held(11).lapsText);  // 4 bytes at 8
  EXPECT_TRUE(held(12).lapsText);
  EXPECT_FALSE(held(75).directionText);  // flags at 68 and 72
  EXPECT_TRUE(held(76).directionText);
  EXPECT_FALSE(held(99).trackKey);  // "coastal" at 92, its NUL at 99
  EXPECT_TRUE(held(100).trackKey);
  EXPECT_FALSE(held(3618).driverName);  // "Ab" at 3616: one byte before its NUL, then with it
  EXPECT_TRUE(held(3619).driverName);
  EXPECT_FALSE(held(4582).carName);  // fifteen letters at 4568, no NUL
  EXPECT_TRUE(held(4583).carName);
  EXPECT_FALSE(held(3527).rideHeight);  // 2 bytes at 3526
  EXPECT_TRUE(held(3528).rideHeight);
  EXPECT_FALSE(held(3491).gears[0]);  // 1st gear at 3488; final drive at 3476
  EXPECT_TRUE(held(3491).gears[7]);
  // The 4th record: time at 220 (other tracks), "Dita Marsh" at 336 with its NUL at 346, car at 592.
  EXPECT_EQ(held(223).records[3], (RecordHeld{false, false, false}));
  EXPECT_EQ(held(346).records[3], (RecordHeld{false, false, true}));
  EXPECT_EQ(held(347).records[3], (RecordHeld{true, false, true}));
  // Monte Carlo tracks keep their times at 176: the key decides which bytes a time needs.
  const auto monteCarlo = testing::sampleReplay().trackKey("monaco1");
  EXPECT_TRUE(heldIn(monteCarlo, 180).records[0].time);
  EXPECT_FALSE(heldIn(monteCarlo, 180).records[1].time);
  EXPECT_FALSE(held(180).records[0].time);
}

// Every member is a flag: read as one row of flags.
std::span<const bool> flags(const HeldValues& held) {
  static_assert(sizeof(HeldValues) == 16 + 8 + 8 * 3);
  return {reinterpret_cast<const bool*>(&held), sizeof held};
}

TEST(HeldValues, AnEmptyFileHoldsNothingAndAWholeOneEverything) {
  const HeldValues none = heldIn(testing::sampleReplay(), 0), all = heldIn(testing::sampleReplay(), 4583);
  EXPECT_TRUE(std::ranges::none_of(flags(none), [](bool held) { return held; }));
  EXPECT_TRUE(std::ranges::all_of(flags(all), [](bool held) { return held; }));
}

}  // namespace
}  // namespace vantor::replay
