#include "view/window_content.h"

#include <algorithm>
#include <charconv>
#include <cstring>
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

// Assigned in place, so that a content filled again for the next file
// keeps its strings' room: the batch tool fills one for each of thousands.
void setText(Held<std::string>& field, bool held, std::string_view text) {
  if (!held) {
    field.reset();
    return;
  }
  if (!field) field.emplace();
  // Never the string's own bytes, so a plain copy: cheaper than assign(),
  // which must allow for that. (The direction is an empty view, with no
  // bytes at all, where the flags name none: nothing is copied then.)
  field->resize(text.size());
  if (!text.empty()) std::memcpy(field->data(), text.data(), text.size());
}

void setNumber(Held<std::string>& field, bool held, std::int32_t value) {
  char digits[12];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  setText(field, held, {digits, end});
}

}  // namespace

WindowContent makeWindowContent(std::string_view path, const replay::DecodedReplay& replay) {
  WindowContent content;
  fillWindowContent(content, path, replay);
  return content;
}

void fillWindowContent(WindowContent& content, std::string_view path, const replay::DecodedReplay& replay) {
  const replay::ReplayInfo& info = replay.info;
  const replay::HeldValues& held = replay.held;
  content.bytesHeld = std::min(replay.bytesHeld, replay::layout::kBytesUsed);
  content.gearsComplete = replay.gearsComplete;
  content.path = path;
  assignCaption(content.caption, path, content.isCut());
  setText(content.track, held.trackKey, info.trackName.view());
  setText(content.driver, held.driverName, info.driverName.view());
  setText(content.car, held.carName, info.carName.view());
  setText(content.direction, held.directionText, info.directionText);
  setText(content.laps, held.lapsText, info.lapsText.view());
  for (std::size_t i = 0; i < replay::kGearSlotCount; ++i) {
    setText(content.gears[i], held.gears[i], info.gears[i].text.view());
  }
  setNumber(content.downforceLeft, held.downforceLeft, info.downforceLeft);
  setNumber(content.downforceRight, held.downforceRight, info.downforceRight);
  setNumber(content.tyrePressureLeft, held.tyrePressureLeft, info.tyrePressureLeft);
  setNumber(content.tyrePressureRight, held.tyrePressureRight, info.tyrePressureRight);
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
    RecordRowTexts& texts = content.records[i];
    texts.place.assign(1, static_cast<char>('1' + i));  // eight places
    setText(texts.name, rowHeld.name, row.name.view());
    setText(texts.car, rowHeld.car, row.car.view());
    setText(texts.time, rowHeld.time, row.timeText.view());
    texts.rawTime = ifHeld(rowHeld.time, row.rawTime);
  }
}

}  // namespace vantor::view
