#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "replay/fixed_text.h"
#include "replay/layout.h"
#include "replay/tables.h"

namespace vantor::replay {

inline constexpr std::size_t kGearSlotCount = 8;
inline constexpr std::size_t kRecordCount = 8;

// Slots 0..5 are 1st..6th gear, 6 is reverse, 7 the final drive.
struct GearSlot {
  FixedText<5> text;
  friend bool operator==(const GearSlot&, const GearSlot&) = default;
};

// The file's own texts take their widths from the layout.
struct RecordRow {
  FixedText<layout::kRecordTextWidth> name;
  FixedText<layout::kRecordTextWidth> car;
  std::int32_t rawTime = 0;
  TimeText timeText;
  friend bool operator==(const RecordRow&, const RecordRow&) = default;
};

// What one replay decodes into. decodeReplay writes over whatever the
// record holds; decodeFile and load start from an empty one, so a record
// they give holds its own file's values only.
struct ReplayInfo {
  FixedText<21> trackName;
  bool isMonteCarlo = false;
  FixedText<layout::kDriverNameWidth> driverName;
  FixedText<layout::kCarNameWidth> carName;
  FixedText<11> lapsText;  // "-2147483648"
  std::string_view directionText;  // one of the direction table's texts, or empty
  std::uint8_t automaticTransmission = 0;
  std::uint8_t damage = 0;
  std::int32_t downforceLeft = 0;
  std::int32_t downforceRight = 0;
  std::int32_t tyrePressureLeft = 0;
  std::int32_t tyrePressureRight = 0;
  std::int16_t brakeBalance = 0;
  std::int16_t rideHeight = 0;
  std::int16_t shockTravel = 0;
  std::int16_t toeIn = 0;
  std::int32_t shockStiffness = 0;  // 16.16 fixed point
  std::array<GearSlot, kGearSlotCount> gears{};
  std::array<RecordRow, kRecordCount> records{};

  friend bool operator==(const ReplayInfo&, const ReplayInfo&) = default;
};

}  // namespace vantor::replay
