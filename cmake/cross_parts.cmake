cmake_minimum_required(VERSION 3.25)
# The parts a cross build takes from a Linux build (the browser: pictures,
# icons, baked glyphs; Windows: the painter of its pictures and icons) must
# come from the sources being built, or the page or the zip ships old text
# and pictures. The Linux build writes bin/nmnm-cross-parts.stamp once they
# are made: the source folders that shape them (the painter's and the glyph
# baker's, with every library they link, and the sprite grids) and one sum
# over every file in those folders. A cross build given such a folder
# (NMNM_LINUX_TOOLS_DIR) sums the same folders of its own sources each time
# it builds, and stops with one line naming the tree to rebuild when the sums
# differ. Whatever folder the parts come from, its stamp travels with them.
#
# Included by the top CMakeLists.txt, which calls nmnm_cross_parts() last; run
# by the build as a script:
#   cmake -DMODE=write -DROOT=<sources> -DFOLDERS=<a,b,...> -DSTAMP=<file> -P cross_parts.cmake
#   cmake -DMODE=check -DROOT=<sources> -DSTAMP=<file> -DTREE=<Linux build> -DRESULT=<file> -P cross_parts.cmake
# A check writes "current" or "stale" to RESULT and says why in one line.

# The sum of every file under the FOLDERS of ROOT (relative names), each
# named with its own sum, so a renamed or moved file changes it too. Editors'
# hidden and backup files are left out.
function(nmnm_cross_parts_sum root folders out)
  set(files "")
  set(lines "")
  foreach(folder IN LISTS folders)
    if(NOT IS_DIRECTORY "${root}/${folder}")
      string(APPEND lines "${folder}: missing\n")
      continue()
    endif()
    file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE "${root}" "${root}/${folder}/*")
    list(APPEND files ${found})
  endforeach()
  list(FILTER files EXCLUDE REGEX "(^|/)\\.|~$")
  list(REMOVE_DUPLICATES files)
  list(SORT files)
  foreach(name IN LISTS files)
    file(SHA256 "${root}/${name}" sum)
    string(APPEND lines "${name} ${sum}\n")
  endforeach()
  string(SHA256 sum "${lines}")
  set(${out} ${sum} PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
  if(MODE STREQUAL "write")
    string(REPLACE "," ";" FOLDERS "${FOLDERS}")
    nmnm_cross_parts_sum("${ROOT}" "${FOLDERS}" sum)
    list(JOIN FOLDERS "," folders)
    set(stamp "folders=${folders}\nsum=${sum}\n")
    set(old "")
    if(EXISTS "${STAMP}")
      file(READ "${STAMP}" old)
    endif()
    # Rewritten only when it changes, so its time says when the sources did.
    if(NOT old STREQUAL stamp)
      file(WRITE "${STAMP}" "${stamp}")
    endif()
  elseif(MODE STREQUAL "check")
    set(verdict stale)
    get_filename_component(parts "${STAMP}" DIRECTORY)
    if(NOT EXISTS "${STAMP}")
      message(NOTICE "nmnm: ${parts} has no nmnm-cross-parts.stamp to show what its pictures, glyphs and painter "
        "were made from; build the Linux tree that made them (cmake --build ${TREE}), then build this one again")
    else()
      file(STRINGS "${STAMP}" folders REGEX "^folders=")
      file(STRINGS "${STAMP}" made REGEX "^sum=")
      string(REGEX REPLACE "^folders=" "" folders "${folders}")
      string(REGEX REPLACE "^sum=" "" made "${made}")
      string(REPLACE "," ";" folders "${folders}")
      nmnm_cross_parts_sum("${ROOT}" "${folders}" sum)
      if(folders AND made STREQUAL sum)
        set(verdict current)
      else()
        message(NOTICE "nmnm: the pictures, glyphs and painter in ${parts} were made from other sources than ${ROOT}; "
          "rebuild that tree (cmake --build ${TREE}), then build this one again")
      endif()
    endif()
    file(WRITE "${RESULT}" "${verdict}\n")
  else()
    message(FATAL_ERROR "cross_parts: give -DMODE=write or -DMODE=check")
  endif()
  return()
endif()

# The folders of TARGETS and of every library they link, relative to the
# sources (generated files and imported libraries left out).
function(nmnm_source_folders out)
  set(queue ${ARGN})
  set(seen "")
  set(folders "")
  list(LENGTH queue left)
  while(left GREATER 0)
    list(POP_FRONT queue target)
    list(LENGTH queue left)
    if(target IN_LIST seen OR NOT TARGET ${target})
      continue()
    endif()
    list(APPEND seen ${target})
    get_target_property(imported ${target} IMPORTED)
    if(imported)
      continue()
    endif()
    get_target_property(dir ${target} SOURCE_DIR)
    file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${dir}")
    if(folder AND NOT folder MATCHES "^\\.\\.")
      list(APPEND folders ${folder})
    endif()
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(libraries ${target} ${property})
      if(libraries)
        foreach(library IN LISTS libraries)
          if(NOT library MATCHES "\\$<")
            list(APPEND queue ${library})
          endif()
        endforeach()
      endif()
    endforeach()
    list(LENGTH queue left)
  endwhile()
  list(REMOVE_DUPLICATES folders)
  list(SORT folders)
  set(${out} ${folders} PARENT_SCOPE)
endfunction()

function(nmnm_cross_parts)
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_FILE})
  if(NMNM_PLATFORM STREQUAL linux AND TARGET nmnm-text-bake AND TARGET nmnm-artgen AND TARGET nmnm_baked_glyphs)
    # Everything a cross build takes from this one, stamped once it is made.
    nmnm_source_folders(folders nmnm-text-bake nmnm-artgen)
    list(APPEND folders assets)
    list(JOIN folders "," folders)
    add_custom_target(nmnm_cross_parts ALL
      COMMAND ${CMAKE_COMMAND} -DMODE=write -DROOT=${PROJECT_SOURCE_DIR} -DFOLDERS=${folders}
        -DSTAMP=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/nmnm-cross-parts.stamp -P ${script}
      COMMENT "Stamping the pictures, icons and glyphs with the sources they were made from"
      VERBATIM)
    add_dependencies(nmnm_cross_parts nmnm_art nmnm_icons nmnm_baked_glyphs)
  elseif(CMAKE_CROSSCOMPILING AND NMNM_LINUX_TOOLS_DIR)
    # Before anything takes them: the glyphs' library, the pictures (copied
    # or painted), the icons, the page with its pictures and icons.
    get_filename_component(tree ${NMNM_LINUX_TOOLS_DIR}/.. ABSOLUTE)
    set(work ${CMAKE_BINARY_DIR}/cross_parts)
    file(WRITE ${work}/current "current\n")
    add_custom_target(nmnm_cross_parts_check
      COMMAND ${CMAKE_COMMAND} -DMODE=check -DROOT=${PROJECT_SOURCE_DIR}
        -DSTAMP=${NMNM_LINUX_TOOLS_DIR}/nmnm-cross-parts.stamp -DTREE=${tree} -DRESULT=${work}/result -P ${script}
      # Fails without a word when stale: the check has said why in one line.
      COMMAND ${CMAKE_COMMAND} -E compare_files ${work}/result ${work}/current
      VERBATIM)
    foreach(taker nmnm_text_baked nmnm_art nmnm_icons nmnm nmnm_page)
      if(TARGET ${taker})
        add_dependencies(${taker} nmnm_cross_parts_check)
      endif()
    endforeach()
  endif()
endfunction()
