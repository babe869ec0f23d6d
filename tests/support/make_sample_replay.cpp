// Writes the project's sample replay to the path given.
#include <cstdio>
#include <exception>

#include "tests/support/replay_builder.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: vantor-make-sample OUTPUT.rpl\n", stderr);
    return 2;
  }
  try {
    vantor::testing::sampleReplay().writeTo(argv[1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vantor-make-sample: %s\n", error.what());
    return 1;
  }
  return 0;
}
