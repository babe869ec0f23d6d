#pragma once

#include <string>
#include <string_view>

#include "replay/replay_info.h"
#include "view/window_content.h"

namespace vantor::cli {

// Appends the readable block for one replay: a heading with the path, then
// everything the window shows, aligned, in UTF-8. Control characters from
// the file or its name are shown as U+FFFD so that no replay can drive the
// terminal.
void appendTextView(std::string& out, std::string_view path, const view::WindowContent& content,
                    const replay::ReplayInfo& info);

}  // namespace vantor::cli
