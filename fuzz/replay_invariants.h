#pragma once

#include <string_view>

#include "replay/replay_info.h"
#include "view/window_content.h"

// What holds for every ReplayInfo and WindowContent, whatever bytes and
// whatever earlier loads made them.
namespace vantor::fuzz {

// Text widths, texts that come from a table, time texts made from the
// raw times, a laps text that reads back as a 32-bit number.
void checkReplayInfo(const replay::ReplayInfo& info);

// The caption's form and bound, eight rows numbered 1 to 8, and every
// text taken over from info unchanged.
void checkWindowContent(std::string_view path, const replay::ReplayInfo& info, const view::WindowContent& content);

}  // namespace vantor::fuzz
