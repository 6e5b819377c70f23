# Cross-compiles for x86-64 Windows with Debian's MinGW-w64 (POSIX threads
# flavour). Use: cmake --preset win64   (CMakePresets.json: build-win64/)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(NMNM_MINGW_TRIPLE x86_64-w64-mingw32)
set(NMNM_WINE_ARCH win64)

include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
