#include "app/startup_path.h"
#include "replay/long_path.h"

#include <gtest/gtest.h>

namespace vantor::app {
namespace {

TEST(CommandTail, SkipsTheProgramNameAndTheBlanksAndControlsAfterIt) {
  EXPECT_EQ(commandTail(LR"(prog.exe    C:\race.rpl)"), LR"(C:\race.rpl)");
  EXPECT_EQ(commandTail(L"prog.exe\t\x01 race.rpl "), L"race.rpl ");
  EXPECT_EQ(commandTail(LR"("C:\Program Files\prog.exe" "a b.rpl")"), LR"("a b.rpl")");
  EXPECT_EQ(commandTail(LR"("C:\prog.exe)"), L"");
  EXPECT_EQ(commandTail(L"prog.exe   "), L"");
  // Letters of any script are neither blanks nor controls.
  EXPECT_EQ(commandTail(L"\u03C0r\u00F6g.exe \u0395\u03BB\u03BB\u03AC \u6771\u4EAC.rpl"), L"\u0395\u03BB\u03BB\u03AC \u6771\u4EAC.rpl");
}

TEST(StartupPath, RunsFromAfterTheFirstQuoteToBeforeTheLastOrIsTheTailWhole) {
  EXPECT_EQ(startupPath(LR"("C:\My Replays\race.rpl")"), LR"(C:\My Replays\race.rpl)");
  EXPECT_EQ(startupPath(LR"(-x "C:\race.rpl" -y)"), LR"(C:\race.rpl)");
  EXPECT_EQ(startupPath(LR"("a.rpl" "b.rpl")"), LR"(a.rpl" "b.rpl)");
  EXPECT_EQ(startupPath(LR"("C:\race.rpl)"), LR"(C:\race.rpl)");
  EXPECT_EQ(startupPath(LR"("")"), L"");
  // Without quotes, the tail whole.
  EXPECT_EQ(startupPath(LR"(C:\My Replays\race.rpl  )"), LR"(C:\My Replays\race.rpl  )");
  EXPECT_EQ(startupPath(commandTail(L"vantor.exe")), L"");
}

// The form without the 260-character limit; what is not a full path, or
// is one already, is left alone but for its slashes.
TEST(ExtendedLengthPath, PrefixesFullDriveAndSharePathsTurningSlashesToBackslashes) {
  EXPECT_EQ(replay::extendedLengthPath(LR"(c:/R\a.rpl)"), LR"(\\?\c:\R\a.rpl)");
  EXPECT_EQ(replay::extendedLengthPath(L"//srv/share/a.rpl"), LR"(\\?\UNC\srv\share\a.rpl)");
  EXPECT_EQ(replay::extendedLengthPath(L"r/a.rpl"), LR"(r\a.rpl)");
  for (const wchar_t* same : {LR"(\\?\C:\a/b)", LR"(\\.\COM1)", LR"(\\?\UNC\s\h)", L"C:a", L"\\a", L"1:\\", L""})
    EXPECT_EQ(replay::extendedLengthPath(same), same);
}

}  // namespace
}  // namespace vantor::app
