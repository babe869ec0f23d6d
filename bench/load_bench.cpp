// load() of one replay next to the least any reader must do: open the file,
// read the bytes the viewer uses, close it. The ratio of the two is the
// cost of the three passes and the decoding.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>

#include "replay/layout.h"
#include "replay/reader.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string& samplePath() {
  static const vantor::testing::TempDir dir;
  static const std::string path = dir.write("sample.rpl", vantor::testing::sampleReplay().bytes());
  return path;
}

void BM_OpenReadClose(benchmark::State& state) {
  const std::string& path = samplePath();
  std::array<unsigned char, vantor::replay::layout::kBytesUsed> buffer{};
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
    std::fclose(file);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OpenReadClose);

void BM_Load(benchmark::State& state) {
  const std::string& path = samplePath();
  vantor::replay::DecodedReplay replay;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vantor::replay::load(path, replay));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Load);

}  // namespace

BENCHMARK_MAIN();
