#include "report/text_view.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "report/text_writer.h"
#include "view/utf8_text.h"

namespace vantor::report {
namespace {

// A text or the missing sign, and blanks up to width: each Windows-1252
// byte shows as one character, and so does the sign.
void writeHeld(TextWriter& out, const view::Held<std::string>& windows1252, std::size_t width = 0) {
  if (windows1252) {
    out.padded(*windows1252, width);
  } else {
    out.put(kMissing);
    if (width > 1) out.blanks(width - 1);
  }
}

// "0 (clear)", "1 (checked)", the signed byte, or the missing sign.
void writeCheck(TextWriter& out, const view::Held<int>& state) {
  if (!state) {
    out.put(kMissing);
  } else if (*state == 0 || *state == 1) {
    out.put(*state == 0 ? "0 (clear)" : "1 (checked)");
  } else {
    out.number(*state);
  }
}

void writeLeftRight(TextWriter& out, const view::Held<std::string>& left, const view::Held<std::string>& right) {
  out.put("left ");
  writeHeld(out, left);
  out.put(", right ");
  writeHeld(out, right);
}

// What write writes, as a string of its own: the same wording as the view.
template <typename Write>
std::string written(Write write) {
  std::string text;
  {
    TextWriter out(text);
    write(out);
  }  // the writer hands over what it holds as it goes
  return text;
}

}  // namespace

std::string shown(const view::Held<std::string>& windows1252) {
  return written([&](TextWriter& out) { writeHeld(out, windows1252); });
}

std::string checkText(const view::Held<int>& state) {
  return written([&](TextWriter& out) { writeCheck(out, state); });
}

std::string leftRight(const view::Held<std::string>& left, const view::Held<std::string>& right) {
  return written([&](TextWriter& out) { writeLeftRight(out, left, right); });
}

void appendShownText(std::string& out, std::string_view windows1252) {
  TextWriter(out).shownText(windows1252);
}

void appendShownPath(std::string& out, std::string_view bytes) { TextWriter(out).shownPath(bytes); }

void appendPadded(std::string& out, std::string_view windows1252, std::size_t width) {
  TextWriter(out).padded(windows1252, width);
}

void pad(std::string& out, std::size_t used, std::size_t width) {
  if (used < width) out.append(width - used, ' ');
}

std::size_t columns(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void appendPaddedShown(std::string& out, std::string_view utf8, std::size_t width) {
  out += utf8;
  pad(out, columns(utf8), width);
}

namespace {

std::size_t columnsOf(const view::Held<std::string>& windows1252) { return windows1252 ? windows1252->size() : 1; }

void writeLabel(TextWriter& out, std::string_view label) {
  out.put("  ");
  out.padded(label, kLabelWidth);
}

void writeHeldField(TextWriter& out, std::string_view label, const view::Held<std::string>& windows1252) {
  writeLabel(out, label);
  writeHeld(out, windows1252);
  out.put('\n');
}

void writeCheckField(TextWriter& out, std::string_view label, const view::Held<int>& state) {
  writeLabel(out, label);
  writeCheck(out, state);
  out.put('\n');
}

void writeLeftRightField(TextWriter& out, std::string_view label, const view::Held<std::string>& left,
                         const view::Held<std::string>& right) {
  writeLabel(out, label);
  writeLeftRight(out, left, right);
  out.put('\n');
}

// Right-aligned in 11 columns, room for "-2147483648".
void writeStored(TextWriter& out, const view::Held<TuningValue>& value) {
  char digits[24];
  const std::string_view text =
      value ? std::string_view(digits, std::to_chars(digits, digits + sizeof digits, value->stored).ptr) : kMissing;
  const std::size_t shownColumns = value ? text.size() : 1;
  if (shownColumns < 11) out.blanks(11 - shownColumns);
  out.put(text);
}

void writeTuning(TextWriter& out, const WindowContent& content) {
  writeLabel(out, "Tuning");
  out.put("     stored  slider (0..");
  out.number(view::SLIDER_MAX);
  out.put(")\n");
  for (std::size_t i = 0; i < view::kTuningFields.size(); ++i) {
    writeLabel(out, view::kTuningFields[i].label);
    const view::Held<TuningValue>& value = content.tuning[i];
    writeStored(out, value);
    out.put("  ");
    if (value) {
      out.number(value->position);
    } else {
      out.put(kMissing);
    }
    out.put('\n');
  }
  writeLeftRightField(out, label::kDownforce, content.downforceLeft, content.downforceRight);
  writeLeftRightField(out, label::kTirePressure, content.tyrePressureLeft, content.tyrePressureRight);
}

void writeGears(TextWriter& out, const WindowContent& content) {
  constexpr std::size_t kColumn = 9;  // "Reverse" and two blanks
  const auto& names = label::kGearNames;
  writeLabel(out, label::kGears);
  for (std::size_t i = 0; i < names.size(); ++i) out.padded(names[i], i + 1 < names.size() ? kColumn : 0);
  out.put('\n');
  out.blanks(2 + kLabelWidth);
  for (std::size_t i = 0; i < content.gears.size(); ++i) {
    writeHeld(out, content.gears[i], i + 1 < content.gears.size() ? kColumn : 0);
  }
  out.put('\n');
}

void writeRecords(TextWriter& out, const WindowContent& content) {
  std::size_t nameWidth = 4, carWidth = 3;  // the headings "Name" and "Car"
  for (const RecordRowTexts& row : content.records) {
    nameWidth = std::max(nameWidth, columnsOf(row.name));
    carWidth = std::max(carWidth, columnsOf(row.car));
  }
  const auto line = [&](std::string_view label, std::string_view place, const view::Held<std::string>& name,
                        const view::Held<std::string>& car, const view::Held<std::string>& time) {
    writeLabel(out, label);
    out.padded(place, 3);  // "8" and two blanks
    writeHeld(out, name, nameWidth + 2);
    writeHeld(out, car, carWidth + 2);
    writeHeld(out, time);
    out.put('\n');
  };
  line(label::kRecords, "#", std::string("Name"), std::string("Car"), std::string("Time"));
  for (const RecordRowTexts& row : content.records) line("", row.place, row.name, row.car, row.time);
}

void writeCutShort(TextWriter& out, const WindowContent& content) {
  writeLabel(out, label::kCutShort);
  out.put("holds ");
  out.number(static_cast<std::int64_t>(content.bytesHeld));
  out.put(" of the ");
  out.number(static_cast<std::int64_t>(replay::layout::kBytesUsed));
  out.put(" bytes read; the values past its end show as ");
  out.put(kMissing);
  out.put('\n');
}

}  // namespace

void appendTextView(std::string& out, const WindowContent& content) {
  TextWriter w(out);
  w.shownPath(content.path);
  w.put('\n');
  writeLabel(w, "Caption");
  w.shownPath(content.caption);
  w.put('\n');
  if (content.isCut()) writeCutShort(w, content);
  writeHeldField(w, label::kTrack, content.track);
  writeHeldField(w, label::kDirection, content.direction);
  writeHeldField(w, label::kLaps, content.laps);
  writeHeldField(w, label::kDriver, content.driver);
  writeHeldField(w, label::kCar, content.car);
  writeCheckField(w, label::kAutomaticTransmission, content.automaticTransmission);
  writeCheckField(w, label::kDamage, content.damage);
  writeTuning(w, content);
  writeGears(w, content);
  writeRecords(w, content);
  w.put('\n');
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
