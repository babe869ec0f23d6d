#include "tests/support/replay_builder.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace vantor::testing {

ReplayBuilder& ReplayBuilder::intAt(std::size_t offset, std::int64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) bytes_.at(offset + i) = static_cast<unsigned char>(value >> (8 * i));
  return *this;
}

ReplayBuilder& ReplayBuilder::textAt(std::size_t offset, std::size_t width, std::string_view text) {
  if (offset + width > bytes_.size()) throw std::out_of_range("text field past the end of the replay");
  std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), width, 0);
  std::copy_n(text.begin(), std::min(text.size(), width), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
  return *this;
}

ReplayBuilder& ReplayBuilder::size(std::size_t bytes) {
  bytes_.resize(bytes, 0);
  return *this;
}

std::vector<unsigned char> ReplayBuilder::firstBytes(std::size_t count) const {
  return {bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(std::min(count, bytes_.size()))};
}

void ReplayBuilder::writeTo(const std::string& path) const { writeFile(path, bytes_); }

void writeFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::filesystem::filesystem_error("cannot write", path, std::make_error_code(std::errc::io_error));
}

ReplayBuilder sampleReplay() {
  ReplayBuilder replay;
  replay.trackKey("coastal").laps(5).mirrored(0).backward(1);
  replay.driverName("Ilse K.").carName("Comet Vantage");
  replay.automaticTransmission(0).damage(1);
  // Steps as the game stores them: 0.10, -0.05, 0.00, 0.05, 0.15, 0.20, -0.10, 0.25.
  constexpr std::int32_t kSteps[8] = {6553, -3276, 0, 3276, 9830, 13107, -6553, 16384};
  for (std::size_t slot = 0; slot < 8; ++slot) replay.gear(slot, kSteps[slot]);
  replay.downforce(7, 5).tyrePressure(32, 30);
  replay.rideHeight(-4).shockStiffness(65536).shockTravel(10).toeIn(1).brakeBalance(55);
  constexpr const char* kNames[8] = {"Ada Roux", "Bo Lindqvist", "C. Okafor", "Dita Marsh",
                                     "Eli Brandt", "Fen Ashby", "Gus Varela", "Hana Ito"};
  constexpr const char* kCars[8] = {"Comet Vantage", "Halcyon R", "Comet Vantage", "Skylark 90",
                                    "Halcyon R", "Drift Marten", "Skylark 90", "Comet Vantage"};
  for (std::size_t place = 0; place < 8; ++place) {
    replay.recordName(place, kNames[place]).recordCar(place, kCars[place]);
    replay.otherTrackTime(place, static_cast<std::int32_t>(5820 + 97 * place));
  }
  return replay.size(24576);
}

}  // namespace vantor::testing
