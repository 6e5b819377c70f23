# The game for Windows: WinMain with its pump on the Win32 host, a GUI program
# (no console window) carrying an icon and a version resource.
enable_language(RC)

# The icon is nmnm-artgen's nmnm.ico (tools/artgen), painted from the same
# pixels as the Linux icons; the resource compiler finds it on the include path.
set(NMNM_ICON_DIR ${CMAKE_BINARY_DIR}/icons)

nmnm_add_program(nmnm GUI HOST ${NMNM_WINDOW_HOST} SOURCES winmain.cpp native_run.cpp run_keeping.cpp
  watch_run.cpp nmnm.rc)
target_compile_definitions(nmnm PRIVATE NMNM_VERSION="${PROJECT_VERSION}")
set_source_files_properties(nmnm.rc PROPERTIES OBJECT_DEPENDS ${NMNM_ICON_DIR}/nmnm.ico)
target_include_directories(nmnm PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${NMNM_ICON_DIR})
# The version, written where the resource compiler reads it.
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/nmnm_version.h CONTENT [[
#define NMNM_VERSION_MAJOR @PROJECT_VERSION_MAJOR@
#define NMNM_VERSION_MINOR @PROJECT_VERSION_MINOR@
#define NMNM_VERSION_STRING "@PROJECT_VERSION@"
]] @ONLY)
target_compile_definitions(nmnm PRIVATE $<$<COMPILE_LANGUAGE:CXX>:WIN32_LEAN_AND_MEAN>)
add_dependencies(nmnm nmnm_icons)
target_link_libraries(nmnm PRIVATE winmm nmnm_trace)

# Installed into the zip by cmake/windows_package.cmake.
