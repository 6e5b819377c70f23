#!/usr/bin/env bash
# Builds the Windows programs, 32- and 64-bit, with Debian's MinGW-w64 into
# build-win32/ and build-win64/, and packs each into a zip:
#   build-win32/nmnm-VERSION-win32.zip, build-win64/nmnm-VERSION-win64.zip
# (the presets win32 and win64 of CMakePresets.json). Extra arguments go to
# cmake (scripts/test.sh names the Linux build's bin/ as NMNM_LINUX_TOOLS_DIR;
# without it each build makes its own tools for this machine in host-tools/,
# and never runs its own programs to be made). Programs and tests of these
# builds run under Wine, in a prefix inside each build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

for flavour in win32 win64; do
  cmake --preset "$flavour" "$@" >/dev/null
  cmake --build --preset "$flavour" -j "$jobs"
  # The zip just made, not one an older version left there.
  cpack --preset "$flavour" | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p'
done
