// The native side of bench/web-speed: the page's own entry point, compiled
// natively, over the same files the WebAssembly one is timed on. Prints
// nanoseconds per replay for what the page asks of it for each replay of a
// batch: decode, JSON line and the list row's values.
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "replay/layout.h"

extern "C" const void* row(const unsigned char* bytes, std::size_t size, const char* name, std::size_t nameSize);

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: web_native_core ROUNDS FILE...\n", stderr);
    return 2;
  }
  const int rounds = std::stoi(argv[1]);
  std::vector<std::string> names(argv + 2, argv + argc), contents;
  for (const std::string& name : names) {
    std::ifstream in(name, std::ios::binary);
    contents.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    contents.back().resize(std::min(contents.back().size(), vantor::replay::layout::kBytesUsed));
  }
  const auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      const auto* bytes = reinterpret_cast<const unsigned char*>(contents[i].data());
      row(bytes, contents[i].size(), names[i].data(), names[i].size());
    }
  }
  const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
  std::printf("%.0f\n", took.count() / (static_cast<double>(rounds) * static_cast<double>(names.size())));
}
