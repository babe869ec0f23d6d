#pragma once

#include <cstdint>
#include <string>

#include "replay/replay_info.h"

// Loads a replay from a path, a byte string in the system's code page.
namespace vantor::replay {

// The size that the file system reports for path, or -1 when it reports
// nothing there. A directory counts as existing. 64 bits wide so that a
// file past 2 GiB is never taken for a missing one.
std::int64_t fileSize(const std::string& path);

// The whole load into info: -1 when path names nothing (info untouched),
// else 0, whatever the passes met. Passes that cannot read the file change
// nothing; the others still run.
int load(const std::string& path, ReplayInfo& info);

// The three passes of load, in its order. Each opens and closes the file
// itself and returns -1 when it cannot read it, else 0.
int readGearRatios(const std::string& path, ReplayInfo& info);
int readMainFields(const std::string& path, ReplayInfo& info);
int readRecords(const std::string& path, ReplayInfo& info);

}  // namespace vantor::replay
