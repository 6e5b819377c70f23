# The game for Windows: WinMain with its pump on the Win32 host, a GUI program
# (no console window) carrying an icon and a version resource.
enable_language(RC)

# The icon is painted from the sprite sheet the build paints, so the two
# always agree; the resource compiler then finds it beside the .rc file's copy.
set(NMNM_ICON ${CMAKE_CURRENT_BINARY_DIR}/nmnm.ico)
add_custom_command(
  OUTPUT ${NMNM_ICON}
  COMMAND nmnm-winicon ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/pt.bmp ${NMNM_ICON}
  DEPENDS nmnm-winicon nmnm_art ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/pt.bmp
  COMMENT "Painting the program's icon"
  VERBATIM)
add_custom_target(nmnm_icon DEPENDS ${NMNM_ICON})

nmnm_add_program(nmnm GUI HOST ${NMNM_WINDOW_HOST} SOURCES winmain.cpp native_run.cpp nmnm.rc)
set_source_files_properties(nmnm.rc PROPERTIES OBJECT_DEPENDS ${NMNM_ICON})
target_include_directories(nmnm PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
# The version, written where the resource compiler reads it.
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/nmnm_version.h CONTENT [[
#define NMNM_VERSION_MAJOR @PROJECT_VERSION_MAJOR@
#define NMNM_VERSION_MINOR @PROJECT_VERSION_MINOR@
#define NMNM_VERSION_STRING "@PROJECT_VERSION@"
]] @ONLY)
target_compile_definitions(nmnm PRIVATE $<$<COMPILE_LANGUAGE:CXX>:WIN32_LEAN_AND_MEAN>)
add_dependencies(nmnm nmnm_icon)
target_link_libraries(nmnm PRIVATE winmm)

# Installed into the zip by cmake/windows_package.cmake.
