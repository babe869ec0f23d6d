#pragma once

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace vantor::app {

// Room for the longest path the system can hold, not just MAX_PATH.
inline constexpr std::size_t kOpenPathLength = 32768;
// A file's name alone is at most 255 characters.
inline constexpr std::size_t kOpenTitleLength = 256;

// The Open dialog's buffers, kept for the run by the main window.
struct OpenDialogBuffers {
  std::array<wchar_t, kOpenPathLength> path{};
  std::array<wchar_t, kOpenTitleLength> title{};  // filled by the system, unused
};

// Pairs of display text and pattern, the list closed by an extra NUL.
inline constexpr wchar_t kReplayFilter[] = L"Replayfiles(*.rpl)\0*.rpl\0All Files\0*.*\0";
static_assert(std::size(kReplayFilter) == 40);

// The classic request layout, without the fields added after it.
inline constexpr DWORD kOpenRequestSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);
#ifndef _WIN64
static_assert(kOpenRequestSize == 76);
#endif

// Read-only box hidden, current directory kept, hook, path and file must
// exist, Explorer look, resizable.
inline constexpr DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLEHOOK | OFN_PATHMUSTEXIST |
                                    OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING;
static_assert(kOpenFlags == 0x0088182C);

// The request chooseReplayFile sends; empties the path buffer, so that the
// dialog starts without a file name even after an earlier choice.
OPENFILENAMEW makeOpenRequest(HWND owner, HINSTANCE instance, OpenDialogBuffers& buffers);

// The hook: it changes nothing and answers TRUE only to WM_INITDIALOG.
UINT_PTR CALLBACK openDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the Open dialog, modal to owner: the chosen full path, or nothing
// when the user cancels or the dialog fails.
std::optional<std::wstring> chooseReplayFile(HWND owner, HINSTANCE instance, OpenDialogBuffers& buffers);

}  // namespace vantor::app
