# 64-bit Windows: the same sources, for running the Windows tests where
# only 64-bit Wine runs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VANTOR_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
