#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "cli/json_line.h"
#include "replay/decode.h"
#include "tests/support/replay_builder.h"
#include "view/window_content.h"

namespace vantor::cli {
namespace {

using nlohmann::json;
using replay::ReplayInfo;
using vantor::testing::ReplayBuilder;

std::string lineFor(const std::string& path, const ReplayBuilder& replay) {
  ReplayInfo info;
  replay::decodeReplay(replay.bytes(), info);
  std::string out;
  appendJsonLine(out, path, view::makeWindowContent(path, info), info);
  return out;
}

json parsed(const std::string& line) {
  EXPECT_EQ(line.find('\n'), line.size() - 1) << "one object, one line";
  return json::parse(line);  // throws, failing the test, on anything but valid UTF-8 JSON
}

TEST(JsonLine, CarriesEveryKeyOfTheSample) {
  const json j = parsed(lineFor("replays\\sample.rpl", testing::sampleReplay()));
  std::set<std::string> keys;
  for (const auto& [key, value] : j.items()) keys.insert(key);
  EXPECT_EQ(keys, (std::set<std::string>{"path", "caption", "track", "driver", "car", "direction", "laps", "gears",
                                         "downforce", "tyrePressure", "sliders", "automaticTransmission", "damage",
                                         "isMonteCarlo", "records", "format"}));
  EXPECT_EQ(j["format"], 1);
  EXPECT_EQ(j["path"], "replays\\sample.rpl");
  EXPECT_EQ(j["caption"], "Vantor : [sample.rpl]");
  EXPECT_EQ(j["track"], "C\u00F4te d'Azur");
  EXPECT_EQ(j["driver"], "Ilse K.");
  EXPECT_EQ(j["car"], "Comet Vantage");
  EXPECT_EQ(j["direction"], "Backward");
  EXPECT_EQ(j["laps"], "5");
  EXPECT_EQ(j["gears"], json({"0.10", "-0.05", "0.00", "0.05", "0.15", "0.20", "-0.10", "0.25"}));
  EXPECT_EQ(j["downforce"], json({7, 5}));
  EXPECT_EQ(j["tyrePressure"], json({32, 30}));
  EXPECT_EQ(j["sliders"], json({{"rideHeight", 16}, {"shockStiffness", 15}, {"shockTravel", 26}, {"toeIn", 24},
                                {"brakeBalance", 25}}));
  EXPECT_EQ(j["automaticTransmission"], 0);
  EXPECT_EQ(j["damage"], 1);
  EXPECT_EQ(j["isMonteCarlo"], false);
  ASSERT_EQ(j["records"].size(), 8u);
  EXPECT_EQ(j["records"][0],
            json({{"place", 1}, {"name", "Ada Roux"}, {"car", "Comet Vantage"}, {"time", "01:30:93"}, {"rawTime", 5820}}));
  EXPECT_EQ(j["records"][7]["place"], 8);
}

TEST(JsonLine, NumbersKeepTheirSignAndFullRange) {
  ReplayBuilder replay;
  replay.downforce(INT32_MIN, -1).tyrePressure(INT32_MAX, 0).damage(0xFF).automaticTransmission(0x80);
  replay.trackKey("monaco1").monteCarloTime(0, INT32_MIN).rideHeight(-32768).shockStiffness(INT32_MIN);
  const json j = parsed(lineFor("x.rpl", replay));
  EXPECT_EQ(j["downforce"], json({-2147483648LL, -1}));
  EXPECT_EQ(j["tyrePressure"], json({2147483647, 0}));
  EXPECT_EQ(j["damage"], -1);
  EXPECT_EQ(j["automaticTransmission"], -128);
  EXPECT_EQ(j["isMonteCarlo"], true);
  EXPECT_EQ(j["records"][0]["rawTime"], -2147483648LL);
  EXPECT_EQ(j["sliders"]["rideHeight"], -32748);
  EXPECT_EQ(j["sliders"]["shockStiffness"], -1638428);
}

TEST(JsonLine, AnyByteInATextGivesValidEscapedJson) {
  // Every byte value but NUL, spread over the eight record names and cars.
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  ReplayBuilder replay;
  for (std::size_t place = 0; place < 8; ++place) {
    replay.recordName(place, all.substr(place * 32, 32));
    replay.recordCar(place, all.substr(std::min(all.size(), place * 32 + 16), 32));
  }
  replay.driverName("\"\\\n\t\x1B[2J").carName("\x81\x8D\x8F\x90\x9D\x80\x7F");
  const std::string line = lineFor("x.rpl", replay);
  const json j = parsed(line);
  EXPECT_EQ(j["driver"], "\"\\\n\t\x1B[2J");
  EXPECT_EQ(j["car"], "\u0081\u008D\u008F\u0090\u009D\u20AC\x7F");
  EXPECT_EQ(j["records"][0]["name"], std::string(all.substr(0, 32)));  // ASCII and controls come back as they were
  EXPECT_EQ(j["records"][7]["name"], "\u00E1\u00E2\u00E3\u00E4\u00E5\u00E6\u00E7\u00E8\u00E9\u00EA\u00EB"
                                     "\u00EC\u00ED\u00EE\u00EF\u00F0\u00F1\u00F2\u00F3\u00F4\u00F5\u00F6\u00F7"
                                     "\u00F8\u00F9\u00FA\u00FB\u00FC\u00FD\u00FE\u00FF");
  EXPECT_NE(line.find("\\u001b[2J"), std::string::npos) << "controls are escaped, never raw";
  EXPECT_EQ(line.find('\x1B'), std::string::npos);
}

TEST(JsonLine, APathThatIsNotUtf8GetsReplacementCharacters) {
  const json j = parsed(lineFor("caf\xE9\\r\xE9sum\xE9\"\n.rpl", ReplayBuilder()));
  EXPECT_EQ(j["path"], "caf\uFFFD\\r\uFFFDsum\uFFFD\"\n.rpl");
  EXPECT_EQ(j["caption"], "Vantor : [r\uFFFDsum\uFFFD\"\n.rpl]");
}

TEST(JsonLine, AnEmptyReplayStillHasEveryKey) {
  const json j = parsed(lineFor("-", ReplayBuilder().size(0)));
  EXPECT_EQ(j["caption"], "Vantor : [-]");
  EXPECT_EQ(j["track"], "");
  EXPECT_EQ(j["laps"], "0");
  EXPECT_EQ(j["gears"].size(), 8u);
  EXPECT_EQ(j["records"].size(), 8u);
}

}  // namespace
}  // namespace vantor::cli
