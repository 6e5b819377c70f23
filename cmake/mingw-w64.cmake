# What both Windows toolchain files share. They set NMNM_MINGW_TRIPLE,
# CMAKE_SYSTEM_PROCESSOR and NMNM_WINE_ARCH, then include this.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${NMNM_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NMNM_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NMNM_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NMNM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in: the programs need no DLL beyond Windows' own (no
# libstdc++, libgcc or winpthread DLL beside the .exe).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(ZLIB_USE_STATIC_LIBS ON)

# Programs built here run under Wine, in a prefix of the build folder's own.
set(CMAKE_CROSSCOMPILING_EMULATOR
  ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix ${NMNM_WINE_ARCH})
