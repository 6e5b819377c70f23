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
for flavour in win32 win64; do
  # Some virtual machines' kernels run no 32-bit programs: the build is still
  # made, and the line from wine-run.sh says why its tests are left out.
  if scripts/wine-run.sh --can-run "$flavour"; then
    ctest --preset "$flavour" -j "$jobs"
  else
    echo "test: the $flavour programs were built but not run: this machine cannot run them under Wine"
  fi
done

# The preset sets the sanitizers' options and the leak suppressions.
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"
