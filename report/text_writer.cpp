#include "report/text_writer.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "view/byte_words.h"
#include "view/utf8_text.h"

namespace vantor::report {
namespace {

constexpr bool isControl(unsigned char b) {
  return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

// Each byte's shown form, worked out once: its UTF-8, or U+FFFD for a
// control character.
constexpr std::array<view::Utf8Bytes, 256> kShown = [] {
  std::array<view::Utf8Bytes, 256> table = view::kWindows1252Utf8;
  for (std::size_t b = 0; b < 256; ++b) {
    if (isControl(static_cast<unsigned char>(b))) table[b] = view::utf8Encode(0xFFFD);
  }
  return table;
}();

// Whether every byte is printable ASCII (0x20..0x7E), which shows as it is.
bool isPlainAscii(std::string_view text) {
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    const std::uint64_t word = view::words::load(text.data() + i);
    if (view::words::anyBelow(word, 0x20) || view::words::anyFromDelete(word)) return false;
  }
  for (; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x20 || b >= 0x7F) return false;
  }
  return true;
}

}  // namespace

void TextWriter::number(std::int64_t value) {
  constexpr std::size_t kLongest = 20;  // "-9223372036854775808"
  room(kLongest);
  at_ = std::to_chars(at_, at_ + kLongest, value).ptr;
}

void TextWriter::shownText(std::string_view windows1252) {
  // Labels and most names are plain ASCII, which shows as it is.
  if (isPlainAscii(windows1252)) {
    put(windows1252);
    return;
  }
  if (!fits(3 * windows1252.size())) [[unlikely]] {  // three bytes at most for each
    for (std::size_t i = 0; i < windows1252.size(); i += 1024) shownText(windows1252.substr(i, 1024));
    return;
  }
  room(3 * windows1252.size());
  for (const char c : windows1252) {
    const view::Utf8Bytes& shown = kShown[static_cast<unsigned char>(c)];
    std::memcpy(at_, shown.bytes.data(), shown.bytes.size());
    at_ += shown.size;
  }
}

void TextWriter::shownPath(std::string_view bytes) {
  std::string repaired;
  const std::string_view utf8 = view::validUtf8(bytes, repaired);
  for (const char c : utf8) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      put(view::kReplacementCharacter);
    } else {
      put(c);
    }
  }
}

}  // namespace vantor::report
