#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantor::view {

// The file-name part of a path: what follows its last backslash, unless
// that backslash is the first character. "/" is no separator here.
std::string_view baseName(std::string_view path);

// "Vantor : [base name]", never longer than kCaptionMaxLength characters.
inline constexpr std::size_t kCaptionMaxLength = 255;
std::string captionFor(std::string_view path);

}  // namespace vantor::view
