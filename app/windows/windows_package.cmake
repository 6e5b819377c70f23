# The Windows zip: the game, its two pictures, how to play and the licence, in
# one folder (nmnm-VERSION-win32.zip or nmnm-VERSION-win64.zip through cpack).
# Only the "windows" component goes in, so the Linux-style install rules of
# other folders stay out of it.
if(TARGET nmnm)
  install(TARGETS nmnm RUNTIME DESTINATION . COMPONENT windows)
endif()
# The replay tool: a run as a trace or a video, from a console.
if(TARGET nmnm-replay)
  install(TARGETS nmnm-replay RUNTIME DESTINATION . COMPONENT windows)
endif()
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/hk.bmp ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/pt.bmp
  DESTINATION . COMPONENT windows)

# Windows line ends, so that every Notepad shows the lines.
file(READ ${CMAKE_CURRENT_LIST_DIR}/how-to-play.txt NMNM_HOW_TO_PLAY)
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
