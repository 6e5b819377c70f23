# Linux: the game's window through SDL2 (on X11 or Wayland), text through
# fontconfig, FreeType and iconv, pictures through POSIX files and libmspack.
# Read before the layers, which build what it names; the program is made in
# CMakeLists.txt beside it.
set(NMNM_PLATFORM_DIRS common headless posix linux sdl)
set(NMNM_WINDOW_HOST nmnm_host_sdl)
set(NMNM_TEXT_SERVICE nmnm_text_freetype)
set(NMNM_FILE_SERVICE nmnm_files_posix)
