#include "view/text_view.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

#include "view/utf8_text.h"

namespace vantor::view {
namespace {

constexpr std::size_t kLabelWidth = 22;

bool isControl(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

// Each Windows-1252 byte is one character on screen, so its byte count is
// its width.
void appendText(std::string& out, std::string_view windows1252) {
  std::size_t run = 0;
  for (std::size_t i = 0; i < windows1252.size(); ++i) {
    if (!isControl(windows1252[i])) continue;
    appendWindows1252AsUtf8(out, windows1252.substr(run, i - run));
    out += kReplacementCharacter;
    run = i + 1;
  }
  appendWindows1252AsUtf8(out, windows1252.substr(run));
}

void appendSystemText(std::string& out, std::string_view bytes) {
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

void pad(std::string& out, std::size_t used, std::size_t width) {
  if (used < width) out.append(width - used, ' ');
}

void appendPadded(std::string& out, std::string_view windows1252, std::size_t width) {
  appendText(out, windows1252);
  pad(out, windows1252.size(), width);
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
  appendText(out, windows1252);
  out += '\n';
}

std::string checkText(int state) {
  if (state == 0) return "0 (clear)";
  if (state == 1) return "1 (checked)";
  return number(state);
}

void appendTuning(std::string& out, const WindowContent& content) {
  struct Row {
    std::string_view label;
    std::int64_t stored;
    int position;
  };
  const SliderPositions& s = content.sliders;
  const Tuning& t = content.stored;
  const std::array<Row, 5> rows = {{{"Ride height", t.rideHeight, s.rideHeight},
                                    {"Shock stiffness", t.shockStiffness, s.shockStiffness},
                                    {"Shock travel", t.shockTravel, s.shockTravel},
                                    {"Toe-in", t.toeIn, s.toeIn},
                                    {"Brake balance", t.brakeBalance, s.brakeBalance}}};
  out += "  ";
  appendPadded(out, "Tuning", kLabelWidth);
  out += "     stored  slider (0..40)\n";
  for (const Row& row : rows) {
    out += "  ";
    appendPadded(out, row.label, kLabelWidth);
    appendRightAligned(out, number(row.stored), 11);
    out += "  ";
    out += number(row.position);
    out += '\n';
  }
  appendField(out, "Downforce", "left " + content.downforceLeft + ", right " + content.downforceRight);
  appendField(out, "Tire Pressure", "left " + content.tyrePressureLeft + ", right " + content.tyrePressureRight);
}

void appendGears(std::string& out, const WindowContent& content) {
  constexpr std::array<std::string_view, 8> kNames = {"1st", "2nd", "3rd", "4th", "5th", "6th", "Reverse", "Final"};
  constexpr std::size_t kColumn = 9;
  out += "  ";
  appendPadded(out, "Gears", kLabelWidth);
  for (std::size_t i = 0; i < kNames.size(); ++i) appendPadded(out, kNames[i], i + 1 < kNames.size() ? kColumn : 0);
  out += '\n';
  out += "  ";
  pad(out, 0, kLabelWidth);
  for (std::size_t i = 0; i < content.gears.size(); ++i) {
    appendPadded(out, content.gears[i], i + 1 < content.gears.size() ? kColumn : 0);
  }
  out += '\n';
}

void appendRecords(std::string& out, const WindowContent& content) {
  std::size_t nameWidth = 4, carWidth = 3;
  for (const RecordRowTexts& row : content.records) {
    nameWidth = std::max(nameWidth, row.name.size());
    carWidth = std::max(carWidth, row.car.size());
  }
  const auto line = [&](std::string_view label, std::string_view place, std::string_view name,
                        std::string_view car, std::string_view time) {
    out += "  ";
    appendPadded(out, label, kLabelWidth);
    appendPadded(out, place, 3);
    appendPadded(out, name, nameWidth + 2);
    appendPadded(out, car, carWidth + 2);
    appendText(out, time);
    out += '\n';
  };
  line("Records", "#", "Name", "Car", "Time");
  for (const RecordRowTexts& row : content.records) line("", row.place, row.name, row.car, row.time);
}

}  // namespace

void appendTextView(std::string& out, const WindowContent& content) {
  appendSystemText(out, content.path);
  out += '\n';
  out += "  ";
  appendPadded(out, "Caption", kLabelWidth);
  appendSystemText(out, content.caption);
  out += '\n';
  appendField(out, "Track", content.track);
  appendField(out, "Direction", content.direction);
  appendField(out, "Laps", content.laps);
  appendField(out, "Driver", content.driver);
  appendField(out, "Car", content.car);
  appendField(out, "Transmission/autom.", checkText(content.automaticTransmission));
  appendField(out, "Damage", checkText(content.damage));
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

}  // namespace vantor::view
