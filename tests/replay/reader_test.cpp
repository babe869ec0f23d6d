#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "replay/decode.h"
#include "replay/reader.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"

namespace vantor::replay {
namespace {

using vantor::testing::ReplayBuilder;
using vantor::testing::TempDir;

class Reader : public ::testing::Test {
 protected:
  // Loads the replay into info, as the window does with its one instance.
  int loadInto(ReplayInfo& target, const std::vector<unsigned char>& bytes) {
    return load(dir.write("replay" + std::to_string(files++) + ".rpl", bytes), target);
  }
  int loadInto(ReplayInfo& target, const ReplayBuilder& replay) { return loadInto(target, replay.bytes()); }

  TempDir dir;
  int files = 0;
  ReplayInfo info;
};

TEST_F(Reader, DecodesEveryFieldOfAWholeReplay) {
  ASSERT_EQ(loadInto(info, testing::sampleReplay()), 0);
  EXPECT_EQ(info.trackName.view(), "C\xF4te d'Azur");
  EXPECT_FALSE(info.isMonteCarlo);
  EXPECT_EQ(info.directionText, "Backward");
  EXPECT_EQ(info.lapsText.view(), "5");
  EXPECT_EQ(info.driverName.view(), "Ilse K.");
  EXPECT_EQ(info.carName.view(), "Comet Vantage");
  EXPECT_EQ(info.automaticTransmission, 0);
  EXPECT_EQ(info.damage, 1);
  const char* gears[8] = {"0.10", "-0.05", "0.00", "0.05", "0.15", "0.20", "-0.10", "0.25"};
  for (std::size_t slot = 0; slot < 8; ++slot) EXPECT_EQ(info.gears[slot].text.view(), gears[slot]) << slot;
  EXPECT_EQ(info.downforceLeft, 7);
  EXPECT_EQ(info.downforceRight, 5);
  EXPECT_EQ(info.tyrePressureLeft, 32);
  EXPECT_EQ(info.tyrePressureRight, 30);
  EXPECT_EQ(info.rideHeight, -4);
  EXPECT_EQ(info.shockStiffness, 65536);
  EXPECT_EQ(info.shockTravel, 10);
  EXPECT_EQ(info.toeIn, 1);
  EXPECT_EQ(info.brakeBalance, 55);
  EXPECT_EQ(info.records[0].name.view(), "Ada Roux");
  EXPECT_EQ(info.records[7].car.view(), "Comet Vantage");
  EXPECT_EQ(info.records[0].rawTime, 5820);
  EXPECT_EQ(info.records[0].timeText.view(), "01:30:93");
}

TEST_F(Reader, ReadsTheTwoByteTuningFieldsAsSignedSixteenBits) {
  ReplayBuilder replay;
  replay.rideHeight(-32768).shockTravel(32767).toeIn(-1).brakeBalance(70);
  replay.raw(3528, "\x7F\x7F").raw(3532, "\x7F\x7F");  // the gaps between them are not read
  ASSERT_EQ(loadInto(info, replay), 0);
  EXPECT_EQ(info.rideHeight, -32768);
  EXPECT_EQ(info.shockTravel, 32767);
  EXPECT_EQ(info.toeIn, -1);
  EXPECT_EQ(info.brakeBalance, 70);
}

TEST_F(Reader, MonteCarloKeysTakeTheirTimesFromTheirOwnTable) {
  ReplayBuilder replay;
  for (std::size_t i = 0; i < 8; ++i) replay.monteCarloTime(i, 1000 + static_cast<int>(i)).otherTrackTime(i, 2000);
  ASSERT_EQ(loadInto(info, ReplayBuilder(replay).trackKey("monaco3")), 0);
  EXPECT_TRUE(info.isMonteCarlo);
  EXPECT_EQ(info.trackName.view(), "Monte Carlo Circuit 3");
  EXPECT_EQ(info.records[7].rawTime, 1007);

  ASSERT_EQ(loadInto(info, ReplayBuilder(replay).trackKey("alps")), 0);
  EXPECT_FALSE(info.isMonteCarlo);
  EXPECT_EQ(info.records[7].rawTime, 2000);

  // Upper case passes the test but is no table key: the name stays "Alps".
  ASSERT_EQ(loadInto(info, ReplayBuilder(replay).trackKey("MONACO3")), 0);
  EXPECT_TRUE(info.isMonteCarlo);
  EXPECT_EQ(info.trackName.view(), "Alps");
  EXPECT_EQ(info.records[0].rawTime, 1000);
}

TEST_F(Reader, UnknownGearValueStopsThePassWithOneMessage) {
  ReplayBuilder first;
  for (std::size_t slot = 0; slot < 8; ++slot) first.gear(slot, 32768);
  ASSERT_EQ(loadInto(info, first), 0);

  ReplayBuilder second;
  for (std::size_t slot = 0; slot < 8; ++slot) second.gear(slot, -3276);
  second.gear(2, 3277).driverName("Later");
  ::testing::internal::CaptureStderr();
  ASSERT_EQ(loadInto(info, second), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error in read GearRatio\n");
  EXPECT_EQ(info.gears[0].text.view(), "-0.05");
  EXPECT_EQ(info.gears[1].text.view(), "-0.05");
  for (std::size_t slot = 2; slot < 8; ++slot) EXPECT_EQ(info.gears[slot].text.view(), "0.50") << slot;
  EXPECT_EQ(info.driverName.view(), "Later");  // the other passes still run
}

TEST_F(Reader, GearSlotsAreReadInSlotOrderNotFileOrder) {
  // The final drive lies first in the file but is read last: an unknown
  // 6th gear leaves reverse and final untouched.
  ReplayBuilder replay;
  replay.gear(5, 12345).gear(6, 6553).gear(7, 6553);
  ::testing::internal::CaptureStderr();
  ASSERT_EQ(loadInto(info, replay), 0);
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(info.gears[4].text.view(), "0.00");
  EXPECT_EQ(info.gears[6].text.view(), "");
  EXPECT_EQ(info.gears[7].text.view(), "");
}

TEST_F(Reader, FullWidthTextsWithoutNulKeepEveryByte) {
  ReplayBuilder replay;
  replay.driverName("ABCDEFGH").carName("Fifteen Letters").trackKey("alpsalpsalps");
  replay.recordName(3, std::string(32, 'n')).recordCar(3, std::string(32, 'c'));
  replay.raw(3624, "X");  // the byte after the driver field is not part of it
  ASSERT_EQ(loadInto(info, replay), 0);
  EXPECT_EQ(info.driverName.view(), "ABCDEFGH");
  EXPECT_EQ(info.carName.view(), "Fifteen Letters");
  EXPECT_EQ(info.records[3].name.view(), std::string(32, 'n'));
  EXPECT_EQ(info.records[3].car.view(), std::string(32, 'c'));
  EXPECT_EQ(info.trackName.view(), "");  // a 12-letter key matches no track
}

TEST_F(Reader, TextsKeepTheirNonAsciiBytes) {
  ReplayBuilder replay;
  replay.driverName("\xC9mile \xDF").recordName(0, "J\xFCrgen \x81\x8D\x9D").recordCar(0, "\x01\x7F\"\\");
  ASSERT_EQ(loadInto(info, replay), 0);
  EXPECT_EQ(info.driverName.view(), "\xC9mile \xDF");
  EXPECT_EQ(info.records[0].name.view(), "J\xFCrgen \x81\x8D\x9D");
  EXPECT_EQ(info.records[0].car.view(), "\x01\x7F\"\\");
}

TEST_F(Reader, UnknownTrackAndDirectionKeepThePreviousTexts) {
  ASSERT_EQ(loadInto(info, ReplayBuilder().trackKey("canyon").mirrored(1).backward(1)), 0);
  ASSERT_EQ(loadInto(info, ReplayBuilder().trackKey("moon").mirrored(2).backward(0).laps(-7)), 0);
  EXPECT_EQ(info.trackName.view(), "Corsica");
  EXPECT_EQ(info.directionText, "Backward/Mirrored");
  EXPECT_EQ(info.lapsText.view(), "-7");
}

TEST_F(Reader, MissingPathChangesNothing) {
  ASSERT_EQ(loadInto(info, testing::sampleReplay()), 0);
  const ReplayInfo before = info;
  EXPECT_EQ(load(dir.pathOf("nothing-here.rpl"), info), -1);
  EXPECT_EQ(load("", info), -1);
  EXPECT_EQ(info, before);
  EXPECT_EQ(fileSize(dir.pathOf("nothing-here.rpl")), -1);
}

TEST_F(Reader, DirectoryExistsButNoPassCanReadIt) {
  ASSERT_EQ(loadInto(info, testing::sampleReplay()), 0);
  const ReplayInfo before = info;
  EXPECT_EQ(fileSize(dir.path()), 0);
  EXPECT_EQ(load(dir.path(), info), 0);
  EXPECT_EQ(info, before);
  EXPECT_EQ(readMainFields(dir.path(), info), -1);
}

TEST_F(Reader, FileSizeIsTheSizeOnDisk) {
  EXPECT_EQ(fileSize(dir.write("five.rpl", {1, 2, 3, 4, 5})), 5);
  EXPECT_EQ(fileSize(dir.write("empty.rpl", {})), 0);
}

TEST_F(Reader, FileOverTwoGibibytesExistsAndIsRead) {
  // Sparse on disk: it costs no space, but its size needs more than 31 bits.
  const std::string path = dir.write("huge.rpl", testing::sampleReplay().bytes());
  constexpr std::uintmax_t kSize = (std::uintmax_t{3} << 30) + 17;
  std::filesystem::resize_file(path, kSize);
  EXPECT_EQ(fileSize(path), static_cast<std::int64_t>(kSize));
  ASSERT_EQ(load(path, info), 0);
  EXPECT_EQ(info.driverName.view(), "Ilse K.");
  EXPECT_EQ(info.records[7].name.view(), "Hana Ito");
}

TEST_F(Reader, DecodingHeldBytesEqualsLoadingTheFile) {
  ReplayBuilder replay = testing::sampleReplay();
  replay.trackKey("monaco2").monteCarloTime(4, -80).gear(6, 77);
  for (std::size_t size : {std::size_t{0}, std::size_t{120}, std::size_t{3560}, std::size_t{4583}, std::size_t{9000}}) {
    ReplayInfo fromFile;
    ReplayInfo fromBytes;
    fromFile.carName.assign("kept");
    fromBytes.carName.assign("kept");
    const auto bytes = replay.firstBytes(size);
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(loadInto(fromFile, bytes), 0);
    decodeReplay(bytes, fromBytes);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(fromFile, fromBytes) << size;
  }
}

}  // namespace
}  // namespace vantor::replay
