# The browser (built with Debian's emscripten, see cmake/toolchain-web.cmake):
# the game on a page's <canvas>, text from glyphs and pictures that a Linux
# build of the same tree made, files through the file system emscripten
# gives. No SDL, FreeType, fontconfig or zlib here: none is built for the
# browser, and a search would find the build machine's own. libmspack's SZDD
# reader is compiled here, in C, from Debian's source of the version the
# Linux build links.
# Read before the layers, which build what it names; the program and its page
# are made in CMakeLists.txt beside it.
set(NMNM_PLATFORM_DIRS common headless posix web)
set(NMNM_WINDOW_HOST nmnm_host_web)
set(NMNM_TEXT_SERVICE nmnm_text_baked)
set(NMNM_FILE_SERVICE nmnm_files_web)

# What the Linux build (NMNM_LINUX_TOOLS_DIR) makes for this one, as the
# Windows builds take their screen probe from it.
foreach(made hk.bmp pt.bmp baked_glyphs.cpp)
  if(NOT EXISTS "${NMNM_LINUX_TOOLS_DIR}/${made}")
    message(FATAL_ERROR "NMNM_LINUX_TOOLS_DIR=${NMNM_LINUX_TOOLS_DIR} has no ${made}: build that Linux "
      "tree (cmake --build --preset linux), or leave NMNM_LINUX_TOOLS_DIR empty and this build makes its own")
  endif()
endforeach()

# Debian's libmspack source, fetched and checked by
# scripts/fetch-libmspack-source.sh (scripts/setup.sh runs it) into
# ~/.cache/nmnm/libmspack-VERSION/source for the installed libmspack-dev;
# platform/web builds nmnm_mspack from it.
enable_language(C)
set(CMAKE_C_STANDARD 99)
execute_process(COMMAND dpkg-query -W -f=\${Version} libmspack-dev
  OUTPUT_VARIABLE mspack_version RESULT_VARIABLE mspack_missing ERROR_QUIET)
if(DEFINED ENV{XDG_CACHE_HOME})
  set(mspack_cache $ENV{XDG_CACHE_HOME})
else()
  set(mspack_cache $ENV{HOME}/.cache)
endif()
set(NMNM_LIBMSPACK_SOURCE "${mspack_cache}/nmnm/libmspack-${mspack_version}/source" CACHE PATH
  "Debian's libmspack source of the version the Linux build links, unpacked")
if(NOT EXISTS "${NMNM_LIBMSPACK_SOURCE}/mspack/szddd.c")
  message(FATAL_ERROR "No libmspack source in ${NMNM_LIBMSPACK_SOURCE}: run scripts/fetch-libmspack-source.sh")
endif()
# A source of another version than the Linux build's would expand differently.
if(NOT mspack_missing AND EXISTS "${NMNM_LIBMSPACK_SOURCE}/debian/changelog")
  file(STRINGS "${NMNM_LIBMSPACK_SOURCE}/debian/changelog" mspack_entry LIMIT_COUNT 1)
  string(FIND "${mspack_entry}" "libmspack (${mspack_version})" mspack_at)
  if(NOT mspack_at EQUAL 0)
    message(FATAL_ERROR "${NMNM_LIBMSPACK_SOURCE} is not libmspack ${mspack_version}'s source, which the Linux "
      "build links: run scripts/fetch-libmspack-source.sh and configure with -UNMNM_LIBMSPACK_SOURCE")
  endif()
endif()

# emcc's JavaScript optimiser needs acorn, which Debian keeps in
# /usr/share/nodejs; a node that is not Debian's own does not look there.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
