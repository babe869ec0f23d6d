#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "replay/replay_info.h"

// Which of the values a replay shows its file holds. A file cut short holds
// only what lies before its end; what a fresh record shows past it (0 or an
// empty text) is no value of the file's, and every screen shows it as
// missing. The one rule for all of them lives here.
namespace vantor::replay {

// A file's first bytes, as many as it has up to layout::kBytesUsed.
using ReplayBytes = std::span<const unsigned char>;

struct RecordHeld {
  bool name = false;
  bool car = false;
  bool time = false;  // its slot, and the track key that picks the table
  friend bool operator==(const RecordHeld&, const RecordHeld&) = default;
};

// Named as ReplayInfo names the values.
struct HeldValues {
  bool trackKey = false;  // and what is made from it: the track name, the Monte Carlo choice
  bool directionText = false;  // both flags
  bool lapsText = false;
  bool driverName = false;
  bool carName = false;
  bool automaticTransmission = false;
  bool damage = false;
  bool downforceLeft = false;
  bool downforceRight = false;
  bool tyrePressureLeft = false;
  bool tyrePressureRight = false;
  bool brakeBalance = false;
  bool rideHeight = false;
  bool shockTravel = false;
  bool toeIn = false;
  bool shockStiffness = false;
  std::array<bool, kGearSlotCount> gears{};
  std::array<RecordHeld, kRecordCount> records{};
  friend bool operator==(const HeldValues&, const HeldValues&) = default;
};

// A number is held when every byte it is decoded from lies within the file;
// a text when the file holds it up to and including its NUL, or its whole
// width when it has none; a value made from others when all of them are.
// isMonteCarlo says which table the record times come from.
HeldValues heldValues(ReplayBytes file, bool isMonteCarlo);

}  // namespace vantor::replay
