# The browser (built with Debian's emscripten, see cmake/toolchain-web.cmake):
# the game on a page's <canvas>, text from glyphs and pictures that a Linux
# build of the same tree made, files through the file system emscripten
# gives. No SDL, FreeType, fontconfig, zlib or libmspack here: none is built
# for the browser, and a search would find the build machine's own.
set(NMNM_PLATFORM_DIRS common headless posix web)
set(NMNM_WINDOW_HOST nmnm_host_web)
set(NMNM_TEXT_SERVICE nmnm_text_baked)
set(NMNM_FILE_SERVICE nmnm_files_web)

# What the Linux build makes for this one, as the Windows builds take their
# screen probe from it.
set(NMNM_LINUX_TOOLS_DIR "" CACHE PATH "bin/ of a Linux build of this tree: pictures, baked glyphs, nmnm-replay")
foreach(made hk.bmp pt.bmp baked_glyphs.cpp)
  if(NOT EXISTS "${NMNM_LINUX_TOOLS_DIR}/${made}")
    message(FATAL_ERROR "NMNM_LINUX_TOOLS_DIR=${NMNM_LINUX_TOOLS_DIR} has no ${made}: build that Linux "
      "tree, or leave NMNM_LINUX_TOOLS_DIR empty and this build makes its own")
  endif()
endforeach()

# emcc's JavaScript optimiser needs acorn, which Debian keeps in
# /usr/share/nodejs; a node that is not Debian's own does not look there.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
