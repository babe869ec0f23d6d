#include <gtest/gtest.h>

#include <string>

#include "replay/decode.h"
#include "tests/support/replay_builder.h"
#include "report/text_view.h"
#include "view/window_content.h"

namespace vantor::report {
namespace {

using vantor::testing::ReplayBuilder;

std::string viewOf(const std::string& path, const ReplayBuilder& replay) {
  std::string out;
  appendTextView(out, view::makeWindowContent(path, replay::decodeFile(replay.bytes())));
  return out;
}

// What a user reads for the project's sample: the same on every system.
constexpr std::string_view kSampleView =
    "replays\\sample.rpl\n"
    "  Caption               Vantor : [sample.rpl]\n"
    "  Track                 C\u00F4te d'Azur\n"
    "  Direction             Backward\n"
    "  Laps                  5\n"
    "  Driver                Ilse K.\n"
    "  Car                   Comet Vantage\n"
    "  Transmission/autom.   0 (clear)\n"
    "  Damage                1 (checked)\n"
    "  Tuning                     stored  slider (0..40)\n"
    "  Ride height                    -4  16\n"
    "  Shock stiffness             65536  15\n"
    "  Shock travel                   10  26\n"
    "  Toe-in                          1  24\n"
    "  Brake balance                  55  25\n"
    "  Downforce             left 7, right 5\n"
    "  Tire Pressure         left 32, right 30\n"
    "  Gears                 1st      2nd      3rd      4th      5th      6th      Reverse  Final\n"
    "                        0.10     -0.05    0.00     0.05     0.15     0.20     -0.10    0.25\n"
    "  Records               #  Name          Car            Time\n"
    "                        1  Ada Roux      Comet Vantage  01:30:93\n"
    "                        2  Bo Lindqvist  Halcyon R      01:32:45\n"
    "                        3  C. Okafor     Comet Vantage  01:33:96\n"
    "                        4  Dita Marsh    Skylark 90     01:35:48\n"
    "                        5  Eli Brandt    Halcyon R      01:37:00\n"
    "                        6  Fen Ashby     Drift Marten   01:38:51\n"
    "                        7  Gus Varela    Skylark 90     01:40:03\n"
    "                        8  Hana Ito      Comet Vantage  01:41:54\n"
    "\n";

TEST(TextView, ShowsTheSampleAsAnAlignedBlock) {
  EXPECT_EQ(viewOf("replays\\sample.rpl", vantor::testing::sampleReplay()), kSampleView);
}

// Only a cut file gets the line (the sample's has none), and a value it
// does not hold shows as the one sign, aligned as one character.
TEST(TextView, SaysSoWhenTheFileIsCutShortAndMarksWhatItDoesNotHold) {
  const std::string view = viewOf("cut.rpl", vantor::testing::sampleReplay().size(4575));
  EXPECT_NE(view.find("[cut.rpl] (cut short)\n  Cut short             holds 4575 of the 4583 bytes read; the values "
                      "past its end show as \u2205\n  Track "), std::string::npos) << view;
  EXPECT_NE(view.find("\n  Car                   \u2205\n"), std::string::npos);
  const std::string empty = viewOf("e.rpl", vantor::testing::sampleReplay().size(0));
  EXPECT_NE(empty.find("Damage                \u2205\n"), std::string::npos);
  EXPECT_NE(empty.find("Brake balance                   \u2205  \u2205\n  Downforce             left \u2205, right "
                       "\u2205\n"), std::string::npos);
  EXPECT_NE(empty.find("  Records               #  Name  Car  Time\n                        1  \u2205     \u2205    "
                       "\u2205\n"), std::string::npos) << empty;
}

TEST(TextView, ColumnsCountCharactersAndCheckStatesShowOddBytes) {
  ReplayBuilder replay;
  replay.recordName(0, "\xC9lise \xD8stergaard").recordCar(0, "Comet").recordName(1, "Al").recordCar(1, "\x80uro");
  replay.automaticTransmission(1).damage(0xFE);
  const std::string view = viewOf("x.rpl", replay);
  EXPECT_NE(view.find("\n                        1  \u00C9lise \u00D8stergaard  Comet  00:00:00\n"
                      "                        2  Al                \u20ACuro   00:00:00\n"),
            std::string::npos)
      << view;
  EXPECT_NE(view.find("Transmission/autom.   1 (checked)\n  Damage                -2\n"), std::string::npos);
}

TEST(TextView, ControlCharactersCannotReachTheTerminal) {
  // An encoded surrogate (ED A0 80) is no valid UTF-8 either.
  const std::string view = viewOf("evil\x1B]0;x\x07\xFF\x7F\xED\xA0\x80.rpl",
                                  ReplayBuilder().driverName("\x1B[2J\r").carName("a\x9D\x7F").recordName(0, "\n"));
  EXPECT_TRUE(view.starts_with("evil\uFFFD]0;x\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD.rpl\n")) << view;
  EXPECT_NE(view.find("Driver                \uFFFD[2J\uFFFD\n"), std::string::npos);
  EXPECT_NE(view.find("Car                   a\uFFFD\uFFFD\n"), std::string::npos);
  EXPECT_NE(view.find("\n                        1  \uFFFD   "), std::string::npos);
}

// Far longer than the writer's buffer: every character still comes out, in order.
TEST(TextView, ALongPathComesOutWhole) {
  std::string path;
  for (int i = 0; i < 3000; ++i) path += i % 3 == 0 ? "\x01" : i % 3 == 1 ? "\xC3\xA9" : "x";
  std::string expected;
  for (int i = 0; i < 3000; ++i) expected += i % 3 == 0 ? "\uFFFD" : i % 3 == 1 ? "\u00E9" : "x";
  EXPECT_TRUE(viewOf(path, ReplayBuilder()).starts_with(expected + "\n"));
  std::string text;
  appendShownText(text, std::string(2000, '\x80'));
  EXPECT_EQ(text.size(), 6000u);
}

}  // namespace
}  // namespace vantor::report
