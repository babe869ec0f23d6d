#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "replay/layout.h"
#include "replay/replay_info.h"
#include "view/caption.h"
#include "view/tuning.h"

namespace vantor::view {

struct RecordRowTexts {
  std::string place;
  std::string name;
  std::string car;
  std::string time;
  std::int32_t rawTime = 0;  // as stored, in 1/64 seconds
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
  std::string path;     // as loaded: the system's bytes
  std::string caption;
  std::string track;
  std::string driver;
  std::string car;
  std::string direction;
  std::string laps;
  std::array<std::string, replay::kGearSlotCount> gears;  // 1st..6th, reverse, final
  std::string downforceLeft;
  std::string downforceRight;
  std::string tyrePressureLeft;
  std::string tyrePressureRight;
  std::array<TuningValue, kTuningFields.size()> tuning;  // in the table's order
  int automaticTransmission = 0;  // the stored byte, signed: 0 clear, else checked
  int damage = 0;
  bool isMonteCarlo = false;  // the record times came from the Monte Carlo table
  // Of the bytes a load reads, how many the file holds. The values past the
  // end of a file cut short (0 or empty) are not its own.
  std::size_t bytesHeld = replay::layout::kBytesUsed;
  std::array<RecordRowTexts, replay::kRecordCount> records;
  [[nodiscard]] bool isCut() const { return bytesHeld < replay::layout::kBytesUsed; }
  friend bool operator==(const WindowContent&, const WindowContent&) = default;
};

// What the window shows after path was loaded into info. bytesHeld, how
// many of the bytes a load reads the file held (a larger count means all),
// tells whether it is cut short: every caller knows it.
WindowContent makeWindowContent(std::string_view path, const replay::ReplayInfo& info, std::size_t bytesHeld);

}  // namespace vantor::view
