#pragma once

#include <cstdint>
#include <span>

#include "replay/replay_info.h"

// A second, plain statement of what one load does to a ReplayInfo that
// earlier loads filled: written byte by byte from the file's rules, not
// from the reader's code, so that the two can be checked against each
// other on any bytes.
namespace vantor::fuzz {

// The ReplayInfo after loading file into one that held before.
replay::ReplayInfo expectedAfterLoad(const replay::ReplayInfo& before, std::span<const std::uint8_t> file);

// Fails, naming the first field that differs, unless after is what
// expectedAfterLoad gives.
void checkCarryOver(const replay::ReplayInfo& before, std::span<const std::uint8_t> file,
                    const replay::ReplayInfo& after);

}  // namespace vantor::fuzz
