#pragma once

#include <string>

#include "replay/replay_info.h"

// Loads a replay from a path, a byte string in the system's code page.
namespace vantor::replay {

// The whole load into info: -1 when path names nothing (info untouched;
// a folder counts as something), else 0, whatever the passes met. Passes
// that cannot read the file change nothing; the others still run.
int load(const std::string& path, ReplayInfo& info);

// The three passes of load, in its order. Each opens and closes the file
// itself and returns -1 when it cannot read it, else 0. The gear pass
// writes its message to standard error.
int readGearRatios(const std::string& path, ReplayInfo& info);
int readMainFields(const std::string& path, ReplayInfo& info);
int readRecords(const std::string& path, ReplayInfo& info);

}  // namespace vantor::replay
