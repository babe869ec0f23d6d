// The native side of bench/web-speed: the page's own entry point, compiled
// natively, over the same files the WebAssembly one is timed on and in the
// same batches (all the files at once, as wasm_core.mjs gives them).
// Prints nanoseconds per replay for what the page asks of it for each
// replay of a batch: decode, JSON line and the list row's values. Timed as
// wasm_core.mjs times its side: the fastest of five runs after the same
// calls beforehand, so that one run the machine's other work interrupts
// says nothing.
#include <algorithm>
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
  const auto run = [&](int times) {
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < times; ++round) rows(files.data(), files.size());
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
  };
  run(500);
  double fastest = run(rounds);
  for (int again = 1; again < 5; ++again) fastest = std::min(fastest, run(rounds));
  std::printf("%.0f\n", fastest / (static_cast<double>(rounds) * static_cast<double>(names.size())));
}
