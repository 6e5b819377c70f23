# Cross-compiles for i686 Windows with Debian's MinGW-w64 (POSIX threads
# flavour). Use: cmake -S . -B build-win32 --toolchain cmake/toolchain-i686-w64-mingw32.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(NMNM_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${NMNM_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NMNM_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NMNM_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NMNM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# SSE2 arithmetic, never the x87 unit: x87 keeps 80-bit intermediates and would
# round the flies' doubles differently from every 64-bit build.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

# Everything linked in: the programs need no DLL beyond Windows' own (no
# libstdc++, libgcc or winpthread DLL beside the .exe).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(ZLIB_USE_STATIC_LIBS ON)

# Programs built here run under Wine, in a prefix of the build folder's own.
set(CMAKE_CROSSCOMPILING_EMULATOR
  ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix win32)
