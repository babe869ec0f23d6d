#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "replay/decode.h"
#include "tests/support/replay_builder.h"
#include "view/window_content.h"

namespace vantor::view {
namespace {

using replay::ReplayInfo;
using vantor::testing::ReplayBuilder;

ReplayInfo decoded(const ReplayBuilder& replay) {
  ReplayInfo info;
  replay::decodeReplay(replay.bytes(), info);
  return info;
}

TEST(WindowContent, ShowsEveryFieldOfTheSampleReplay) {
  const WindowContent c = makeWindowContent("C:\\Replays\\sample.rpl", decoded(testing::sampleReplay()));
  EXPECT_EQ(c.caption, "Vantor : [sample.rpl]");
  EXPECT_EQ(c.track, "C\xF4te d'Azur");
  EXPECT_EQ(c.driver, "Ilse K.");
  EXPECT_EQ(c.car, "Comet Vantage");
  EXPECT_EQ(c.direction, "Backward");
  EXPECT_EQ(c.laps, "5");
  const std::array<std::string, 8> gears = {"0.10", "-0.05", "0.00", "0.05", "0.15", "0.20", "-0.10", "0.25"};
  EXPECT_EQ(c.gears, gears);
  EXPECT_EQ(c.downforceLeft, "7");
  EXPECT_EQ(c.downforceRight, "5");
  EXPECT_EQ(c.tyrePressureLeft, "32");
  EXPECT_EQ(c.tyrePressureRight, "30");
  EXPECT_EQ(c.sliders, (SliderPositions{16, 15, 26, 24, 25}));
  EXPECT_EQ(c.automaticTransmission, 0);
  EXPECT_EQ(c.damage, 1);
  EXPECT_EQ(c.records[0], (RecordRowTexts{"1", "Ada Roux", "Comet Vantage", "01:30:93"}));
  EXPECT_EQ(c.records[7].place, "8");
  EXPECT_EQ(c.records[7].name, "Hana Ito");
}

TEST(WindowContent, NumbersAreShownInDecimalWithTheirSign) {
  ReplayInfo info;
  info.downforceLeft = -1;
  info.downforceRight = INT32_MIN;
  info.tyrePressureLeft = INT32_MAX;
  info.tyrePressureRight = 0;
  const WindowContent c = makeWindowContent("x.rpl", info);
  EXPECT_EQ(c.downforceLeft, "-1");
  EXPECT_EQ(c.downforceRight, "-2147483648");
  EXPECT_EQ(c.tyrePressureLeft, "2147483647");
  EXPECT_EQ(c.tyrePressureRight, "0");
}

TEST(WindowContent, CheckStatesAreTheStoredBytesAsSignedNumbers) {
  struct Case {
    std::uint8_t stored;
    int state;
  };
  for (const Case k : {Case{0, 0}, {1, 1}, {2, 2}, {0x7F, 127}, {0x80, -128}, {0xFF, -1}}) {
    ReplayInfo info;
    info.automaticTransmission = k.stored;
    info.damage = static_cast<std::uint8_t>(k.stored ^ 1);
    const WindowContent c = makeWindowContent("x.rpl", info);
    EXPECT_EQ(c.automaticTransmission, k.state) << int{k.stored};
    EXPECT_EQ(c.damage, static_cast<std::int8_t>(k.stored ^ 1)) << int{k.stored};
  }
}

TEST(WindowContent, NoDirectionGivesAnEmptyText) {
  const WindowContent c = makeWindowContent("x.rpl", decoded(ReplayBuilder().mirrored(2).backward(0)));
  EXPECT_EQ(c.direction, "");
}

TEST(WindowContent, EveryRecordRowIsThereEvenWithEmptyNames) {
  ReplayBuilder replay;
  replay.trackKey("alps");
  for (std::size_t place = 0; place < 8; ++place) replay.otherTrackTime(place, static_cast<std::int32_t>(64 * place));
  const WindowContent c = makeWindowContent("x.rpl", decoded(replay));
  for (std::size_t i = 0; i < c.records.size(); ++i) {
    EXPECT_EQ(c.records[i].place, std::to_string(i + 1));
    EXPECT_EQ(c.records[i].name, "");
    EXPECT_EQ(c.records[i].car, "");
    EXPECT_FALSE(c.records[i].time.empty()) << "row " << i;
  }
  EXPECT_EQ(c.records[1].time, "00:01:00");
}

TEST(WindowContent, FullWidthTextsKeepEveryByte) {
  const ReplayInfo info = decoded(ReplayBuilder().driverName("Eightchr").carName("Fifteen chars!!").recordName(
      3, std::string(32, '\xE9')));
  const WindowContent c = makeWindowContent("x.rpl", info);
  EXPECT_EQ(c.driver, "Eightchr");
  EXPECT_EQ(c.car, "Fifteen chars!!");
  EXPECT_EQ(c.records[3].name, std::string(32, '\xE9'));
}

}  // namespace
}  // namespace vantor::view
