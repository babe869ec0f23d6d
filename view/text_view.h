#pragma once

#include <string>
#include <string_view>

#include "view/window_content.h"

namespace vantor::view {

// Appends the readable block for one replay: a heading with the path, then
// everything the window shows, aligned, in UTF-8, lines ended by "\n".
// vantor-info prints it and the window copies it. Control characters from
// the file or its name are shown as U+FFFD so that no replay can drive the
// terminal.
void appendTextView(std::string& out, const WindowContent& content);

// The text with each "\n" made "\r\n", the line end the Windows clipboard
// and the programs that paste from it expect.
std::string withCrLf(std::string_view text);

}  // namespace vantor::view
