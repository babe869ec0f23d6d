#include "replay/decode.h"

#include <charconv>
#include <cstdio>
#include <string_view>

#include "replay/field_io.h"
#include "replay/layout.h"
#include "replay/tables.h"

namespace vantor::replay {
namespace {

using namespace field_io;

void decodeTrack(ReplayBytes file, ReplayInfo& info) {
  const auto field = zeroFilled<layout::kTrackKeyWidth>(file, layout::kTrackKey);
  const auto* chars = reinterpret_cast<const char*>(field.data());
  std::string_view key(chars, field.size());
  key = key.substr(0, key.find('\0'));
  if (const auto name = trackDisplayName(key)) info.trackName.assign(*name);
  info.isMonteCarlo = isMonteCarloKey(key);
}

void decodeDirection(ReplayBytes file, ReplayInfo& info) {
  const std::int32_t mirrored = int32ZeroFilled(file, layout::kMirrored);
  const std::int32_t backward = int32ZeroFilled(file, layout::kBackward);
  if (const auto text = directionFor(mirrored, backward)) info.directionText = *text;
}

void decodeLaps(ReplayBytes file, ReplayInfo& info) {
  char text[12];
  const char* end = std::to_chars(text, text + sizeof text, int32ZeroFilled(file, layout::kLaps)).ptr;
  info.lapsText.assign(std::string_view(text, static_cast<std::size_t>(end - text)));
}

bool decodeGearRatios(ReplayBytes file, ReplayInfo& info, std::FILE* messages) {
  for (std::size_t slot = 0; slot < kGearSlotCount; ++slot) {
    const int index = gearStepIndex(int32ZeroFilled(file, layout::kGearSlotOffsets[slot]));
    if (index < 0) {
      if (messages != nullptr) std::fputs(kGearRatioError, messages);
      return false;
    }
    info.gears[slot].text.assign(gearStepText(index));
  }
  return true;
}

void decodeMainFields(ReplayBytes file, ReplayInfo& info) {
  readText(file, layout::kDriverName, info.driverName);
  decodeTrack(file, info);
  readInt(file, layout::kTyrePressureLeft, info.tyrePressureLeft);
  readInt(file, layout::kTyrePressureRight, info.tyrePressureRight);
  readInt(file, layout::kDownforceLeft, info.downforceLeft);
  readInt(file, layout::kDownforceRight, info.downforceRight);
  readInt(file, layout::kRideHeight, info.rideHeight);
  readInt(file, layout::kShockTravel, info.shockTravel);
  readInt(file, layout::kToeIn, info.toeIn);
  readInt(file, layout::kBrakeBalance, info.brakeBalance);
  readInt(file, layout::kAutomatic, info.automaticTransmission);
  readInt(file, layout::kDamage, info.damage);
  info.shockStiffness = int32ZeroFilled(file, layout::kShockStiffness);
  readText(file, layout::kCarName, info.carName);
  decodeDirection(file, info);
  decodeLaps(file, info);
}

void decodeRecords(ReplayBytes file, ReplayInfo& info) {
  const std::size_t times = info.isMonteCarlo ? layout::kMonteCarloTimes : layout::kOtherTimes;
  for (std::size_t i = 0; i < kRecordCount; ++i) {
    RecordRow& row = info.records[i];
    readInt(file, times + 4 * i, row.rawTime);
    row.timeText = recordTimeText(row.rawTime);
  }
  for (std::size_t i = 0; i < kRecordCount; ++i) {
    readText(file, layout::kRecordNames + layout::kRecordTextWidth * i, info.records[i].name);
  }
  for (std::size_t i = 0; i < kRecordCount; ++i) {
    readText(file, layout::kRecordCars + layout::kRecordTextWidth * i, info.records[i].car);
  }
}

}  // namespace

bool decodeReplay(ReplayBytes file, ReplayInfo& info, std::FILE* messages) {
  const bool gearsComplete = decodeGearRatios(file, info, messages);
  decodeMainFields(file, info);
  decodeRecords(file, info);
  return gearsComplete;
}

DecodedReplay decodeFile(ReplayBytes file) {
  DecodedReplay decoded;
  if (file.size() > layout::kBytesUsed) file = file.first(layout::kBytesUsed);
  decoded.bytesHeld = file.size();
  decoded.gearsComplete = decodeReplay(file, decoded.info, nullptr);
  decoded.held = heldValues(file, decoded.info.isMonteCarlo);
  return decoded;
}

}  // namespace vantor::replay
