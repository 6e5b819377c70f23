#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build, the Windows builds
# (64- and 32-bit, their tests under Wine), then the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The Windows programs watch their screen through the Linux build's probe.
for target in x86_64-w64-mingw32:build-win64 i686-w64-mingw32:build-win32; do
  dir=${target#*:}
  cmake -S . -B "$dir" --toolchain "cmake/toolchain-${target%%:*}.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNMNM_HOST_TOOLS_DIR="$PWD/build/bin" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
done

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DNMNM_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
