// Arbitrary bytes as one replay: decoded, mapped to the window's content
// and printed as vantor-info's JSON line, which must parse back to the
// same texts. The bytes past the last field the viewer reads never change
// the decoded values, so they serve as the file's path: long names, odd
// separators and bytes that are not UTF-8 reach the caption and the JSON.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "cli/json_line.h"
#include "cli/utf8_text.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/replay_invariants.h"
#include "replay/decode.h"
#include "replay/layout.h"
#include "view/window_content.h"

namespace {

using namespace vantor;
using fuzz::require;
using Json = nlohmann::json;

constexpr std::string_view kDefaultPath = "C:\\Replays\\race.rpl";
constexpr std::size_t kMaxPathBytes = 1024;

std::string pathFrom(std::span<const std::uint8_t> data) {
  if (data.size() <= replay::layout::kBytesUsed) return std::string(kDefaultPath);
  const auto tail = data.subspan(replay::layout::kBytesUsed);
  const std::size_t size = std::min(tail.size(), kMaxPathBytes);
  return {reinterpret_cast<const char*>(tail.data()), size};
}

std::string asUtf8(std::string_view windows1252) {
  std::string out;
  cli::appendWindows1252AsUtf8(out, windows1252);
  return out;
}

std::string validUtf8(std::string_view bytes) {
  std::string out;
  cli::appendValidUtf8(out, bytes);
  return out;
}

void checkJson(const std::string& line, std::string_view path, const view::WindowContent& content,
               const replay::ReplayInfo& info) {
  require(!line.empty() && line.back() == '\n', "JSON line ends in a newline");
  require(line.find('\n') == line.size() - 1, "JSON is one line");
  const Json json = Json::parse(line, nullptr, /*allow_exceptions=*/false);
  require(!json.is_discarded(), "JSON parses");
  require(json.at("path") == validUtf8(path), "path round-trips");
  require(json.at("caption") == validUtf8(content.caption), "caption round-trips");
  require(json.at("track") == asUtf8(content.track), "track round-trips");
  require(json.at("driver") == asUtf8(content.driver), "driver round-trips");
  require(json.at("car") == asUtf8(content.car), "car round-trips");
  require(json.at("direction") == asUtf8(content.direction), "direction round-trips");
  require(json.at("laps") == content.laps, "laps round-trips");
  require(json.at("isMonteCarlo") == info.isMonteCarlo, "Monte Carlo flag");
  require(json.at("downforce") == Json::array({info.downforceLeft, info.downforceRight}), "downforce pair");
  require(json.at("sliders").at("shockStiffness") == content.sliders.shockStiffness, "stiffness position");
  require(json.at("damage") == content.damage, "damage check state");

  const Json& gears = json.at("gears");
  require(gears.is_array() && gears.size() == 8, "eight gear texts");
  for (std::size_t i = 0; i < 8; ++i) require(gears[i] == content.gears[i], "gear text round-trips");

  const Json& records = json.at("records");
  require(records.is_array() && records.size() == 8, "eight records in JSON");
  for (std::size_t i = 0; i < 8; ++i) {
    const Json& row = records[i];
    require(row.at("place") == static_cast<int>(i + 1), "JSON places 1 to 8");
    require(row.at("name") == asUtf8(content.records[i].name), "record name round-trips");
    require(row.at("car") == asUtf8(content.records[i].car), "record car round-trips");
    require(row.at("time") == content.records[i].time, "record time round-trips");
    require(row.at("rawTime") == info.records[i].rawTime, "raw time round-trips");
  }
  // What nlohmann writes back must read the same: no text depends on how it was escaped.
  require(Json::parse(json.dump()) == json, "JSON survives a second round");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const std::string path = pathFrom(bytes);

  replay::ReplayInfo info;
  replay::decodeReplay(bytes, info);
  fuzz::checkReplayInfo(info);

  // Reading the same file again changes nothing: every field's source is
  // the same bytes, and a lookup that failed fails again.
  replay::ReplayInfo again = info;
  replay::decodeReplay(bytes, again);
  require(again == info, "a second load of the same bytes changes nothing");

  const view::WindowContent content = view::makeWindowContent(path, info);
  fuzz::checkWindowContent(path, info, content);

  std::string line;
  cli::appendJsonLine(line, path, content, info);
  checkJson(line, path, content, info);
  return 0;
}
