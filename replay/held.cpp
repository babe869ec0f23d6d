#include "replay/held.h"

#include <algorithm>

#include "replay/layout.h"

namespace vantor::replay {
namespace {

struct Held {
  ReplayBytes file;

  [[nodiscard]] bool number(std::size_t offset, std::size_t width) const { return offset + width <= file.size(); }

  [[nodiscard]] bool text(std::size_t offset, std::size_t width) const {
    if (number(offset, width)) return true;
    if (offset >= file.size()) return false;
    const auto held = file.subspan(offset);
    return std::find(held.begin(), held.end(), 0) != held.end();
  }
};

}  // namespace

HeldValues heldValues(ReplayBytes file, bool isMonteCarlo) {
  namespace at = layout;
  const Held held{file};
  HeldValues values;
  values.trackKey = held.text(at::kTrackKey, at::kTrackKeyWidth);
  values.directionText = held.number(at::kMirrored, 4) && held.number(at::kBackward, 4);
  values.lapsText = held.number(at::kLaps, 4);
  values.driverName = held.text(at::kDriverName, at::kDriverNameWidth);
  values.carName = held.text(at::kCarName, at::kCarNameWidth);
  values.automaticTransmission = held.number(at::kAutomatic, 1);
  values.damage = held.number(at::kDamage, 1);
  values.downforceLeft = held.number(at::kDownforceLeft, 4);
  values.downforceRight = held.number(at::kDownforceRight, 4);
  values.tyrePressureLeft = held.number(at::kTyrePressureLeft, 4);
  values.tyrePressureRight = held.number(at::kTyrePressureRight, 4);
  values.brakeBalance = held.number(at::kBrakeBalance, 2);
  values.rideHeight = held.number(at::kRideHeight, 2);
  values.shockTravel = held.number(at::kShockTravel, 2);
  values.toeIn = held.number(at::kToeIn, 2);
  values.shockStiffness = held.number(at::kShockStiffness, 4);
  for (std::size_t slot = 0; slot < kGearSlotCount; ++slot) {
    values.gears[slot] = held.number(at::kGearSlotOffsets[slot], 4);
  }
  const std::size_t times = isMonteCarlo ? at::kMonteCarloTimes : at::kOtherTimes;
  for (std::size_t i = 0; i < kRecordCount; ++i) {
    values.records[i] = {held.text(at::kRecordNames + at::kRecordTextWidth * i, at::kRecordTextWidth),
                         held.text(at::kRecordCars + at::kRecordTextWidth * i, at::kRecordTextWidth),
                         values.trackKey && held.number(times + 4 * i, 4)};
  }
  return values;
}

}  // namespace vantor::replay
