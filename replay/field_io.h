#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

#include "replay/fixed_text.h"

// The two ways a field comes out of a replay that may be shorter than the
// field needs. Stored files have been read with these rules for years, so
// they are kept exactly.
namespace vantor::replay::field_io {

using Bytes = std::span<const unsigned char>;

// Straight into the destination: the bytes that exist overwrite it, the
// rest keeps what it held; a field that starts past the end keeps it all.
inline void overwrite(Bytes file, std::size_t offset, std::span<unsigned char> destination) {
  if (offset >= file.size()) return;
  const std::size_t available = std::min(destination.size(), file.size() - offset);
  std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(offset), available, destination.begin());
}

template <std::size_t Width>
void readText(Bytes file, std::size_t offset, FixedText<Width>& text) {
  // Only the first Width bytes: the spare one keeps the text terminated.
  auto* first = reinterpret_cast<unsigned char*>(text.bytes.data());
  overwrite(file, offset, std::span<unsigned char>(first, Width));
}

// A little-endian integer read straight into value, byte by byte, so that
// a field cut by the end of the file keeps its previous high bytes.
template <typename Int>
void readInt(Bytes file, std::size_t offset, Int& value) {
  static_assert(std::is_integral_v<Int>);
  using Unsigned = std::make_unsigned_t<Int>;
  if (offset <= file.size() && file.size() - offset >= sizeof(Int)) {
    Unsigned whole = 0;
    for (std::size_t i = sizeof(Int); i-- > 0;) whole = static_cast<Unsigned>((whole << 8) | file[offset + i]);
    value = static_cast<Int>(whole);
    return;
  }
  std::array<unsigned char, sizeof(Int)> le{};
  auto bits = static_cast<Unsigned>(value);
  for (auto& byte : le) {
    byte = static_cast<unsigned char>(bits & 0xFFu);
    bits = static_cast<Unsigned>(bits >> 8);
  }
  overwrite(file, offset, le);
  Unsigned result = 0;
  for (std::size_t i = sizeof(Int); i-- > 0;) result = static_cast<Unsigned>((result << 8) | le[i]);
  value = static_cast<Int>(result);
}

// Through a temporary: bytes past the end of the file read as zero.
template <std::size_t Width>
std::array<unsigned char, Width> zeroFilled(Bytes file, std::size_t offset) {
  std::array<unsigned char, Width> bytes{};
  overwrite(file, offset, bytes);
  return bytes;
}

inline std::int32_t int32ZeroFilled(Bytes file, std::size_t offset) {
  std::int32_t value = 0;
  readInt(file, offset, value);
  return value;
}

}  // namespace vantor::replay::field_io
