# The game in a browser: app/web_main.cpp on the web host (platform/web),
# and the page around it, gathered in build-web/page for any static server:
# index.html with its scripts and style (app/web/), nmnm.js and nmnm.wasm
# (the pictures inside), and the Linux build's icon as the favicon.
set(page ${CMAKE_BINARY_DIR}/page)
nmnm_add_program(nmnm HOST ${NMNM_WINDOW_HOST} SOURCES web_main.cpp web_probe.cpp web_script.cpp)
target_link_libraries(nmnm PRIVATE nmnm_embedded_pictures)
set_target_properties(nmnm PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${page} SUFFIX .js)
# A page: no node, the runtime kept after main returns (timers drive it).
target_link_options(nmnm PRIVATE -sENVIRONMENT=web -sEXIT_RUNTIME=0)

set(page_files)
foreach(file index.html page.css page.js layout.js script-mode.js)
  add_custom_command(OUTPUT ${page}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/web/${file} ${page}/${file}
    DEPENDS web/${file}
    VERBATIM)
  list(APPEND page_files ${page}/${file})
endforeach()
get_filename_component(icons ${NMNM_HOST_TOOLS_DIR}/../icons ABSOLUTE)
foreach(size 16 32)
  add_custom_command(OUTPUT ${page}/icon-${size}.png
    COMMAND ${CMAKE_COMMAND} -E copy ${icons}/nmnm-${size}.png ${page}/icon-${size}.png
    DEPENDS ${icons}/nmnm-${size}.png
    COMMENT "Taking the ${size}-pixel icon from the Linux build"
    VERBATIM)
  list(APPEND page_files ${page}/icon-${size}.png)
endforeach()
add_custom_target(nmnm_page ALL DEPENDS nmnm ${page_files})
