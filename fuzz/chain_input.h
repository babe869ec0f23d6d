#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// How fuzz_load_chain reads one input as two or three replays loaded one
// after the other. The first byte chooses: bit 0 three files instead of
// two, bit 1 a load of a missing path after the first file. Each file but
// the last is preceded by its length (16 bits, little-endian, cut to what
// is left); the last takes the rest. Any input splits somehow.
namespace vantor::fuzz {

using Bytes = std::span<const std::uint8_t>;

struct LoadChain {
  std::vector<Bytes> replays;
  bool missingAfterFirst = false;
};

LoadChain splitChain(Bytes input);

// The input that splits into these replays: for the seed corpus.
std::vector<std::uint8_t> joinChain(const std::vector<std::vector<std::uint8_t>>& replays, bool missingAfterFirst);

}  // namespace vantor::fuzz
