#include "view/caption.h"

namespace vantor::view {
namespace {

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The longest start of text of at most `bytes` bytes that ends between two
// characters: a UTF-8 sequence is never split, so no screen shows half a
// letter (nor, once in UTF-16, half a surrogate pair).
std::string_view wholeCharacters(std::string_view text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  while (bytes > 0 && isContinuationByte(text[bytes])) --bytes;
  return text.substr(0, bytes);
}

}  // namespace

std::string_view baseName(std::string_view path) {
  // The search goes down to the second character only: a path whose one
  // backslash leads it ("\race.rpl") is shown whole.
  for (std::size_t i = path.size(); i-- > 1;) {
    if (path[i] == '\\') return path.substr(i + 1);
  }
  return path;
}

void assignCaption(std::string& caption, std::string_view path, bool isCut) {
  constexpr std::string_view kPrefix = "Vantor : [";
  const std::string_view suffix = isCut ? kCutShortSuffix : "";
  caption.assign(kPrefix);
  caption += baseName(path);
  caption += ']';
  // The window title has always been built in a buffer of 256: cut, never
  // overrun, and never so that a cut file stops saying it is one.
  caption.resize(wholeCharacters(caption, kCaptionMaxLength - suffix.size()).size());
  caption.append(suffix);
}

}  // namespace vantor::view
