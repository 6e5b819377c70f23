cmake_minimum_required(VERSION 3.25)
# Every #include "..." of a layer must name its own folder or a layer below:
#   base     -> base
#   display  -> display, base
#   game     -> game, display, base
#   platform -> platform, base       (hosts and services know nothing of the game)
# and in app/, each platform's folder sees its own, the layers and the hosts;
# the desktop run, shared by Linux and Windows, sees no host:
#   app/desktop -> app/desktop, game, display, base
#   app/linux   -> app/linux, app/desktop, game, display, base, platform
#   app/windows -> app/windows, app/desktop, game, display, base, platform
#   app/web     -> app/web, game, display, base, platform
# Run as: cmake -DROOT=<source folder> -P check_layers.cmake
set(allowed_base "base")
set(allowed_display "display;base")
set(allowed_game "game;display;base")
set(allowed_platform "platform;base")
set(allowed_app/desktop "app/desktop;game;display;base")
set(allowed_app/linux "app/linux;app/desktop;game;display;base;platform")
set(allowed_app/windows "app/windows;app/desktop;game;display;base;platform")
set(allowed_app/web "app/web;game;display;base;platform")

set(violations "")
foreach(layer base display game platform app/desktop app/linux app/windows app/web)
  file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
    foreach(line ${includes})
      # app/'s folders are told apart by their second part (app/web/...).
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"(app/[^\"/]+|[^\"/]+)/.*$" "\\1" target "${line}")
      if(NOT target IN_LIST allowed_${layer})
        string(APPEND violations "  ${source}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()
# Every app/ source sits in its platform's folder.
file(GLOB flat RELATIVE ${ROOT} ${ROOT}/app/*.h ${ROOT}/app/*.cpp)
foreach(source ${flat})
  string(APPEND violations "  ${source}: outside app/desktop, app/linux, app/windows and app/web\n")
endforeach()
if(violations)
  message(FATAL_ERROR "Includes that reach up a layer (base <- display <- game; platform sees base only)"
    " or into another platform's app/ folder:\n${violations}")
endif()
