#pragma once

#include <string>
#include <string_view>

#include "view/utf8_text.h"

// Paths arrive from the system in UTF-16 and the views of a replay are
// UTF-8; these convert between the two. A lone surrogate, which no valid
// text holds, becomes U+FFFD.
namespace vantor::app {

std::string utf8From(std::wstring_view wide);
std::wstring wideFromUtf8(std::string_view utf8);

// A replay's Windows-1252 text as UTF-16 (a wchar_t is 16 bits on Windows),
// one unit a byte, so that the system's code page never decides which
// letter a byte shows.
inline std::wstring windows1252AsWide(std::string_view text) {
  std::wstring wide(text.size(), L'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    wide[i] = static_cast<wchar_t>(view::windows1252CodePoint(static_cast<unsigned char>(text[i])));
  return wide;
}

}  // namespace vantor::app
