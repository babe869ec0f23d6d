#pragma once

#include "replay/decode.h"
#include "replay/path_status.h"

// Loads a replay from a path as the platform gives it: UTF-16 on Windows,
// the system's bytes elsewhere, never narrowed on the way to the file.
namespace vantor::replay {

// Reads the file's first bytes once and decodes them into a fresh record,
// so that replay then holds this file's values and nothing of an earlier
// one, and knows which of them the file held. The answer is how many bytes the file held of the layout::kBytesUsed
// a replay has (fewer for a file cut short): its bytesHeld. When the path names nothing
// that can be read (nothing there, a folder, a file another program holds
// locked, a file we may not read) it is -1 and replay is left as it was. An
// unknown gear step writes its message to standard error.
int load(const NativePath& path, DecodedReplay& replay);

}  // namespace vantor::replay
