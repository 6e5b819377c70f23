# The browser build with Debian's emscripten. Use:
#   cmake --preset web   (CMakePresets.json: build-web/, taking build/bin of the preset linux)
# Without NMNM_LINUX_TOOLS_DIR it builds the Linux tools it takes itself, in
# build-web/host-tools (cmake/host_tools.cmake).
# Programs built here run under node: the test runner emcmake would name
# carries a flag node 20 refuses, so node is named here as it stands.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR node CACHE FILEPATH "Runs the build's programs")
endif()
# -O2 like the Linux build, without debug information: nothing here reads
# it, and it would ship in the page.
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O2 -DNDEBUG" CACHE STRING "Flags of the default build type")
set(CMAKE_C_FLAGS_RELWITHDEBINFO "-O2 -DNDEBUG" CACHE STRING "Flags of the default build type")
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
