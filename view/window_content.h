#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "replay/replay_info.h"

namespace vantor::view {

// Every slider runs from 0 to this.
inline constexpr int SLIDER_MAX = 40;

struct RecordRowTexts {
  std::string place;
  std::string name;
  std::string car;
  std::string time;
  std::int32_t rawTime = 0;  // as stored, in 1/64 seconds
  friend bool operator==(const RecordRowTexts&, const RecordRowTexts&) = default;
};

// The five slider settings as the file stores them, and where each slider
// stands: the text view and the JSON line print both.
struct Tuning {
  std::int16_t rideHeight = 0;
  std::int32_t shockStiffness = 0;  // 16.16 fixed point
  std::int16_t shockTravel = 0;
  std::int16_t toeIn = 0;
  std::int16_t brakeBalance = 0;
  friend bool operator==(const Tuning&, const Tuning&) = default;
};

struct SliderPositions {
  int rideHeight = 0;
  int shockStiffness = 0;
  int shockTravel = 0;
  int toeIn = 0;
  int brakeBalance = 0;
  friend bool operator==(const SliderPositions&, const SliderPositions&) = default;
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
  Tuning stored;
  SliderPositions sliders;     // unclamped: may lie outside 0..SLIDER_MAX
  int automaticTransmission = 0;  // the stored byte, signed: 0 clear, else checked
  int damage = 0;
  bool isMonteCarlo = false;  // the record times came from the Monte Carlo table
  std::array<RecordRowTexts, replay::kRecordCount> records;
  friend bool operator==(const WindowContent&, const WindowContent&) = default;
};

// The file-name part of a path: what follows its last backslash, unless
// that backslash is the first character. "/" is no separator here.
std::string_view baseName(std::string_view path);

// "Vantor : [base name]", never longer than kCaptionMaxLength characters.
inline constexpr std::size_t kCaptionMaxLength = 255;
std::string captionFor(std::string_view path);

SliderPositions sliderPositions(const Tuning& stored);

WindowContent makeWindowContent(std::string_view path, const replay::ReplayInfo& info);

}  // namespace vantor::view
