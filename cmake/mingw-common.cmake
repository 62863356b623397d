# Shared part of the MinGW-w64 toolchain files: cross-compiles the Windows
# program on Linux; programs built here run under Wine through scripts/wine-run.
# The including file sets QUORVEL_MINGW_TRIPLET, CMAKE_SYSTEM_PROCESSOR and
# QUORVEL_WINE_ARCH (x64 or x86).
set(CMAKE_SYSTEM_NAME Windows)
# The posix-thread compilers: GoogleTest needs std::thread and friends.
set(CMAKE_C_COMPILER ${QUORVEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVEL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUORVEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run --arch ${QUORVEL_WINE_ARCH})
