#include "app/startup_path.h"

#include <gtest/gtest.h>

namespace vantor::app {
namespace {

TEST(StartupPath, QuotedPathKeepsItsSpaces) {
  EXPECT_EQ(startupPath(R"("C:\My Replays\race.rpl")"), R"(C:\My Replays\race.rpl)");
}

TEST(StartupPath, UnquotedPathIsTakenWhole) {
  EXPECT_EQ(startupPath(R"(C:\race.rpl)"), R"(C:\race.rpl)");
  EXPECT_EQ(startupPath(R"(C:\My Replays\race.rpl)"), R"(C:\My Replays\race.rpl)");
  EXPECT_EQ(startupPath("race.rpl  "), "race.rpl  ");  // trailing blanks stay
}

TEST(StartupPath, TextAfterTheClosingQuoteIsDropped) {
  EXPECT_EQ(startupPath(R"("C:\race.rpl" -x)"), R"(C:\race.rpl)");
}

TEST(StartupPath, TwoQuotedPathsRunFromTheFirstQuoteToTheLast) {
  EXPECT_EQ(startupPath(R"("a.rpl" "b.rpl")"), R"(a.rpl" "b.rpl)");
}

TEST(StartupPath, TextBeforeTheFirstQuoteIsDropped) {
  EXPECT_EQ(startupPath(R"(-x "C:\race.rpl")"), R"(C:\race.rpl)");
}

TEST(StartupPath, LoneQuoteRunsToTheEnd) {
  EXPECT_EQ(startupPath(R"("C:\race.rpl)"), R"(C:\race.rpl)");
  EXPECT_EQ(startupPath(R"(")"), "");
}

TEST(StartupPath, EmptyCommandLineGivesEmptyPath) {
  EXPECT_EQ(startupPath(""), "");
  EXPECT_EQ(startupPath(R"("")"), "");
}

TEST(CommandTail, SkipsTheProgramNameAndTheBlanksAfterIt) {
  EXPECT_EQ(commandTail(R"(prog.exe    C:\race.rpl)"), R"(C:\race.rpl)");
  EXPECT_EQ(commandTail("prog.exe\t\x01 race.rpl "), "race.rpl ");
  EXPECT_EQ(commandTail(R"("C:\Program Files\prog.exe" "a b.rpl")"), R"("a b.rpl")");
}

TEST(CommandTail, NameWithoutArgumentsLeavesNothing) {
  EXPECT_EQ(commandTail("prog.exe"), "");
  EXPECT_EQ(commandTail("prog.exe   "), "");
  EXPECT_EQ(commandTail(R"("C:\prog.exe)"), "");
  EXPECT_EQ(commandTail(""), "");
}

TEST(CommandTail, BytesAboveAsciiAreNotBlanks) {
  // Windows-1252 letters: a char is signed here, and must not be taken for
  // a control character.
  EXPECT_EQ(commandTail("prog.exe \xE9t\xE9.rpl"), "\xE9t\xE9.rpl");
  EXPECT_EQ(commandTail("pr\xF6g.exe x.rpl"), "x.rpl");
}

TEST(StartupPath, FromAFullCommandLine) {
  EXPECT_EQ(startupPath(commandTail(R"(vantor.exe "Z:\tmp\My Replays\race.rpl")")), R"(Z:\tmp\My Replays\race.rpl)");
  EXPECT_EQ(startupPath(commandTail("vantor.exe")), "");
}

}  // namespace
}  // namespace vantor::app
