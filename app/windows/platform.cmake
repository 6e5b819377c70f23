# Windows (cross-compiled with MinGW-w64, see cmake/toolchain-*-mingw32.cmake):
# the Win32 window drawn through GDI, text through GDI, pictures through
# the LZ file reader. The program and its pictures ship as a zip.
set(NMNM_PLATFORM_DIRS common headless win32)
set(NMNM_WINDOW_HOST nmnm_host_win32)
set(NMNM_TEXT_SERVICE nmnm_text_gdi)
set(NMNM_FILE_SERVICE nmnm_files_lz)
set(NMNM_PLATFORM_PACKAGING ${CMAKE_CURRENT_LIST_DIR}/windows_package.cmake)
