#include <gtest/gtest.h>

#include <string>

#include "view/window_content.h"

namespace vantor::view {
namespace {

TEST(BaseName, TakesWhatFollowsTheLastBackslash) {
  EXPECT_EQ(baseName("C:\\Replays\\race.rpl"), "race.rpl");
  EXPECT_EQ(baseName("\\\\server\\share\\race.rpl"), "race.rpl");
  EXPECT_EQ(baseName("C:\\Replays/old\\race.rpl"), "race.rpl");
  EXPECT_EQ(baseName("C:\\Replays\\"), "");
}

TEST(BaseName, ForwardSlashesDoNotSeparate) {
  EXPECT_EQ(baseName("C:/Replays/race.rpl"), "C:/Replays/race.rpl");
  EXPECT_EQ(baseName("C:\\Replays/race.rpl"), "Replays/race.rpl");
}

TEST(BaseName, ALeadingBackslashIsNotSearched) {
  EXPECT_EQ(baseName("race.rpl"), "race.rpl");
  EXPECT_EQ(baseName("\\race.rpl"), "\\race.rpl");
  EXPECT_EQ(baseName("\\"), "\\");
  EXPECT_EQ(baseName(""), "");
  // The second character is still searched.
  EXPECT_EQ(baseName("\\\\race.rpl"), "race.rpl");
  EXPECT_EQ(baseName("x\\race.rpl"), "race.rpl");
}

TEST(Caption, WrapsTheBaseName) {
  EXPECT_EQ(captionFor("C:\\Replays\\race.rpl"), "Vantor : [race.rpl]");
  EXPECT_EQ(captionFor("race.rpl"), "Vantor : [race.rpl]");
  EXPECT_EQ(captionFor("\\race.rpl"), "Vantor : [\\race.rpl]");
  EXPECT_EQ(captionFor("C:/Replays/race.rpl"), "Vantor : [C:/Replays/race.rpl]");
  EXPECT_EQ(captionFor("C:\\Replays\\"), "Vantor : []");
}

TEST(Caption, ALongFolderDoesNotMatterOnlyTheBaseName) {
  const std::string folders(4000, 'd');
  EXPECT_EQ(captionFor("C:\\" + folders + "\\race.rpl"), "Vantor : [race.rpl]");
}

TEST(Caption, NeverPassesTwoHundredFiftyFiveCharacters) {
  const std::string fits(244, 'n');  // 10 before it and "]" after make 255
  EXPECT_EQ(captionFor("C:\\" + fits), "Vantor : [" + fits + "]");

  const std::string oneOver(245, 'n');
  const std::string cut = captionFor("C:\\" + oneOver);
  EXPECT_EQ(cut.size(), kCaptionMaxLength);
  EXPECT_EQ(cut, "Vantor : [" + oneOver);

  const std::string huge(100000, 'h');
  const std::string hugeCaption = captionFor(huge);
  EXPECT_EQ(hugeCaption.size(), 255u);
  EXPECT_EQ(hugeCaption, "Vantor : [" + huge.substr(0, 245));
}

}  // namespace
}  // namespace vantor::view
