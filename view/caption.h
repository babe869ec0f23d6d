#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantor::view {

// The file-name part of a path: what follows its last backslash, unless
// that backslash is the first character. "/" is no separator here.
std::string_view baseName(std::string_view path);

// What the caption of a file cut short says after its name.
inline constexpr std::string_view kCutShortSuffix = " (cut short)";

// "Vantor : [base name]", and kCutShortSuffix for a file cut short, never
// longer than kCaptionMaxLength bytes of UTF-8 (of the path's bytes, on a
// system whose names are not UTF-8), cut between whole characters; made
// into a caption made before, keeping its room.
inline constexpr std::size_t kCaptionMaxLength = 255;
void assignCaption(std::string& caption, std::string_view path, bool isCut);

}  // namespace vantor::view
