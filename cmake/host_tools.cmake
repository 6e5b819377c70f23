# A cross build (Windows, the browser) never runs its own programs to make
# its pictures, icons and glyph table, and its tests compare it with a build
# for this machine: both take that build's bin/. NMNM_LINUX_TOOLS_DIR may name
# one (a Linux build of the same tree); left empty, the cross build makes its
# own in host-tools/: configured and built here the first time, then brought
# up to date before anything else of the cross build is built.
if(NOT CMAKE_CROSSCOMPILING OR NMNM_LINUX_TOOLS_DIR)
  return()
endif()

set(NMNM_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
set(NMNM_LINUX_TOOLS_DIR ${NMNM_HOST_TOOLS_DIR}/bin)
# What cross builds take: the art generator and its pictures and icons, the
# baked glyphs with the stamp of their sources, and the replay, picture compare and screen probe programs
# their tests run beside their own.
set(host_targets nmnm-artgen nmnm_art nmnm_icons nmnm_baked_glyphs nmnm_cross_parts nmnm-replay nmnm-pngcmp
  nmnm_screen_probe)
set(host_made hk.bmp pt.bmp baked_glyphs.cpp nmnm-cross-parts.stamp nmnm-artgen nmnm-replay nmnm-pngcmp
  nmnm_screen_probe)
list(TRANSFORM host_made PREPEND ${NMNM_LINUX_TOOLS_DIR}/)
foreach(size 16 32 192 512)
  list(APPEND host_made ${NMNM_HOST_TOOLS_DIR}/icons/nmnm-${size}.png)
endforeach()
cmake_host_system_information(RESULT host_jobs QUERY NUMBER_OF_LOGICAL_CORES)
set(host_build ${CMAKE_COMMAND} --build ${NMNM_HOST_TOOLS_DIR} --parallel ${host_jobs} --target ${host_targets})

function(nmnm_host_tools_step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(failed)
    string(LENGTH "${out}" length)
    if(length GREATER 6000)
      math(EXPR from "${length} - 6000")
      string(SUBSTRING "${out}" ${from} -1 out)
    endif()
    message(FATAL_ERROR "${out}\nCould not ${what} this machine's tools in ${NMNM_HOST_TOOLS_DIR} (see above). "
      "It needs what the Linux build needs (scripts/setup.sh); or name the bin/ of a Linux build of this "
      "tree with -DNMNM_LINUX_TOOLS_DIR=...")
  endif()
endfunction()

set(host_missing FALSE)
foreach(host_file ${host_made})
  if(NOT EXISTS ${host_file})
    set(host_missing TRUE)
  endif()
endforeach()
# Configured again whenever the cross build is (the same CMake files changed,
# or the first time). Nothing of the cross build reaches it: no toolchain, no
# cross compiler from the environment; -O2 without debug information, as
# cross builds.
nmnm_host_tools_step(configure
  ${CMAKE_COMMAND} -E env --unset=CMAKE_TOOLCHAIN_FILE --unset=CC --unset=CXX
  ${CMAKE_COMMAND} -S ${PROJECT_SOURCE_DIR} -B ${NMNM_HOST_TOOLS_DIR} -G ${CMAKE_GENERATOR}
  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DNMNM_FORMAT_CHECK=OFF)
if(host_missing)
  message(STATUS "Building this machine's tools in ${NMNM_HOST_TOOLS_DIR} (no NMNM_LINUX_TOOLS_DIR named)")
  nmnm_host_tools_step(build ${host_build})
endif()

add_custom_target(nmnm_host_tools
  COMMAND ${host_build}
  BYPRODUCTS ${host_made}
  COMMENT "Bringing this machine's tools in host-tools/ up to date"
  VERBATIM)

# Every target of the cross build waits for them: pictures, icons, the glyph
# table and the tests' programs are taken in many places.
function(nmnm_host_tools_first dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(NOT target STREQUAL nmnm_host_tools AND NOT type STREQUAL INTERFACE_LIBRARY)
      add_dependencies(${target} nmnm_host_tools)
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir ${subdirs})
    nmnm_host_tools_first(${subdir})
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL nmnm_host_tools_first ${CMAKE_SOURCE_DIR})
