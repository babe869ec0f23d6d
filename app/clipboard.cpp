#include "app/clipboard.h"

#include "view/text_view.h"
#include "view/window_content.h"

namespace vantor::app {
namespace {

// About a tenth of a second in all: long enough for a clipboard viewer to
// finish reading, short enough that the window never seems to hang.
constexpr int kOpenAttempts = 8;
constexpr DWORD kOpenRetryMs = 12;

std::wstring wideFrom(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
  return wide;
}

std::string utf8From(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

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

std::wstring copiedText(const std::string& path, const replay::ReplayInfo& info) {
  // The text view takes paths as UTF-8, as vantor-info hands them over.
  std::string text;
  view::appendTextView(text, view::makeWindowContent(utf8From(wideFrom(CP_ACP, path)), info));
  return wideFrom(CP_UTF8, view::withCrLf(text));
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
