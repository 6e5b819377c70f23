#!/usr/bin/env bash
# Builds the Windows programs, 32- and 64-bit, with Debian's MinGW-w64 into
# build-win32/ and build-win64/, and packs each into a zip:
#   build-win32/nmnm-VERSION-win32.zip, build-win64/nmnm-VERSION-win64.zip
# Extra arguments go to cmake (scripts/test.sh names the Linux build's bin/ as
# NMNM_LINUX_TOOLS_DIR; without it each build makes its own tools for this
# machine in host-tools/, and never runs its own programs to be made). Programs and tests of these builds run under Wine, in
# a prefix inside each build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

for flavour in win32 win64; do
  case $flavour in
    win32) toolchain=cmake/toolchain-i686-w64-mingw32.cmake ;;
    win64) toolchain=cmake/toolchain-x86_64-w64-mingw32.cmake ;;
  esac
  # -O2 like the Linux build, without debug information: with static linking
  # it doubles the build time, and nothing here reads it.
  cmake -S . -B "build-$flavour" --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" "$@" >/dev/null
  cmake --build "build-$flavour" -j "$jobs"
  (cd "build-$flavour" && cpack >/dev/null && ls -1 "$PWD"/nmnm-*-"$flavour".zip)
done
