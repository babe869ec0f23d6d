// What decoding takes from a file and keeps of what a record held; what a
// load reads, and what it says.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "replay/decode.h"
#include "replay/reader.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"

namespace vantor::replay {
namespace {

using vantor::testing::ReplayBuilder;

// The test folder's paths are ASCII, so any conversion keeps them.
NativePath native(const std::string& path) { return std::filesystem::path(path).native(); }

// Decoding into a record that already holds values: each field keeps what
// the file's bytes do not reach, as the fuzzer's model states it.
class Reader : public ::testing::Test {
 protected:
  // Decodes the first `size` bytes of replay into the one info.
  void loadFirst(const ReplayBuilder& replay, std::size_t size = SIZE_MAX) {
    decodeReplay(replay.firstBytes(size), info, stderr);
  }

  // A full replay whose every field differs from what a blank builder writes.
  void loadFull() {
    ReplayBuilder full = testing::sampleReplay();
    full.tyrePressure(0x11223344, 0x55667788).trackKey("alps");
    for (std::size_t i = 0; i < 8; ++i) full.otherTrackTime(i, 0x01020304);
    loadFirst(full);
  }

  testing::TempDir dir;
  ReplayInfo info;
};

TEST_F(Reader, UnknownGearStopsThePassInSlotOrder) {
  ReplayBuilder first;
  for (std::size_t slot = 0; slot < 8; ++slot) first.gear(slot, 32768);
  loadFirst(first);
  ReplayBuilder second;
  for (std::size_t slot = 0; slot < 8; ++slot) second.gear(slot, -3276);
  second.gear(2, 3277).driverName("Later");
  loadFirst(second);
  EXPECT_EQ(info.gears[1].text.view(), "-0.05");
  // 3rd..6th, then reverse and final: read after the failing slot though
  // they lie first in the file, so they keep what they held.
  for (std::size_t slot = 2; slot < 8; ++slot) EXPECT_EQ(info.gears[slot].text.view(), "0.50") << slot;
  EXPECT_EQ(info.driverName.view(), "Later");  // the other passes still run
}

TEST_F(Reader, UnknownTrackAndDirectionKeepThePreviousTexts) {
  loadFirst(ReplayBuilder().trackKey("monaco1").mirrored(1).backward(1));
  loadFirst(ReplayBuilder().trackKey("moon").mirrored(2).backward(0).laps(INT32_MIN));
  EXPECT_EQ(info.trackName.view(), "Monte Carlo Circuit 1");
  EXPECT_FALSE(info.isMonteCarlo);  // decided afresh by every load
  EXPECT_EQ(info.directionText, "Backward/Mirrored");
  EXPECT_EQ(info.lapsText.view(), "-2147483648");
}

TEST_F(Reader, FieldsCutByTheEndTakeTheBytesThatExist) {
  loadFull();
  loadFirst(ReplayBuilder().otherTrackTime(0, 0x0000FFEE), 210);
  EXPECT_EQ(info.records[0].rawTime, 0x0102FFEE);
  EXPECT_EQ(info.records[1].rawTime, 0x01020304);
  EXPECT_EQ(info.records[0].name.view(), "Ada Roux");
  // A kept raw time is read as a Monte Carlo time and gets a fresh text.
  info.records[2].timeText.assign("stale");
  loadFirst(ReplayBuilder().trackKey("monaco1"), 176);
  EXPECT_EQ(info.records[2].timeText.view(), "4403:24:06");
  loadFirst(ReplayBuilder().tyrePressure(0x0000AABB, 0).driverName("Zoe"), 3560);  // 2 of 4 bytes
  EXPECT_EQ(info.tyrePressureLeft, 0x1122AABB);
  EXPECT_EQ(info.tyrePressureRight, 0);
  EXPECT_EQ(info.driverName.view(), "Ilse K.");  // starts past the end
  loadFirst(ReplayBuilder().driverName("Max"), 3618);  // "Ma" of the driver's 8 bytes
  EXPECT_EQ(info.driverName.view(), "Mase K.");
}

TEST_F(Reader, TemporariesCutByTheEndReadZeroBeyondIt) {
  loadFull();
  ReplayBuilder replay;
  replay.laps(0x7FFF0102).trackKey("monaco3").shockStiffness(0x7FFF1234).gear(0, 0x7FFF0CCC);
  loadFirst(replay, 10);  // two bytes of laps; an empty key: no name, not Monte Carlo
  EXPECT_EQ(info.lapsText.view(), "258");
  EXPECT_EQ(info.trackName.view(), "Alps");
  EXPECT_FALSE(info.isMonteCarlo);
  loadFirst(replay, 98);  // "monaco" of the key: the test passes, the name does not match
  EXPECT_TRUE(info.isMonteCarlo);
  EXPECT_EQ(info.trackName.view(), "Alps");
  loadFirst(replay, 3490);  // two bytes of the 1st gear
  EXPECT_EQ(info.gears[0].text.view(), "0.05");
  loadFirst(replay, 3546);
  EXPECT_EQ(info.shockStiffness, 0x1234);
}

TEST_F(Reader, PathsThatCannotBeReadChangeNothing) {
  DecodedReplay replay;
  replay.info.driverName.assign("Before");
  const DecodedReplay before = replay;
  EXPECT_EQ(load(native(dir.pathOf("nothing-here.rpl")), replay), -1);
  EXPECT_EQ(load({}, replay), -1);
  EXPECT_EQ(load(native(dir.path()), replay), -1);  // a folder opens on some systems, but holds no replay
  EXPECT_EQ(replay.info, before.info);
}

// A load shows one file alone: its bytes decoded into an empty record,
// whatever the record held, with the gear message on standard error.
TEST_F(Reader, LoadDecodesTheFileIntoAFreshRecord) {
  ReplayBuilder replay = testing::sampleReplay();
  replay.trackKey("monaco2").monteCarloTime(4, -80).gear(6, 77);
  for (const std::size_t size : {0u, 120u, 3500u, 3620u, 4583u, 9000u}) {
    loadFull();
    ReplayInfo fresh;
    const auto bytes = replay.firstBytes(size);
    decodeReplay(bytes, fresh, stderr);
    DecodedReplay loaded;
    loaded.info = info;
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(load(native(dir.write("cut.rpl", bytes)), loaded), static_cast<int>(std::min<std::size_t>(size, 4583)));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), size >= 3484 ? "Error in read GearRatio\n" : "") << size;
    EXPECT_EQ(loaded.info, fresh) << size;
  }
}

}  // namespace
}  // namespace vantor::replay
