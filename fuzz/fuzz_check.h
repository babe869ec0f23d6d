#pragma once

#include <string_view>

// A broken invariant is a crash to libFuzzer: it keeps the input that
// broke it and stops, so the finding can be replayed with the target.
namespace vantor::fuzz {

// Names the invariant on the error stream as it was at start-up (the runs
// close standard error to silence the gear message) and aborts.
[[noreturn]] void fail(std::string_view what);

inline void require(bool holds, std::string_view what) {
  if (!holds) fail(what);
}

}  // namespace vantor::fuzz
