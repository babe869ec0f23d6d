// The main window over its real template, loaded as the program loads it;
// its menu, Open dialog, About box and message loop, used as a user does.
#include <windows.h>
#include <dlgs.h>

#include <cstdlib>
#include <cwchar>
#include <memory>

#include "app/about_box.h"
#include "app/message_loop.h"
#include "app/open_dialog.h"
#include "tests/app/window_probe.h"
#include "view/window_content.h"

namespace vantor::testing {
namespace {

using MainWindow = MainWindowTest;

// The five slider positions, by the template's ids rather than the tuning
// table's, then the automatic transmission and damage boxes.
std::array<int, 7> settings(HWND dialog) {
  const std::array sliders{IDC_RIDE_HEIGHT, IDC_SHOCK_STIFFNESS, IDC_SHOCK_TRAVEL, IDC_TOE_IN, IDC_BRAKE_BALANCE};
  std::array<int, 7> shown{};
  for (std::size_t i = 0; i < sliders.size(); ++i)
    shown[i] = static_cast<int>(SendDlgItemMessageA(dialog, sliders[i], TBM_GETPOS, 0, 0));
  shown[5] = static_cast<int>(IsDlgButtonChecked(dialog, IDC_AUTOMATIC_TRANSMISSION));
  shown[6] = static_cast<int>(IsDlgButtonChecked(dialog, IDC_DAMAGE));
  return shown;
}

// Sliders run from 0 to 40 ticked every two; the list has four titled
// columns, the last four pixels narrower. Every value shows in its control,
// its letters right whatever the system's code page (also run under one
// that is not Windows-1252).
TEST_F(MainWindow, IsLaidOutAndShowsEveryValueOfAReplayInItsOwnControl) {
  const char* codePage = std::getenv("VANTOR_EXPECT_CODE_PAGE");
  ASSERT_EQ(GetACP(), codePage != nullptr ? std::stoul(codePage) : GetACP());
  for (const int id : app::kSliderIds) {
    EXPECT_EQ(SendDlgItemMessageA(dialog, id, TBM_GETRANGEMIN, 0, 0), 0) << id;
    EXPECT_EQ(SendDlgItemMessageA(dialog, id, TBM_GETRANGEMAX, 0, 0), view::SLIDER_MAX) << id;
    EXPECT_EQ(SendDlgItemMessageA(dialog, id, TBM_GETNUMTICS, 0, 0), view::SLIDER_MAX / 2 + 1) << id;
  }
  RECT rect{};
  GetWindowRect(list, &rect);
  const int quarter = (rect.right - rect.left) / 4;
  EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list)), 4);
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
  std::vector<std::string> empty(18, "");
  empty[0] = "Vantor";
  EXPECT_EQ(shownTexts(), empty);
  // Windows-1252 letters from both halves of its upper range.
  const auto replay = sampleReplay().driverName("J\xFCrgen").carName("Comet \x8Aport").recordName(7, "In\xE9s Garc\xED" "a");
  ASSERT_EQ(open(write(L"race.rpl", replay)), 0);
  const std::vector<std::string> expected{
      "Vantor : [race.rpl]", "C\u00F4te d'Azur", "J\u00FCrgen", "Comet \u0160port", "Backward", "5", "0.10", "-0.05",
      "0.00", "0.05", "0.15", "0.20", "-0.10", "0.25", "7", "5", "32", "30"};
  EXPECT_EQ(shownTexts(), expected);
  EXPECT_EQ(settings(dialog), (std::array{16, 15, 26, 24, 25, 0, 1}));
  const auto rows = listRows(list);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "Ada Roux", "Comet Vantage", "01:30:93"}));
  EXPECT_EQ(rows[7], (std::vector<std::string>{"8", "In\u00E9s Garc\u00EDa", "Comet Vantage", "01:41:54"}));

  // Sliders pin what is outside their range; any nonzero flag byte is checked.
  ASSERT_EQ(open(write(L"high.rpl", sampleReplay().rideHeight(21).shockStiffness(0x7FFFFFFF).shockTravel(32)
                                       .toeIn(6).brakeBalance(71).automaticTransmission(0x80).damage(0xFF))), 0);
  EXPECT_EQ(settings(dialog), (std::array{40, 40, 40, 40, 40, 1, 1}));
  ASSERT_EQ(open(write(L"low.rpl", sampleReplay().rideHeight(-21).shockStiffness(0).shockTravel(-31).toeIn(-6)
                                      .brakeBalance(29).damage(0))), 0);
  EXPECT_EQ(settings(dialog), (std::array{0, 0, 0, 0, 0, 0, 0}));

  // A file that holds nothing shows no value: empty fields and cells, no
  // slider, boxes neither checked nor clear; a whole one brings them back.
  const auto sliderShown = [&](int id) { return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; };
  ASSERT_EQ(open(write(L"empty.rpl", sampleReplay().size(0))), 0);
  empty[0] = "Vantor : [empty.rpl] (cut short)";
  EXPECT_EQ(shownTexts(), empty);
  EXPECT_EQ(listRows(list)[7], (std::vector<std::string>{"8", "", "", ""}));
  EXPECT_EQ(settings(dialog)[5], BST_INDETERMINATE);
  EXPECT_EQ(settings(dialog)[6], BST_INDETERMINATE);
  for (const int id : app::kSliderIds) EXPECT_FALSE(sliderShown(id)) << id;
  ASSERT_EQ(open(write(L"race.rpl", replay)), 0);
  for (const int id : app::kSliderIds) EXPECT_TRUE(sliderShown(id)) << id;
  EXPECT_EQ(settings(dialog), (std::array{16, 15, 26, 24, 25, 0, 1}));
}

TEST_F(MainWindow, OtherCommandsChangeNothingAndExitQuitsWithZero) {
  ASSERT_EQ(open(write(L"race.rpl", sampleReplay())), 0);
  const std::vector<std::string> before = shownTexts();
  // The Direction field shares its number with the Load command, so it must never notify.
  EXPECT_FALSE(GetWindowLongPtrA(GetDlgItem(dialog, IDC_DIRECTION), GWL_STYLE) & SS_NOTIFY);
  for (const WPARAM command : {WPARAM{IDOK}, WPARAM{IDCANCEL}, WPARAM{IDC_RECORDS}, MAKEWPARAM(IDC_TRACK, STN_CLICKED)})
    EXPECT_EQ(app::mainWindowProc(dialog, WM_COMMAND, command, 0), FALSE) << command;
  EXPECT_EQ(drainMessages(), -1);
  EXPECT_EQ(shownTexts(), before);
  EXPECT_EQ(listRows(list).size(), 8u);

  command(0, 2, TRUE);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(drainMessages(), 0);
}

TEST(OpenRequest, HasTheClassicSizeTheReplayFilterAndAnEmptyPathOfAnyLength) {
  auto buffers = std::make_unique<app::OpenDialogBuffers>();
  buffers->path[0] = L'C';
  const OPENFILENAMEW request = app::makeOpenRequest(nullptr, nullptr, *buffers);
  EXPECT_EQ(request.lStructSize, sizeof(void*) == 4 ? 76u : 136u);  // the classic layout, without later fields
  EXPECT_EQ(std::wmemcmp(request.lpstrFilter, L"Replayfiles(*.rpl)\0*.rpl\0All Files\0*.*\0", 40), 0);
  EXPECT_EQ(request.nFilterIndex, 1u);
  EXPECT_EQ(request.lpstrFile, buffers->path.data());
  EXPECT_EQ(request.nMaxFile, 32768u);  // the longest path the system holds
  EXPECT_EQ(buffers->path[0], L'\0');
  EXPECT_EQ(request.Flags, 0x0088182Cu);
  EXPECT_EQ(app::openDialogHook(nullptr, WM_INITDIALOG, 0, 0), TRUE);
  EXPECT_EQ(app::openDialogHook(nullptr, WM_NOTIFY, 0, 0), FALSE);
}

TEST_F(MainWindow, LoadCancelledChangesNothingAndAChosenReplayReplacesTheShownOne) {
  ASSERT_EQ(open(write(L"first.rpl", sampleReplay())), 0);
  const auto rows = listRows(list);
  const auto cancel = [](HWND open) { PostMessageA(open, WM_COMMAND, IDCANCEL, 0); };
  EXPECT_TRUE(duringModal("Open", cancel, [&] { command(0, 0, FALSE); }));
  EXPECT_EQ(windowText(dialog), "Vantor : [first.rpl]");
  EXPECT_EQ(listRows(list), rows);

  const std::wstring second =
      write(L"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1 \u6771\u4EAC.rpl", sampleReplay().driverName("Tomas V.").recordName(0, "Zora Quill"));
  HWND owner = nullptr;
  const auto choose = [&](HWND open) {
    owner = GetWindow(open, GW_OWNER);
    // The file name control is a combo box or, in some versions, an edit.
    HWND name = GetDlgItem(open, cmb13) != nullptr ? GetDlgItem(open, cmb13) : GetDlgItem(open, edt1);
    SetWindowTextW(name, second.c_str());
    PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(open, IDOK)));
  };
  EXPECT_TRUE(duringModal("Open", choose, [&] { command(0, 0, FALSE); }));
  EXPECT_EQ(owner, dialog);
  EXPECT_EQ(windowText(dialog), "Vantor : [\u0395\u03BB\u03BB\u03AC\u03B4\u03B1 \u6771\u4EAC.rpl]");
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "Tomas V.");
  ASSERT_EQ(listRows(list).size(), 8u);
  EXPECT_EQ(listRows(list)[0][1], "Zora Quill");
}

TEST_F(MainWindow, AboutIsOwnedByTheWindowAndEnterOrEscapeCloseIt) {
  HWND owner = nullptr;
  const auto enter = [&](HWND about) {
    owner = GetWindow(about, GW_OWNER);
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
  };
  EXPECT_TRUE(duringModal("About", enter, [&] { command(1, 0, FALSE); }));
  EXPECT_EQ(owner, dialog);

  INT_PTR otherCommand = -1;
  INT_PTR closedWith = 0;
  const auto escape = [&](HWND about) {
    otherCommand = app::aboutProc(about, WM_COMMAND, 3, 0);  // leaves it open
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
  };
  EXPECT_TRUE(duringModal("About", escape, [&] { closedWith = app::showAbout(dialog, GetModuleHandleW(nullptr)); }));
  EXPECT_EQ(closedWith, IDCANCEL);
  EXPECT_EQ(otherCommand, FALSE);
}

// The loop returns the code of the quit message it gets. Alt+F4 closes the
// window, which posts the quit message with 0 over the 99 queued behind it.
TEST_F(MainWindow, TheLoopReturnsTheQuitCodeAndAltF4EndsItWithZero) {
  PostQuitMessage(3);
  EXPECT_EQ(app::runMessageLoop(), 3);
  EXPECT_TRUE(IsWindow(dialog));

  ShowWindow(dialog, SW_SHOW);
  PostMessageA(dialog, WM_SYSKEYDOWN, VK_F4, 1 | (KF_ALTDOWN << 16));
  PostQuitMessage(99);
  EXPECT_EQ(app::runMessageLoop(), 0);
  EXPECT_FALSE(IsWindow(dialog));
}

}  // namespace
}  // namespace vantor::testing
