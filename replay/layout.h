#pragma once

#include <array>
#include <cstddef>

// Where the viewer finds each value in a replay file, in file order.
// Integers are little-endian; texts are Windows-1252, NUL-terminated when
// shorter than their field. Every other byte of the file is ignored.
namespace vantor::replay::layout {

constexpr std::size_t kLaps = 8;                 // int32
constexpr std::size_t kMirrored = 68;            // int32, 0 or 1
constexpr std::size_t kBackward = 72;            // int32, 0 or 1
constexpr std::size_t kTrackKey = 92;
constexpr std::size_t kTrackKeyWidth = 12;
constexpr std::size_t kMonteCarloTimes = 176;    // 8 x int32, raw ticks
constexpr std::size_t kOtherTimes = 208;         // 8 x int32, raw ticks
constexpr std::size_t kRecordNames = 240;        // 8 x 32-byte text
constexpr std::size_t kRecordCars = 496;         // 8 x 32-byte text
constexpr std::size_t kRecordTextWidth = 32;
constexpr std::size_t kDamage = 1604;            // byte
constexpr std::size_t kAutomatic = 3248;         // byte
constexpr std::size_t kFinalDrive = 3476;        // 16.16
constexpr std::size_t kReverse = 3480;           // 16.16
constexpr std::size_t kFirstGear = 3488;         // 16.16, then 2nd..6th every 4 bytes
constexpr std::size_t kDownforceRight = 3514;    // int32
constexpr std::size_t kDownforceLeft = 3518;     // int32
constexpr std::size_t kBrakeBalance = 3522;      // int16
constexpr std::size_t kRideHeight = 3526;        // int16
constexpr std::size_t kShockTravel = 3530;       // int16
constexpr std::size_t kToeIn = 3534;             // int16
constexpr std::size_t kShockStiffness = 3544;    // 16.16, signed
constexpr std::size_t kTyrePressureRight = 3554; // int32
constexpr std::size_t kTyrePressureLeft = 3558;  // int32
constexpr std::size_t kDriverName = 3616;
constexpr std::size_t kDriverNameWidth = 8;
constexpr std::size_t kCarName = 4568;
constexpr std::size_t kCarNameWidth = 15;

// The gear slots in the order they are read and shown: 1st..6th, reverse, final.
constexpr std::array<std::size_t, 8> kGearSlotOffsets = {
    kFirstGear,      kFirstGear + 4,  kFirstGear + 8, kFirstGear + 12,
    kFirstGear + 16, kFirstGear + 20, kReverse,       kFinalDrive};

// How much of the file a load reads: the car name is the last field.
constexpr std::size_t kBytesUsed = kCarName + kCarNameWidth;
static_assert(kBytesUsed == 4583);

}  // namespace vantor::replay::layout
