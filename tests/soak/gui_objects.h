#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// What a long run of a window could leak, measured the same way before and
// after it.
namespace vantor::testing {

struct ProcessObjects {
  unsigned long gdiObjects = 0;
  unsigned long userObjects = 0;
  std::size_t pagefileBytes = 0;  // committed private memory
  std::string method;             // how the GUI objects were counted
};

ProcessObjects processObjects();

}  // namespace vantor::testing
