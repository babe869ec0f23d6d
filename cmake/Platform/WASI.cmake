# CMake ships no WASI platform: programs end in .wasm, the rest is Unix-like.
include(Platform/UnixPaths)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
