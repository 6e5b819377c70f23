# Every program that runs the game's code is made through nmnm_add_program,
# naming the host that answers base/host.h and base/window.h for it:
#   nmnm_add_program(nmnm-replay HOST nmnm_host_headless SOURCES main.cpp)
# Hosts are OBJECT libraries, so their objects sit on the program's own link
# line and the display's calls into them resolve wherever the layers'
# archives fall. Without a HOST the configuration stops with a clear message.
function(nmnm_add_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "GUI" "HOST" "SOURCES")
  if(NOT arg_HOST)
    message(FATAL_ERROR "nmnm_add_program(${name}): name its HOST (${NMNM_WINDOW_HOST} or nmnm_host_headless)")
  endif()
  set(kind "")
  if(arg_GUI AND WIN32)
    set(kind WIN32)  # no console window
  endif()
  add_executable(${name} ${kind} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE nmnm_game ${arg_HOST})
endfunction()
