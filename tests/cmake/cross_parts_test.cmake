cmake_minimum_required(VERSION 3.25)
# The stamp a browser build checks the Linux build's pictures and glyphs by:
# this build's own stamp is current for these sources, and a stamp that does
# not match (another sum, another folder, none at all, a changed file in a
# copied tree) stops the build with one line naming the tree to rebuild. The
# sources themselves are never touched.
# Run as: cmake -DSCRIPT=<cmake/cross_parts.cmake> -DROOT=<sources> -DSTAMP=<bin/nmnm-cross-parts.stamp>
#               -DWORK=<scratch folder> -P cross_parts_test.cmake
set(failures "")
macro(check what)
  if(NOT (${ARGN}))
    string(APPEND failures "  case: ${what}\n")
  endif()
endmacro()

# A macro: its results land in the caller's variables.
macro(run_check root stamp out_verdict out_said)
  file(REMOVE "${WORK}/result")
  execute_process(COMMAND ${CMAKE_COMMAND} -DMODE=check "-DROOT=${root}" "-DSTAMP=${stamp}" -DTREE=the-linux-tree
                          "-DRESULT=${WORK}/result" -P ${SCRIPT}
                  ERROR_VARIABLE ${out_said})
  file(STRINGS "${WORK}/result" ${out_verdict})
endmacro()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/parts")
file(READ "${STAMP}" stamp)
file(WRITE "${WORK}/parts/nmnm-cross-parts.stamp" "${stamp}")
run_check("${ROOT}" "${WORK}/parts/nmnm-cross-parts.stamp" verdict said)
check("the Linux build's stamp is current (${said})" verdict STREQUAL "current")
check("a current stamp says nothing (${said})" NOT said)

string(REGEX REPLACE "sum=(.)" "sum=x" altered "${stamp}")
file(WRITE "${WORK}/parts/nmnm-cross-parts.stamp" "${altered}")
run_check("${ROOT}" "${WORK}/parts/nmnm-cross-parts.stamp" verdict said)
check("another sum is stale" verdict STREQUAL "stale")
check("a stale stamp names the tree to rebuild (${said})" said MATCHES "cmake --build the-linux-tree")
string(REGEX MATCHALL "\n" lines "${said}")
list(LENGTH lines count)
check("a stale stamp is told in one line (${said})" count EQUAL 1)

string(REGEX REPLACE "folders=" "folders=no-such-folder," altered "${stamp}")
file(WRITE "${WORK}/parts/nmnm-cross-parts.stamp" "${altered}")
run_check("${ROOT}" "${WORK}/parts/nmnm-cross-parts.stamp" verdict said)
check("another folder list is stale" verdict STREQUAL "stale")

file(REMOVE "${WORK}/parts/nmnm-cross-parts.stamp")
run_check("${ROOT}" "${WORK}/parts/nmnm-cross-parts.stamp" verdict said)
check("no stamp is stale" verdict STREQUAL "stale")
check("no stamp names the tree to build (${said})" said MATCHES "cmake --build the-linux-tree")

# A copied tree: stamped, then one file of it changed.
file(COPY "${ROOT}/assets" DESTINATION "${WORK}/tree")
execute_process(COMMAND ${CMAKE_COMMAND} -DMODE=write "-DROOT=${WORK}/tree" -DFOLDERS=assets
                        "-DSTAMP=${WORK}/parts/nmnm-cross-parts.stamp" -P ${SCRIPT})
run_check("${WORK}/tree" "${WORK}/parts/nmnm-cross-parts.stamp" verdict said)
check("a freshly written stamp is current (${said})" verdict STREQUAL "current")
file(GLOB_RECURSE sprites "${WORK}/tree/assets/*.txt")
list(GET sprites 0 sprite)
file(APPEND "${sprite}" "\n")
run_check("${WORK}/tree" "${WORK}/parts/nmnm-cross-parts.stamp" verdict said)
check("a changed source makes the stamp stale" verdict STREQUAL "stale")

if(failures)
  message(FATAL_ERROR "cross_parts_test failed:\n${failures}")
endif()
