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
  std::string text;  // UTF-8, as the text view shows it
  std::string json;
};

std::string jsonText(const view::Held<std::string>& windows1252) {
  std::string json;
  appendJsonText(json, windows1252);
  return json;
}

std::string jsonNumber(const view::Held<std::string>& decimal) { return decimal.value_or("null"); }

// The widest name and car of either replay's records, so that the rows of
// both line up.
struct RecordWidths {
  std::size_t name = 0;
  std::size_t car = 0;
};

RecordWidths recordWidths(const WindowContent& a, const WindowContent& b) {
  RecordWidths widths;
  for (const WindowContent* content : {&a, &b}) {
    for (const RecordRowTexts& row : content->records) {
      widths.name = std::max(widths.name, columns(shown(row.name)));
      widths.car = std::max(widths.car, columns(shown(row.car)));
    }
  }
  return widths;
}

std::string recordText(const RecordRowTexts& row, const RecordWidths& widths) {
  std::string text = row.place + "  ";
  appendPaddedShown(text, shown(row.name), widths.name + 2);
  appendPaddedShown(text, shown(row.car), widths.car + 2);
  return text.append(shown(row.time));
}

// "/gears/2". Appended in parts, which the cross compiler reads without a
// false overlap warning.
std::string pointer(std::string_view parent, std::string_view child) {
  return std::string(parent).append("/").append(child);
}

// Every value the text view shows, one entry a line of the diff, each
// named by its JSON Pointer into the JSON line and valued as that line
// writes it there.
std::vector<Shown> shownValues(const WindowContent& c, const RecordWidths& widths) {
  const auto text = [](std::string_view l, std::string f, const view::Held<std::string>& t) {
    return Shown{std::string(l), std::move(f), shown(t), jsonText(t)};
  };
  const auto check = [](std::string_view l, std::string f, const view::Held<int>& state) {
    return Shown{std::string(l), std::move(f), checkText(state), state ? std::to_string(*state) : "null"};
  };
  const auto pair = [](std::string_view l, std::string f, const view::Held<std::string>& left,
                       const view::Held<std::string>& right) {
    std::string json = "[";
    json.append(jsonNumber(left)).append(",").append(jsonNumber(right)).append("]");
    return Shown{std::string(l), std::move(f), leftRight(left, right), std::move(json)};
  };
  const std::string bytesHeld = std::to_string(c.bytesHeld);
  std::vector<Shown> shownValues = {
      {std::string(label::kBytesHeld), "/bytesHeld", bytesHeld, bytesHeld},
      text(label::kTrack, "/track", c.track),
      text(label::kDirection, "/direction", c.direction),
      {std::string(label::kLaps), "/laps", shown(c.laps), jsonNumber(c.laps)},
      text(label::kDriver, "/driver", c.driver),
      text(label::kCar, "/car", c.car),
      check(label::kAutomaticTransmission, "/automaticTransmission", c.automaticTransmission),
      check(label::kDamage, "/damage", c.damage)};
  for (std::size_t i = 0; i < view::kTuningFields.size(); ++i) {
    const view::Held<TuningValue>& value = c.tuning[i];
    const std::string stored = value ? std::to_string(value->stored) : "null";
    shownValues.push_back({std::string(view::kTuningFields[i].label), pointer("/stored", view::kTuningFields[i].key),
                           value ? stored + ", slider " + std::to_string(value->position) : std::string(kMissing),
                           stored});
  }
  shownValues.push_back(pair(label::kDownforce, "/downforce", c.downforceLeft, c.downforceRight));
  shownValues.push_back(pair(label::kTirePressure, "/tyrePressure", c.tyrePressureLeft, c.tyrePressureRight));
  for (std::size_t i = 0; i < c.gears.size(); ++i) {
    shownValues.push_back(text(std::string(label::kGears) + " " + std::string(label::kGearNames[i]),
                               pointer("/gears", std::to_string(i)), c.gears[i]));
  }
  for (std::size_t i = 0; i < c.records.size(); ++i) {
    const RecordRowTexts& row = c.records[i];
    std::string json;
    appendJsonRecord(json, row);
    shownValues.push_back({std::string(label::kRecords) + " " + row.place, pointer("/records", std::to_string(i)),
                           recordText(row, widths), std::move(json)});
  }
  return shownValues;
}

}  // namespace

std::vector<Difference> differences(const WindowContent& a, const WindowContent& b) {
  const RecordWidths widths = recordWidths(a, b);
  const std::vector<Shown> inA = shownValues(a, widths), inB = shownValues(b, widths);
  std::vector<Difference> found;
  for (std::size_t i = 0; i < inA.size(); ++i) {
    if (inA[i].json == inB[i].json) continue;
    found.push_back({inA[i].label, inA[i].field, inA[i].text, inB[i].text, inA[i].json, inB[i].json});
  }
  return found;
}

void appendDiffText(std::string& out, const WindowContent& a, const WindowContent& b,
                    const std::vector<Difference>& found) {
  if (found.empty()) return;
  for (const auto& [name, content] : {std::pair{"A  ", &a}, {"B  ", &b}}) {
    out += name;
    appendShownPath(out, content->path);
    out += '\n';
  }
  std::size_t widthA = 0;
  for (const Difference& d : found) widthA = std::max(widthA, columns(d.textA));
  for (const Difference& d : found) {
    out += "  ";
    appendPadded(out, d.label, kLabelWidth);
    appendPaddedShown(out, d.textA, d.textB.empty() ? 0 : widthA + 2);  // no trailing blanks
    out += d.textB;
    out += '\n';
  }
}

void appendDiffJson(std::string& out, const WindowContent& a, const WindowContent& b,
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
