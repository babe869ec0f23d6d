#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "replay/replay_info.h"

namespace vantor::app {

// What Copy puts on the clipboard for a replay loaded from path (bytes in
// the system's code page): the text view vantor-info prints for it, in
// UTF-16, lines ended by CR LF.
std::wstring copiedText(const std::string& path, const replay::ReplayInfo& info);

// Replaces the clipboard's content with text as CF_UNICODETEXT, owned by
// owner: true when it is there. Another program may hold the clipboard for
// a moment, so opening it is tried a few times before giving up.
bool putOnClipboard(HWND owner, std::wstring_view text);

}  // namespace vantor::app
