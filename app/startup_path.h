#pragma once

#include <string>
#include <string_view>

// The command line in UTF-16, as the system holds it, so that a replay's
// name in any script reaches the file unchanged.
namespace vantor::app {

// What follows the program's name in the process's full command line, and
// the blanks and control characters (codes 1 to 32) after the name; trailing
// blanks stay. The name is quoted or ends at the first blank.
std::wstring_view commandTail(std::wstring_view fullCommandLine);

// The replay path in a command tail. It starts after the first double quote
// when there is one and is cut at the last double quote of what remains;
// nothing else is trimmed or split, so an unquoted path may hold spaces and
// an empty tail gives an empty path.
std::wstring startupPath(std::wstring_view commandLine);

}  // namespace vantor::app
