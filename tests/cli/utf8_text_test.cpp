#include <gtest/gtest.h>

#include <string>

#include "cli/utf8_text.h"

namespace vantor::cli {
namespace {

std::string fromWindows1252(std::string_view text) {
  std::string out;
  appendWindows1252AsUtf8(out, text);
  return out;
}

std::string validated(std::string_view bytes) {
  std::string out;
  appendValidUtf8(out, bytes);
  return out;
}

const std::string kFffd = "\xEF\xBF\xBD";

TEST(Windows1252, AsciiIsUnchanged) {
  EXPECT_EQ(fromWindows1252("Ilse K. 0.25 \"x\"\\"), "Ilse K. 0.25 \"x\"\\");
  EXPECT_EQ(fromWindows1252(std::string("\x00\x1F\x7F", 3)), std::string("\x00\x1F\x7F", 3));
}

TEST(Windows1252, TheHighControlRangeFollowsTheWhatwgTable) {
  EXPECT_EQ(fromWindows1252("\x80"), "\u20AC");
  EXPECT_EQ(fromWindows1252("\x82\x83\x84\x85"), "\u201A\u0192\u201E\u2026");
  EXPECT_EQ(fromWindows1252("\x8A\x8C\x8E"), "\u0160\u0152\u017D");
  EXPECT_EQ(fromWindows1252("\x91\x92\x93\x94\x96\x97"), "\u2018\u2019\u201C\u201D\u2013\u2014");
  EXPECT_EQ(fromWindows1252("\x99\x9A\x9C\x9E\x9F"), "\u2122\u0161\u0153\u017E\u0178");
}

TEST(Windows1252, TheFiveUndefinedBytesBecomeTheirC1Controls) {
  EXPECT_EQ(fromWindows1252("\x81"), "\xC2\x81");
  EXPECT_EQ(fromWindows1252("\x8D"), "\xC2\x8D");
  EXPECT_EQ(fromWindows1252("\x8F"), "\xC2\x8F");
  EXPECT_EQ(fromWindows1252("\x90"), "\xC2\x90");
  EXPECT_EQ(fromWindows1252("\x9D"), "\xC2\x9D");
}

TEST(Windows1252, TheUpperHalfIsLatin1) {
  EXPECT_EQ(fromWindows1252("\xA0\xE9\xF4\xFF"), "\u00A0\u00E9\u00F4\u00FF");
  EXPECT_EQ(fromWindows1252("C\xF4te d'Azur"), "C\u00F4te d'Azur");
}

TEST(Windows1252, EveryByteGivesValidUtf8) {
  for (int b = 0; b < 256; ++b) {
    const std::string utf8 = fromWindows1252(std::string(1, static_cast<char>(b)));
    EXPECT_EQ(validated(utf8), utf8) << "byte " << b;
    EXPECT_EQ(utf8.size() == 1, b < 0x80) << "byte " << b;
  }
}

TEST(ValidUtf8, KeepsValidSequencesOfEveryLength) {
  const std::string text = "a\u00E9\u20AC\U0001F3CE\U0010FFFF";
  EXPECT_EQ(validated(text), text);
}

TEST(ValidUtf8, ReplacesEachBadByteOrCutSequenceOnce) {
  EXPECT_EQ(validated("a\xFFz"), "a" + kFffd + "z");
  EXPECT_EQ(validated("\xE9t\xE9.rpl"), kFffd + "t" + kFffd + ".rpl");  // Latin-1 bytes in a name
  EXPECT_EQ(validated("\xE2\x82"), kFffd);                                 // cut at the end
  EXPECT_EQ(validated("\xE2\x82x"), kFffd + "x");
  EXPECT_EQ(validated("\x80\xBF"), kFffd + kFffd);                         // lone continuations
}

TEST(ValidUtf8, RejectsOverlongFormsSurrogatesAndValuesPastTheLastCodePoint) {
  EXPECT_EQ(validated("\xC0\xAF"), kFffd + kFffd);
  EXPECT_EQ(validated("\xE0\x80\xAF"), kFffd + kFffd + kFffd);
  EXPECT_EQ(validated("\xED\xA0\x80"), kFffd + kFffd + kFffd);
  EXPECT_EQ(validated("\xF4\x90\x80\x80"), kFffd + kFffd + kFffd + kFffd);
  EXPECT_EQ(validated("\xF5\x80"), kFffd + kFffd);
}

}  // namespace
}  // namespace vantor::cli
