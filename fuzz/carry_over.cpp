#include "fuzz/carry_over.h"

#include <strings.h>

#include <array>
#include <cstddef>
#include <string>
#include <type_traits>

#include "fuzz/fuzz_check.h"
#include "replay/direction.h"
#include "replay/gear_steps.h"
#include "replay/layout.h"
#include "replay/record_time.h"
#include "replay/tracks.h"

namespace vantor::fuzz {
namespace {

namespace layout = replay::layout;
using Bytes = std::span<const std::uint8_t>;

// Byte i of the field comes from the file when the file has it, else
// from what the field held: little-endian integers, byte for byte.
template <typename Int>
Int overlaid(Int before, Bytes file, std::size_t offset) {
  using Unsigned = std::make_unsigned_t<Int>;
  std::uint64_t bits = static_cast<Unsigned>(before);
  for (std::size_t i = 0; i < sizeof(Int); ++i) {
    if (offset + i >= file.size()) break;
    bits &= ~(std::uint64_t{0xFF} << (8 * i));
    bits |= std::uint64_t{file[offset + i]} << (8 * i);
  }
  return static_cast<Int>(static_cast<Unsigned>(bits));
}

template <std::size_t W>
replay::FixedText<W> overlaidText(const replay::FixedText<W>& before, Bytes file, std::size_t offset) {
  replay::FixedText<W> text = before;
  for (std::size_t i = 0; i < W && offset + i < file.size(); ++i) text.bytes[i] = static_cast<char>(file[offset + i]);
  return text;
}

// Values read through a temporary: missing bytes are zero.
std::int32_t zeroFilled(Bytes file, std::size_t offset) { return overlaid<std::int32_t>(0, file, offset); }

void expectGears(replay::ReplayInfo& info, Bytes file) {
  for (std::size_t slot = 0; slot < replay::kGearSlotCount; ++slot) {
    const int index = replay::gearStepIndex(zeroFilled(file, layout::kGearSlotOffsets[slot]));
    if (index < 0) return;
    info.gears[slot].text.assign(replay::gearStepText(index));
  }
}

void expectTrack(replay::ReplayInfo& info, Bytes file) {
  std::array<char, layout::kTrackKeyWidth + 1> key{};
  for (std::size_t i = 0; i < layout::kTrackKeyWidth && layout::kTrackKey + i < file.size(); ++i) {
    key[i] = static_cast<char>(file[layout::kTrackKey + i]);
  }
  if (const auto name = replay::trackDisplayName(key.data())) info.trackName.assign(*name);
  // The C library's own bounded, ASCII-only comparison in the "C" locale.
  info.isMonteCarlo = ::strncasecmp(key.data(), "monaco", 6) == 0;
}

void expectRecords(replay::ReplayInfo& info, Bytes file) {
  const std::size_t times = info.isMonteCarlo ? layout::kMonteCarloTimes : layout::kOtherTimes;
  for (std::size_t i = 0; i < replay::kRecordCount; ++i) {
    replay::RecordRow& row = info.records[i];
    row.rawTime = overlaid(row.rawTime, file, times + 4 * i);
    row.timeText.assign(replay::recordTimeText(row.rawTime));
    row.name = overlaidText(row.name, file, layout::kRecordNames + layout::kRecordTextWidth * i);
    row.car = overlaidText(row.car, file, layout::kRecordCars + layout::kRecordTextWidth * i);
  }
}

template <typename T>
void requireSame(const T& expected, const T& got, const std::string& field) {
  require(expected == got, "carry-over of " + field);
}

}  // namespace

replay::ReplayInfo expectedAfterLoad(const replay::ReplayInfo& before, Bytes file) {
  replay::ReplayInfo info = before;
  expectGears(info, file);
  info.driverName = overlaidText(info.driverName, file, layout::kDriverName);
  expectTrack(info, file);
  info.tyrePressureLeft = overlaid(info.tyrePressureLeft, file, layout::kTyrePressureLeft);
  info.tyrePressureRight = overlaid(info.tyrePressureRight, file, layout::kTyrePressureRight);
  info.downforceLeft = overlaid(info.downforceLeft, file, layout::kDownforceLeft);
  info.downforceRight = overlaid(info.downforceRight, file, layout::kDownforceRight);
  info.rideHeight = overlaid(info.rideHeight, file, layout::kRideHeight);
  info.shockTravel = overlaid(info.shockTravel, file, layout::kShockTravel);
  info.toeIn = overlaid(info.toeIn, file, layout::kToeIn);
  info.brakeBalance = overlaid(info.brakeBalance, file, layout::kBrakeBalance);
  info.automaticTransmission = overlaid(info.automaticTransmission, file, layout::kAutomatic);
  info.damage = overlaid(info.damage, file, layout::kDamage);
  info.shockStiffness = zeroFilled(file, layout::kShockStiffness);
  info.carName = overlaidText(info.carName, file, layout::kCarName);
  if (const auto text = replay::directionFor(zeroFilled(file, layout::kMirrored), zeroFilled(file, layout::kBackward))) {
    info.directionText = *text;
  }
  info.lapsText.assign(std::to_string(zeroFilled(file, layout::kLaps)));
  expectRecords(info, file);
  return info;
}

void checkCarryOver(const replay::ReplayInfo& before, Bytes file, const replay::ReplayInfo& after) {
  const replay::ReplayInfo expected = expectedAfterLoad(before, file);
  if (expected == after) return;
  requireSame(expected.trackName, after.trackName, "trackName");
  requireSame(expected.isMonteCarlo, after.isMonteCarlo, "isMonteCarlo");
  requireSame(expected.driverName, after.driverName, "driverName");
  requireSame(expected.carName, after.carName, "carName");
  requireSame(expected.lapsText, after.lapsText, "lapsText");
  requireSame(expected.directionText, after.directionText, "directionText");
  requireSame(expected.automaticTransmission, after.automaticTransmission, "automaticTransmission");
  requireSame(expected.damage, after.damage, "damage");
  requireSame(expected.downforceLeft, after.downforceLeft, "downforceLeft");
  requireSame(expected.downforceRight, after.downforceRight, "downforceRight");
  requireSame(expected.tyrePressureLeft, after.tyrePressureLeft, "tyrePressureLeft");
  requireSame(expected.tyrePressureRight, after.tyrePressureRight, "tyrePressureRight");
  requireSame(expected.brakeBalance, after.brakeBalance, "brakeBalance");
  requireSame(expected.rideHeight, after.rideHeight, "rideHeight");
  requireSame(expected.shockTravel, after.shockTravel, "shockTravel");
  requireSame(expected.toeIn, after.toeIn, "toeIn");
  requireSame(expected.shockStiffness, after.shockStiffness, "shockStiffness");
  for (std::size_t i = 0; i < replay::kGearSlotCount; ++i) {
    requireSame(expected.gears[i], after.gears[i], "gear slot " + std::to_string(i));
  }
  for (std::size_t i = 0; i < replay::kRecordCount; ++i) {
    requireSame(expected.records[i], after.records[i], "record row " + std::to_string(i));
  }
  fail("carry-over: a field outside the list above");
}

}  // namespace vantor::fuzz
