# Cross-compiles for i686 Windows with Debian's MinGW-w64 (POSIX threads
# flavour). Use: cmake --preset win32   (CMakePresets.json: build-win32/)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(NMNM_MINGW_TRIPLE i686-w64-mingw32)
set(NMNM_WINE_ARCH win32)

# SSE2 arithmetic, never the x87 unit: x87 keeps 80-bit intermediates and would
# round the flies' doubles differently from every 64-bit build.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
