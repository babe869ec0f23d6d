// Files dropped on the main window, and Copy from the keyboard and the
// right-click menu, through the real window procedure and message loop.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
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
HDROP makeDrop(const std::vector<std::string>& paths) {
  std::string names;
  for (const std::string& path : paths) names += path + '\0';
  names += '\0';
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = FALSE;
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

// DragFinish frees the handle; a freed handle has no size.
bool released(HDROP drop) { return GlobalSize(drop) == 0; }

std::wstring wide(UINT codePage, const std::string& bytes) {
  std::wstring out(bytes.size(), L'\0');
  out.resize(static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                          out.data(), static_cast<int>(out.size()))));
  return out;
}

std::string narrow(UINT codePage, const std::wstring& text, BOOL* usedDefault = nullptr) {
  std::string out(text.size() * 4, '\0');
  out.resize(static_cast<std::size_t>(WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                                          out.data(), static_cast<int>(out.size()), nullptr,
                                                          usedDefault)));
  return out;
}

// What the clipboard must hold after copying the replay at path (ANSI).
std::wstring expectedCopy(const std::string& path) {
  replay::ReplayInfo info;
  EXPECT_EQ(replay::load(path, info), 0);
  std::string text;
  view::appendTextView(text, view::makeWindowContent(narrow(CP_UTF8, wide(CP_ACP, path)), info));
  std::wstring lines;
  for (const wchar_t c : wide(CP_UTF8, text)) lines += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
  return lines;
}

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

// Holds the clipboard for holdMs from another thread's hidden window, as a
// clipboard viewer might; returns once it is held.
std::jthread holdClipboard(DWORD holdMs) {
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
  return holder;
}

using DropAndCopy = MainWindowTest;

constexpr std::wstring_view kUntouched = L"left by the test";

TEST_F(DropAndCopy, DropShowsOnlyTheFirstFileAndEmptiesTheListFirst) {
  const std::string first = write("first.rpl", sampleReplay());
  const std::string second = write("second.rpl", sampleReplay().driverName("Nils Moor"));
  for (int drop = 0; drop < 2; ++drop) {
    HDROP handle = makeDrop({first, second});
    SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(handle), 0);
    EXPECT_TRUE(released(handle)) << "drop " << drop;
  }
  EXPECT_EQ(windowText(dialog), "Vantor : [first.rpl]");
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "Ilse K.");
  EXPECT_EQ(listRows(list).size(), 8u);
}

TEST_F(DropAndCopy, DroppedMissingFileEmptiesTheListAndCopyKeepsTheShownReplay) {
  const std::string shownPath = write("race.rpl", sampleReplay());
  ASSERT_EQ(open(shownPath), 0);
  HDROP handle = makeDrop({files.pathOf("missing.rpl")});
  SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(handle), 0);
  EXPECT_TRUE(released(handle));
  EXPECT_TRUE(listRows(list).empty());
  EXPECT_EQ(windowText(dialog), "Vantor : [race.rpl]");
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "Ilse K.");
  SendMessageA(dialog, WM_COMMAND, IDM_EDIT_COPY, 0);
  EXPECT_EQ(clipboardText(), expectedCopy(shownPath));
}

TEST_F(DropAndCopy, CopyPutsTheTextViewWithCrLfAndTheNameInUnicode) {
  BOOL usedDefault = FALSE;
  const std::string name = narrow(CP_ACP, L"\u00C9tape.rpl", &usedDefault);
  ASSERT_FALSE(usedDefault) << "the system code page cannot spell the file name";
  const std::string path = write(name, sampleReplay());
  ASSERT_EQ(open(path), 0);
  setClipboard(kUntouched);
  SendMessageA(dialog, WM_COMMAND, IDM_EDIT_COPY, 0);
  const std::wstring copied = clipboardText();
  EXPECT_EQ(copied, expectedCopy(path));
  EXPECT_NE(copied.find(L"\r\n  Caption               Vantor : [\u00C9tape.rpl]\r\n"), std::wstring::npos);
  EXPECT_NE(copied.find(L"\r\n  Track                 C\u00F4te d'Azur\r\n"), std::wstring::npos);
}

// Opens the context menu over a control; inMenu gets the open menu.
void runContextMenu(HWND dialog, HWND onControl, const std::function<void(HWND, HMENU)>& inMenu) {
  RECT rect{};
  GetWindowRect(onControl, &rect);
  const bool ran = duringModal(
      "",
      [&](HWND menuWindow) {
        inMenu(menuWindow, reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0)));
      },
      [&] {
        SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(onControl),
                     MAKELPARAM(rect.left + 5, rect.top + 5));
      });
  EXPECT_TRUE(ran);
}

TEST_F(DropAndCopy, BeforeAnyLoadCopyDoesNothingAndTheMenuGreysIt) {
  setClipboard(kUntouched);
  SendMessageA(dialog, WM_COMMAND, IDM_EDIT_COPY, 0);
  EXPECT_EQ(clipboardText(), kUntouched);

  UINT state = 0;
  runContextMenu(dialog, list, [&](HWND, HMENU menu) {
    state = GetMenuState(menu, IDM_EDIT_COPY, MF_BYCOMMAND);
    EndMenu();
  });
  EXPECT_TRUE(state & MF_GRAYED);

  const std::string path = write("race.rpl", sampleReplay());
  ASSERT_EQ(open(path), 0);
  runContextMenu(dialog, list, [&](HWND menuWindow, HMENU menu) {
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
  const std::array<BYTE, 256> before = keys;
  keys[VK_CONTROL] = withControl ? 0x80 : 0;
  SetKeyboardState(keys.data());
  PostMessageA(control, WM_KEYDOWN, 'C', 1);
  PostMessageA(control, WM_KEYUP, 'C', 1 | (1 << 30) | static_cast<LPARAM>(1u << 31));
  PostQuitMessage(0);
  app::runMessageLoop(dialog, LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS)));
  SetKeyboardState(const_cast<BYTE*>(before.data()));
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

TEST_F(DropAndCopy, ClipboardHeldBrieflyIsWaitedForAndHeldLongerIsLeftAlone) {
  const std::string path = write("race.rpl", sampleReplay());
  ASSERT_EQ(open(path), 0);
  setClipboard(kUntouched);
  {
    const std::jthread holder = holdClipboard(1500);
    SendMessageA(dialog, WM_COMMAND, IDM_EDIT_COPY, 0);  // gives up, silently
  }
  EXPECT_EQ(clipboardText(), kUntouched);
  {
    const std::jthread holder = holdClipboard(20);
    SendMessageA(dialog, WM_COMMAND, IDM_EDIT_COPY, 0);
  }
  EXPECT_EQ(clipboardText(), expectedCopy(path));
}

}  // namespace
}  // namespace vantor::testing
