#include "tests/soak/gui_objects.h"

#include <psapi.h>

#include <cstdint>

namespace vantor::testing {
namespace {

// Handles of both kinds are indices into a table of 16-bit size.
constexpr std::uintptr_t kHandleSlots = 0x10000;

// Wine answers GetGuiResources with 0 whatever a process holds. Its GDI and
// USER handles are table indices with a generation in the high word, and a
// handle whose high word is 0 matches the slot's object of any generation,
// so walking the low words finds every live object. Windows of other
// processes share the USER table and are left out by owner.
unsigned long walkGdiObjects() {
  unsigned long count = 0;
  for (std::uintptr_t slot = 1; slot < kHandleSlots; ++slot) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++count;
  }
  return count;
}

unsigned long walkUserObjects() {
  const DWORD self = GetCurrentProcessId();
  unsigned long count = 0;
  for (std::uintptr_t slot = 1; slot < kHandleSlots; ++slot) {
    const auto window = reinterpret_cast<HWND>(slot);
    DWORD owner = 0;
    if (IsWindow(window) && GetWindowThreadProcessId(window, &owner) != 0 && owner == self) {
      ++count;
    } else if (IsMenu(reinterpret_cast<HMENU>(slot))) {
      ++count;
    }
  }
  return count;
}

std::size_t pagefileBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.PagefileUsage;
}

}  // namespace

ProcessObjects processObjects() {
  ProcessObjects objects;
  objects.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  objects.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  objects.method = "GetGuiResources";
  // A process with a window holds objects of both kinds: zero is no count.
  if (objects.gdiObjects == 0 || objects.userObjects == 0) {
    objects.gdiObjects = walkGdiObjects();
    objects.userObjects = walkUserObjects();
    objects.method = "handle table walk (GetGuiResources reports 0 here)";
  }
  objects.pagefileBytes = pagefileBytes();
  return objects;
}

}  // namespace vantor::testing
