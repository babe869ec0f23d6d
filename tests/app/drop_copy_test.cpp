// Files dropped on the main window, and Copy from the keyboard and the
// right-click menu, through the real window procedure and message loop.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/message_loop.h"
#include "replay/reader.h"
#include "tests/app/window_probe.h"
#include "view/text_view.h"

namespace vantor::testing {
namespace {

// Drops the files as the shell does (ANSI names, the list ended by an extra
// NUL); true when the window released the handle, as it must.
bool drop(HWND dialog, const std::vector<std::string>& paths) {
  std::string names;
  for (const std::string& path : paths) names += path + '\0';
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size() + 1);
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  std::memcpy(header + 1, names.data(), names.size());
  GlobalUnlock(memory);
  SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  return GlobalSize(memory) == 0;
}

// The text view of an ASCII-named replay, its lines ended by CR LF.
std::wstring expectedCopy(const std::string& path) {
  replay::ReplayInfo info;
  EXPECT_EQ(replay::load(path, info), 0);
  std::string text;
  view::appendTextView(text, view::makeWindowContent(path, info));
  std::string lines;
  for (const char c : text) lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::wstring wide(lines.size(), L'\0');
  const int size = static_cast<int>(lines.size());
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, lines.data(), size, wide.data(), size)));
  return wide;
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

TEST_F(DropAndCopy, DropShowsTheFirstFileInAnEmptiedList) {
  const std::string first = write("first.rpl", sampleReplay());
  const std::string second = write("second.rpl", sampleReplay().driverName("Nils Moor"));
  EXPECT_TRUE(GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  EXPECT_TRUE(drop(dialog, {first, second}));
  EXPECT_TRUE(drop(dialog, {first, second}));
  EXPECT_EQ(windowText(dialog), "Vantor : [first.rpl]");
  EXPECT_EQ(listRows(list).size(), 8u);
  // A file that cannot be read: the list is emptied, nothing else changes,
  // and Copy still gives the replay shown, exactly.
  EXPECT_TRUE(drop(dialog, {files.pathOf("missing.rpl")}));
  EXPECT_TRUE(listRows(list).empty());
  EXPECT_EQ(windowText(dialog), "Vantor : [first.rpl]");
  copy(dialog);
  EXPECT_EQ(takeClipboardText(), expectedCopy(first));
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
  const UINT format = RegisterClipboardFormatA("Vantor test leftover");
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

  ASSERT_EQ(open(write("\xC9tape.rpl", sampleReplay())), 0);  // in the ANSI code page
  pressC(dialog, list, false);
  EXPECT_EQ(takeClipboardText(), L"<no text>");
  const UINT leftover = leaveOtherFormat(dialog);
  pressC(dialog, list, true);
  EXPECT_FALSE(IsClipboardFormatAvailable(leftover));
  const std::wstring copied = takeClipboardText();
  EXPECT_NE(copied.find(L"\r\n  Caption               Vantor : [\u00C9tape.rpl]\r\n"), std::wstring::npos);
  EXPECT_NE(copied.find(L"\r\n  Track                 C\u00F4te d'Azur\r\n"), std::wstring::npos);
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
