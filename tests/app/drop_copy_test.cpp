// Files dropped on the main window, and Copy from the keyboard and the
// right-click menu, through the real window procedure and message loop.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/message_loop.h"
#include "replay/reader.h"
#include "resources/resource.h"
#include "tests/app/window_probe.h"
#include "view/text_view.h"

namespace vantor::testing {
namespace {

// A drop handle as the shell makes it: ANSI names, the list ended by an extra NUL.
HDROP dropOf(const std::vector<std::string>& paths) {
  std::string names;
  for (const std::string& path : paths) names += path + '\0';
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size() + 1);
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  std::memcpy(header + 1, names.data(), names.size());
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

// Drops the files; true when the window released the handle, as it must.
bool drop(HWND dialog, const std::vector<std::string>& paths) {
  HDROP handle = dropOf(paths);
  SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(handle), 0);
  return GlobalSize(handle) == 0;
}

// The text view of an ASCII-named replay, its lines ended by CR LF.
std::wstring expectedCopy(const std::string& path) {
  replay::ReplayInfo info;
  EXPECT_EQ(replay::load(path, info), 0);
  std::string text;
  view::appendTextView(text, view::makeWindowContent(path, info));
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                           wide.data(), static_cast<int>(wide.size()))));
  std::wstring lines;
  for (const wchar_t c : wide) lines += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
  return lines;
}

constexpr std::wstring_view kUntouched = L"left by the test";

void setClipboard(std::wstring_view text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(memory), text.data(), text.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

std::wstring clipboardText() {
  if (!OpenClipboard(nullptr)) return L"<clipboard busy>";
  std::wstring text = L"<no text>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text.assign(static_cast<const wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void copy(HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDM_EDIT_COPY, 0); }

using DropAndCopy = MainWindowTest;

TEST_F(DropAndCopy, DropShowsTheFirstFileInAnEmptiedList) {
  const std::string first = write("first.rpl", sampleReplay());
  const std::string second = write("second.rpl", sampleReplay().driverName("Nils Moor"));
  EXPECT_TRUE(drop(dialog, {first, second}));
  EXPECT_TRUE(drop(dialog, {first, second}));
  EXPECT_EQ(windowText(dialog), "Vantor : [first.rpl]");
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "Ilse K.");
  EXPECT_EQ(listRows(list).size(), 8u);
  // A file that cannot be read: the list is emptied, nothing else changes,
  // and Copy still gives the replay shown.
  EXPECT_TRUE(drop(dialog, {files.pathOf("missing.rpl")}));
  EXPECT_TRUE(listRows(list).empty());
  EXPECT_EQ(windowText(dialog), "Vantor : [first.rpl]");
  copy(dialog);
  EXPECT_EQ(clipboardText(), expectedCopy(first));
}

TEST_F(DropAndCopy, CopyPutsTheTextViewWithCrLfInUnicode) {
  setClipboard(kUntouched);
  copy(dialog);
  EXPECT_EQ(clipboardText(), kUntouched) << "nothing to copy before a load";
  const std::string path = write("\xC9tape.rpl", sampleReplay());  // in the ANSI code page
  ASSERT_EQ(open(path), 0);
  copy(dialog);
  const std::wstring copied = clipboardText();
  EXPECT_NE(copied.find(L"\r\n  Caption               Vantor : [\u00C9tape.rpl]\r\n"), std::wstring::npos);
  EXPECT_NE(copied.find(L"\r\n  Track                 C\u00F4te d'Azur\r\n"), std::wstring::npos);
}

// Opens the context menu over the list and runs inMenu on it.
void onContextMenu(HWND dialog, HWND list, const std::function<void(HWND, HMENU)>& inMenu) {
  RECT rect{};
  GetWindowRect(list, &rect);
  EXPECT_TRUE(duringModal(
      "", [&](HWND menu) { inMenu(menu, reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0))); },
      [&] {
        SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(rect.left + 5, rect.top + 5));
      }));
}

TEST_F(DropAndCopy, TheContextMenuGreysCopyUntilALoad) {
  UINT state = 0;
  onContextMenu(dialog, list, [&](HWND, HMENU menu) {
    state = GetMenuState(menu, IDM_EDIT_COPY, MF_BYCOMMAND);
    EndMenu();
  });
  EXPECT_TRUE(state & MF_GRAYED);
  const std::string path = write("race.rpl", sampleReplay());
  ASSERT_EQ(open(path), 0);
  onContextMenu(dialog, list, [&](HWND menuWindow, HMENU menu) {
    state = GetMenuState(menu, IDM_EDIT_COPY, MF_BYCOMMAND);
    PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_FALSE(state & MF_GRAYED);
  EXPECT_EQ(clipboardText(), expectedCopy(path));
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

TEST_F(DropAndCopy, CtrlCOnAControlCopiesAndCAloneDoesNot) {
  const std::string path = write("race.rpl", sampleReplay());
  ASSERT_EQ(open(path), 0);
  setClipboard(kUntouched);
  pressC(dialog, list, false);
  EXPECT_EQ(clipboardText(), kUntouched);
  pressC(dialog, list, true);
  EXPECT_EQ(clipboardText(), expectedCopy(path));
}

// Another program's window holds the clipboard for holdMs.
void holdClipboardWhile(DWORD holdMs, const std::function<void()>& action) {
  HANDLE held = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::jthread holder([held, holdMs] {
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const BOOL open = OpenClipboard(owner);
    SetEvent(held);
    Sleep(holdMs);
    if (open) CloseClipboard();
    DestroyWindow(owner);
  });
  WaitForSingleObject(held, INFINITE);
  CloseHandle(held);
  action();
}

TEST_F(DropAndCopy, ABusyClipboardIsWaitedForBrieflyThenLeftAlone) {
  const std::string path = write("race.rpl", sampleReplay());
  ASSERT_EQ(open(path), 0);
  setClipboard(kUntouched);
  holdClipboardWhile(1500, [&] { copy(dialog); });
  EXPECT_EQ(clipboardText(), kUntouched);
  holdClipboardWhile(20, [&] { copy(dialog); });
  EXPECT_EQ(clipboardText(), expectedCopy(path));
}

}  // namespace
}  // namespace vantor::testing
