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

#include "replay/decode.h"

namespace vantor::replay {
namespace {

using Bytes = std::vector<unsigned char>;

void put(Bytes& file, std::size_t offset, std::int64_t value, std::size_t width = 4) {
  const auto bits = static_cast<std::uint64_t>(value);  // two's complement, little end first
  for (std::size_t i = 0; i < width; ++i) file.at(offset + i) = static_cast<unsigned char>(bits >> (8 * i));
}
void text(Bytes& file, std::size_t offset, const std::string& value) {
  std::copy(value.begin(), value.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
}

// A full 32-byte text of its own for each place.
std::string holder(std::size_t place) { return "Record holder " + std::string(18, static_cast<char>('a' + place)); }
std::string holderCar(std::size_t place) { return "Coupe model " + std::string(20, static_cast<char>('a' + place)); }
std::int32_t monteCarloTime(std::size_t place) { return 3877 + 111 * static_cast<std::int32_t>(place); }
std::int32_t otherTime(std::size_t place) { return 5120 + 97 * static_cast<std::int32_t>(place); }

Bytes everyField(const std::string& trackKey) {
  Bytes r(4600, 0xEE);
  put(r, 8, 263);                // laps
  put(r, 68, 1);                 // mirrored
  put(r, 72, 0);                 // backward
  text(r, 92, trackKey + '\0');  // track key
  for (std::size_t i = 0; i < 8; ++i) {
    put(r, 176 + 4 * i, monteCarloTime(i));
    put(r, 208 + 4 * i, otherTime(i));
    text(r, 240 + 32 * i, holder(i));
    text(r, 496 + 32 * i, holderCar(i));
  }
  put(r, 1604, 0x3C, 1);         // damage
  put(r, 3248, 0x81, 1);         // automatic transmission
  put(r, 3476, 26214);           // final drive, 0.40
  put(r, 3480, -22937);          // reverse, -0.35
  const std::array<std::int32_t, 6> forward{-3276, 6553, -9830, 13107, -16384, 19660};
  for (std::size_t i = 0; i < 6; ++i) put(r, 3488 + 4 * i, forward[i]);
  put(r, 3514, 1234567);         // downforce right
  put(r, 3518, -7654321);        // downforce left
  put(r, 3522, 0x1357, 2);       // brake balance
  put(r, 3526, -2, 2);           // ride height
  put(r, 3530, 0x2468, 2);       // shock travel
  put(r, 3534, -300, 2);         // toe-in
  put(r, 3544, -98765);          // shock stiffness
  put(r, 3554, 0x12345678);      // tyre pressure right
  put(r, 3558, 0x87654321);      // tyre pressure left
  text(r, 3616, "Wren Oda");
  text(r, 4568, "Ferrow Lumen 73");
  return r;
}

ReplayInfo loaded(const std::string& trackKey) {
  ReplayInfo info;
  decodeReplay(everyField(trackKey), info, stderr);
  return info;
}

TEST(FileFormat, EveryFieldComesFromItsOwnBytes) {
  const ReplayInfo info = loaded("castle");
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
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(info.records[i].name.view(), holder(i)) << i;
    EXPECT_EQ(info.records[i].car.view(), holderCar(i)) << i;
    EXPECT_EQ(info.records[i].rawTime, otherTime(i)) << i;
  }
  EXPECT_EQ(info.records[0].timeText.view(), "01:20:00");
}

TEST(FileFormat, MonteCarloTracksTakeTheirTimesFromTheirOwnTable) {
  // The prefix is matched without regard to ASCII case; the name is not.
  for (const auto& [key, name] : {std::pair{"monaco2", "Monte Carlo Circuit 2"}, std::pair{"MONACO2", ""}}) {
    const ReplayInfo info = loaded(key);
    EXPECT_EQ(info.trackName.view(), name);
    EXPECT_TRUE(info.isMonteCarlo);
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(info.records[i].rawTime, monteCarloTime(i)) << key << i;
    EXPECT_EQ(info.records[0].timeText.view(), "01:00:57");
  }
}

}  // namespace
}  // namespace vantor::replay
