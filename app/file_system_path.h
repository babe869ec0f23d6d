#pragma once

#include <string>

namespace vantor::app {

// The path the file functions get for a path the window was given: made
// full the way Windows does it (the current folder, "." and ".."), then in
// the form that lifts the 260-character limit (replay::extendedLengthPath);
// the path as it was when Windows cannot make it full.
std::wstring fileSystemPath(const std::wstring& path);

}  // namespace vantor::app
