# The game on Linux: the entry with its pump on the SDL2 window, and what an
# install puts beside it (desktop entry, metainfo, manual page).
nmnm_add_program(nmnm HOST ${NMNM_WINDOW_HOST} SOURCES main.cpp command_line.cpp native_run.cpp run_keeping.cpp
  watch_run.cpp)
target_compile_definitions(nmnm PRIVATE NMNM_VERSION="${PROJECT_VERSION}")
target_link_libraries(nmnm PRIVATE nmnm_text_freetype nmnm_trace)

install(TARGETS nmnm RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES nmnm.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES org.example.nmnm.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES nmnm.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
