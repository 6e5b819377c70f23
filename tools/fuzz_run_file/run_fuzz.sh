#!/usr/bin/env bash
# Builds the run file reader's fuzz target with clang and runs it, starting
# from the committed corpus (new finds go to build-fuzz/run-file-corpus, a
# crashing input to build-fuzz/crash-*).
#   tools/fuzz_run_file/run_fuzz.sh [seconds]   (default 600)
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-600}
scripts/setup.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNMNM_FUZZ=ON \
  -DNMNM_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j2 --target fuzz_run_file
corpus=build-fuzz/run-file-corpus
mkdir -p "$corpus"
build-fuzz/bin/fuzz_run_file -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 -artifact_prefix=build-fuzz/ \
  -print_final_stats=1 "$corpus" tools/fuzz_run_file/corpus
