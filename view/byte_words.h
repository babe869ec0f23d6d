#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

// Eight bytes of a text tested at once, by the usual word tricks. Each
// answers only "is there any such byte", which is exact; where in the word
// it lies is not asked. The batch tool looks at every byte of thousands of
// names, nearly all plain ASCII, which then pass eight at a time.
namespace vantor::view::words {

inline constexpr std::uint64_t kOnes = 0x0101010101010101u;
inline constexpr std::uint64_t kHighs = 0x8080808080808080u;

inline std::uint64_t load(const char* at) {
  std::uint64_t word = 0;
  std::memcpy(&word, at, sizeof word);
  return word;
}

// A byte at 0x80 or above.
constexpr bool anyHigh(std::uint64_t word) { return (word & kHighs) != 0; }

// A byte below limit (at most 0x80).
constexpr bool anyBelow(std::uint64_t word, unsigned char limit) {
  return ((word - kOnes * limit) & ~word & kHighs) != 0;
}

// A byte equal to b.
constexpr bool anyEqual(std::uint64_t word, unsigned char b) { return anyBelow(word ^ (kOnes * b), 1); }

// A byte at 0x7F or above (adding one sets its high bit).
constexpr bool anyFromDelete(std::uint64_t word) { return (((word + kOnes) | word) & kHighs) != 0; }

}  // namespace vantor::view::words
