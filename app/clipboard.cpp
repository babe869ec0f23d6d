#include "app/clipboard.h"

#include "app/utf16.h"
#include "report/text_view.h"

namespace vantor::app {
namespace {

// About a tenth of a second in all: long enough for a clipboard viewer to
// finish reading, short enough that the window never seems to hang.
constexpr int kOpenAttempts = 8;
constexpr DWORD kOpenRetryMs = 12;

bool openClipboard(HWND owner) {
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (attempt > 0) Sleep(kOpenRetryMs);
    if (OpenClipboard(owner)) return true;
  }
  return false;
}

// The clipboard takes the memory only when SetClipboardData succeeds.
HGLOBAL globalCopy(std::wstring_view text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (memory == nullptr) return nullptr;
  auto* chars = static_cast<wchar_t*>(GlobalLock(memory));
  if (chars == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  text.copy(chars, text.size());
  chars[text.size()] = L'\0';
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

std::wstring copiedText(const view::WindowContent& content) {
  std::string text;
  report::appendTextView(text, content);
  return wideFromUtf8(report::withCrLf(text));
}

bool putOnClipboard(HWND owner, std::wstring_view text) {
  // Made before the clipboard is opened, so that others wait on it no longer
  // than the handing over takes.
  HGLOBAL memory = globalCopy(text);
  if (memory == nullptr) return false;
  if (!openClipboard(owner)) {
    GlobalFree(memory);
    return false;
  }
  const bool put = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!put) GlobalFree(memory);
  return put;
}

}  // namespace vantor::app
