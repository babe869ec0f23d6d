#include "cli/json_line.h"

#include <charconv>
#include <cstdint>

#include "cli/utf8_text.h"

namespace vantor::cli {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void appendEscaped(std::string& out, char c) {
  switch (c) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\b': out += "\\b"; return;
    case '\f': out += "\\f"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: {
      const auto b = static_cast<unsigned char>(c);
      out += "\\u00";
      out += kHex[b >> 4];
      out += kHex[b & 0xF];
    }
  }
}

bool needsEscape(char c) { return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20; }

void appendInt(std::string& out, std::int64_t value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

// Quotes and escapes a Windows-1252 text without an intermediate copy:
// the characters JSON escapes are all ASCII, so escaping the bytes first
// and converting the rest gives the same string.
void appendWindows1252String(std::string& out, std::string_view text) {
  out += '"';
  std::size_t run = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!needsEscape(text[i])) continue;
    appendWindows1252AsUtf8(out, text.substr(run, i - run));
    appendEscaped(out, text[i]);
    run = i + 1;
  }
  appendWindows1252AsUtf8(out, text.substr(run));
  out += '"';
}

void appendSystemString(std::string& out, std::string_view bytes) {
  std::string utf8;
  appendValidUtf8(utf8, bytes);
  appendJsonString(out, utf8);
}

class ObjectWriter {
 public:
  explicit ObjectWriter(std::string& out) : out_(out) { out_ += '{'; }
  ~ObjectWriter() { out_ += '}'; }
  ObjectWriter(const ObjectWriter&) = delete;
  ObjectWriter& operator=(const ObjectWriter&) = delete;

  std::string& key(std::string_view name) {
    if (!first_) out_ += ',';
    first_ = false;
    out_ += '"';
    out_ += name;
    out_ += "\":";
    return out_;
  }
  void text(std::string_view name, std::string_view windows1252) { appendWindows1252String(key(name), windows1252); }
  void number(std::string_view name, std::int64_t value) { appendInt(key(name), value); }

 private:
  std::string& out_;
  bool first_ = true;
};

void appendPair(std::string& out, std::int32_t left, std::int32_t right) {
  out += '[';
  appendInt(out, left);
  out += ',';
  appendInt(out, right);
  out += ']';
}

void appendSliders(std::string& out, const view::SliderPositions& sliders) {
  ObjectWriter object(out);
  object.number("rideHeight", sliders.rideHeight);
  object.number("shockStiffness", sliders.shockStiffness);
  object.number("shockTravel", sliders.shockTravel);
  object.number("toeIn", sliders.toeIn);
  object.number("brakeBalance", sliders.brakeBalance);
}

void appendRecords(std::string& out, const view::WindowContent& content, const replay::ReplayInfo& info) {
  out += '[';
  for (std::size_t i = 0; i < content.records.size(); ++i) {
    if (i > 0) out += ',';
    const view::RecordRowTexts& row = content.records[i];
    ObjectWriter object(out);
    object.number("place", static_cast<std::int64_t>(i + 1));
    object.text("name", row.name);
    object.text("car", row.car);
    object.text("time", row.time);
    object.number("rawTime", info.records[i].rawTime);
  }
  out += ']';
}

void appendGears(std::string& out, const view::WindowContent& content) {
  out += '[';
  for (std::size_t i = 0; i < content.gears.size(); ++i) {
    if (i > 0) out += ',';
    appendWindows1252String(out, content.gears[i]);
  }
  out += ']';
}

}  // namespace

void appendJsonString(std::string& out, std::string_view utf8) {
  out += '"';
  std::size_t run = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (!needsEscape(utf8[i])) continue;
    out.append(utf8.substr(run, i - run));
    appendEscaped(out, utf8[i]);
    run = i + 1;
  }
  out.append(utf8.substr(run));
  out += '"';
}

void appendJsonLine(std::string& out, std::string_view path, const view::WindowContent& content,
                    const replay::ReplayInfo& info) {
  {
    ObjectWriter object(out);
    appendSystemString(object.key("path"), path);
    appendSystemString(object.key("caption"), content.caption);
    object.text("track", content.track);
    object.text("driver", content.driver);
    object.text("car", content.car);
    object.text("direction", content.direction);
    object.text("laps", content.laps);
    appendGears(object.key("gears"), content);
    appendPair(object.key("downforce"), info.downforceLeft, info.downforceRight);
    appendPair(object.key("tyrePressure"), info.tyrePressureLeft, info.tyrePressureRight);
    appendSliders(object.key("sliders"), content.sliders);
    object.number("automaticTransmission", content.automaticTransmission);
    object.number("damage", content.damage);
    object.key("isMonteCarlo") += info.isMonteCarlo ? "true" : "false";
    appendRecords(object.key("records"), content, info);
    object.number("format", kJsonFormat);
  }
  out += '\n';
}

}  // namespace vantor::cli
