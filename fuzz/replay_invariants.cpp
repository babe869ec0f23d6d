#include "fuzz/replay_invariants.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "replay/gear_steps.h"
#include "replay/record_time.h"

namespace vantor::fuzz {
namespace {

constexpr std::array<std::string_view, 15> kTrackNames = {
    "",
    "Alps",
    "Schwarzwald",
    "Pyr\xE8n\xE8"
    "es",
    "Auvergne",
    "Normandie",
    "Corsica",
    "C\xF4te d'Azur",
    "Zone Industrielle",
    "Autobahn",
    "Monte Carlo Circuit 1",
    "Monte Carlo Circuit 2",
    "Monte Carlo Circuit 3",
    "Monte Carlo Circuit 4",
    "Monte Carlo Circuit 5"};

constexpr std::array<std::string_view, 5> kDirections = {"", "Forward", "Backward", "Forward/Mirrored",
                                                         "Backward/Mirrored"};

template <std::size_t N>
bool isOneOf(std::string_view text, const std::array<std::string_view, N>& allowed) {
  return std::ranges::find(allowed, text) != allowed.end();
}

// A FixedText's spare byte must stay NUL, or its view would run on.
template <std::size_t W>
void checkText(const replay::FixedText<W>& text, std::size_t maxLength, std::string_view what) {
  require(text.bytes[W] == '\0', what);
  require(text.view().size() <= maxLength, what);
}

bool isGearStepText(std::string_view text) {
  for (int i = 0; i < 21; ++i) {
    if (replay::gearStepText(i) == text) return true;
  }
  return false;
}

bool isInt32Text(std::string_view text) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() && std::to_string(value) == text;
}

}  // namespace

void checkReplayInfo(const replay::ReplayInfo& info) {
  checkText(info.trackName, 21, "track name width");
  require(isOneOf(info.trackName.view(), kTrackNames), "track name from the table");
  checkText(info.driverName, 8, "driver name width");
  checkText(info.carName, 15, "car name width");
  checkText(info.lapsText, 11, "laps text width");
  require(info.lapsText.view().empty() || isInt32Text(info.lapsText.view()), "laps text is a 32-bit number");
  require(isOneOf(info.directionText, kDirections), "direction from the table");
  for (const replay::GearSlot& slot : info.gears) {
    checkText(slot.text, 5, "gear text width");
    require(slot.text.view().empty() || isGearStepText(slot.text.view()), "gear text is a step");
  }
  for (const replay::RecordRow& row : info.records) {
    checkText(row.name, 32, "record name width");
    checkText(row.car, 32, "record car width");
    checkText(row.timeText, 31, "time text width");
    // An empty time text is allowed only before any load has made one.
    if (!row.timeText.view().empty()) {
      require(row.timeText.view() == replay::recordTimeText(row.rawTime), "time text from the raw time");
    }
  }
}

void checkWindowContent(std::string_view path, const replay::ReplayInfo& info, const view::WindowContent& content) {
  constexpr std::string_view kPrefix = "Vantor : [";
  const std::string whole = std::string(kPrefix) + std::string(view::baseName(path)) + "]";
  require(content.caption.size() <= view::kCaptionMaxLength, "caption bound");
  require(whole.compare(0, content.caption.size(), content.caption) == 0, "caption is the start of the whole");
  require(whole.size() > view::kCaptionMaxLength || content.caption == whole, "caption whole when it fits");

  require(content.track == info.trackName.view(), "track text");
  require(content.driver == info.driverName.view(), "driver text");
  require(content.car == info.carName.view(), "car text");
  require(content.direction == info.directionText, "direction text");
  require(content.laps == info.lapsText.view(), "laps text");
  for (std::size_t i = 0; i < content.gears.size(); ++i) {
    require(content.gears[i] == info.gears[i].text.view(), "gear texts in slot order");
  }
  require(content.downforceLeft == std::to_string(info.downforceLeft), "downforce left");
  require(content.tyrePressureRight == std::to_string(info.tyrePressureRight), "tyre pressure right");

  require(content.records.size() == 8, "eight record rows");
  for (std::size_t i = 0; i < content.records.size(); ++i) {
    const view::RecordRowTexts& row = content.records[i];
    require(row.place == std::string(1, static_cast<char>('1' + i)), "places 1 to 8");
    require(row.name == info.records[i].name.view(), "record name");
    require(row.car == info.records[i].car.view(), "record car");
    require(row.time == info.records[i].timeText.view(), "record time");
  }
  const auto checkState = [](int state) { return state >= -128 && state <= 127; };
  require(checkState(content.automaticTransmission) && checkState(content.damage), "check states are signed bytes");
}

}  // namespace vantor::fuzz
