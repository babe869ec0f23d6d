#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "replay/layout.h"

namespace vantor::testing {

namespace offsets = replay::layout;

// Writes replay bytes at the offsets the viewer reads, from plain values,
// so that a test states its input instead of a hex dump. Every other byte
// is zero. Texts are copied as given (Windows-1252 bytes), cut to their
// field; a text of the field's full width has no NUL.
class ReplayBuilder {
 public:
  ReplayBuilder& laps(std::int32_t value) { return int32At(offsets::kLaps, value); }
  ReplayBuilder& mirrored(std::int32_t flag) { return int32At(offsets::kMirrored, flag); }
  ReplayBuilder& backward(std::int32_t flag) { return int32At(offsets::kBackward, flag); }
  ReplayBuilder& trackKey(std::string_view key) { return textAt(offsets::kTrackKey, offsets::kTrackKeyWidth, key); }
  // place 0..7
  ReplayBuilder& monteCarloTime(std::size_t place, std::int32_t raw) {
    return int32At(offsets::kMonteCarloTimes + 4 * place, raw);
  }
  ReplayBuilder& otherTrackTime(std::size_t place, std::int32_t raw) {
    return int32At(offsets::kOtherTimes + 4 * place, raw);
  }
  ReplayBuilder& recordName(std::size_t place, std::string_view name) {
    return textAt(offsets::kRecordNames + offsets::kRecordTextWidth * place, offsets::kRecordTextWidth, name);
  }
  ReplayBuilder& recordCar(std::size_t place, std::string_view car) {
    return textAt(offsets::kRecordCars + offsets::kRecordTextWidth * place, offsets::kRecordTextWidth, car);
  }
  ReplayBuilder& damage(std::uint8_t flag) { return intAt(offsets::kDamage, flag, 1); }
  ReplayBuilder& automaticTransmission(std::uint8_t flag) { return intAt(offsets::kAutomatic, flag, 1); }
  // slot 0..7: 1st..6th, reverse, final
  ReplayBuilder& gear(std::size_t slot, std::int32_t value) { return int32At(offsets::kGearSlotOffsets.at(slot), value); }
  ReplayBuilder& downforce(std::int32_t left, std::int32_t right) {
    return int32At(offsets::kDownforceLeft, left).int32At(offsets::kDownforceRight, right);
  }
  ReplayBuilder& tyrePressure(std::int32_t left, std::int32_t right) {
    return int32At(offsets::kTyrePressureLeft, left).int32At(offsets::kTyrePressureRight, right);
  }
  ReplayBuilder& brakeBalance(std::int16_t value) { return int16At(offsets::kBrakeBalance, value); }
  ReplayBuilder& rideHeight(std::int16_t value) { return int16At(offsets::kRideHeight, value); }
  ReplayBuilder& shockTravel(std::int16_t value) { return int16At(offsets::kShockTravel, value); }
  ReplayBuilder& toeIn(std::int16_t value) { return int16At(offsets::kToeIn, value); }
  ReplayBuilder& shockStiffness(std::int32_t value) { return int32At(offsets::kShockStiffness, value); }
  ReplayBuilder& driverName(std::string_view name) { return textAt(offsets::kDriverName, offsets::kDriverNameWidth, name); }
  ReplayBuilder& carName(std::string_view name) { return textAt(offsets::kCarName, offsets::kCarNameWidth, name); }

  // Cuts or zero-extends the file.
  ReplayBuilder& size(std::size_t bytes);

  [[nodiscard]] const std::vector<unsigned char>& bytes() const { return bytes_; }
  // The first `count` bytes (all of them when count is larger).
  [[nodiscard]] std::vector<unsigned char> firstBytes(std::size_t count) const;
  void writeTo(const std::string& path) const;

 private:
  // Little-endian, the low `width` bytes of value.
  ReplayBuilder& intAt(std::size_t offset, std::int64_t value, std::size_t width);
  ReplayBuilder& int32At(std::size_t offset, std::int32_t value) { return intAt(offset, value, 4); }
  ReplayBuilder& int16At(std::size_t offset, std::int16_t value) { return intAt(offset, value, 2); }
  ReplayBuilder& textAt(std::size_t offset, std::size_t width, std::string_view text);

  std::vector<unsigned char> bytes_ = std::vector<unsigned char>(8192, 0);
};

// A complete, plausible replay with invented names: the project's sample.
ReplayBuilder sampleReplay();

// Writes bytes to path (a name in any script), replacing the file.
void writeFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);

}  // namespace vantor::testing
