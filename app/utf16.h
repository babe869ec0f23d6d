#pragma once

#include <string>
#include <string_view>

// Paths arrive from the system in UTF-16 and the views of a replay are
// UTF-8; these convert between the two. A lone surrogate, which no valid
// text holds, becomes U+FFFD.
namespace vantor::app {

std::string utf8From(std::wstring_view wide);
std::wstring wideFromUtf8(std::string_view utf8);

}  // namespace vantor::app
