// Writes the project's sample replay to the path given; with --set, the web
// page's test replays into a folder: hostile ones, odd names and a subfolder.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/replay_builder.h"

namespace {

using vantor::testing::sampleReplay;
using vantor::testing::writeFile;

void writeSet(const std::string& folder) {
  std::filesystem::create_directories(folder + "/sub");
  sampleReplay().writeTo(folder + "/sample.rpl");
  sampleReplay().size(3600).writeTo(folder + "/cut.rpl");
  sampleReplay().gear(2, 12345).carName("Kestrel").rideHeight(0).writeTo(folder + "/unknown gears.rpl");
  sampleReplay().driverName("\x01\x1b[1m").carName("Caf\xe9 \x80\x9f\xff").recordName(3, "\x7f\tA\x81")
      .shockTravel(2000).toeIn(-2000).damage(0xFF).automaticTransmission(1).writeTo(folder + "/b\xc3\xb6se \"bytes\" \\ n\xc3\xa4me.rpl");
  sampleReplay().laps(12).writeTo(folder + "/sub/Deep.RPL");
  writeFile(folder + "/empty.rpl", {});
  writeFile(folder + "/few.rpl", {1, 2, 3, 4, 5});
  writeFile(folder + "/not-a-replay.rpl", std::vector<unsigned char>(6000, '#'));
  writeFile(folder + "/notes.txt", {'n', 'o'});
}

}  // namespace

int main(int argc, char** argv) {
  constexpr const char* kUsage = "usage: vantor-make-sample OUTPUT.rpl | --set FOLDER\n";
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  // An output path that looks like an option is a mistyped option: it never becomes a file.
  const bool set = argc == 3 && std::string(argv[1]) == "--set";
  if ((argc != 2 && !set) || argv[argc - 1][0] == '-') {
    std::fputs(kUsage, stderr);
    return 2;
  }
  try {
    set ? writeSet(argv[2]) : sampleReplay().writeTo(argv[1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vantor-make-sample: %s\n", error.what());
    return 1;
  }
  return 0;
}
