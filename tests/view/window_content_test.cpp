#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "view/window_content.h"

namespace vantor::view {
namespace {

std::string captionFor(std::string_view path, bool isCut) {
  std::string caption;
  assignCaption(caption, path, isCut);
  return caption;
}

TEST(WindowContent, CaptionShowsTheNameAfterTheLastBackslashButTheFirst) {
  const std::pair<std::string_view, std::string_view> captions[] = {
      {"C:\\Replays\\race.rpl", "Vantor : [race.rpl]"}, {"race.rpl", "Vantor : [race.rpl]"},
      {"\\race.rpl", "Vantor : [\\race.rpl]"},          {"C:/Replays/race.rpl", "Vantor : [C:/Replays/race.rpl]"},
      {"a\\b\\", "Vantor : []"},                         {"", "Vantor : []"}};
  for (const auto& [path, caption] : captions) EXPECT_EQ(captionFor(path, false), caption) << path;
  const std::string longName(300, 'n');
  EXPECT_EQ(captionFor("C:\\" + longName, false), "Vantor : [" + longName.substr(0, 245));
  EXPECT_EQ(makeWindowContent("cut.rpl", replay::DecodedReplay{}).caption, "Vantor : [cut.rpl] (cut short)");
  EXPECT_EQ(captionFor(longName, true), "Vantor : [" + longName.substr(0, 233) + " (cut short)");
}

// 255 bytes at the most, cut between whole characters: two-byte Greek and
// three-byte Japanese letters are never halved.
TEST(WindowContent, CaptionCutsLongNamesBetweenWholeLetters) {
  std::string greek, japanese;
  for (int i = 0; i < 130; ++i) greek += "\xCE\xB1";      // α
  for (int i = 0; i < 90; ++i) japanese += "\xE3\x83\xAC";  // レ
  EXPECT_EQ(captionFor(greek, false), "Vantor : [" + greek.substr(0, 244));
  EXPECT_EQ(captionFor(japanese, false), "Vantor : [" + japanese.substr(0, 243));
  EXPECT_EQ(captionFor(japanese, true), "Vantor : [" + japanese.substr(0, 231) + " (cut short)");
}

// Each slider's stored range maps onto 0..40; the products are truncated
// toward zero, so 1.2 stiffness shows 24, not 25. Each row moves every
// slider, so a slider that reads another's value is seen too. Values past
// the game's ranges have no reference but the formulas: worked by hand.
TEST(WindowContent, SliderPositionsTruncateTheScaledStoredValue) {
  using Five = std::array<std::int32_t, 5>;  // ride height, stiffness, travel, toe-in, brake balance
  const std::pair<Five, Five> cases[] = {
      {{0, 65536, 0, -4, 50}, {20, 15, 20, 4, 20}},
      {{-20, 45875, -30, 5, 30}, {0, 0, 0, 40, 0}},
      {{20, 98304, 30, -5, 70}, {40, 40, 40, 0, 40}},
      {{-21, 78643, 1, -6, 29}, {-1, 24, 20, -4, -1}},
      {{19, 91750, -29, 32767, 31}, {39, 34, 0, 131088, 1}},
      {{-32768, 52428, -31, -4, -32768}, {-32748, 4, 0, 4, -32798}},
      {{0, 0, -32, -4, 50}, {20, -34, -1, 4, 20}},
      {{0, INT32_MIN, 32767, -4, 50}, {20, -1638428, 21864, 4, 20}},
      {{0, INT32_MAX, 0, -4, 50}, {20, 1638358, 20, 4, 20}}};
  for (const auto& [stored, positions] : cases) {
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(kTuningFields[i].position(stored[i]), positions[i]) << i;
  }
}

}  // namespace
}  // namespace vantor::view
