# The same sources give the same bytes wherever and whenever they are built:
# no build folder's path in the objects (file names in assertions and debug
# information are written relative to the tree), and no link time in a
# Windows program's header. Times that go into packages come from
# SOURCE_DATE_EPOCH (scripts/release.sh sets it to the last commit's).
add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}=."
                    "-ffile-prefix-map=${PROJECT_BINARY_DIR}=build")
if(MINGW)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
