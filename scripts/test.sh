#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build, the browser build
# under node and its page in headless Chromium, and the 32- and 64-bit
# Windows builds under Wine (both compared with the normal build), then the
# sanitizer build. Each is a preset of CMakePresets.json (linux, web, win32,
# win64, asan), in build/, build-web/, build-win32/, build-win64/, build-asan/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

cmake --preset linux >/dev/null
cmake --build --preset linux -j "$jobs"
ctest --preset linux -j "$jobs"

# The browser build takes the normal build's pictures, icons and baked
# glyphs (build/bin), and its replays are compared with the normal build's.
cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs"
ctest --preset web -j "$jobs"

# The Windows programs are compared with the Linux build's and watch their
# screen through its probe.
scripts/build-windows.sh -DNMNM_LINUX_TOOLS_DIR="$PWD/build/bin"
emulate=${NMNM_WINE_EMULATE:-0}
for flavour in win32 win64; do
  # Some virtual machines' kernels run no 32-bit programs: there the 32-bit
  # ones go through qemu-i386-static (NMNM_WINE_EMULATE=1 takes that route
  # anywhere), far too slowly for the whole suite, so only the parity checks
  # run, on games of 20,000 calls; the rest runs where 32-bit runs natively.
  if [ "$flavour" = win32 ] && { [ "$emulate" = 1 ] || ! scripts/wine-run.sh --can-run win32 2>/dev/null; }; then
    if [ "$emulate" = 1 ] || scripts/qemu-i386-binfmt.sh register; then
      trap 'scripts/qemu-i386-binfmt.sh unregister' EXIT
      scripts/wine-run.sh build-win32/wineprefix win32  # made once (minutes), kept with the build
      NMNM_PARITY_CALLS=20000 env -u DISPLAY ctest --preset win32 -R replay_parity_with_linux
    else
      echo "test: the win32 programs were built but not run: this machine cannot run them, even through qemu-i386-static"
    fi
  elif scripts/wine-run.sh --can-run "$flavour"; then
    ctest --preset "$flavour" -j "$jobs"
  else
    echo "test: the $flavour programs were built but not run: this machine cannot run them under Wine"
  fi
done

# The preset sets the sanitizers' options and the leak suppressions.
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"
