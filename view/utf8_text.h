#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Replays hold Windows-1252 texts and paths are whatever bytes the system
// gave us; every text Vantor hands on as Unicode is UTF-8, but for the
// window's controls, which take UTF-16 (app/utf16.h).
namespace vantor::view {

// The code point of a Windows-1252 byte, with the WHATWG mapping: the five
// bytes that code page leaves undefined (81 8D 8F 90 9D) are the C1
// controls of the same number.
constexpr std::uint32_t windows1252CodePoint(unsigned char byte) {
  constexpr std::array<std::uint16_t, 32> kHigh = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

// A code point below U+10000 as UTF-8: one to three bytes.
struct Utf8Bytes {
  std::array<char, 3> bytes{};
  std::uint8_t size = 0;
};

constexpr Utf8Bytes utf8Encode(std::uint32_t codePoint) {
  Utf8Bytes e;
  if (codePoint < 0x80) {
    e.bytes[0] = static_cast<char>(codePoint);
    e.size = 1;
  } else if (codePoint < 0x800) {
    e.bytes[0] = static_cast<char>(0xC0 | (codePoint >> 6));
    e.bytes[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
    e.size = 2;
  } else {
    e.bytes[0] = static_cast<char>(0xE0 | (codePoint >> 12));
    e.bytes[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    e.bytes[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
    e.size = 3;
  }
  return e;
}

inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

// Every byte's UTF-8 form, worked out once at compile time: the batch
// output converts megabytes of names.
inline constexpr std::array<Utf8Bytes, 256> kWindows1252Utf8 = [] {
  std::array<Utf8Bytes, 256> table{};
  for (std::uint32_t b = 0; b < 256; ++b) table[b] = utf8Encode(windows1252CodePoint(static_cast<unsigned char>(b)));
  return table;
}();

// Appends the Windows-1252 text as UTF-8, byte by byte.
void appendWindows1252AsUtf8(std::string& out, std::string_view text);

// Appends bytes that should be UTF-8, each invalid sequence (its longest
// start that could have been valid) replaced by one U+FFFD.
void appendValidUtf8(std::string& out, std::string_view bytes);

// The bytes themselves when they are valid UTF-8, as nearly every name is;
// else their repaired form (as above), made in room.
std::string_view validUtf8(std::string_view bytes, std::string& room);

}  // namespace vantor::view
