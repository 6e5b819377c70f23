# The game in a browser: app/web_main.cpp on the web host (platform/web),
# and the page around it, gathered in build-web/page for any static server:
# index.html with its scripts and style (app/web/), nmnm.js and nmnm.wasm
# (the pictures inside), the Linux build's icons (the favicon, and 192 and
# 512 pixels for the manifest), the service worker, and build.json, which
# names this build's files for it.
set(page ${CMAKE_BINARY_DIR}/page)
nmnm_add_program(nmnm HOST ${NMNM_WINDOW_HOST} SOURCES web_main.cpp web_own_pictures.cpp web_probe.cpp web_script.cpp)
target_link_libraries(nmnm PRIVATE nmnm_embedded_pictures nmnm_own_pictures)
set_target_properties(nmnm PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${page} SUFFIX .js)
# A page: no node, the runtime kept after main returns (timers drive it);
# memory grows for a player's own picture (up to the largest file read).
target_link_options(nmnm PRIVATE -sENVIRONMENT=web -sEXIT_RUNTIME=0 -sALLOW_MEMORY_GROWTH=1)

set(page_names nmnm.js nmnm.wasm)
set(page_files)
foreach(file index.html page.css page.js script-mode.js own-pictures.js offline.js manifest.webmanifest sw.js)
  add_custom_command(OUTPUT ${page}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/web/${file} ${page}/${file}
    DEPENDS web/${file}
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
list(JOIN page_names "," page_list)
add_custom_command(OUTPUT ${page}/build.json
  COMMAND ${CMAKE_COMMAND} -DDIR=${page} -DVERSION=${PROJECT_VERSION} -DFILES=${page_list} -P ${PROJECT_SOURCE_DIR}/cmake/web_build_list.cmake
  DEPENDS nmnm ${page_files} ${PROJECT_SOURCE_DIR}/cmake/web_build_list.cmake
  COMMENT "Listing this build's page files for its service worker"
  VERBATIM)
add_custom_target(nmnm_page ALL DEPENDS nmnm ${page_files} ${page}/build.json)
