#include "report/csv.h"

#include <array>

#include "report/text_view.h"
#include "view/utf8_text.h"

namespace vantor::report {
namespace {

constexpr std::array<std::string_view, 8> kGearColumns = {
    "gears.1st", "gears.2nd", "gears.3rd", "gears.4th", "gears.5th", "gears.6th", "gears.reverse", "gears.final"};

bool needsQuotes(std::string_view utf8) { return utf8.find_first_of(",\"\r\n") != std::string_view::npos; }

// A field as RFC 4180 writes it: in quotes, inner quotes doubled, when it
// must be; as it is otherwise.
void appendCsvField(std::string& out, std::string_view utf8, bool quote = false) {
  if (!quote && !needsQuotes(utf8)) {
    out += utf8;
    return;
  }
  out += '"';
  for (const char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// A Windows-1252 text, or an empty cell when the file does not hold it.
void text(std::string& out, const view::Held<std::string>& windows1252) {
  out += ',';
  if (windows1252) appendCsvText(out, *windows1252);
}

void plain(std::string& out, const view::Held<std::string>& ascii) {
  out += ',';
  if (ascii) out += *ascii;
}

template <typename Number>
void number(std::string& out, const view::Held<Number>& value) {
  out += ',';
  if (value) out += std::to_string(*value);
}

void flag(std::string& out, const view::Held<bool>& value) {
  out += ',';
  if (value) out += *value ? "true" : "false";
}

}  // namespace

void appendCsvText(std::string& out, std::string_view windows1252) {
  std::string utf8;
  view::appendWindows1252AsUtf8(utf8, windows1252);
  appendCsvField(out, utf8, utf8.empty());
}

void appendCsvPath(std::string& out, std::string_view bytes) {
  std::string room;
  appendCsvField(out, view::validUtf8(bytes, room));
}

void appendCsvHeader(std::string& out) {
  out += kUtf8ByteOrderMark;
  out += "path,caption,track,driver,car,direction,laps";
  for (const std::string_view gear : kGearColumns) out.append(",").append(gear);
  out += ",downforce.left,downforce.right,tyrePressure.left,tyrePressure.right";
  for (const std::string_view group : {"sliders", "stored"}) {
    for (const view::TuningField& field : view::kTuningFields) out.append(",").append(group).append(".").append(field.key);
  }
  out += ",automaticTransmission,damage,isMonteCarlo,bytesHeld,isCut,gearNote\r\n";
}

void appendCsvRow(std::string& out, const view::WindowContent& content) {
  appendCsvPath(out, content.path);
  out += ',';
  appendCsvPath(out, content.caption);
  text(out, content.track);
  text(out, content.driver);
  text(out, content.car);
  text(out, content.direction);
  plain(out, content.laps);
  for (const auto& gear : content.gears) text(out, gear);
  plain(out, content.downforceLeft);
  plain(out, content.downforceRight);
  plain(out, content.tyrePressureLeft);
  plain(out, content.tyrePressureRight);
  for (const auto& tuning : content.tuning) number(out, tuning ? view::Held<int>(tuning->position) : std::nullopt);
  for (const auto& tuning : content.tuning) number(out, tuning ? view::Held<int>(tuning->stored) : std::nullopt);
  number(out, content.automaticTransmission);
  number(out, content.damage);
  flag(out, content.isMonteCarlo);
  number(out, view::Held<std::size_t>(content.bytesHeld));
  flag(out, view::Held<bool>(content.isCut()));
  out += ',';
  if (!content.gearsComplete) appendCsvField(out, replay::kGearNote);
  out += "\r\n";
}

}  // namespace vantor::report
