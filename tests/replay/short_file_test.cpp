// Files that end inside or before the fields: what is read, what is kept.
#include <gtest/gtest.h>

#include "replay/reader.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"

namespace vantor::replay {
namespace {

using vantor::testing::ReplayBuilder;

class ShortFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ReplayBuilder full = testing::sampleReplay();
    full.tyrePressure(0x11223344, 0x55667788).trackKey("alps");
    for (std::size_t i = 0; i < 8; ++i) full.otherTrackTime(i, 0x01020304);
    ASSERT_EQ(load(dir.write("full.rpl", full.bytes()), info), 0);
  }

  // Loads the first `size` bytes of replay on top of the full sample.
  void loadFirst(const ReplayBuilder& replay, std::size_t size) {
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(load(dir.write("short.rpl", replay.firstBytes(size)), info), 0);
    stderrText = ::testing::internal::GetCapturedStderr();
  }

  testing::TempDir dir;
  ReplayInfo info;
  std::string stderrText;
};

TEST_F(ShortFile, OneHundredTwentyBytesReadOnlyTheHeadOfTheFile) {
  const ReplayInfo before = info;
  ReplayBuilder replay;
  replay.laps(3).mirrored(1).backward(0).trackKey("castle");
  loadFirst(replay, 120);
  EXPECT_EQ(info.lapsText.view(), "3");
  EXPECT_EQ(info.directionText, "Forward/Mirrored");
  EXPECT_EQ(info.trackName.view(), "Auvergne");
  // Everything read straight from offset 176 on keeps its value...
  EXPECT_EQ(info.driverName, before.driverName);
  EXPECT_EQ(info.carName, before.carName);
  EXPECT_EQ(info.tyrePressureLeft, before.tyrePressureLeft);
  EXPECT_EQ(info.brakeBalance, before.brakeBalance);
  EXPECT_EQ(info.damage, before.damage);
  EXPECT_EQ(info.records, before.records);
  // ...while values taken through a temporary read as zero past the end.
  EXPECT_EQ(info.shockStiffness, 0);
  for (const GearSlot& gear : info.gears) EXPECT_EQ(gear.text.view(), "0.00");
  EXPECT_EQ(stderrText, "");
}

TEST_F(ShortFile, RecordTimeTextsAreMadeAgainFromKeptRawTimes) {
  // The kept raw time is now read as a Monte Carlo time with a fresh text.
  info.records[2].timeText.assign("stale");
  loadFirst(ReplayBuilder().trackKey("monaco1"), 176);
  EXPECT_TRUE(info.isMonteCarlo);
  EXPECT_EQ(info.records[2].rawTime, 0x01020304);
  EXPECT_EQ(info.records[2].timeText.view(), "4403:24:06");
}

TEST_F(ShortFile, FieldCutByTheEndTakesTheBytesThatExist) {
  ReplayBuilder replay;
  replay.tyrePressure(0x0000AABB, 0).driverName("Zoe");
  loadFirst(replay, 3560);  // two of the four bytes at 3558
  EXPECT_EQ(info.tyrePressureLeft, 0x1122AABB);
  EXPECT_EQ(info.tyrePressureRight, 0);
  EXPECT_EQ(info.driverName.view(), "Ilse K.");  // starts past the end
}

TEST_F(ShortFile, TextCutByTheEndKeepsItsTail) {
  loadFirst(ReplayBuilder().recordName(0, ""), 242);  // two NULs over the first name
  EXPECT_EQ(info.records[0].name.view(), "");
  EXPECT_EQ(std::string_view(info.records[0].name.bytes.data() + 2), "a Roux");

  loadFirst(ReplayBuilder().driverName("Max"), 3618);  // "Ma" of the driver's 8 bytes
  EXPECT_EQ(info.driverName.view(), "Mase K.");
}

TEST_F(ShortFile, RecordTimeCutByTheEndKeepsItsHighBytes) {
  loadFirst(ReplayBuilder().otherTrackTime(0, 0x0000FFEE), 210);
  EXPECT_EQ(info.records[0].rawTime, 0x0102FFEE);
  EXPECT_EQ(info.records[1].rawTime, 0x01020304);
}

TEST_F(ShortFile, TemporariesCutByTheEndReadZeroBeyondIt) {
  ReplayBuilder replay;
  replay.laps(0x7FFF0102).trackKey("monaco3").shockStiffness(0x7FFF1234).gear(0, 0x7FFF0CCC);
  loadFirst(replay, 10);  // two bytes of laps
  EXPECT_EQ(info.lapsText.view(), "258");
  EXPECT_EQ(info.trackName.view(), "Alps");  // an empty key: no name, not Monte Carlo
  EXPECT_FALSE(info.isMonteCarlo);

  loadFirst(replay, 98);  // "monaco" of the key: the test passes, the name does not match
  EXPECT_TRUE(info.isMonteCarlo);
  EXPECT_EQ(info.trackName.view(), "Alps");

  loadFirst(replay, 3490);  // two bytes of the 1st gear
  EXPECT_EQ(info.gears[0].text.view(), "0.05");

  loadFirst(replay, 3546);
  EXPECT_EQ(info.shockStiffness, 0x1234);
}

TEST_F(ShortFile, EmptyFileChangesOnlyWhatIsDecodedThroughTemporaries) {
  const ReplayInfo before = info;
  loadFirst(ReplayBuilder(), 0);
  EXPECT_EQ(info.trackName, before.trackName);
  EXPECT_EQ(info.directionText, "Forward");
  EXPECT_EQ(info.lapsText.view(), "0");
  EXPECT_EQ(info.driverName, before.driverName);
  EXPECT_EQ(info.records, before.records);
}

}  // namespace
}  // namespace vantor::replay
