#pragma once

#include <string>
#include <string_view>

// Replays hold Windows-1252 texts and paths are whatever bytes the system
// gave us; everything vantor-info prints is UTF-8.
namespace vantor::cli {

// Appends the Windows-1252 text as UTF-8, byte by byte, with the WHATWG
// mapping: the five bytes that code page leaves undefined (81 8D 8F 90 9D)
// become the C1 controls of the same number.
void appendWindows1252AsUtf8(std::string& out, std::string_view text);

// Appends bytes that should be UTF-8, each invalid sequence (its longest
// start that could have been valid) replaced by one U+FFFD.
void appendValidUtf8(std::string& out, std::string_view bytes);

}  // namespace vantor::cli
