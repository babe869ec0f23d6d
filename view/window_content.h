#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "replay/decode.h"
#include "replay/layout.h"
#include "view/caption.h"
#include "view/tuning.h"

namespace vantor::view {

// A value as a screen shows it; nothing when the file does not hold it,
// and every screen then shows it as missing, never as 0 or an empty text.
template <typename T>
using Held = std::optional<T>;

struct RecordRowTexts {
  std::string place;
  Held<std::string> name;
  Held<std::string> car;
  Held<std::string> time;
  Held<std::int32_t> rawTime;  // as stored, in 1/64 seconds; held with time
  friend bool operator==(const RecordRowTexts&, const RecordRowTexts&) = default;
};

// A tuning setting as the file stores it, and where its slider stands.
struct TuningValue {
  std::int32_t stored = 0;
  int position = 0;  // unclamped: may lie outside 0..SLIDER_MAX
  friend bool operator==(const TuningValue&, const TuningValue&) = default;
};

// Everything the main window shows for one load, as Windows-1252 texts,
// with what lies behind the shown numbers: every view of a replay (the
// window, the text view, the JSON line) is made from this alone.
struct WindowContent {
  std::string path;  // as loaded: the system's bytes
  std::string caption;
  Held<std::string> track;
  Held<std::string> driver;
  Held<std::string> car;
  Held<std::string> direction;
  Held<std::string> laps;  // the stored integer in decimal
  std::array<Held<std::string>, replay::kGearSlotCount> gears;  // 1st..6th, reverse, final
  Held<std::string> downforceLeft;  // the stored integers in decimal
  Held<std::string> downforceRight;
  Held<std::string> tyrePressureLeft;
  Held<std::string> tyrePressureRight;
  std::array<Held<TuningValue>, kTuningFields.size()> tuning;  // in the table's order
  Held<int> automaticTransmission;  // the stored byte, signed: 0 clear, else checked
  Held<int> damage;
  Held<bool> isMonteCarlo;  // the record times came from the Monte Carlo table
  // Of the bytes a load reads, how many the file holds.
  std::size_t bytesHeld = replay::layout::kBytesUsed;
  bool gearsComplete = true;  // false: a gear is no known step, it and the ones after it are empty
  std::array<RecordRowTexts, replay::kRecordCount> records;
  [[nodiscard]] bool isCut() const { return bytesHeld < replay::layout::kBytesUsed; }
  friend bool operator==(const WindowContent&, const WindowContent&) = default;
};

// What the window shows after the file at path was decoded into replay.
WindowContent makeWindowContent(std::string_view path, const replay::DecodedReplay& replay);

// The same into a content made before (for another file), which keeps the
// room its texts had.
void fillWindowContent(WindowContent& content, std::string_view path, const replay::DecodedReplay& replay);

}  // namespace vantor::view
