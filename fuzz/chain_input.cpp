#include "fuzz/chain_input.h"

#include <algorithm>
#include <stdexcept>

namespace vantor::fuzz {
namespace {

constexpr std::uint8_t kThreeFiles = 1;
constexpr std::uint8_t kMissingAfterFirst = 2;

}  // namespace

LoadChain splitChain(Bytes input) {
  LoadChain chain;
  if (input.empty()) {
    chain.replays = {input, input};
    return chain;
  }
  const std::uint8_t choice = input[0];
  chain.missingAfterFirst = (choice & kMissingAfterFirst) != 0;
  const std::size_t count = (choice & kThreeFiles) != 0 ? 3 : 2;
  Bytes rest = input.subspan(1);
  for (std::size_t i = 0; i + 1 < count; ++i) {
    std::size_t length = 0;
    for (std::size_t b = 0; b < 2 && !rest.empty(); ++b) {
      length |= static_cast<std::size_t>(rest[0]) << (8 * b);
      rest = rest.subspan(1);
    }
    length = std::min(length, rest.size());
    chain.replays.push_back(rest.first(length));
    rest = rest.subspan(length);
  }
  chain.replays.push_back(rest);
  return chain;
}

std::vector<std::uint8_t> joinChain(const std::vector<std::vector<std::uint8_t>>& replays, bool missingAfterFirst) {
  if (replays.size() != 2 && replays.size() != 3) throw std::invalid_argument("a chain has two or three replays");
  std::vector<std::uint8_t> input;
  input.push_back(static_cast<std::uint8_t>((replays.size() == 3 ? kThreeFiles : 0) |
                                            (missingAfterFirst ? kMissingAfterFirst : 0)));
  for (std::size_t i = 0; i < replays.size(); ++i) {
    const auto& replay = replays[i];
    if (i + 1 < replays.size()) {
      if (replay.size() > 0xFFFF) throw std::invalid_argument("a replay of the chain is too long");
      input.push_back(static_cast<std::uint8_t>(replay.size() & 0xFF));
      input.push_back(static_cast<std::uint8_t>(replay.size() >> 8));
    }
    input.insert(input.end(), replay.begin(), replay.end());
  }
  return input;
}

}  // namespace vantor::fuzz
