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

std::string checkText(int state) {
  if (state == 0) return "0 (clear)";
  if (state == 1) return "1 (checked)";
  return std::to_string(state);
}

std::string leftRight(const std::string& left, const std::string& right) {
  return "left " + left + ", right " + right;
}

namespace {

void pad(std::string& out, std::size_t used, std::size_t width) {
  if (used < width) out.append(width - used, ' ');
}

std::string number(std::int64_t value) {
  char digits[24];
  return {digits, std::to_chars(digits, digits + sizeof digits, value).ptr};
}

void appendRightAligned(std::string& out, const std::string& text, std::size_t width) {
  pad(out, text.size(), width);
  out += text;
}

void appendField(std::string& out, std::string_view label, std::string_view windows1252) {
  out += "  ";
  appendPadded(out, label, kLabelWidth);
  appendShownText(out, windows1252);
  out += '\n';
}

void appendTuning(std::string& out, const WindowContent& content) {
  out += "  ";
  appendPadded(out, "Tuning", kLabelWidth);
  out += "     stored  slider (0.." + std::to_string(view::SLIDER_MAX) + ")\n";
  for (std::size_t i = 0; i < kTuningFields.size(); ++i) {
    out += "  ";
    appendPadded(out, kTuningFields[i].label, kLabelWidth);
    appendRightAligned(out, number(content.tuning[i].stored), 11);  // "-2147483648"
    out += "  ";
    out += number(content.tuning[i].position);
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
    appendPadded(out, content.gears[i], i + 1 < content.gears.size() ? kColumn : 0);
  }
  out += '\n';
}

void appendRecords(std::string& out, const WindowContent& content) {
  std::size_t nameWidth = 4, carWidth = 3;  // the headings "Name" and "Car"
  for (const RecordRowTexts& row : content.records) {
    nameWidth = std::max(nameWidth, row.name.size());
    carWidth = std::max(carWidth, row.car.size());
  }
  const auto line = [&](std::string_view label, std::string_view place, std::string_view name,
                        std::string_view car, std::string_view time) {
    out += "  ";
    appendPadded(out, label, kLabelWidth);
    appendPadded(out, place, 3);  // "8" and two blanks
    appendPadded(out, name, nameWidth + 2);
    appendPadded(out, car, carWidth + 2);
    appendShownText(out, time);
    out += '\n';
  };
  line(label::kRecords, "#", "Name", "Car", "Time");
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
                    " bytes read: what lies past its end is not its own");
  }
  appendField(out, label::kTrack, content.track);
  appendField(out, label::kDirection, content.direction);
  appendField(out, label::kLaps, content.laps);
  appendField(out, label::kDriver, content.driver);
  appendField(out, label::kCar, content.car);
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
