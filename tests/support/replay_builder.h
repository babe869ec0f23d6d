#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::testing {

// Writes replay bytes at the offsets the viewer reads, from plain values,
// so that a test states its input instead of a hex dump. Every other byte
// is zero. Texts are copied as given (Windows-1252 bytes), cut to their
// field; a text of the field's full width has no NUL.
class ReplayBuilder {
 public:
  static constexpr std::size_t kDefaultSize = 8192;

  ReplayBuilder();

  ReplayBuilder& laps(std::int32_t value);
  ReplayBuilder& mirrored(std::int32_t flag);
  ReplayBuilder& backward(std::int32_t flag);
  ReplayBuilder& trackKey(std::string_view key);
  ReplayBuilder& monteCarloTime(std::size_t place, std::int32_t raw);  // place 0..7
  ReplayBuilder& otherTrackTime(std::size_t place, std::int32_t raw);
  ReplayBuilder& recordName(std::size_t place, std::string_view name);
  ReplayBuilder& recordCar(std::size_t place, std::string_view car);
  ReplayBuilder& damage(std::uint8_t flag);
  ReplayBuilder& automaticTransmission(std::uint8_t flag);
  ReplayBuilder& gear(std::size_t slot, std::int32_t value);  // slot 0..7: 1st..6th, reverse, final
  ReplayBuilder& downforce(std::int32_t left, std::int32_t right);
  ReplayBuilder& tyrePressure(std::int32_t left, std::int32_t right);
  ReplayBuilder& brakeBalance(std::int16_t value);
  ReplayBuilder& rideHeight(std::int16_t value);
  ReplayBuilder& shockTravel(std::int16_t value);
  ReplayBuilder& toeIn(std::int16_t value);
  ReplayBuilder& shockStiffness(std::int32_t value);
  ReplayBuilder& driverName(std::string_view name);
  ReplayBuilder& carName(std::string_view name);

  // Any bytes at any offset, for what the named setters do not cover.
  ReplayBuilder& raw(std::size_t offset, std::string_view bytes);
  // Cuts or zero-extends the file.
  ReplayBuilder& size(std::size_t bytes);

  [[nodiscard]] const std::vector<unsigned char>& bytes() const { return bytes_; }
  // The first `count` bytes (all of them when count is larger).
  [[nodiscard]] std::vector<unsigned char> firstBytes(std::size_t count) const;
  void writeTo(const std::string& path) const;

 private:
  ReplayBuilder& int32At(std::size_t offset, std::int32_t value);
  ReplayBuilder& int16At(std::size_t offset, std::int16_t value);
  ReplayBuilder& textAt(std::size_t offset, std::size_t width, std::string_view text);

  std::vector<unsigned char> bytes_;
};

// A complete, plausible replay with invented names: the project's sample.
ReplayBuilder sampleReplay();

// Writes bytes to path, replacing the file.
void writeFile(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace vantor::testing
