// Writes the fuzzers' starting inputs, made by the replay builder: whole
// replays, the same cut at each field's edge, and odd ones (unknown keys and
// gear values, full-width texts, high bytes, long and odd paths), and chains
// of them for fuzz_load_chain. Made fresh by tools/fuzz; none is committed.
//   vantor-fuzz-seeds OUTPUT_FOLDER   ->  OUTPUT_FOLDER/{replay_json,load_chain}/
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/chain_input.h"
#include "replay/layout.h"
#include "tests/support/replay_builder.h"

namespace {

using vantor::testing::ReplayBuilder;
using vantor::testing::sampleReplay;
using Replay = std::vector<unsigned char>;
namespace layout = vantor::replay::layout;

// Every field's first byte and the byte after it: where short files differ.
constexpr std::size_t kCuts[] = {0,    1,    8,    12,   68,   76,   92,   104,  120,  176,  208,
                                 240,  497,  752,  1604, 1605, 3248, 3477, 3490, 3512, 3515, 3523,
                                 3536, 3546, 3556, 3560, 3562, 3616, 3620, 4568, 4575, 4582, 4583};

Replay bytesOf(const ReplayBuilder& builder) { return builder.firstBytes(layout::kBytesUsed); }

std::vector<Replay> oddReplays() {
  std::vector<Replay> replays;
  replays.push_back(bytesOf(sampleReplay().trackKey("monaco3").monteCarloTime(0, 3877)));
  replays.push_back(bytesOf(sampleReplay().trackKey("MONACO9")));
  replays.push_back(bytesOf(sampleReplay().trackKey("industrialXY")));  // twelve bytes, no NUL
  replays.push_back(bytesOf(sampleReplay().gear(2, 3277)));
  replays.push_back(bytesOf(sampleReplay().gear(7, -32768).gear(6, 32768)));
  replays.push_back(bytesOf(sampleReplay().mirrored(2).backward(1).laps(-2147483647 - 1)));
  replays.push_back(bytesOf(sampleReplay().driverName("Ottoline").carName("Sprintmaster XL")));
  replays.push_back(bytesOf(sampleReplay()
                                .recordName(0, std::string(32, 'N'))
                                .recordCar(7, std::string(32, 'C'))
                                .otherTrackTime(3, 1374389535)
                                .otherTrackTime(4, -80)));
  replays.push_back(bytesOf(sampleReplay().driverName("\x81\x8D\xE8\xFF\"\\\n").carName("\x01\x1F\x7F\x9D")));
  replays.push_back(bytesOf(sampleReplay().rideHeight(-32768).shockStiffness(2147483647).brakeBalance(32767)));
  replays.push_back(bytesOf(sampleReplay().damage(0xFF).automaticTransmission(0x80)));
  replays.emplace_back(layout::kBytesUsed, 0xFF);
  return replays;
}

// For fuzz_replay_json the bytes after the fields are the file's path.
std::vector<Replay> withPaths(const Replay& replay) {
  const std::vector<std::string> paths = {
      "C:\\Replays\\" + std::string(250, 'r') + ".rpl", "\\race.rpl", "C:/Replays/race.rpl",
      "C:\\R\xE9plays\\course \xE0 Gen\xE8ve.rpl", "\xFF\xFE\\\xC3(\\x.rpl", "a\\"};
  std::vector<Replay> out;
  for (const std::string& path : paths) {
    Replay withPath = replay;
    withPath.resize(layout::kBytesUsed, 0);
    withPath.insert(withPath.end(), path.begin(), path.end());
    out.push_back(withPath);
  }
  return out;
}

void write(const std::filesystem::path& file, const Replay& bytes) {
  vantor::testing::writeFile(file.string(), bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    (void)std::fputs("usage: vantor-fuzz-seeds OUTPUT_FOLDER\n", stderr);
    return 2;
  }
  try {
    const std::filesystem::path out = argv[1];
    const auto json = out / "replay_json";
    const auto chain = out / "load_chain";
    std::filesystem::create_directories(json);
    std::filesystem::create_directories(chain);

    const ReplayBuilder sample = sampleReplay();
    const Replay whole = bytesOf(sample);
    std::vector<Replay> shortOnes;
    for (const std::size_t cut : kCuts) shortOnes.push_back(sample.firstBytes(cut));
    const std::vector<Replay> odd = oddReplays();

    int n = 0;
    const auto name = [&n](const char* kind) { return std::string(kind) + "-" + std::to_string(n++) + ".rpl"; };
    write(json / name("whole"), whole);
    for (const Replay& replay : shortOnes) write(json / name("short"), replay);
    for (const Replay& replay : odd) write(json / name("odd"), replay);
    for (const Replay& replay : withPaths(whole)) write(json / name("path"), replay);

    // A full file first, so that what the next one leaves alone shows.
    const Replay other = bytesOf(sampleReplay().trackKey("monaco3").driverName("Wendelin").carName("Brisk 9"));
    for (const Replay& replay : shortOnes) {
      write(chain / name("short"), vantor::fuzz::joinChain({other, replay}, false));
    }
    for (std::size_t i = 0; i < odd.size(); ++i) {
      write(chain / name("odd"), vantor::fuzz::joinChain({odd[i], odd[(i + 1) % odd.size()]}, i % 2 == 0));
      write(chain / name("three"), vantor::fuzz::joinChain({whole, odd[i], shortOnes[i % shortOnes.size()]}, i % 3 == 0));
    }
  } catch (const std::exception& error) {
    (void)std::fprintf(stderr, "vantor-fuzz-seeds: %s\n", error.what());
    return 1;
  }
  return 0;
}
