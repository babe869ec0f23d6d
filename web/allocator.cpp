// The core's C++ allocations in the page's module. Decoding a replay makes
// and frees a few dozen small strings, and the C library's general-purpose
// allocator takes several times as long for each as a list of the blocks
// freed at each size does. Larger blocks still come from the C library.
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

// Every block starts with its size class, in a header as wide as the
// alignment new must give; kLarge marks one of the C library's.
constexpr std::size_t kAlign = __STDCPP_DEFAULT_NEW_ALIGNMENT__;
constexpr std::size_t kLarge = 128;  // size classes 1..127: blocks of up to 2 KB, in steps of kAlign
constexpr std::size_t kChunk = std::size_t{64} << 10;

struct Freed {
  Freed* next;
};
Freed* freed[kLarge];
char* carved = nullptr;
std::size_t carvedRoom = 0;

// As with the C++ library's own new in this build: no memory traps.
char* checked(void* block) {
  if (block == nullptr) std::abort();
  return static_cast<char*>(block);
}

char* carve(std::size_t bytes) {
  if (bytes > carvedRoom) {
    carved = checked(std::malloc(kChunk));
    carvedRoom = kChunk;
  }
  char* const block = carved;
  carved += bytes;
  carvedRoom -= bytes;
  return block;
}

// Both out of line: inlined at every new and delete, they made the module
// a sixth larger.
[[gnu::noinline]] void* take(std::size_t size) {
  const std::size_t sizeClass = std::max<std::size_t>(1, (size + kAlign - 1) / kAlign);
  char* block = nullptr;
  if (sizeClass >= kLarge) {
    block = checked(std::malloc(kAlign + size));
  } else if (Freed* const reused = freed[sizeClass]) {
    freed[sizeClass] = reused->next;
    block = reinterpret_cast<char*>(reused) - kAlign;
  } else {
    block = carve(kAlign + sizeClass * kAlign);
  }
  *reinterpret_cast<std::size_t*>(block) = std::min(sizeClass, kLarge);
  return block + kAlign;
}

[[gnu::noinline]] void give(void* at) {
  if (at == nullptr) return;
  char* const block = static_cast<char*>(at) - kAlign;
  const std::size_t sizeClass = *reinterpret_cast<std::size_t*>(block);
  if (sizeClass == kLarge) {
    std::free(block);
    return;
  }
  freed[sizeClass] = new (at) Freed{freed[sizeClass]};
}

}  // namespace

void* operator new(std::size_t size) { return take(size); }
void* operator new[](std::size_t size) { return take(size); }
void operator delete(void* at) noexcept { give(at); }
void operator delete[](void* at) noexcept { give(at); }
void operator delete(void* at, std::size_t) noexcept { give(at); }
void operator delete[](void* at, std::size_t) noexcept { give(at); }
