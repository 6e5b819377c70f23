cmake_minimum_required(VERSION 3.25)
# build.json for the service worker: every listed file with its sum, a build
# name that changes with any file and with nothing else, and a refusal (with
# the reason) for a missing file or a name unfit for a URL.
# Run as: cmake -DSCRIPT=<cmake/web_build_list.cmake> -DWORK=<scratch folder> -P build_list_test.cmake
set(failures "")
# check(<what> <condition...>): the condition as if() takes it.
macro(check what)
  if(NOT (${ARGN}))
    string(APPEND failures "  case: ${what}\n")
  endif()
endmacro()

# A macro: its results land in the caller's variables.
macro(make_list files out_json out_code out_error)
  execute_process(COMMAND ${CMAKE_COMMAND} "-DDIR=${WORK}/page" -DVERSION=1.2 "-DFILES=${files}" -P ${SCRIPT}
                  RESULT_VARIABLE ${out_code} ERROR_VARIABLE ${out_error})
  set(${out_json} "")
  if(EXISTS "${WORK}/page/build.json")
    file(READ "${WORK}/page/build.json" ${out_json})
  endif()
endmacro()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/page/sub")
file(WRITE "${WORK}/page/index.html" "<!doctype html>one")
file(WRITE "${WORK}/page/nmnm.js" "var a = 1;")
file(WRITE "${WORK}/page/sub/icon.png" "png")
set(files "nmnm.js;index.html;sub/icon.png")

make_list("${files}" json code error)
check("a good page is listed (${error})" code EQUAL 0)
string(JSON first GET "${json}" build)
check("the build name is hex" first MATCHES "^[0-9a-f]+$")
string(LENGTH "${first}" length)
check("the build name is 16 digits" length EQUAL 16)
string(JSON count LENGTH "${json}" files)
check("every file is listed" count EQUAL 3)
file(SHA256 "${WORK}/page/nmnm.js" sum)
string(JSON listed GET "${json}" files nmnm.js)
check("nmnm.js is listed with its SHA-256" listed STREQUAL sum)
check("no half-written list is left" NOT EXISTS "${WORK}/page/build.json.new")

string(JSON version GET "${json}" version)
check("the version is listed" version STREQUAL "1.2")

set(first_json "${json}")
make_list("sub/icon.png;nmnm.js;index.html;nmnm.js" json code error)
check("the same files in another order give the same bytes" json STREQUAL first_json)

file(WRITE "${WORK}/page/sub/icon.png" "png2")
make_list("${files}" json code error)
string(JSON changed GET "${json}" build)
check("a changed file changes the build name" NOT changed STREQUAL first)

file(RENAME "${WORK}/page/nmnm.js" "${WORK}/page/moved.js")
file(READ "${WORK}/page/build.json" before)
make_list("${files}" json code error)
check("a missing file fails the build" NOT code EQUAL 0)
# CMake wraps long messages, so the words may stand on two lines.
check("a missing file is named" error MATCHES "nmnm\\.js[ \n]+is[ \n]+missing")
check("a failed list leaves the last good one" json STREQUAL before)

make_list("index.html;a\"b.js" json code error)
check("a name with a quote is refused" NOT code EQUAL 0)
make_list("index.html;../secret" json code error)
check("a name leaving the folder is refused" NOT code EQUAL 0)

if(failures)
  message(FATAL_ERROR "build.json checks failed:\n${failures}")
endif()
