#pragma once

#include <cstdint>
#include <string>

namespace vantor::replay {

// "mm:ss:hh" for a raw time in 1/64 seconds. The text keeps the game's own
// arithmetic, odd results for negative and very large times included, so
// that it reads exactly as the players have always seen it.
std::string recordTimeText(std::int32_t rawTime);

}  // namespace vantor::replay
