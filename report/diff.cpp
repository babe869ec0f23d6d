#include "report/diff.h"

#include <algorithm>
#include <cstdint>

#include "report/json_line.h"
#include "report/text_view.h"

namespace vantor::report {
namespace {

struct Shown {
  std::string label;
  std::string field;
  std::string text;
  std::string json;
};

std::string jsonText(std::string_view windows1252) {
  std::string json;
  appendJsonText(json, windows1252);
  return json;
}

// The widest name and car of either replay's records, so that the rows of
// both line up.
struct RecordWidths {
  std::size_t name = 0;
  std::size_t car = 0;
};

RecordWidths recordWidths(const view::WindowContent& a, const view::WindowContent& b) {
  RecordWidths widths;
  for (const view::WindowContent* content : {&a, &b}) {
    for (const view::RecordRowTexts& row : content->records) {
      widths.name = std::max(widths.name, row.name.size());
      widths.car = std::max(widths.car, row.car.size());
    }
  }
  return widths;
}

std::string recordText(const view::RecordRowTexts& row, const RecordWidths& widths) {
  std::string text = row.place + "  " + row.name;
  text.append(widths.name - row.name.size() + 2, ' ').append(row.car);
  text.append(widths.car - row.car.size() + 2, ' ').append(row.time);
  return text;
}

// "/gears/2". Appended in parts, which the cross compiler reads without a
// false overlap warning.
std::string pointer(std::string_view parent, std::string_view child) {
  return std::string(parent).append("/").append(child);
}

// Every value the text view shows, one entry a line of the diff, each
// named by its JSON Pointer into the JSON line and valued as that line
// writes it there.
std::vector<Shown> shownValues(const view::WindowContent& c, const RecordWidths& widths) {
  namespace label = label;
  const auto text = [](std::string_view l, std::string f, const std::string& t) {
    return Shown{std::string(l), std::move(f), t, jsonText(t)};
  };
  const auto number = [](std::string_view l, std::string f, std::string t, std::int64_t value) {
    return Shown{std::string(l), std::move(f), std::move(t), std::to_string(value)};
  };
  const auto pair = [](std::string_view l, std::string f, const std::string& left, const std::string& right) {
    return Shown{std::string(l), std::move(f), leftRight(left, right), "[" + left + "," + right + "]"};
  };
  const auto bytesHeld = static_cast<std::int64_t>(c.bytesHeld);
  std::vector<Shown> shown = {
      number(label::kBytesHeld, "/bytesHeld", std::to_string(bytesHeld), bytesHeld),
      text(label::kTrack, "/track", c.track),
      text(label::kDirection, "/direction", c.direction),
      text(label::kLaps, "/laps", c.laps),
      text(label::kDriver, "/driver", c.driver),
      text(label::kCar, "/car", c.car),
      number(label::kAutomaticTransmission, "/automaticTransmission", checkText(c.automaticTransmission),
             c.automaticTransmission),
      number(label::kDamage, "/damage", checkText(c.damage), c.damage)};
  for (std::size_t i = 0; i < view::kTuningFields.size(); ++i) {
    const view::TuningValue& value = c.tuning[i];
    shown.push_back(number(view::kTuningFields[i].label, pointer("/stored", view::kTuningFields[i].key),
                           std::to_string(value.stored) + ", slider " + std::to_string(value.position),
                           value.stored));
  }
  shown.push_back(pair(label::kDownforce, "/downforce", c.downforceLeft, c.downforceRight));
  shown.push_back(pair(label::kTirePressure, "/tyrePressure", c.tyrePressureLeft, c.tyrePressureRight));
  for (std::size_t i = 0; i < c.gears.size(); ++i) {
    shown.push_back(text(std::string(label::kGears) + " " + std::string(label::kGearNames[i]),
                         pointer("/gears", std::to_string(i)), c.gears[i]));
  }
  for (std::size_t i = 0; i < c.records.size(); ++i) {
    const view::RecordRowTexts& row = c.records[i];
    std::string json;
    appendJsonRecord(json, row);
    shown.push_back({std::string(label::kRecords) + " " + row.place, pointer("/records", std::to_string(i)),
                     recordText(row, widths), std::move(json)});
  }
  return shown;
}

}  // namespace

std::vector<Difference> differences(const view::WindowContent& a, const view::WindowContent& b) {
  const RecordWidths widths = recordWidths(a, b);
  const std::vector<Shown> inA = shownValues(a, widths), inB = shownValues(b, widths);
  std::vector<Difference> found;
  for (std::size_t i = 0; i < inA.size(); ++i) {
    if (inA[i].json == inB[i].json) continue;
    found.push_back({inA[i].label, inA[i].field, inA[i].text, inB[i].text, inA[i].json, inB[i].json});
  }
  return found;
}

void appendDiffText(std::string& out, const view::WindowContent& a, const view::WindowContent& b,
                    const std::vector<Difference>& found) {
  if (found.empty()) return;
  for (const auto& [name, content] : {std::pair{"A  ", &a}, {"B  ", &b}}) {
    out += name;
    appendShownPath(out, content->path);
    out += '\n';
  }
  std::size_t widthA = 0;
  for (const Difference& d : found) widthA = std::max(widthA, d.textA.size());
  for (const Difference& d : found) {
    out += "  ";
    appendPadded(out, d.label, kLabelWidth);
    appendPadded(out, d.textA, d.textB.empty() ? 0 : widthA + 2);  // no trailing blanks
    appendShownText(out, d.textB);
    out += '\n';
  }
}

void appendDiffJson(std::string& out, const view::WindowContent& a, const view::WindowContent& b,
                    const std::vector<Difference>& found) {
  out.append(R"({"format":)").append(std::to_string(kDiffFormat)).append(R"(,"a":)");
  appendJsonPath(out, a.path);
  out += R"(,"b":)";
  appendJsonPath(out, b.path);
  out += R"(,"differences":[)";
  for (const Difference& d : found) {
    if (&d != found.data()) out += ',';
    out += R"({"field":")" + d.field + R"(","a":)" + d.jsonA + R"(,"b":)" + d.jsonB + "}";
  }
  out += "]}\n";
}

}  // namespace vantor::report
