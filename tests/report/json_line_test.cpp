#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "report/json_line.h"
#include "replay/decode.h"
#include "tests/support/replay_builder.h"
#include "view/window_content.h"

namespace vantor::report {
namespace {

using nlohmann::json;

std::string lineOf(const view::WindowContent& content) {
  std::string out;
  appendJsonLine(out, content);
  return out;
}

std::string lineOf(const vantor::testing::ReplayBuilder& replay, std::size_t size = SIZE_MAX) {
  return lineOf(view::makeWindowContent("d\\sample.rpl", replay::decodeFile(replay.firstBytes(size))));
}

TEST(JsonLine, WritesTheSampleWithItsKeysInOrder) {
  const std::string line = lineOf(vantor::testing::sampleReplay());
  EXPECT_TRUE(line.starts_with(
      R"({"path":"d\\sample.rpl","caption":"Vantor : [sample.rpl]","track":"C)" "\u00F4" R"(te d'Azur",)"
      R"("driver":"Ilse K.","car":"Comet Vantage","direction":"Backward","laps":5,)"
      R"("gears":["0.10","-0.05","0.00","0.05","0.15","0.20","-0.10","0.25"],"downforce":[7,5],)"
      R"("tyrePressure":[32,30],"sliders":{"rideHeight":16,"shockStiffness":15,"shockTravel":26,"toeIn":24,)"
      R"("brakeBalance":25},"stored":{"rideHeight":-4,"shockStiffness":65536,"shockTravel":10,"toeIn":1,)"
      R"("brakeBalance":55},"automaticTransmission":0,"damage":1,"isMonteCarlo":false,"bytesHeld":4583,)"
      R"("isCut":false,"records":[)"
      R"({"place":1,"name":"Ada Roux","car":"Comet Vantage","time":"01:30:93","rawTime":5820},{"place":2,)"))
      << line;
  EXPECT_TRUE(line.ends_with(
      R"({"place":8,"name":"Hana Ito","car":"Comet Vantage","time":"01:41:54","rawTime":6499}],"format":2})" "\n"));
}

// The JSON Pointers of the nulls, depth first.
void collectNulls(const json& value, const std::string& at, std::vector<std::string>& nulls) {
  if (value.is_null()) nulls.push_back(at);
  if (value.is_structured()) {
    for (const auto& [key, item] : value.items()) collectNulls(item, at + "/" + key, nulls);
  }
}

// A value whose bytes lie past the file's end is null; every other is there.
TEST(JsonLine, ValuesTheFileDoesNotHoldAreNull) {
  std::vector<std::string> nulls;
  collectNulls(json::parse(lineOf(vantor::testing::sampleReplay(), 3500)), "", nulls);
  EXPECT_EQ(nulls, (std::vector<std::string>{
                       "/car", "/downforce/0", "/downforce/1", "/driver", "/gears/3", "/gears/4", "/gears/5",
                       "/sliders/brakeBalance", "/sliders/rideHeight", "/sliders/shockStiffness",
                       "/sliders/shockTravel", "/sliders/toeIn", "/stored/brakeBalance", "/stored/rideHeight",
                       "/stored/shockStiffness", "/stored/shockTravel", "/stored/toeIn", "/tyrePressure/0",
                       "/tyrePressure/1"}));
  const json empty = json::parse(lineOf(vantor::testing::sampleReplay(), 0));
  nulls.clear();
  collectNulls(empty, "", nulls);
  EXPECT_EQ(nulls.size(), 8u + 2 + 2 + 10 + 2 + 1 + 8 * 4 + 5);  // everything but the file's name and size
  EXPECT_EQ(empty["bytesHeld"], 0);
  EXPECT_EQ(empty["records"][7]["place"], 8);
}

TEST(JsonLine, AnyBytesMakeValidJsonOfTheSameTexts) {
  view::WindowContent content = view::makeWindowContent("", replay::DecodedReplay{});
  content.path = "bad\xFF\"\\\x01\xE2\x82|\xE0\x80\x80.rpl";  // one U+FFFD for each longest invalid start
  content.caption = "Vantor : [\xC3\xA9]";
  content.driver = "\"\\/\b\f\n\r\t\x1F";
  content.car = "\x80\x81\x8D\x9F\xA0\xFF\x7F";
  content.records[3].name = std::string("\0\x1B", 2);
  content.records[3].rawTime = INT32_MIN;
  content.downforceLeft = "-2147483648";
  content.damage = -128;
  content.isMonteCarlo = true;
  const std::string line = lineOf(content);
  EXPECT_NE(line.find(R"("driver":"\"\\/\b\f\n\r\t\u001f")"), std::string::npos) << line;
  EXPECT_EQ(line.find('\n'), line.size() - 1);
  const json object = json::parse(line);
  EXPECT_EQ(object["path"], "bad\uFFFD\"\\\x01\uFFFD|\uFFFD\uFFFD\uFFFD.rpl");
  EXPECT_EQ(object["caption"], "Vantor : [\u00E9]");
  EXPECT_EQ(object["driver"], *content.driver);
  EXPECT_EQ(object["car"], "\u20AC\u0081\u008D\u0178\u00A0\u00FF\x7F");
  EXPECT_EQ(object["records"][3]["name"], *content.records[3].name);
  EXPECT_EQ(object["records"][3]["rawTime"], INT32_MIN);
  EXPECT_EQ(object["records"][3]["place"], 4);
  EXPECT_EQ(object["downforce"][0], INT32_MIN);
  EXPECT_EQ(object["damage"], -128);
  EXPECT_EQ(object["isMonteCarlo"], true);
}

}  // namespace
}  // namespace vantor::report
