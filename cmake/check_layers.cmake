cmake_minimum_required(VERSION 3.25)
# Every #include "..." of a layer must name its own folder or a layer below:
#   base     -> base
#   display  -> display, base
#   game     -> game, display, base
#   platform -> platform, base       (hosts and services know nothing of the game)
# Run as: cmake -DROOT=<source folder> -P check_layers.cmake
set(allowed_base "base")
set(allowed_display "display;base")
set(allowed_game "game;display;base")
set(allowed_platform "platform;base")

set(violations "")
foreach(layer base display game platform)
  file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*$" "\\1" target "${line}")
      if(NOT target IN_LIST allowed_${layer})
        string(APPEND violations "  ${source}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "Includes that reach up a layer (base <- display <- game; platform sees base only):\n${violations}")
endif()
