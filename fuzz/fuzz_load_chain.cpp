// Two or three replays, and sometimes a missing path, loaded one after the
// other into the one ReplayInfo of a run, as the window does. Each load is
// checked against a byte-by-byte statement of the carry-over rules, and the
// whole chain is run twice: over the bytes in memory and through real files
// with the reader's own passes, which must agree.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/carry_over.h"
#include "fuzz/chain_input.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/replay_invariants.h"
#include "replay/decode.h"
#include "replay/layout.h"
#include "replay/reader.h"
#include "view/window_content.h"

namespace {

using namespace vantor;
using fuzz::require;

// One folder for the whole run, in memory where the system offers it.
class ScratchFolder {
 public:
  ScratchFolder() {
    const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/vantor-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) fuzz::fail("cannot make a scratch folder");
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  [[nodiscard]] std::string write(std::size_t index, fuzz::Bytes bytes) const {
    std::string file = path_ + "/replay" + std::to_string(index) + ".rpl";
    std::FILE* out = std::fopen(file.c_str(), "wb");
    require(out != nullptr, "scratch file opens");
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    require(std::fclose(out) == 0 && written, "scratch file written");
    return file;
  }
  [[nodiscard]] std::string missing() const { return path_ + "/no such replay.rpl"; }

 private:
  std::string path_;
};

const ScratchFolder& scratch() {
  static const ScratchFolder folder;
  return folder;
}

// What every load decides afresh, and what a file holding every field sets.
void checkLastLoad(const replay::ReplayInfo& before, fuzz::Bytes file, const replay::ReplayInfo& after) {
  replay::ReplayInfo fresh;
  replay::decodeReplay(file, fresh);
  require(after.isMonteCarlo == fresh.isMonteCarlo, "isMonteCarlo comes from the last key");
  require(after.shockStiffness == fresh.shockStiffness, "stiffness is always the last file's");
  require(after.lapsText == fresh.lapsText, "laps are always the last file's");
  if (file.size() <= replay::layout::kDriverName) {
    require(after.driverName == before.driverName, "a driver name beyond the end keeps the earlier one");
  }
  if (file.size() <= replay::layout::kCarName) {
    require(after.carName == before.carName, "a car name beyond the end keeps the earlier one");
  }
  if (file.size() >= replay::layout::kBytesUsed) {
    require(after.driverName == fresh.driverName && after.carName == fresh.carName,
            "names inside the file are the file's");
    require(after.records[7].name == fresh.records[7].name, "record names inside the file are the file's");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::LoadChain chain = fuzz::splitChain(fuzz::Bytes(data, size));

  replay::ReplayInfo inMemory;
  replay::ReplayInfo fromFiles;
  for (std::size_t i = 0; i < chain.replays.size(); ++i) {
    const fuzz::Bytes file = chain.replays[i];
    const replay::ReplayInfo before = inMemory;
    replay::decodeReplay(file, inMemory);
    fuzz::checkCarryOver(before, file, inMemory);
    checkLastLoad(before, file, inMemory);
    fuzz::checkReplayInfo(inMemory);

    require(replay::load(scratch().write(i, file), fromFiles) == 0, "an existing file loads");
    require(fromFiles == inMemory, "the reader's passes over the file agree with the bytes in memory");

    if (i == 0 && chain.missingAfterFirst) {
      require(replay::load(scratch().missing(), fromFiles) == -1, "a missing file reports -1");
      require(fromFiles == inMemory, "a missing file changes nothing");
    }
  }
  const view::WindowContent content = view::makeWindowContent("C:\\Replays\\last.rpl", inMemory);
  fuzz::checkWindowContent("C:\\Replays\\last.rpl", inMemory, content);
  return 0;
}
