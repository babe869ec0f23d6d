#include "view/utf8_text.h"

#include "view/byte_words.h"

#include <array>
#include <cstdint>

namespace vantor::view {
namespace {

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the valid sequence at text[i], or the number of bytes that
// make up its longest invalid start (at least 1) negated.
int sequenceAt(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) return 1;
  int length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;    // no overlong forms
    if (lead == 0xED) high = 0x9F;   // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;   // nothing past U+10FFFF
  } else {
    return -1;
  }
  for (int k = 1; k < length; ++k) {
    const std::size_t at = i + static_cast<std::size_t>(k);
    if (at >= text.size()) return -k;
    const auto c = static_cast<unsigned char>(text[at]);
    const bool fits = k == 1 ? (c >= low && c <= high) : isContinuation(c);
    if (!fits) return -k;
  }
  return length;
}

// The length of the ASCII run at the start of text: those bytes are the
// same in every one of our encodings and are copied in one go.
std::size_t asciiRun(std::string_view text) {
  std::size_t n = 0;
  while (n + 8 <= text.size() && !words::anyHigh(words::load(text.data() + n))) n += 8;
  while (n < text.size() && static_cast<unsigned char>(text[n]) < 0x80) ++n;
  return n;
}

bool isValidUtf8(std::string_view bytes) {
  for (std::size_t i = asciiRun(bytes); i < bytes.size(); i += asciiRun(bytes.substr(i))) {
    const int n = sequenceAt(bytes, i);
    if (n < 0) return false;
    i += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

void appendWindows1252AsUtf8(std::string& out, std::string_view text) {
  while (!text.empty()) {
    const std::size_t ascii = asciiRun(text);
    out.append(text.substr(0, ascii));
    if (ascii == text.size()) return;
    const Utf8Bytes& e = kWindows1252Utf8[static_cast<unsigned char>(text[ascii])];
    out.append(e.bytes.data(), e.size);
    text.remove_prefix(ascii + 1);
  }
}

void appendValidUtf8(std::string& out, std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t ascii = asciiRun(bytes.substr(i));
    out.append(bytes.substr(i, ascii));
    i += ascii;
    if (i == bytes.size()) return;
    const int n = sequenceAt(bytes, i);
    if (n > 0) {
      out.append(bytes.substr(i, static_cast<std::size_t>(n)));
      i += static_cast<std::size_t>(n);
    } else {
      out.append(kReplacementCharacter);
      i += static_cast<std::size_t>(-n);
    }
  }
}

std::string_view validUtf8(std::string_view bytes, std::string& room) {
  if (isValidUtf8(bytes)) return bytes;
  appendValidUtf8(room, bytes);
  return room;
}

}  // namespace vantor::view
