#pragma once

#include <string>
#include <string_view>

namespace vantor::replay {

// The form of a full Windows path that the file functions take at any
// length, not only under 260 characters: "C:\..." becomes "\\?\C:\...",
// "\\server\share\..." becomes "\\?\UNC\server\share\...", with every "/"
// turned into "\" (which that form no longer does for us). A path already
// in that form or naming a device ("\\.\"), and one that is not full, come
// back as they are, but for the slashes. Free of the platform, so that
// every system can check it.
std::wstring extendedLengthPath(std::wstring_view path);

}  // namespace vantor::replay
