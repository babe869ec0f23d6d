// Files dropped on the main window, and Copy from the keyboard and the
// right-click menu, through the real window procedure and message loop.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <thread>

#include "app/message_loop.h"
#include "cli/vantor_info.h"
#include "tests/app/window_probe.h"

namespace vantor::testing {
namespace {

// Drops the files as the shell does (UTF-16 names, the list ended by an
// extra NUL); true when the window released the handle, as it must.
bool drop(HWND dialog, const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  const std::size_t size = (names.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + size);
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(header + 1, names.data(), size);
  GlobalUnlock(memory);
  SendMessageW(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  return GlobalSize(memory) == 0;
}

// What vantor-info prints for the file, as Copy must give it: in UTF-16,
// lines ended by CR LF.
std::wstring vantorInfoText(const TempDir& files, const std::wstring& path) {
  const std::string out = files.pathOf("vantor-info.txt");
  const cli::Streams streams{stdin, std::fopen(out.c_str(), "wb"), stderr};
  EXPECT_EQ(cli::runVantorInfo(std::vector{app::utf8From(path)}, streams), 0);
  std::fclose(streams.out);
  std::ifstream in(out, std::ios::binary);
  std::string lines;
  for (char c = 0; in.get(c);) lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return app::wideFromUtf8(lines);
}

// The clipboard's text, which is then emptied.
std::wstring takeClipboardText() {
  EXPECT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  std::wstring text = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : L"<no text>";
  GlobalUnlock(data);
  EmptyClipboard();
  CloseClipboard();
  return text;
}

void copy(HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDM_EDIT_COPY, 0); }

using DropAndCopy = MainWindowTest;

// The first of the dropped files replaces the replay shown: only what its
// file holds, however short, and under a name in any script. A file that
// cannot be read changes nothing, and Copy gives what vantor-info does.
TEST_F(DropAndCopy, DropShowsWhatTheFirstFileHoldsAndNothingForAnUnreadableOne) {
  const std::wstring full = write(L"full.rpl", sampleReplay().driverName("PREVDRVR").carName("PREVIOUSCAR1234"));
  const std::wstring cut = write(kDeepFolders + L"\u30EC\u30FC\u30B9 \u0395\u03BB\u03BB\u03AC\u03B4\u03B1.rpl",
                                 sampleReplay().driverName("Dome Kai").size(3620));
  EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  EXPECT_TRUE(drop(dialog, {full, cut}));
  EXPECT_EQ(itemText(dialog, IDC_CAR), "PREVIOUSCAR1234");
  EXPECT_TRUE(drop(dialog, {cut, full}));
  EXPECT_EQ(windowText(dialog), "Vantor : [\u30EC\u30FC\u30B9 \u0395\u03BB\u03BB\u03AC\u03B4\u03B1.rpl] (cut short)");
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "");  // four of its eight bytes are no name
  EXPECT_EQ(itemText(dialog, IDC_CAR), "");
  const std::vector<std::string> shown = shownTexts();
  const auto rows = listRows(list);
  EXPECT_EQ(rows.size(), 8u);
  EXPECT_TRUE(drop(dialog, {app::wideFromUtf8(files.pathOf("missing.rpl"))}));
  EXPECT_EQ(shownTexts(), shown);
  EXPECT_EQ(listRows(list), rows);
  copy(dialog);
  EXPECT_EQ(takeClipboardText(), vantorInfoText(files, cut));
}

// Opens the context menu at a corner of over and gives Copy's state in it,
// -1 when no menu with Copy comes up; then chooses Copy with the keyboard,
// or closes the menu.
UINT copyStateInContextMenu(HWND dialog, HWND over, bool choose) {
  RECT rect{};
  GetWindowRect(over, &rect);
  UINT state = static_cast<UINT>(-1);
  const auto inMenu = [&](HWND menu) {
    state = GetMenuState(reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)), IDM_EDIT_COPY, MF_BYCOMMAND);
    if (!choose) {
      EndMenu();
      return;
    }
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  };
  const LPARAM where = MAKELPARAM(rect.left + 5, rect.top + 5);
  const auto showMenu = [&] { SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(over), where); };
  duringModal("", inMenu, showMenu);
  return state;
}

// Posts a C key press to a control, Control held or not, and runs the
// program's message loop with its accelerators until the queue is done.
void pressC(HWND dialog, HWND control, bool withControl) {
  std::array<BYTE, 256> keys{};
  GetKeyboardState(keys.data());
  keys[VK_CONTROL] = withControl ? 0x80 : 0;
  SetKeyboardState(keys.data());
  PostMessageA(control, WM_KEYDOWN, 'C', 1);
  PostQuitMessage(0);
  app::runMessageLoop(dialog, LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS)));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys.data());
}

// A private format left on the clipboard, which a copy must clear away.
UINT leaveOtherFormat(HWND owner) {
  const UINT format = RegisterClipboardFormatW(L"Vantor test leftover");
  EXPECT_TRUE(OpenClipboard(owner) && EmptyClipboard() && SetClipboardData(format, GlobalAlloc(GMEM_MOVEABLE, 1)));
  CloseClipboard();
  return format;
}

// Copies while another thread holds the clipboard for holdMs.
void copyWhileClipboardHeld(HWND dialog, DWORD holdMs) {
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::jthread holder([&] {
    const BOOL open = OpenClipboard(nullptr);
    SetEvent(opened);
    Sleep(holdMs);
    if (open) CloseClipboard();
  });
  WaitForSingleObject(opened, INFINITE);
  CloseHandle(opened);
  copy(dialog);
}

// Copy is greyed and does nothing before a load; then Ctrl+C on a control
// (not C alone) and the menu copy, and so does a clipboard busy only briefly.
TEST_F(DropAndCopy, CopiesOnceLoadedFromTheKeysOrTheMenuWaitingBrieflyForABusyClipboard) {
  takeClipboardText();
  copy(dialog);
  EXPECT_EQ(takeClipboardText(), L"<no text>") << "nothing to copy before a load";
  EXPECT_EQ(copyStateInContextMenu(dialog, list, false), UINT{MF_GRAYED});

  const std::wstring path = write(L"\u00C9tape \u0424.rpl", sampleReplay());
  ASSERT_EQ(open(path), 0);
  pressC(dialog, list, false);
  EXPECT_EQ(takeClipboardText(), L"<no text>");
  const UINT leftover = leaveOtherFormat(dialog);
  pressC(dialog, list, true);
  EXPECT_FALSE(IsClipboardFormatAvailable(leftover));
  const std::wstring copied = takeClipboardText();
  EXPECT_EQ(copied, vantorInfoText(files, path));
  EXPECT_EQ(copyStateInContextMenu(dialog, dialog, false), static_cast<UINT>(-1)) << "the frame's menu is the system's";
  EXPECT_EQ(copyStateInContextMenu(dialog, list, true), UINT{MF_ENABLED});
  EXPECT_EQ(takeClipboardText(), copied);
  copyWhileClipboardHeld(dialog, 1500);
  EXPECT_EQ(takeClipboardText(), L"<no text>") << "held long: left alone";
  copyWhileClipboardHeld(dialog, 20);
  EXPECT_EQ(takeClipboardText(), copied) << "held briefly: waited for";
}

}  // namespace
}  // namespace vantor::testing
