#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "view/window_content.h"

namespace vantor::app {

// What Copy puts on the clipboard for what the window shows: the text view
// vantor-info prints for the same file, in UTF-16, lines ended by CR LF.
std::wstring copiedText(const view::WindowContent& content);

// Replaces the clipboard's content with text as CF_UNICODETEXT, owned by
// owner: true when it is there. Another program may hold the clipboard for
// a moment, so opening it is tried a few times before giving up.
bool putOnClipboard(HWND owner, std::wstring_view text);

}  // namespace vantor::app
