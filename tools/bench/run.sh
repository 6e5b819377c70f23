#!/usr/bin/env bash
# The benchmarks, one entry: tools/bench/run.sh lists them, tools/bench/run.sh
# NAME [ARGS...] runs one. Benchmarks, not tests: run them on a quiet machine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

list() {
  cat <<'LIST'
usage: tools/bench/run.sh NAME [ARGS...]
  window BUILD [BASE_BUILD] [RUNS] [SECONDS]
         the real window under Xvfb at 1024 x 768 and 1920 x 1080: game and X server CPU,
         peak memory, start to the fade on screen, the replay bench; medians, beside BASE_BUILD's
  wine   [-r RUNS] [-s SECONDS] LINUX_BUILD WINDOWS_BUILD...
         the Windows programs' CPU under Wine beside the Linux window's, as a multiple of it
  web    PAGE_DIR [SECONDS] [LOADS] [ROUNDS]
         the page in headless Chromium: what it loads, time to the first fade step,
         CPU while playing beside an empty page, CPU and frames while hidden
  keep   PAGE_DIR [RELOADS]
         the offline page: what a first visit loads, reloads served by the service worker
  recording BUILD [RUNS] [SECONDS]
         the frame's work with the run's recording on and off, and the run file's
         growth a minute of play in a real window; medians
  replay BUILD
         nmnm-replay --bench: the game's frame without a window, as a multiple of the floor
  text   BUILD [FRAMES]
         the screen messages drawn through the FreeType glyph cache
  shots  PAGE_DIR [OUT_DIR]
         not a benchmark: the docs' two pictures of the page (docs/images/web-*.png)
LIST
}

[ $# -ge 1 ] || { list; exit 0; }
bench=$1
shift
bin() { [ $# -ge 1 ] || { list >&2; exit 2; }; echo "$(cd "$1" && pwd)/bin"; }
case $bench in
  window) exec "$here/window.sh" "$@" ;;
  wine) exec "$here/wine.sh" "$@" ;;
  web) exec node "$here/web.js" "$@" ;;
  keep) exec node "$here/keep.js" "$@" ;;
  shots) exec node "$here/web_shots.js" "$@" ;;
  recording) exec "$here/recording.sh" "$@" ;;
  replay) dir=$(bin "$@") && cd "$dir" && exec ./nmnm-replay --bench ;;
  text) dir=$(bin "$@") && shift && exec "$dir/text_bench" "$@" ;;
  -h | --help | help | list) list ;;
  *)
    echo "bench: no benchmark named '$bench'" >&2
    list >&2
    exit 2
    ;;
esac
