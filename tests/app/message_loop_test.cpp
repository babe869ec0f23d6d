#include "app/message_loop.h"

#include "resources/resource.h"
#include "tests/app/main_window_fixture.h"

namespace vantor::testing {
namespace {

constexpr int kDeadlineCode = 99;
constexpr UINT kDeadlineMs = 5000;

void CALLBACK quitAtDeadline(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(kDeadlineCode); }

// runMessageLoop, ended with kDeadlineCode should nothing else end it.
int runLoopWithDeadline() {
  const UINT_PTR timer = SetTimer(nullptr, 0, kDeadlineMs, quitAtDeadline);
  const int code = app::runMessageLoop();
  KillTimer(nullptr, timer);
  return code;
}

void postKey(HWND target, UINT down, UINT up, WPARAM key, LPARAM flags) {
  PostMessageA(target, down, key, 1 | flags);
  PostMessageA(target, up, key, 1 | flags | (1 << 30) | static_cast<LPARAM>(1u << 31));
}

using MessageLoop = MainWindowTest;

TEST_F(MessageLoop, ReturnsTheQuitCode) {
  PostQuitMessage(7);
  EXPECT_EQ(runLoopWithDeadline(), 7);
}

TEST_F(MessageLoop, ExitFromTheMenuEndsItWithZero) {
  PostMessageA(dialog, WM_COMMAND, IDM_FILE_EXIT, 0);
  EXPECT_EQ(runLoopWithDeadline(), 0);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(MessageLoop, AltF4EndsItWithZero) {
  ShowWindow(dialog, SW_SHOW);
  postKey(dialog, WM_SYSKEYDOWN, WM_SYSKEYUP, VK_F4, KF_ALTDOWN << 16);
  EXPECT_EQ(runLoopWithDeadline(), 0);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(MessageLoop, TabDoesNotMoveTheFocus) {
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  SetFocus(list);
  ASSERT_EQ(GetFocus(), list);
  postKey(list, WM_KEYDOWN, WM_KEYUP, VK_TAB, 0);
  postKey(list, WM_KEYDOWN, WM_KEYUP, VK_TAB, 0);
  postKey(list, WM_KEYDOWN, WM_KEYUP, VK_DOWN, 0);
  PostQuitMessage(3);
  EXPECT_EQ(runLoopWithDeadline(), 3);
  EXPECT_EQ(GetFocus(), list);
  EXPECT_TRUE(IsWindow(dialog));
}

}  // namespace
}  // namespace vantor::testing
