// Where each value sits in a replay file, written out byte by byte at the
// offsets stored replays have, independent of the reader's own layout table.
// Every field holds a value of its own and is followed by bytes that no
// field holds, so a field read from the wrong place or with the wrong width
// shows up as a wrong value.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "replay/reader.h"
#include "tests/support/temp_dir.h"

namespace vantor::replay {
namespace {

constexpr unsigned char kFiller = 0xEE;

using Bytes = std::vector<unsigned char>;

void put(Bytes& file, std::size_t offset, std::uint32_t value, std::size_t width = 4) {
  for (std::size_t i = 0; i < width; ++i) file.at(offset + i) = static_cast<unsigned char>(value >> (8 * i));
}
void text(Bytes& file, std::size_t offset, const std::string& value) {
  for (std::size_t i = 0; i < value.size(); ++i) file.at(offset + i) = static_cast<unsigned char>(value[i]);
}

// A full 32-byte text of its own for each place.
std::string fullText(const std::string& prefix, std::size_t place) {
  std::string text(32, static_cast<char>('a' + place));
  return text.replace(0, prefix.size(), prefix);
}
std::string holder(std::size_t place) { return fullText("Record holder ", place); }
std::string holderCar(std::size_t place) { return fullText("Coupe model ", place); }

constexpr std::array<std::int32_t, 8> kMonteCarloRaw{3877, 4100, 4250, 4400, 4520, 4690, 4805, 5000};
constexpr std::array<const char*, 8> kMonteCarloText{"01:00:57", "01:04:06", "01:06:40", "01:08:75",
                                                     "01:10:62", "01:13:28", "01:15:07", "01:18:12"};
constexpr std::array<std::int32_t, 8> kOtherRaw{5120, 5333, 5470, 5611, 5790, 5902, 6047, 6200};
constexpr std::array<const char*, 8> kOtherText{"01:20:00", "01:23:32", "01:25:46", "01:27:67",
                                                "01:30:46", "01:32:21", "01:34:48", "01:36:87"};

Bytes everyField() {
  Bytes r(4600, kFiller);
  put(r, 8, 263);                                      // laps
  put(r, 68, 1);                                       // mirrored
  put(r, 72, 0);                                       // backward
  text(r, 92, std::string("castle\0", 7));             // track key
  for (std::size_t i = 0; i < 8; ++i) {
    put(r, 176 + 4 * i, static_cast<std::uint32_t>(kMonteCarloRaw[i]));
    put(r, 208 + 4 * i, static_cast<std::uint32_t>(kOtherRaw[i]));
    text(r, 240 + 32 * i, holder(i));
    text(r, 496 + 32 * i, holderCar(i));
  }
  put(r, 1604, 0x3C, 1);                               // damage
  put(r, 3248, 0x81, 1);                               // automatic transmission
  put(r, 3476, 26214);                                 // final drive, 0.40
  put(r, 3480, static_cast<std::uint32_t>(-22937));    // reverse, -0.35
  const std::array<std::int32_t, 6> forward{-3276, 6553, -9830, 13107, -16384, 19660};
  for (std::size_t i = 0; i < 6; ++i) put(r, 3488 + 4 * i, static_cast<std::uint32_t>(forward[i]));
  put(r, 3514, 1234567);                               // downforce right
  put(r, 3518, static_cast<std::uint32_t>(-7654321));  // downforce left
  put(r, 3522, 0x1357, 2);                             // brake balance
  put(r, 3526, 0xFFFE, 2);                             // ride height
  put(r, 3530, 0x2468, 2);                             // shock travel
  put(r, 3534, 0xFED4, 2);                             // toe-in
  put(r, 3544, static_cast<std::uint32_t>(-98765));    // shock stiffness
  put(r, 3554, 0x12345678);                            // tyre pressure right
  put(r, 3558, 0x87654321);                            // tyre pressure left
  text(r, 3616, "Wren Oda");
  text(r, 4568, "Ferrow Lumen 73");
  return r;
}

void expectRecords(const ReplayInfo& info, const std::array<std::int32_t, 8>& raw,
                   const std::array<const char*, 8>& text) {
  for (std::size_t i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(info.records[i].name.view(), holder(i));
    EXPECT_EQ(info.records[i].car.view(), holderCar(i));
    EXPECT_EQ(info.records[i].rawTime, raw[i]);
    EXPECT_EQ(info.records[i].timeText.view(), text[i]);
  }
}

TEST(FileFormat, EveryFieldComesFromItsOwnBytes) {
  const testing::TempDir dir;
  ReplayInfo info;
  ASSERT_EQ(load(dir.write("every-field.rpl", everyField()), info), 0);
  EXPECT_EQ(info.lapsText.view(), "263");
  EXPECT_EQ(info.directionText, "Forward/Mirrored");
  EXPECT_EQ(info.trackName.view(), "Auvergne");
  EXPECT_FALSE(info.isMonteCarlo);
  EXPECT_EQ(info.damage, 0x3C);
  EXPECT_EQ(info.automaticTransmission, 0x81);
  const std::array<const char*, 8> gears{"-0.05", "0.10", "-0.15", "0.20", "-0.25", "0.30", "-0.35", "0.40"};
  for (std::size_t slot = 0; slot < 8; ++slot) EXPECT_EQ(info.gears[slot].text.view(), gears[slot]) << slot;
  EXPECT_EQ(info.downforceRight, 1234567);
  EXPECT_EQ(info.downforceLeft, -7654321);
  EXPECT_EQ(info.brakeBalance, 0x1357);
  EXPECT_EQ(info.rideHeight, -2);
  EXPECT_EQ(info.shockTravel, 0x2468);
  EXPECT_EQ(info.toeIn, -300);
  EXPECT_EQ(info.shockStiffness, -98765);
  EXPECT_EQ(info.tyrePressureRight, 0x12345678);
  EXPECT_EQ(info.tyrePressureLeft, static_cast<std::int32_t>(0x87654321));
  EXPECT_EQ(info.driverName.view(), "Wren Oda");
  EXPECT_EQ(info.carName.view(), "Ferrow Lumen 73");
  expectRecords(info, kOtherRaw, kOtherText);
}

TEST(FileFormat, MonteCarloTracksTakeTheirTimesFromTheirOwnTable) {
  const testing::TempDir dir;
  Bytes replay = everyField();
  text(replay, 92, std::string("monaco2\0", 8));
  ReplayInfo info;
  ASSERT_EQ(load(dir.write("monte-carlo.rpl", replay), info), 0);
  EXPECT_EQ(info.trackName.view(), "Monte Carlo Circuit 2");
  EXPECT_TRUE(info.isMonteCarlo);
  expectRecords(info, kMonteCarloRaw, kMonteCarloText);

  // The prefix is matched without regard to ASCII case; the name is not.
  text(replay, 92, std::string("MONACO2\0", 8));
  ReplayInfo folded;
  ASSERT_EQ(load(dir.write("folded.rpl", replay), folded), 0);
  EXPECT_TRUE(folded.isMonteCarlo);
  EXPECT_EQ(folded.trackName.view(), "");
  expectRecords(folded, kMonteCarloRaw, kMonteCarloText);
}

}  // namespace
}  // namespace vantor::replay
