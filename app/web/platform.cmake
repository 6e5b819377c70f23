# The browser (built with Debian's emscripten, see cmake/toolchain-web.cmake):
# the game on a page's <canvas>, text from glyphs and pictures that a Linux
# build of the same tree made, files through the file system emscripten
# gives. No SDL, FreeType, fontconfig or zlib here: none is built for the
# browser, and a search would find the build machine's own. libmspack's SZDD
# reader is compiled here, in C, from Debian's source of the version the
# Linux build links.
# Read by the top CMakeLists.txt before the layers, which build what it names.
set(NMNM_PLATFORM_DIRS common headless posix web)
set(NMNM_WINDOW_HOST nmnm_host_web)
set(NMNM_TEXT_SERVICE nmnm_text_baked)
set(NMNM_FILE_SERVICE nmnm_files_web)
set(NMNM_WEB_DIR ${CMAKE_CURRENT_LIST_DIR})

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

# The game in a browser: web_main.cpp on the web host (platform/web), and
# the page around it, gathered in build-web/page for any static server:
# index.html with its scripts and style (page/), nmnm.js and nmnm.wasm
# (the pictures inside), the Linux build's icons (the favicon, and 192 and
# 512 pixels for the manifest), the service worker, and build.json, which
# names this build's files for it. Called from app/CMakeLists.txt.
function(nmnm_platform_program)
  set(here ${NMNM_WEB_DIR})
  set(page ${CMAKE_BINARY_DIR}/page)
  nmnm_add_program(nmnm HOST ${NMNM_WINDOW_HOST}
    SOURCES ${here}/web_main.cpp ${here}/web_own_pictures.cpp ${here}/web_probe.cpp ${here}/web_script.cpp)
  target_link_libraries(nmnm PRIVATE nmnm_embedded_pictures nmnm_own_pictures)
  set_target_properties(nmnm PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${page} SUFFIX .js)
  # A page: no node, the runtime kept after main returns (timers drive it);
  # memory grows for a player's own picture (up to the largest file read).
  target_link_options(nmnm PRIVATE -sENVIRONMENT=web -sEXIT_RUNTIME=0 -sALLOW_MEMORY_GROWTH=1)

  set(page_names nmnm.js nmnm.wasm)
  set(page_files)
  foreach(file index.html page.css page.js script-mode.js own-pictures.js offline.js manifest.webmanifest sw.js)
    add_custom_command(OUTPUT ${page}/${file}
      COMMAND ${CMAKE_COMMAND} -E copy ${here}/page/${file} ${page}/${file}
      DEPENDS ${here}/page/${file}
      VERBATIM)
    list(APPEND page_files ${page}/${file})
    # The worker is the browser's to fetch and compare; it keeps the rest.
    if(NOT file STREQUAL sw.js)
      list(APPEND page_names ${file})
    endif()
  endforeach()
  get_filename_component(icons ${NMNM_LINUX_TOOLS_DIR}/../icons ABSOLUTE)
  foreach(size 16 32 192 512)
    add_custom_command(OUTPUT ${page}/icon-${size}.png
      COMMAND ${CMAKE_COMMAND} -E copy ${icons}/nmnm-${size}.png ${page}/icon-${size}.png
      DEPENDS ${icons}/nmnm-${size}.png
      COMMENT "Taking the ${size}-pixel icon from the Linux build"
      VERBATIM)
    list(APPEND page_files ${page}/icon-${size}.png)
    list(APPEND page_names icon-${size}.png)
  endforeach()
  # The licences go with every copy of the page: the game's, and that of
  # libmspack, whose SZDD reader is compiled into nmnm.wasm unchanged.
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/libmspack-source.txt
    "nmnm.wasm holds libmspack's SZDD reader (mspack/system.c, szddd.c, lzssd.c), unchanged, under the\n"
    "GNU LGPL 2.1 (libmspack-COPYING.LIB.txt). Its source is Debian's source package libmspack ${mspack_version}.\n")
  foreach(pair "${PROJECT_SOURCE_DIR}/LICENSE=LICENSE.txt" "${NMNM_LIBMSPACK_SOURCE}/COPYING.LIB=libmspack-COPYING.LIB.txt"
               "${CMAKE_CURRENT_BINARY_DIR}/libmspack-source.txt=libmspack-source.txt")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    add_custom_command(OUTPUT ${page}/${to} COMMAND ${CMAKE_COMMAND} -E copy ${from} ${page}/${to} DEPENDS ${from} VERBATIM)
    list(APPEND page_files ${page}/${to})
  endforeach()
  list(JOIN page_names "," page_list)
  add_custom_command(OUTPUT ${page}/build.json
    COMMAND ${CMAKE_COMMAND} -DDIR=${page} -DVERSION=${PROJECT_VERSION} -DFILES=${page_list} -P ${PROJECT_SOURCE_DIR}/cmake/web_build_list.cmake
    DEPENDS nmnm ${page_files} ${PROJECT_SOURCE_DIR}/cmake/web_build_list.cmake
    COMMENT "Listing this build's page files for its service worker"
    VERBATIM)
  add_custom_target(nmnm_page ALL DEPENDS nmnm ${page_files} ${page}/build.json)
endfunction()
