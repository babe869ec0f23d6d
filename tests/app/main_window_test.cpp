// The main window over its real template, loaded as the program loads it,
// and ended through its message loop.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "app/message_loop.h"
#include "resources/resource.h"
#include "tests/app/window_probe.h"
#include "view/window_content.h"

namespace vantor::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using MainWindow = MainWindowTest;

constexpr std::array kSliders{IDC_RIDE_HEIGHT, IDC_SHOCK_STIFFNESS, IDC_SHOCK_TRAVEL, IDC_TOE_IN, IDC_BRAKE_BALANCE};

// Automatic transmission, then damage.
std::array<bool, 2> checks(HWND dialog) {
  return {IsDlgButtonChecked(dialog, IDC_AUTOMATIC_TRANSMISSION) == BST_CHECKED,
          IsDlgButtonChecked(dialog, IDC_DAMAGE) == BST_CHECKED};
}

std::array<int, 5> sliderPositions(HWND dialog) {
  std::array<int, 5> positions{};
  for (std::size_t i = 0; i < kSliders.size(); ++i)
    positions[i] = static_cast<int>(SendDlgItemMessageA(dialog, kSliders[i], TBM_GETPOS, 0, 0));
  return positions;
}

TEST_F(MainWindow, ShowsEveryValueOfAReplayInItsOwnControl) {
  std::vector<std::string> empty(18, "");
  empty[0] = "Vantor";
  EXPECT_EQ(shownTexts(), empty);
  ASSERT_EQ(open(write("race.rpl", sampleReplay())), 0);
  const std::vector<std::string> expected{
      "Vantor : [race.rpl]", "C\xF4te d'Azur", "Ilse K.", "Comet Vantage", "Backward", "5", "0.10", "-0.05", "0.00",
      "0.05", "0.15", "0.20", "-0.10", "0.25", "7", "5", "32", "30"};
  EXPECT_EQ(shownTexts(), expected);
  EXPECT_EQ(sliderPositions(dialog), (std::array{16, 15, 26, 24, 25}));
  EXPECT_EQ(checks(dialog), (std::array{false, true}));
  const Rows rows = listRows(list);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "Ada Roux", "Comet Vantage", "01:30:93"}));
  EXPECT_EQ(rows[7], (std::vector<std::string>{"8", "Hana Ito", "Comet Vantage", "01:41:54"}));
}

TEST_F(MainWindow, SlidersRunFromZeroToFortyTickedEveryTwoAndPinWhatIsOutside) {
  for (const int id : kSliders) {
    EXPECT_EQ(SendDlgItemMessageA(dialog, id, TBM_GETRANGEMIN, 0, 0), 0) << id;
    EXPECT_EQ(SendDlgItemMessageA(dialog, id, TBM_GETRANGEMAX, 0, 0), view::SLIDER_MAX) << id;
    EXPECT_EQ(SendDlgItemMessageA(dialog, id, TBM_GETNUMTICS, 0, 0), view::SLIDER_MAX / 2 + 1) << id;
  }
  ASSERT_EQ(open(write("high.rpl", sampleReplay().rideHeight(21).shockStiffness(0x7FFFFFFF).shockTravel(32)
                                       .toeIn(6).brakeBalance(71))), 0);
  EXPECT_EQ(sliderPositions(dialog), (std::array{40, 40, 40, 40, 40}));
  ASSERT_EQ(open(write("low.rpl", sampleReplay().rideHeight(-21).shockStiffness(0).shockTravel(-31).toeIn(-6)
                                      .brakeBalance(29))), 0);
  EXPECT_EQ(sliderPositions(dialog), (std::array{0, 0, 0, 0, 0}));
}

TEST_F(MainWindow, AnyNonzeroFlagByteShowsChecked) {
  ASSERT_EQ(open(write("odd.rpl", sampleReplay().automaticTransmission(0x80).damage(0xFF))), 0);
  EXPECT_EQ(checks(dialog), (std::array{true, true}));
  ASSERT_EQ(open(write("clear.rpl", sampleReplay().automaticTransmission(0).damage(0))), 0);
  EXPECT_EQ(checks(dialog), (std::array{false, false}));
}

TEST_F(MainWindow, ListHasFourTitledColumnsTheLastFourPixelsNarrower) {
  RECT rect{};
  GetWindowRect(list, &rect);
  const int quarter = (rect.right - rect.left) / 4;
  const auto header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  ASSERT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 4);
  const std::array titles{"Place", "Name", "Car", "Time"};
  for (int i = 0; i < 4; ++i) {
    std::array<char, 64> title{};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = title.data();
    column.cchTextMax = static_cast<int>(title.size());
    SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    EXPECT_STREQ(title.data(), titles.at(static_cast<std::size_t>(i)));
    EXPECT_EQ(column.cx, i == 3 ? quarter - 4 : quarter) << "column " << i;
  }
}

TEST_F(MainWindow, ExitFromTheMenuEndsTheWindowAndQuitsWithZero) {
  command(0, 2, TRUE);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(drainMessages(), 0);
}

TEST_F(MainWindow, OtherCommandsChangeNothing) {
  ASSERT_EQ(open(write("race.rpl", sampleReplay())), 0);
  const std::vector<std::string> before = shownTexts();
  // The Direction field shares its number with the Load command, so it must never notify.
  EXPECT_FALSE(GetWindowLongPtrA(GetDlgItem(dialog, IDC_DIRECTION), GWL_STYLE) & SS_NOTIFY);
  for (const WPARAM command : {WPARAM{IDOK}, WPARAM{IDCANCEL}, WPARAM{IDC_RECORDS}, MAKEWPARAM(IDC_TRACK, STN_CLICKED)})
    EXPECT_EQ(app::mainWindowProc(dialog, WM_COMMAND, command, 0), FALSE) << command;
  EXPECT_EQ(drainMessages(), -1);
  EXPECT_EQ(shownTexts(), before);
  EXPECT_EQ(listRows(list).size(), 8u);
}

void CALLBACK quitAtDeadline(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); }

// runMessageLoop, ended with 99 should nothing else end it within 5 s.
int runLoopWithDeadline() {
  const UINT_PTR timer = SetTimer(nullptr, 0, 5000, quitAtDeadline);
  const int code = app::runMessageLoop();
  KillTimer(nullptr, timer);
  return code;
}

void postKey(HWND target, UINT down, UINT up, WPARAM key, LPARAM flags) {
  PostMessageA(target, down, key, 1 | flags);
  PostMessageA(target, up, key, 1 | flags | (1 << 30) | static_cast<LPARAM>(1u << 31));
}

TEST_F(MainWindow, AltF4EndsTheLoopWithZero) {
  ShowWindow(dialog, SW_SHOW);
  postKey(dialog, WM_SYSKEYDOWN, WM_SYSKEYUP, VK_F4, KF_ALTDOWN << 16);
  EXPECT_EQ(runLoopWithDeadline(), 0);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(MainWindow, TheLoopReturnsTheQuitCode) {
  PostQuitMessage(3);
  EXPECT_EQ(runLoopWithDeadline(), 3);
  EXPECT_TRUE(IsWindow(dialog));
}

}  // namespace
}  // namespace vantor::testing
