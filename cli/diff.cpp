#include "cli/diff.h"

#include <algorithm>

#include "cli/json_line.h"
#include "view/text_view.h"

namespace vantor::cli {
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

// Every value the text view shows, one entry a line of the diff.
std::vector<Shown> shownValues(const view::WindowContent& c) {
  namespace label = view::label;
  const auto text = [](std::string_view l, std::string f, const std::string& t) {
    return Shown{std::string(l), std::move(f), t, jsonText(t)};
  };
  const auto check = [](std::string_view l, std::string f, int state) {
    return Shown{std::string(l), std::move(f), view::checkText(state), std::to_string(state)};
  };
  const auto pair = [](std::string_view l, std::string f, const std::string& left, const std::string& right) {
    return Shown{std::string(l), std::move(f), view::leftRight(left, right), "[" + left + "," + right + "]"};
  };
  std::vector<Shown> shown = {text(label::kTrack, "track", c.track),
                              text(label::kDirection, "direction", c.direction),
                              text(label::kLaps, "laps", c.laps),
                              text(label::kDriver, "driver", c.driver),
                              text(label::kCar, "car", c.car),
                              check(label::kAutomaticTransmission, "automaticTransmission", c.automaticTransmission),
                              check(label::kDamage, "damage", c.damage)};
  const auto rows = view::tuningRows(c);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string stored = std::to_string(rows[i].stored), slider = std::to_string(rows[i].position);
    std::string shownText = stored;
    shownText.append(", slider ").append(slider);
    std::string json = R"({"stored":)";
    json.append(stored).append(R"(,"slider":)").append(slider).append("}");
    shown.push_back({std::string(rows[i].label), std::string(kTuningKeys[i]), std::move(shownText), std::move(json)});
  }
  shown.push_back(pair(label::kDownforce, "downforce", c.downforceLeft, c.downforceRight));
  shown.push_back(pair(label::kTirePressure, "tyrePressure", c.tyrePressureLeft, c.tyrePressureRight));
  for (std::size_t i = 0; i < c.gears.size(); ++i) {
    shown.push_back(text(std::string(label::kGears) + " " + std::string(label::kGearNames[i]),
                         "gears[" + std::to_string(i) + "]", c.gears[i]));
  }
  for (std::size_t i = 0; i < c.records.size(); ++i) {
    const view::RecordRowTexts& row = c.records[i];
    std::string json;
    appendJsonRecord(json, row);
    shown.push_back({std::string(label::kRecords) + " " + row.place, "records[" + std::to_string(i) + "]",
                     row.place + "  " + row.name + "  " + row.car + "  " + row.time, std::move(json)});
  }
  return shown;
}

}  // namespace

std::vector<Difference> differences(const view::WindowContent& a, const view::WindowContent& b) {
  const std::vector<Shown> inA = shownValues(a), inB = shownValues(b);
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
    view::appendShownPath(out, content->path);
    out += '\n';
  }
  std::size_t widthA = 0;
  for (const Difference& d : found) widthA = std::max(widthA, d.textA.size());
  for (const Difference& d : found) {
    out += "  ";
    view::appendPadded(out, d.label, view::kLabelWidth);
    view::appendPadded(out, d.textA, widthA + 2);
    view::appendShownText(out, d.textB);
    out += '\n';
  }
}

void appendDiffJson(std::string& out, const view::WindowContent& a, const view::WindowContent& b,
                    const std::vector<Difference>& found) {
  out.append(R"({"format":)").append(std::to_string(kJsonFormat)).append(R"(,"a":)");
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

}  // namespace vantor::cli
