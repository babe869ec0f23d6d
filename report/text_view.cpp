#include "report/text_view.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

#include "view/utf8_text.h"

namespace vantor::report {
namespace {

using view::appendValidUtf8;
using view::appendWindows1252AsUtf8;
using view::kReplacementCharacter;
using view::kTuningFields;

bool isControl(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

}  // namespace

void appendShownText(std::string& out, std::string_view windows1252) {
  std::size_t run = 0;
  for (std::size_t i = 0; i < windows1252.size(); ++i) {
    if (!isControl(windows1252[i])) continue;
    appendWindows1252AsUtf8(out, windows1252.substr(run, i - run));
    out += kReplacementCharacter;
    run = i + 1;
  }
  appendWindows1252AsUtf8(out, windows1252.substr(run));
}

void appendShownPath(std::string& out, std::string_view bytes) {
  std::string utf8;
  appendValidUtf8(utf8, bytes);
  for (const char c : utf8) {
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
    appendPaddedShown(out, shown(content.gears[i]), i + 1 < content.gears.size() ? kColumn : 0);
  }
  out += '\n';
}

void appendRecords(std::string& out, const WindowContent& content) {
  std::size_t nameWidth = 4, carWidth = 3;  // the headings "Name" and "Car"
  std::array<std::array<std::string, 3>, replay::kRecordCount> rows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const RecordRowTexts& row = content.records[i];
    rows[i] = {shown(row.name), shown(row.car), shown(row.time)};
    nameWidth = std::max(nameWidth, columns(rows[i][0]));
    carWidth = std::max(carWidth, columns(rows[i][1]));
  }
  const auto line = [&](std::string_view label, std::string_view place, std::string_view name,
                        std::string_view car, std::string_view time) {
    out += "  ";
    appendPadded(out, label, kLabelWidth);
    appendPadded(out, place, 3);  // "8" and two blanks
    appendPaddedShown(out, name, nameWidth + 2);
    appendPaddedShown(out, car, carWidth + 2);
    out += time;
    out += '\n';
  };
  line(label::kRecords, "#", "Name", "Car", "Time");
  for (std::size_t i = 0; i < rows.size(); ++i) line("", content.records[i].place, rows[i][0], rows[i][1], rows[i][2]);
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
  appendField(out, label::kTrack, shown(content.track));
  appendField(out, label::kDirection, shown(content.direction));
  appendField(out, label::kLaps, shown(content.laps));
  appendField(out, label::kDriver, shown(content.driver));
  appendField(out, label::kCar, shown(content.car));
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
