// The native side of bench/web-speed: the page's own entry point, compiled
// natively, over the same files the WebAssembly one is timed on and in the
// same batches (all the files at once, as wasm_core.mjs gives them).
// Prints nanoseconds per replay for what the page asks of it for each
// replay of a batch: decode, JSON line and the list row's values.
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "replay/layout.h"
#include "web/vantor_wasm.h"


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
  std::vector<vantor::web::File> files;
  for (std::size_t i = 0; i < names.size(); ++i) {
    files.push_back({reinterpret_cast<const unsigned char*>(contents[i].data()), contents[i].size(), names[i].data(),
                     names[i].size()});
  }
  const auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < rounds; ++round) rows(files.data(), files.size());
  const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
  std::printf("%.0f\n", took.count() / (static_cast<double>(rounds) * static_cast<double>(names.size())));
}
