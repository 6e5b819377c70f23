#!/usr/bin/env bash
# Builds the loader fuzz target with clang and runs it.
#   tools/fuzz_loader/run_fuzz.sh [seconds]   (default 600)
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-600}
scripts/setup.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNMNM_FUZZ=ON \
  -DNMNM_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j2 --target fuzz_loader fuzz_loader_seeds
corpus=build-fuzz/fuzz-corpus
mkdir -p "$corpus" build-fuzz/fuzz-seeds
build-fuzz/bin/fuzz_loader_seeds build-fuzz/fuzz-seeds
for f in build-fuzz/fuzz-seeds/*.bmp; do
  mscompress "$f" && mv "${f}_" "${f%.bmp}.bm_"
done
build-fuzz/bin/fuzz_loader -max_total_time="$seconds" -max_len=200000 -rss_limit_mb=2048 \
  -print_final_stats=1 "$corpus" build-fuzz/fuzz-seeds
