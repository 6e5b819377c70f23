cmake_minimum_required(VERSION 3.25)
# Writes build.json for the page in DIR: every file of FILES (names relative to
# DIR) with its SHA-256, the build's name, a sum of them all, and the game's
# VERSION. The page's service worker (app/web/page/sw.js) keeps each build whole
# under that name. The same files give the same bytes, in whatever order
# they are named.
# Run as: cmake -DDIR=<page folder> -DVERSION=<x.y> -DFILES="index.html,nmnm.js,..." -P web_build_list.cmake
# (commas or semicolons between the names).
if(NOT DIR OR NOT FILES OR NOT VERSION)
  message(FATAL_ERROR "web_build_list: give -DDIR=<page folder>, -DVERSION=<x.y> and -DFILES=<names>")
endif()
if(NOT VERSION MATCHES "^[0-9]+(\\.[0-9]+)*$")
  message(FATAL_ERROR "web_build_list: VERSION '${VERSION}' is not a dotted number")
endif()
string(REPLACE "," ";" FILES "${FILES}")
list(SORT FILES)
list(REMOVE_DUPLICATES FILES)
set(lines "")
set(entries "")
foreach(name IN LISTS FILES)
  # Names go into JSON and URLs as they are.
  if(NOT name MATCHES "^[A-Za-z0-9._-]+(/[A-Za-z0-9._-]+)*$" OR name MATCHES "(^|/)\\.\\.?(/|$)")
    message(FATAL_ERROR "web_build_list: '${name}' is not a plain file name (letters, digits, '.', '_', '-', '/')")
  endif()
  if(NOT EXISTS "${DIR}/${name}" OR IS_DIRECTORY "${DIR}/${name}")
    message(FATAL_ERROR "web_build_list: ${DIR}/${name} is missing; build the page first")
  endif()
  file(SHA256 "${DIR}/${name}" sum)
  string(APPEND lines "${name} ${sum}\n")
  list(APPEND entries "    \"${name}\": \"${sum}\"")
endforeach()
string(SHA256 build "${lines}")
string(SUBSTRING "${build}" 0 16 build)
list(JOIN entries ",\n" body)
# Written beside and then put in place, so a server never hands out half a list.
file(WRITE "${DIR}/build.json.new" "{\n  \"build\": \"${build}\",\n  \"version\": \"${VERSION}\",\n  \"files\": {\n${body}\n  }\n}\n")
file(RENAME "${DIR}/build.json.new" "${DIR}/build.json")
