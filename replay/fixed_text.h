#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace vantor::replay {

// A text as a replay stores it: at most Width bytes, NUL-terminated when
// shorter, full width when not. One spare byte keeps a full-width text
// terminated in memory; only the first Width bytes are ever written.
template <std::size_t Width>
struct FixedText {
  static constexpr std::size_t width = Width;

  std::array<char, Width + 1> bytes{};

  [[nodiscard]] std::string_view view() const { return bytes.data(); }

  // Replaces the text, cut to Width bytes.
  void assign(std::string_view text) {
    const std::size_t n = std::min(text.size(), Width);
    std::copy_n(text.begin(), n, bytes.begin());
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(n), bytes.end(), '\0');
  }

  friend bool operator==(const FixedText&, const FixedText&) = default;
};

}  // namespace vantor::replay
