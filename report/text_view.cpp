#include "report/text_view.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "view/utf8_text.h"

namespace vantor::report {
namespace {

using view::kReplacementCharacter;
using view::kTuningFields;

constexpr bool isControl(unsigned char b) {
  return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

// Each byte's shown form, worked out once: its UTF-8, or U+FFFD for a
// control character.
constexpr std::array<view::Utf8Bytes, 256> kShown = [] {
  std::array<view::Utf8Bytes, 256> table = view::kWindows1252Utf8;
  for (std::size_t b = 0; b < 256; ++b) {
    if (isControl(static_cast<unsigned char>(b))) table[b] = view::utf8Encode(0xFFFD);
  }
  return table;
}();

}  // namespace

// Written through a pointer into room for the worst case (three bytes a
// byte), then cut to what was written: the text view shows dozens of texts
// for each of thousands of files.
void appendShownText(std::string& out, std::string_view windows1252) {
  // Labels and most names are plain ASCII, which shows as it is.
  const bool plain = std::all_of(windows1252.begin(), windows1252.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x20 && b < 0x7F;
  });
  if (plain) {
    out += windows1252;
    return;
  }
  const std::size_t start = out.size();
  out.resize(start + 3 * windows1252.size());
  char* at = out.data() + start;
  for (const char c : windows1252) {
    const view::Utf8Bytes& shown = kShown[static_cast<unsigned char>(c)];
    std::memcpy(at, shown.bytes.data(), shown.bytes.size());
    at += shown.size;
  }
  out.resize(static_cast<std::size_t>(at - out.data()));
}

void appendShownPath(std::string& out, std::string_view bytes) {
  std::string room;
  for (const char c : view::validUtf8(bytes, room)) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      out += kReplacementCharacter;
    } else {
      out += c;
    }
  }
}

void appendPadded(std::string& out, std::string_view windows1252, std::size_t width) {
  appendShownText(out, windows1252);
  if (windows1252.size() < width) out.append(width - windows1252.size(), ' ');
}

void pad(std::string& out, std::size_t used, std::size_t width) {
  if (used < width) out.append(width - used, ' ');
}

std::string shown(const view::Held<std::string>& windows1252) {
  if (!windows1252) return std::string(kMissing);
  std::string utf8;
  appendShownText(utf8, *windows1252);
  return utf8;
}

std::size_t columns(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void appendPaddedShown(std::string& out, std::string_view utf8, std::size_t width) {
  out += utf8;
  pad(out, columns(utf8), width);
}

std::string checkText(const view::Held<int>& state) {
  if (!state) return std::string(kMissing);
  if (*state == 0) return "0 (clear)";
  if (*state == 1) return "1 (checked)";
  return std::to_string(*state);
}

std::string leftRight(const view::Held<std::string>& left, const view::Held<std::string>& right) {
  return "left " + shown(left) + ", right " + shown(right);
}

namespace {

std::string number(std::int64_t value) {
  char digits[24];
  return {digits, std::to_chars(digits, digits + sizeof digits, value).ptr};
}

void appendRightAligned(std::string& out, std::string_view utf8, std::size_t width) {
  pad(out, columns(utf8), width);
  out += utf8;
}

// utf8: the value as shown.
void appendField(std::string& out, std::string_view label, std::string_view utf8) {
  out += "  ";
  appendPadded(out, label, kLabelWidth);
  out += utf8;
  out += '\n';
}

// A text or the missing sign, and blanks up to width: each Windows-1252
// byte shows as one character, and so does the sign.
void appendHeld(std::string& out, const view::Held<std::string>& windows1252, std::size_t width = 0) {
  if (windows1252) {
    appendPadded(out, *windows1252, width);
  } else {
    out += kMissing;
    pad(out, 1, width);
  }
}

std::size_t columnsOf(const view::Held<std::string>& windows1252) { return windows1252 ? windows1252->size() : 1; }

void appendHeldField(std::string& out, std::string_view label, const view::Held<std::string>& windows1252) {
  out += "  ";
  appendPadded(out, label, kLabelWidth);
  appendHeld(out, windows1252);
  out += '\n';
}

void appendTuning(std::string& out, const WindowContent& content) {
  out += "  ";
  appendPadded(out, "Tuning", kLabelWidth);
  out += "     stored  slider (0.." + std::to_string(view::SLIDER_MAX) + ")\n";
  for (std::size_t i = 0; i < kTuningFields.size(); ++i) {
    out += "  ";
    appendPadded(out, kTuningFields[i].label, kLabelWidth);
    const view::Held<TuningValue>& value = content.tuning[i];
    appendRightAligned(out, value ? number(value->stored) : std::string(kMissing), 11);  // "-2147483648"
    out += "  ";
    out += value ? number(value->position) : std::string(kMissing);
    out += '\n';
  }
  appendField(out, label::kDownforce, leftRight(content.downforceLeft, content.downforceRight));
  appendField(out, label::kTirePressure, leftRight(content.tyrePressureLeft, content.tyrePressureRight));
}

void appendGears(std::string& out, const WindowContent& content) {
  constexpr std::size_t kColumn = 9;  // "Reverse" and two blanks
  const auto& names = label::kGearNames;
  out += "  ";
  appendPadded(out, label::kGears, kLabelWidth);
  for (std::size_t i = 0; i < names.size(); ++i) appendPadded(out, names[i], i + 1 < names.size() ? kColumn : 0);
  out += '\n';
  out += "  ";
  pad(out, 0, kLabelWidth);
  for (std::size_t i = 0; i < content.gears.size(); ++i) {
    appendHeld(out, content.gears[i], i + 1 < content.gears.size() ? kColumn : 0);
  }
  out += '\n';
}

void appendRecords(std::string& out, const WindowContent& content) {
  std::size_t nameWidth = 4, carWidth = 3;  // the headings "Name" and "Car"
  for (const RecordRowTexts& row : content.records) {
    nameWidth = std::max(nameWidth, columnsOf(row.name));
    carWidth = std::max(carWidth, columnsOf(row.car));
  }
  const auto line = [&](std::string_view label, std::string_view place, const view::Held<std::string>& name,
                        const view::Held<std::string>& car, const view::Held<std::string>& time) {
    out += "  ";
    appendPadded(out, label, kLabelWidth);
    appendPadded(out, place, 3);  // "8" and two blanks
    appendHeld(out, name, nameWidth + 2);
    appendHeld(out, car, carWidth + 2);
    appendHeld(out, time);
    out += '\n';
  };
  line(label::kRecords, "#", std::string("Name"), std::string("Car"), std::string("Time"));
  for (const RecordRowTexts& row : content.records) line("", row.place, row.name, row.car, row.time);
}

}  // namespace

void appendTextView(std::string& out, const WindowContent& content) {
  appendShownPath(out, content.path);
  out += '\n';
  out += "  ";
  appendPadded(out, "Caption", kLabelWidth);
  appendShownPath(out, content.caption);
  out += '\n';
  if (content.isCut()) {
    appendField(out, label::kCutShort,
                "holds " + std::to_string(content.bytesHeld) + " of the " + std::to_string(replay::layout::kBytesUsed) +
                    " bytes read; the values past its end show as " + std::string(kMissing));
  }
  appendHeldField(out, label::kTrack, content.track);
  appendHeldField(out, label::kDirection, content.direction);
  appendHeldField(out, label::kLaps, content.laps);
  appendHeldField(out, label::kDriver, content.driver);
  appendHeldField(out, label::kCar, content.car);
  appendField(out, label::kAutomaticTransmission, checkText(content.automaticTransmission));
  appendField(out, label::kDamage, checkText(content.damage));
  appendTuning(out, content);
  appendGears(out, content);
  appendRecords(out, content);
  out += '\n';
}

std::string withCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace vantor::report
