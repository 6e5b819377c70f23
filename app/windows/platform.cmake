# Windows (cross-compiled with MinGW-w64, see cmake/toolchain-*-w64-mingw32.cmake):
# the Win32 window drawn through GDI, text through GDI, pictures through the
# LZ file reader. The program and its pictures ship as a zip.
# Read by the top CMakeLists.txt before the layers, which build what it names.
set(NMNM_PLATFORM_DIRS common headless win32)
set(NMNM_WINDOW_HOST nmnm_host_win32)
set(NMNM_TEXT_SERVICE nmnm_text_gdi)
set(NMNM_FILE_SERVICE nmnm_files_lz)
set(NMNM_WINDOWS_DIR ${CMAKE_CURRENT_LIST_DIR})

# The game for Windows: WinMain with its pump on the Win32 host, a GUI program
# (no console window) carrying an icon and a version resource. Called from
# app/CMakeLists.txt.
function(nmnm_platform_program)
  enable_language(RC)
  set(here ${NMNM_WINDOWS_DIR})
  # The icon is nmnm-artgen's nmnm.ico (tools/artgen), painted from the same
  # pixels as the Linux icons; the resource compiler finds it on the include path.
  set(icons ${CMAKE_BINARY_DIR}/icons)

  nmnm_add_program(nmnm GUI HOST ${NMNM_WINDOW_HOST}
    SOURCES ${here}/winmain.cpp ${here}/../desktop/native_run.cpp ${here}/../desktop/run_keeping.cpp ${here}/nmnm.rc)
  target_compile_definitions(nmnm PRIVATE NMNM_VERSION="${PROJECT_VERSION}")
  set_source_files_properties(${here}/nmnm.rc PROPERTIES OBJECT_DEPENDS ${icons}/nmnm.ico)
  target_include_directories(nmnm PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${icons})
  # The version, written where the resource compiler reads it.
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/nmnm_version.h CONTENT [[
#define NMNM_VERSION_MAJOR @PROJECT_VERSION_MAJOR@
#define NMNM_VERSION_MINOR @PROJECT_VERSION_MINOR@
#define NMNM_VERSION_STRING "@PROJECT_VERSION@"
]] @ONLY)
  target_compile_definitions(nmnm PRIVATE $<$<COMPILE_LANGUAGE:CXX>:WIN32_LEAN_AND_MEAN>)
  add_dependencies(nmnm nmnm_icons)
  target_link_libraries(nmnm PRIVATE winmm)
endfunction()

# The Windows zip: the game, its two pictures, how to play and the licence, in
# one folder (nmnm-VERSION-win32.zip or nmnm-VERSION-win64.zip through cpack).
# Only the "windows" component goes in, so the Linux-style install rules of
# other folders stay out of it. A macro: CPack reads the top folder's settings,
# and the top CMakeLists.txt calls it last.
macro(nmnm_platform_package)
  if(TARGET nmnm)
    install(TARGETS nmnm RUNTIME DESTINATION . COMPONENT windows)
  endif()
  install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/hk.bmp ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/pt.bmp
    DESTINATION . COMPONENT windows)

  # Windows line ends, so that every Notepad shows the lines.
  file(READ ${NMNM_WINDOWS_DIR}/how-to-play.txt NMNM_HOW_TO_PLAY)
  string(REPLACE "\n" "\r\n" NMNM_HOW_TO_PLAY "${NMNM_HOW_TO_PLAY}")
  file(WRITE ${CMAKE_BINARY_DIR}/how-to-play.txt "${NMNM_HOW_TO_PLAY}")
  install(FILES ${CMAKE_BINARY_DIR}/how-to-play.txt DESTINATION . COMPONENT windows)

  # The licence goes with every copy, as its terms ask; Windows line ends too.
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE NMNM_LICENSE)
  string(REPLACE "\n" "\r\n" NMNM_LICENSE "${NMNM_LICENSE}")
  file(WRITE ${CMAKE_BINARY_DIR}/LICENSE.txt "${NMNM_LICENSE}")
  install(FILES ${CMAKE_BINARY_DIR}/LICENSE.txt DESTINATION . COMPONENT windows)

  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(NMNM_WINDOWS_FLAVOUR win64)
  else()
    set(NMNM_WINDOWS_FLAVOUR win32)
  endif()
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME nmnm)
  set(CPACK_PACKAGE_FILE_NAME nmnm-${PROJECT_VERSION}-${NMNM_WINDOWS_FLAVOUR})
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL windows)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)  # unpacks into nmnm-VERSION-winNN/
  set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
  set(CPACK_STRIP_FILES ON)  # the debug information stays in the build folder
  include(CPack)
endmacro()
