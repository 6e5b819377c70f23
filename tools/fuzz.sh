#!/usr/bin/env bash
# Builds a fuzz target with clang and runs it for SECONDS (default 600):
#   loader    the picture loader, from seed pictures in every layout it
#             accepts, plain and SZDD (new finds: build-fuzz/fuzz-corpus)
#   run_file  the run file reader, from the committed corpus
#             (new finds: build-fuzz/run-file-corpus)
# A crashing input is written to build-fuzz/crash-*.
# Usage: tools/fuzz.sh loader|run_file [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:-}
seconds=${2:-600}
case $target in
  loader | run_file) ;;
  *) echo "usage: tools/fuzz.sh loader|run_file [SECONDS]" >&2; exit 2 ;;
esac
scripts/setup.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNMNM_FUZZ=ON \
  -DNMNM_BUILD_TESTS=OFF >/dev/null
options=(-max_total_time="$seconds" -rss_limit_mb=2048 -artifact_prefix=build-fuzz/ -print_final_stats=1)

if [ "$target" = run_file ]; then
  cmake --build build-fuzz -j2 --target fuzz_run_file
  mkdir -p build-fuzz/run-file-corpus
  build-fuzz/bin/fuzz_run_file "${options[@]}" -max_len=4096 build-fuzz/run-file-corpus tools/fuzz_run_file/corpus
else
  cmake --build build-fuzz -j2 --target fuzz_loader fuzz_loader_seeds
  mkdir -p build-fuzz/fuzz-corpus build-fuzz/fuzz-seeds
  build-fuzz/bin/fuzz_loader_seeds build-fuzz/fuzz-seeds
  for f in build-fuzz/fuzz-seeds/*.bmp; do
    mscompress "$f" && mv "${f}_" "${f%.bmp}.bm_"
  done
  build-fuzz/bin/fuzz_loader "${options[@]}" -max_len=200000 build-fuzz/fuzz-corpus build-fuzz/fuzz-seeds
fi
