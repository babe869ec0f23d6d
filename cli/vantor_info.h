#pragma once

#include <cstdio>
#include <span>
#include <string>

namespace vantor::cli {

struct Streams {
  std::FILE* in = stdin;
  std::FILE* out = stdout;
  std::FILE* err = stderr;
};

// The whole of vantor-info after the platform's start-up, for its
// arguments (the program's name left out): the exit status. Each file is
// decoded into a fresh ReplayInfo and printed from its WindowContent. A
// closed output pipe stops the run quietly, with the status of the files
// handled so far.
int runVantorInfo(std::span<const std::string> args, const Streams& streams);

}  // namespace vantor::cli
