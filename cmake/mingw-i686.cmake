# The 32-bit x86 program (PE32), cross-compiled with MinGW-w64.
set(QUORVEL_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QUORVEL_WINE_ARCH x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
