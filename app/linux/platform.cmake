# Linux: the game's window through SDL2 (on X11 or Wayland), text through
# fontconfig, FreeType and iconv, pictures through POSIX files and libmspack.
# Read by the top CMakeLists.txt before the layers, which build what it names.
set(NMNM_PLATFORM_DIRS common headless posix linux sdl)
set(NMNM_WINDOW_HOST nmnm_host_sdl)
set(NMNM_TEXT_SERVICE nmnm_text_freetype)
set(NMNM_FILE_SERVICE nmnm_files_posix)

# The game on Linux: the entry with its pump on the SDL2 window, and what an
# install puts beside it (desktop entry, metainfo, manual page). Called from
# app/CMakeLists.txt.
function(nmnm_platform_program)
  set(here ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set(desktop ${here}/../desktop)
  nmnm_add_program(nmnm HOST ${NMNM_WINDOW_HOST}
    SOURCES ${here}/main.cpp ${desktop}/command_line.cpp ${desktop}/native_run.cpp ${desktop}/run_keeping.cpp)
  target_compile_definitions(nmnm PRIVATE NMNM_VERSION="${PROJECT_VERSION}")
  target_link_libraries(nmnm PRIVATE nmnm_text_freetype)

  install(TARGETS nmnm RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${here}/nmnm.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${here}/org.example.nmnm.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${here}/nmnm.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endfunction()
