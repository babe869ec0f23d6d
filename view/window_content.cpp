#include "view/window_content.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace vantor::view {
namespace {

// A check box byte read as a signed number, so that 0xFF is -1, not 255.
int signedByte(std::uint8_t stored) { return stored < 0x80 ? stored : stored - 0x100; }

}  // namespace

WindowContent makeWindowContent(std::string_view path, const replay::ReplayInfo& info, std::size_t bytesHeld) {
  WindowContent content;
  content.path = path;
  content.caption = captionFor(path);
  content.track = info.trackName.view();
  content.driver = info.driverName.view();
  content.car = info.carName.view();
  content.direction = info.directionText;
  content.laps = info.lapsText.view();
  for (std::size_t i = 0; i < replay::kGearSlotCount; ++i) content.gears[i] = info.gears[i].text.view();
  content.downforceLeft = std::to_string(info.downforceLeft);
  content.downforceRight = std::to_string(info.downforceRight);
  content.tyrePressureLeft = std::to_string(info.tyrePressureLeft);
  content.tyrePressureRight = std::to_string(info.tyrePressureRight);
  for (std::size_t i = 0; i < kTuningFields.size(); ++i) {
    const std::int32_t stored = kTuningFields[i].storedIn(info);
    content.tuning[i] = {stored, kTuningFields[i].position(stored)};
  }
  content.automaticTransmission = signedByte(info.automaticTransmission);
  content.damage = signedByte(info.damage);
  content.isMonteCarlo = info.isMonteCarlo;
  content.bytesHeld = std::min(bytesHeld, replay::layout::kBytesUsed);
  for (std::size_t i = 0; i < replay::kRecordCount; ++i) {
    const replay::RecordRow& row = info.records[i];
    content.records[i] = {std::to_string(i + 1), std::string(row.name.view()), std::string(row.car.view()),
                          std::string(row.timeText.view()), row.rawTime};
  }
  return content;
}

}  // namespace vantor::view
