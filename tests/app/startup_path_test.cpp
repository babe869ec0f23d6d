#include "app/startup_path.h"

#include <gtest/gtest.h>

namespace vantor::app {
namespace {

TEST(CommandTail, SkipsTheProgramNameAndTheBlanksAndControlsAfterIt) {
  EXPECT_EQ(commandTail(R"(prog.exe    C:\race.rpl)"), R"(C:\race.rpl)");
  EXPECT_EQ(commandTail("prog.exe\t\x01 race.rpl "), "race.rpl ");
  EXPECT_EQ(commandTail(R"("C:\Program Files\prog.exe" "a b.rpl")"), R"("a b.rpl")");
  EXPECT_EQ(commandTail(R"("C:\prog.exe)"), "");
  EXPECT_EQ(commandTail("prog.exe   "), "");
  // Windows-1252 letters: a signed char must not pass for a control character.
  EXPECT_EQ(commandTail("pr\xF6g.exe \xE9t\xE9.rpl"), "\xE9t\xE9.rpl");
}

TEST(StartupPath, RunsFromAfterTheFirstQuoteToBeforeTheLastOrIsTheTailWhole) {
  EXPECT_EQ(startupPath(R"("C:\My Replays\race.rpl")"), R"(C:\My Replays\race.rpl)");
  EXPECT_EQ(startupPath(R"(-x "C:\race.rpl" -y)"), R"(C:\race.rpl)");
  EXPECT_EQ(startupPath(R"("a.rpl" "b.rpl")"), R"(a.rpl" "b.rpl)");
  EXPECT_EQ(startupPath(R"("C:\race.rpl)"), R"(C:\race.rpl)");
  EXPECT_EQ(startupPath(R"("")"), "");
  // Without quotes, the tail whole.
  EXPECT_EQ(startupPath(R"(C:\My Replays\race.rpl  )"), R"(C:\My Replays\race.rpl  )");
  EXPECT_EQ(startupPath(commandTail("vantor.exe")), "");
}

}  // namespace
}  // namespace vantor::app
