#include "view/window_content.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace vantor::view {
namespace {

// A check box byte read as a signed number, so that 0xFF is -1, not 255.
int signedByte(std::uint8_t stored) { return stored < 0x80 ? stored : stored - 0x100; }

template <typename T>
Held<T> ifHeld(bool held, T value) {
  return held ? Held<T>(std::move(value)) : std::nullopt;
}

Held<std::string> textIfHeld(bool held, std::string_view text) { return ifHeld(held, std::string(text)); }

Held<std::string> numberIfHeld(bool held, std::int32_t value) { return ifHeld(held, std::to_string(value)); }

}  // namespace

WindowContent makeWindowContent(std::string_view path, const replay::DecodedReplay& replay) {
  const replay::ReplayInfo& info = replay.info;
  const replay::HeldValues& held = replay.held;
  WindowContent content;
  content.bytesHeld = std::min(replay.bytesHeld, replay::layout::kBytesUsed);
  content.gearsComplete = replay.gearsComplete;
  content.path = path;
  content.caption = captionFor(path, content.isCut());
  content.track = textIfHeld(held.trackKey, info.trackName.view());
  content.driver = textIfHeld(held.driverName, info.driverName.view());
  content.car = textIfHeld(held.carName, info.carName.view());
  content.direction = textIfHeld(held.directionText, info.directionText);
  content.laps = textIfHeld(held.lapsText, info.lapsText.view());
  for (std::size_t i = 0; i < replay::kGearSlotCount; ++i) {
    content.gears[i] = textIfHeld(held.gears[i], info.gears[i].text.view());
  }
  content.downforceLeft = numberIfHeld(held.downforceLeft, info.downforceLeft);
  content.downforceRight = numberIfHeld(held.downforceRight, info.downforceRight);
  content.tyrePressureLeft = numberIfHeld(held.tyrePressureLeft, info.tyrePressureLeft);
  content.tyrePressureRight = numberIfHeld(held.tyrePressureRight, info.tyrePressureRight);
  for (std::size_t i = 0; i < kTuningFields.size(); ++i) {
    const TuningField& field = kTuningFields[i];
    const std::int32_t stored = field.storedIn(info);
    content.tuning[i] = ifHeld(field.heldIn(held), TuningValue{stored, field.position(stored)});
  }
  content.automaticTransmission = ifHeld(held.automaticTransmission, signedByte(info.automaticTransmission));
  content.damage = ifHeld(held.damage, signedByte(info.damage));
  content.isMonteCarlo = ifHeld(held.trackKey, info.isMonteCarlo);
  for (std::size_t i = 0; i < replay::kRecordCount; ++i) {
    const replay::RecordRow& row = info.records[i];
    const replay::RecordHeld& rowHeld = held.records[i];
    content.records[i] = {std::to_string(i + 1), textIfHeld(rowHeld.name, row.name.view()),
                          textIfHeld(rowHeld.car, row.car.view()), textIfHeld(rowHeld.time, row.timeText.view()),
                          ifHeld(rowHeld.time, row.rawTime)};
  }
  return content;
}

}  // namespace vantor::view
